#pragma once

#include <QList>
#include <QWidget>

namespace varelith {

class FaceDrawing;

// The characters of one block as a grid of cells, each set by the shaper in the face itself
// and centred in its cell. Only the cells in view are set and drawn. A click or Enter on a cell
// chooses its character; the arrow keys move among them.
class CharacterGrid : public QWidget {
    Q_OBJECT

public:
    static constexpr int CellSize = 44;
    static constexpr int GlyphPixels = 28;

    explicit CharacterGrid(QWidget* parent = nullptr);

    // The face must outlive its showing here.
    void setCharacters(const FaceDrawing* face, const QList<char32_t>& characters);
    const QList<char32_t>& characters() const { return m_characters; }
    int current() const { return m_current; }
    void setCurrent(int index);
    // The cell of `index`, in this widget's coordinates.
    QRect cellRect(int index) const;
    int columns() const;

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

Q_SIGNALS:
    void characterChosen(char32_t character);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void choose(int index);

    const FaceDrawing* m_face = nullptr;
    QList<char32_t> m_characters;
    int m_current = -1;
};

} // namespace varelith
