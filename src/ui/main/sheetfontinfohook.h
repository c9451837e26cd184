#pragma once

#include <QObject>

class QAction;
class QMenu;
class QTextEdit;

namespace varelith {

class FontInfoOpener;

// Opens the font information window for a line of the sheet view: a double-click on the
// line, "フォント情報(&F)..." in its context menu, or Ctrl+I where the view's cursor is.
class SheetFontInfoHook : public QObject {
    Q_OBJECT

public:
    SheetFontInfoHook(QTextEdit& view, FontInfoOpener& opener);

    QAction* action() const { return m_action; }

Q_SIGNALS:
    // The view's context menu, filled, just before it is shown: other entries for the place
    // it was asked at (a document position) may be added to it.
    void contextMenuFilled(QMenu* menu, int position);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool open(int position);

    QTextEdit& m_view;
    FontInfoOpener& m_opener;
    QAction* m_action;
};

} // namespace varelith
