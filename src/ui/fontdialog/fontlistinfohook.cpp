#include "fontlistinfohook.h"

#include "errortrap.h"
#include "fontinfoopener.h"

#include <QAbstractItemView>
#include <QAction>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace varelith {

FontListInfoHook::FontListInfoHook(QAbstractItemView& list, FontInfoOpener& opener,
                                   std::function<QString()> currentFamily, QWidget* buttonParent)
    : QObject(&list)
    , m_opener(opener)
    , m_currentFamily(std::move(currentFamily))
    , m_action(new QAction(u"フォント情報(&F)..."_s, this))
    , m_button(new QPushButton(u"フォント情報(&F)..."_s, buttonParent)) {
    m_action->setObjectName(u"mfontinfo_list"_s);
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_action->setShortcutContext(Qt::WidgetShortcut);
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    list.addActions({separator, m_action});
    m_button->setObjectName(u"btn_FontInfo"_s);
    m_button->setAccessibleName(u"フォント情報"_s);
    // Enter in the dialog closes it; this button opens the window only when pressed.
    m_button->setAutoDefault(false);
    connect(m_action, &QAction::triggered, this, &FontListInfoHook::open);
    connect(m_button, &QPushButton::clicked, this, &FontListInfoHook::open);
}

void FontListInfoHook::open() {
    const QString family = m_currentFamily ? m_currentFamily() : QString();
    if (!family.isEmpty())
        trapErrors([this, &family] { m_opener.showFamily(family); });
}

} // namespace varelith
