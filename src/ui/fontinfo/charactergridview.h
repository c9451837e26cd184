#pragma once

#include "characterblocks.h"

#include <QWidget>

class QClipboard;
class QComboBox;
class QLabel;
class QScrollArea;

namespace varelith {

class CharacterGrid;
class FaceDrawing;

// A face's characters by Unicode block: a chooser of the blocks the face has characters
// in, with their counts; the chosen block's grid; and the last character chosen, with its
// code point and name, copied to the clipboard.
class CharacterGridView : public QWidget {
    Q_OBJECT

public:
    // `clipboard`: where a chosen character is copied; null copies nowhere.
    explicit CharacterGridView(QClipboard* clipboard, QWidget* parent = nullptr);

    // The face must outlive its showing here.
    void setFace(const FaceDrawing* face);
    void showBlock(int index);

    QComboBox* blockChooser() const { return m_blocks; }
    CharacterGrid* grid() const { return m_grid; }
    QLabel* chosenLine() const { return m_chosen; }
    const QList<CharacterBlocks::Block>& blocks() const { return m_faceBlocks; }

private:
    void choose(char32_t character);

    QClipboard* m_clipboard;
    const FaceDrawing* m_face = nullptr;
    QList<CharacterBlocks::Block> m_faceBlocks;
    QComboBox* m_blocks;
    QScrollArea* m_area;
    CharacterGrid* m_grid;
    QLabel* m_chosen;
};

} // namespace varelith
