#include "sheetstylemenu.h"

#include "settingsstore.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>

#include <array>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

struct Entry {
    SheetStyle style;
    const char16_t* stored;
    const char16_t* caption;
};
// In the menu's order.
constexpr std::array<Entry, 5> Entries{{
    {SheetStyle::Regular, u"Regular", u"標準(&R)"},
    {SheetStyle::Light, u"Light", u"細字(&L)"},
    {SheetStyle::Bold, u"Bold", u"太字(&B)"},
    {SheetStyle::Italic, u"Italic", u"斜体(&I)"},
    {SheetStyle::BoldItalic, u"BoldItalic", u"太字斜体(&T)"},
}};

} // namespace

const QString SheetStyleMenu::SettingKey = u"style_Sheet"_s;

SheetStyleMenu::SheetStyleMenu(QMenu& viewMenu, SettingsStore& store, QObject* parent)
    : QObject(parent)
    , m_store(store)
    , m_menu(viewMenu.addMenu(u"スタイル(&S)"_s))
    , m_group(new QActionGroup(this))
    , m_style(fromStoredText(store.GetSetting(SettingKey, 0))) {
    m_menu->setObjectName(u"mstyle"_s);
    m_menu->setAccessibleName(u"スタイル"_s);
    m_group->setExclusive(true);
    for (const Entry& entry : Entries) {
        QAction* action = m_menu->addAction(QString::fromUtf16(entry.caption));
        action->setObjectName(u"mstyle"_s + QString::fromUtf16(entry.stored));
        action->setCheckable(true);
        action->setChecked(entry.style == m_style);
        m_group->addAction(action);
        connect(action, &QAction::triggered, this, [this, style = entry.style] { choose(style); });
    }
}

QAction* SheetStyleMenu::action(SheetStyle style) const {
    return m_group->actions().at(qsizetype(style));
}

QString SheetStyleMenu::storedText(SheetStyle style) {
    return QString::fromUtf16(Entries.at(std::size_t(style)).stored);
}

SheetStyle SheetStyleMenu::fromStoredText(const QString& text) {
    for (const Entry& entry : Entries)
        if (text == QStringView(entry.stored))
            return entry.style;
    return SheetStyle::Regular;
}

void SheetStyleMenu::choose(SheetStyle style) {
    if (style == m_style)
        return;
    m_style = style;
    m_store.SaveSetting(SettingKey, storedText(style));
    m_store.flush();
    Q_EMIT styleChanged(style);
}

} // namespace varelith
