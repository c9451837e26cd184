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

QString FeatureSwitches::describe(const QString& tag) {
    static const QHash<QString, QString> names{{u"palt"_s, u"プロポーショナル字幅"_s},
                                               {u"vpal"_s, u"縦書き用プロポーショナル字幅"_s},
                                               {u"halt"_s, u"半角字幅"_s},
                                               {u"vhal"_s, u"縦書き用半角字幅"_s},
                                               {u"kern"_s, u"カーニング"_s},
                                               {u"vkrn"_s, u"縦書き用カーニング"_s},
                                               {u"liga"_s, u"合字"_s},
                                               {u"dlig"_s, u"任意の合字"_s},
                                               {u"vert"_s, u"縦書き用字形"_s},
                                               {u"vrt2"_s, u"縦書き用字形（回転）"_s},
                                               {u"hwid"_s, u"半角"_s},
                                               {u"fwid"_s, u"全角"_s},
                                               {u"pwid"_s, u"プロポーショナル"_s},
                                               {u"jp78"_s, u"JIS78 字形"_s},
                                               {u"jp83"_s, u"JIS83 字形"_s},
                                               {u"jp90"_s, u"JIS90 字形"_s},
                                               {u"jp04"_s, u"JIS2004 字形"_s},
                                               {u"trad"_s, u"旧字体"_s},
                                               {u"expt"_s, u"印刷標準字体"_s},
                                               {u"nlck"_s, u"表外漢字字形"_s},
                                               {u"hkna"_s, u"横書き用かな"_s},
                                               {u"vkna"_s, u"縦書き用かな"_s},
                                               {u"ruby"_s, u"ルビ用字形"_s},
                                               {u"zero"_s, u"スラッシュ付きゼロ"_s},
                                               {u"tnum"_s, u"等幅数字"_s},
                                               {u"pnum"_s, u"プロポーショナル数字"_s},
                                               {u"onum"_s, u"オールドスタイル数字"_s},
                                               {u"lnum"_s, u"ライニング数字"_s},
                                               {u"smcp"_s, u"スモールキャップ"_s},
                                               {u"frac"_s, u"分数"_s},
                                               {u"calt"_s, u"前後関係に依存する字形"_s},
                                               {u"locl"_s, u"言語ごとの字形"_s},
                                               {u"ccmp"_s, u"字形の合成と分解"_s},
                                               {u"aalt"_s, u"すべての異体字"_s},
                                               {u"sups"_s, u"上付き文字"_s},
                                               {u"subs"_s, u"下付き文字"_s}};
    if (tag.size() == 4 && tag.startsWith(u"ss"_s) && tag.mid(2).toInt() > 0)
        return u"スタイルセット %1"_s.arg(tag.mid(2).toInt());
    return names.value(tag);
}

void FeatureSwitches::setFeatures(const QStringList& tags) {
    const FeatureSettings before = settings();
    const QListWidgetItem* current = m_list->currentItem();
    const QString currentTag = current ? current->data(TagRole).toString() : QString();
    m_filling = true;
    m_list->clear();
    for (const QString& tag : tags) {
        const QString description = describe(tag);
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
