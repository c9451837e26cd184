#include "featureswitches.h"

#include <QLabel>
#include <QListWidget>
#include <QSet>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

constexpr int TagRole = Qt::UserRole;

} // namespace

FeatureSwitches::FeatureSwitches(QWidget* parent)
    : QWidget(parent)
    , m_list(new QListWidget(this)) {
    setObjectName(u"FeatureSwitches"_s);
    auto* label = new QLabel(u"OpenType 機能(&O):"_s, this);
    label->setObjectName(u"lbl_Features"_s);
    label->setBuddy(m_list);
    m_list->setObjectName(u"lst_Features"_s);
    m_list->setAccessibleName(u"OpenType 機能"_s);
    m_list->setAccessibleDescription(u"スペースキーで機能を入り切りします"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_list);
    connect(m_list, &QListWidget::itemChanged, this, &FeatureSwitches::itemChanged);
}

bool FeatureSwitches::onByDefault(const QString& tag, bool vertical) {
    // HarfBuzz's own: those every script needs, then the horizontal ones, or in a column
    // vert and the vrt2 the shaper adds.
    static const QSet<QString> always{u"abvm"_s, u"blwm"_s, u"ccmp"_s, u"locl"_s,
                                      u"mark"_s, u"mkmk"_s, u"rlig"_s};
    static const QSet<QString> horizontal{u"calt"_s, u"clig"_s, u"curs"_s, u"dist"_s,
                                          u"kern"_s, u"liga"_s, u"rclt"_s};
    static const QSet<QString> column{u"vert"_s, u"vrt2"_s};
    return always.contains(tag) || (vertical ? column : horizontal).contains(tag);
}

void FeatureSwitches::setVertical(bool vertical) {
    if (vertical == m_vertical)
        return;
    m_vertical = vertical;
    setFeatures(features());
}

void FeatureSwitches::setFeatures(const QStringList& tags) {
    const FeatureSettings before = settings();
    const QListWidgetItem* current = m_list->currentItem();
    const QString currentTag = current ? current->data(TagRole).toString() : QString();
    m_filling = true;
    m_list->clear();
    for (const QString& tag : tags) {
        const QString description = FeatureSettings::describe(tag);
        auto* item = new QListWidgetItem(
            description.isEmpty() ? tag : u"%1  %2"_s.arg(tag, description), m_list);
        item->setData(TagRole, tag);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(m_switched.value(tag, onByDefault(tag, m_vertical)) ? Qt::Checked
                                                                                : Qt::Unchecked);
    }
    m_filling = false;
    // The keyboard stays on the feature it was on.
    const qsizetype row = tags.indexOf(currentTag);
    if (m_list->count() > 0)
        m_list->setCurrentRow(row >= 0 ? int(row) : 0);
    if (!(settings() == before))
        Q_EMIT settingsChanged(settings());
}

QStringList FeatureSwitches::features() const {
    QStringList tags;
    for (int row = 0; row < m_list->count(); ++row)
        tags.append(m_list->item(row)->data(TagRole).toString());
    return tags;
}

FeatureSettings FeatureSwitches::settings() const {
    // Only the switches of features the face has: the others would change nothing.
    FeatureSettings settings;
    for (int row = 0; row < m_list->count(); ++row) {
        const QString tag = m_list->item(row)->data(TagRole).toString();
        const bool on = m_list->item(row)->checkState() == Qt::Checked;
        if (on != onByDefault(tag, m_vertical))
            settings.set(tag, on);
    }
    return settings;
}

void FeatureSwitches::setSwitched(const QString& tag, bool on) {
    for (int row = 0; row < m_list->count(); ++row) {
        QListWidgetItem* item = m_list->item(row);
        if (item->data(TagRole).toString() == tag)
            item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
}

void FeatureSwitches::itemChanged(QListWidgetItem* item) {
    if (m_filling)
        return;
    const QString tag = item->data(TagRole).toString();
    const bool on = item->checkState() == Qt::Checked;
    if (on == onByDefault(tag, m_vertical))
        m_switched.remove(tag);
    else
        m_switched.insert(tag, on);
    Q_EMIT settingsChanged(settings());
}

} // namespace varelith
