#include "typesettingmenu.h"

#include "featuredialog.h"
#include "settingsstore.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// Long enough to take a run of quick changes (a value tried after another) in one write.
constexpr int FlushDelay = 500;

struct AxisOffer {
    QString tag;
    QString title;
    QList<float> values;
};

const QList<AxisOffer>& axisOffers() {
    static const QList<AxisOffer> offers{
        {u"wght"_s, u"ウェイト wght(&W)"_s, {100, 200, 300, 400, 500, 600, 700, 800, 900}},
        {u"wdth"_s, u"幅 wdth(&I)"_s, {50, 75, 87.5f, 100, 112.5f, 125, 150}},
        {u"opsz"_s, u"オプティカルサイズ opsz(&O)"_s, {8, 12, 18, 24, 36, 48, 72}},
        {u"slnt"_s, u"傾き slnt(&S)"_s, {-15, -12, -10, -5, 0}},
        {u"ital"_s, u"イタリック ital(&L)"_s, {0, 1}}};
    return offers;
}

struct MenuFeature {
    const char16_t* tag;
    char16_t key;
};
// What Japanese setting switches most; every access key in the menu once.
constexpr MenuFeature MenuFeatures[]{
    {u"palt", u'P'}, {u"vpal", u'V'}, {u"halt", u'L'}, {u"kern", u'K'},
    {u"jp78", u'7'}, {u"jp90", u'9'}, {u"jp04", u'4'}, {u"nlck", u'N'},
    {u"trad", u'D'}, {u"hwid", u'H'}, {u"fwid", u'F'}, {u"ruby", u'U'},
};

void nameMenu(QMenu* menu, const QString& objectName) {
    menu->setObjectName(objectName);
    menu->setAccessibleName(menu->title().section(u"(&"_s, 0, 0).remove(u'&'));
}

} // namespace

TypesettingMenu::TypesettingMenu(QMenu& menu, SettingsStore& store, QWidget* dialogParent)
    : QObject(&menu)
    , m_store(store)
    , m_flush(new QTimer(this))
    , m_dialogParent(dialogParent)
    , m_typesetting(Typesetting::load(store)) {
    if (!menu.isEmpty())
        menu.addSeparator();
    // Either one, never none: triggering the checked 縦書き (Ctrl+T) goes back to 横書き.
    auto* writing = new QActionGroup(this);
    writing->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    m_horizontal = menu.addAction(u"横書き(&Y)"_s);
    m_horizontal->setObjectName(u"mhorizontal"_s);
    m_vertical = menu.addAction(u"縦書き(&T)"_s);
    m_vertical->setObjectName(u"mvertical"_s);
    m_vertical->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
    for (QAction* action : {m_horizontal, m_vertical}) {
        action->setCheckable(true);
        writing->addAction(action);
    }
    connect(m_horizontal, &QAction::triggered, this, [this] {
        Typesetting next = m_typesetting;
        next.vertical = false;
        commit(next);
    });
    connect(m_vertical, &QAction::triggered, this, [this] {
        Typesetting next = m_typesetting;
        next.vertical = !m_typesetting.vertical;
        commit(next);
    });

    m_flush->setSingleShot(true);
    m_flush->setInterval(FlushDelay);
    connect(m_flush, &QTimer::timeout, this, &TypesettingMenu::flushStore);

    m_features = menu.addMenu(u"OpenType 機能(&O)"_s);
    nameMenu(m_features, u"mfeatures"_s);
    buildFeatures();
    m_axes = menu.addMenu(u"可変軸(&A)"_s);
    nameMenu(m_axes, u"maxes"_s);
    buildAxes();
    sync();
}

TypesettingMenu::~TypesettingMenu() {
    if (m_flush->isActive())
        flushStore();
    delete m_featureDialog; // when its parent has not taken it already
}

void TypesettingMenu::flushStore() {
    m_flush->stop();
    m_store.flush();
}

