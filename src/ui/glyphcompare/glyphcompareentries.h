#pragma once

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class QAction;
class QTextDocument;

namespace varelith {

class Form1;
class FontInfoWindow;
class GlyphCompareWindow;

// Where 字形比較 opens from: 表示 → 字形比較(&G)... in the main window (the characters typed
// before, or the sheet's sample), the sheet's context menu (the character under the mouse)
// and the font information window's character grid (its chosen character, from its
// context menu or Ctrl+G). The window is made at the first of them.
class GlyphCompareEntries : public QObject {
    Q_OBJECT

public:
    using WindowMaker = std::function<std::unique_ptr<GlyphCompareWindow>()>;

    // The sheet's entry needs the main window's font information hook, set before this.
    // `fontInfo` may be null.
    GlyphCompareEntries(Form1& mainWindow, FontInfoWindow* fontInfo, WindowMaker makeWindow);
    ~GlyphCompareEntries() override;

    void open(const QString& characters);
    GlyphCompareWindow* window() const { return m_window.get(); }
    QAction* menuEntry() const { return m_menuEntry; }

    // The character at a document position, with the variation selector after it; empty
    // at a space, a control character or past the text.
    static QString characterAt(const QTextDocument& document, int position);

private:
    void attachToGrid();

    Form1& m_mainWindow;
    FontInfoWindow* m_fontInfo;
    WindowMaker m_makeWindow;
    std::unique_ptr<GlyphCompareWindow> m_window;
    QAction* m_menuEntry = nullptr;
    QAction* m_gridEntry = nullptr;
};

} // namespace varelith
