#include "sheetfontinfohook.h"

#include "errortrap.h"
#include "fontinfoopener.h"
#include "sheetfontlocator.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextEdit>

#include <memory>

using namespace Qt::StringLiterals;

namespace varelith {

SheetFontInfoHook::SheetFontInfoHook(QTextEdit& view, FontInfoOpener& opener)
    : QObject(&view)
    , m_view(view)
    , m_opener(opener)
    , m_action(new QAction(u"フォント情報(&F)..."_s, this)) {
    m_action->setObjectName(u"mfontinfo"_s);
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_action->setShortcutContext(Qt::WidgetShortcut);
    view.addAction(m_action);
    connect(m_action, &QAction::triggered, this, [this] { open(m_view.textCursor().position()); });
    view.installEventFilter(this);
    view.viewport()->installEventFilter(this);
}

bool SheetFontInfoHook::open(int position) {
    const QString family = SheetFontLocator::familyAt(*m_view.document(), position);
    if (family.isEmpty())
        return false;
    trapErrors([this, &family] { m_opener.showFamily(family); });
    return true;
}

bool SheetFontInfoHook::eventFilter(QObject* watched, QEvent* event) {
    // The event's type first: the viewport sees events while the view is being destroyed,
    // when the view can no longer be asked for it.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_view.viewport()) {
        const auto* click = static_cast<QMouseEvent*>(event);
        return click->button() == Qt::LeftButton &&
               open(m_view.cursorForPosition(click->position().toPoint()).position());
    }
    if (event->type() != QEvent::ContextMenu)
        return false;
    // The view's own menu (copy, select all) with the entry for the line under the mouse,
    // or at the cursor when the menu comes from the keyboard.
    const auto* request = static_cast<QContextMenuEvent*>(event);
    const bool fromMouse = request->reason() == QContextMenuEvent::Mouse;
    const QPoint inViewport = watched == m_view.viewport()
                                  ? request->pos()
                                  : m_view.viewport()->mapFrom(&m_view, request->pos());
    const int position = fromMouse ? m_view.cursorForPosition(inViewport).position()
                                   : m_view.textCursor().position();
    const std::unique_ptr<QMenu> menu(m_view.createStandardContextMenu(inViewport));
    menu->setObjectName(u"SheetContextMenu"_s);
    // Qt's own "Select All" has no access key, in any language; its shortcut stays shown.
    if (auto* selectAll = menu->findChild<QAction*>(u"select-all"_s)) {
        const QString shortcut = selectAll->text().section(u'\t', 1);
        selectAll->setText(u"すべて選択(&A)"_s +
                           (shortcut.isEmpty() ? QString() : u'\t' + shortcut));
    }
    menu->addSeparator();
    QAction* entry = menu->addAction(m_action->text());
    entry->setObjectName(u"mfontinfo_context"_s);
    entry->setEnabled(!SheetFontLocator::familyAt(*m_view.document(), position).isEmpty());
    connect(entry, &QAction::triggered, this, [this, position] { open(position); });
    Q_EMIT contextMenuFilled(menu.get(), position);
    menu->exec(request->globalPos());
    return true;
}

} // namespace varelith