void TypesettingMenu::buildFeatures() {
    for (const MenuFeature& feature : MenuFeatures) {
        const QString tag = QString::fromUtf16(feature.tag);
        QAction* action = m_features->addAction(
            u"%1 %2(&%3)"_s.arg(FeatureSettings::describe(tag), tag, QChar(feature.key)));
        action->setObjectName(u"mfeature_"_s + tag);
        action->setCheckable(true);
        action->setData(tag);
        connect(action, &QAction::triggered, this, [this, tag](bool on) {
            Typesetting next = m_typesetting;
            // Unticked is the font's own default again, not "off".
            on ? next.features.set(tag, true) : next.features.clear(tag);
            commit(next);
        });
        m_featureActions.append(action);
    }
    m_features->addSeparator();
    QAction* more = m_features->addAction(u"その他の機能(&M)..."_s);
    more->setObjectName(u"mfeaturemore"_s);
    connect(more, &QAction::triggered, this, &TypesettingMenu::showFeatureDialog);
    QAction* reset = m_features->addAction(u"既定に戻す(&R)"_s);
    reset->setObjectName(u"mfeaturereset"_s);
    connect(reset, &QAction::triggered, this, [this] {
        Typesetting next = m_typesetting;
        next.features = {};
        commit(next);
    });
}

void TypesettingMenu::buildAxes() {
    for (const AxisOffer& offer : axisOffers()) {
        QMenu* sub = m_axes->addMenu(offer.title);
        nameMenu(sub, u"maxis_"_s + offer.tag);
        auto* group = new QActionGroup(this);
        group->setObjectName(offer.tag);
        QList<float> values{std::nanf("")};
        values.append(offer.values);
        for (qsizetype index = 0; index < values.size(); ++index) {
            const float value = values.at(index);
            const bool asDefault = std::isnan(value);
            // Values are reached by their place: "100(&1)", "200(&2)"...
            QAction* action = sub->addAction(
                asDefault ? u"既定(&D)"_s : u"%1(&%2)"_s.arg(QString::number(value)).arg(index));
            action->setObjectName(u"maxis_"_s + offer.tag + u'_' +
                                  (asDefault ? u"default"_s : QString::number(value)));
            action->setCheckable(true);
            action->setData(value);
            group->addAction(action);
            const QString tag = offer.tag;
            connect(action, &QAction::triggered, this, [this, tag, value, asDefault] {
                Typesetting next = m_typesetting;
                asDefault ? next.axes.clear(tag) : next.axes.set(tag, value);
                commit(next);
            });
        }
        m_axisGroups.append(group);
    }
}

QAction* TypesettingMenu::featureAction(const QString& tag) const {
    for (QAction* action : m_featureActions)
        if (action->data().toString() == tag)
            return action;
    return nullptr;
}

QAction* TypesettingMenu::axisAction(const QString& tag, float value) const {
    for (QActionGroup* group : m_axisGroups) {
        if (group->objectName() != tag)
            continue;
        for (QAction* action : group->actions()) {
            const float offered = action->data().toFloat();
            if ((std::isnan(value) && std::isnan(offered)) || offered == value)
                return action;
        }
    }
    return nullptr;
}

QStringList TypesettingMenu::menuTags() {
    QStringList tags;
    for (const MenuFeature& feature : MenuFeatures)
        tags.append(QString::fromUtf16(feature.tag));
    return tags;
}

void TypesettingMenu::showFeatureDialog() {
    if (!m_featureDialog) {
        m_featureDialog = new FeatureDialog(m_dialogParent);
        m_featureDialog->setFeatures(m_typesetting.features);
        connect(m_featureDialog, &FeatureDialog::featuresChosen, this,
                [this](const FeatureSettings& features) {
                    Typesetting next = m_typesetting;
                    next.features = features;
                    commit(next);
                });
    }
    m_featureDialog->show();
    m_featureDialog->raise();
    m_featureDialog->activateWindow();
}

FeatureDialog* TypesettingMenu::featureDialog() const {
    return m_featureDialog;
}

void TypesettingMenu::setTypesetting(const Typesetting& typesetting) {
    commit(typesetting);
}

void TypesettingMenu::commit(const Typesetting& typesetting) {
    const bool differs = !(typesetting == m_typesetting);
    m_typesetting = typesetting;
    sync();
    if (!differs)
        return;
    m_typesetting.save(m_store);
    m_flush->start();
    Q_EMIT changed(m_typesetting);
}

void TypesettingMenu::sync() {
    m_horizontal->setChecked(!m_typesetting.vertical);
    m_vertical->setChecked(m_typesetting.vertical);
    for (QAction* action : std::as_const(m_featureActions))
        action->setChecked(m_typesetting.features.state(action->data().toString()) == 1);
    if (m_featureDialog)
        m_featureDialog->setFeatures(m_typesetting.features);
    for (QActionGroup* group : std::as_const(m_axisGroups)) {
        const QString tag = group->objectName();
        QAction* chosen = axisAction(tag, m_typesetting.axes.value(tag, std::nanf("")));
        for (QAction* action : group->actions())
            action->setChecked(action == chosen);
    }
}

} // namespace varelith
