#include "fontfilemenu.h"

#include "errortrap.h"
#include "fontfilechooser.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace varelith {

FontFileMenu::FontFileMenu(QMenu& fileMenu, FontFileChooser& chooser, Handler handler,
                           QWidget* dialogParent)
    : QObject(nullptr)
    , m_chooser(chooser)
    , m_handler(std::move(handler))
    , m_dialogParent(dialogParent)
    , m_action(new QAction(u"フォントファイルを開く(&F)..."_s, &fileMenu)) {
    m_action->setObjectName(u"mopenfontfile"_s);
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    // Opening comes first in a file menu, as everywhere else.
    const QList<QAction*> entries = fileMenu.actions();
    fileMenu.insertAction(entries.isEmpty() ? nullptr : entries.first(), m_action);
    connect(m_action, &QAction::triggered, this, &FontFileMenu::chooseFiles);
}

void FontFileMenu::chooseFiles() {
    trapErrors([this] {
        const QStringList paths = m_chooser.chooseFontFiles(m_dialogParent);
        if (!paths.isEmpty() && m_handler)
            m_handler(paths);
    });
}

} // namespace varelith
