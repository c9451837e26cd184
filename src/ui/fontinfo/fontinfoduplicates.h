#pragma once

#include <QObject>

class QTreeWidget;

namespace varelith {

class DuplicateFiles;
class FontInfoWindow;

// The information window's 重複 tab: every file that gives one of the family's faces when
// more than one does, with its style, version and folder, and which of them is drawn.
// Made with the window's first face, as the window builds its own sections.
class FontInfoDuplicates : public QObject {
    Q_OBJECT

public:
    FontInfoDuplicates(FontInfoWindow& window, DuplicateFiles& duplicates);

    // Null until the window has shown its first face.
    QTreeWidget* table() const { return m_table; }

    void showFamily(const QString& family);

private:
    void build();

    FontInfoWindow& m_window;
    DuplicateFiles& m_duplicates;
    QTreeWidget* m_table = nullptr;
};

} // namespace varelith
