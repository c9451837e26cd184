#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace varelith {

class FontFileChooser;

// ファイル → フォントファイルを開く(&F)... (Ctrl+O), at the head of the menu, before the
// entry that chooses the fonts shown: the files chosen go to the handler, as files dropped
// on the window do. Cancelled, nothing is handed on. The menu owns the entry; whoever makes
// this keeps it, as long as the menu, and no longer than the chooser.
class FontFileMenu : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const QStringList& paths)>;

    FontFileMenu(QMenu& fileMenu, FontFileChooser& chooser, Handler handler, QWidget* dialogParent);

    QAction* action() const { return m_action; }
    // Asks the chooser, over the dialog's parent, and hands on what it gives.
    void chooseFiles();

private:
    FontFileChooser& m_chooser;
    Handler m_handler;
    QWidget* m_dialogParent;
    QAction* m_action;
};

} // namespace varelith
