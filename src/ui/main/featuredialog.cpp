#include "featuredialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

constexpr int TagRole = Qt::UserRole;

} // namespace

FeatureDialog::FeatureDialog(QWidget* parent)
    : QDialog(parent)
    , m_list(new QTreeWidget(this))
    , m_tags(new QLineEdit(this))
    , m_apply(new QPushButton(u"適用(&P)"_s, this))
    , m_problem(new QLabel(this)) {
    setObjectName(u"FeatureDialog"_s);
    setWindowTitle(u"その他の機能"_s);

    m_list->setObjectName(u"lst_Features"_s);
    m_list->setAccessibleName(u"OpenType 機能"_s);
    m_list->setColumnCount(2);
    m_list->setHeaderLabels({u"タグ"_s, u"説明"_s});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    for (const QString& tag : FeatureSettings::knownTags()) {
        auto* item = new QTreeWidgetItem(m_list, {tag, FeatureSettings::describe(tag)});
        item->setData(0, TagRole, tag);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
    }
    m_list->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    auto* listCaption = new QLabel(u"機能(&F):"_s, this);
    listCaption->setBuddy(m_list);

    m_tags->setObjectName(u"txt_FeatureTags"_s);
    m_tags->setAccessibleName(u"機能タグ"_s);
    m_tags->setPlaceholderText(u"+palt,-kern,ss02"_s);
    auto* tagsCaption = new QLabel(u"機能タグ（例：+palt,-kern,ss02）(&T):"_s, this);
    tagsCaption->setBuddy(m_tags);
    m_apply->setObjectName(u"btn_ApplyTags"_s);
    m_apply->setAccessibleName(u"適用"_s);
    // Enter in the field takes the tags, and never closes the dialog.
    m_apply->setDefault(true);
    m_problem->setObjectName(u"lbl_TagProblem"_s);
    m_problem->setWordWrap(true);
    m_problem->setText(u"読めないタグがあります。タグは 1～4 文字の英数字で、"
                       u"カンマか空白で区切ります（オンは +、オフは -）。"_s);
    m_problem->hide();
    auto* close = new QPushButton(u"閉じる"_s, this);
    close->setObjectName(u"btn_Close"_s);
    close->setAccessibleName(u"閉じる"_s);
    close->setAutoDefault(false);

    auto* tagsRow = new QHBoxLayout;
    tagsRow->addWidget(m_tags, 1);
    tagsRow->addWidget(m_apply);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(listCaption);
    column->addWidget(m_list, 1);
    column->addWidget(tagsCaption);
    column->addLayout(tagsRow);
    column->addWidget(m_problem);
    column->addLayout(buttons);
    resize(440, 520);

    connect(m_list, &QTreeWidget::itemChanged, this, &FeatureDialog::ticked);
    connect(m_apply, &QPushButton::clicked, this, &FeatureDialog::applyTagText);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
}

void FeatureDialog::setFeatures(const FeatureSettings& features) {
    m_features = features;
    m_filling = true;
    for (int row = 0; row < m_list->topLevelItemCount(); ++row) {
        QTreeWidgetItem* item = m_list->topLevelItem(row);
        const bool on = features.state(item->data(0, TagRole).toString()) == 1;
        item->setCheckState(0, on ? Qt::Checked : Qt::Unchecked);
    }
    m_filling = false;
    m_tags->setText(features.toText());
    m_problem->hide();
}

void FeatureDialog::ticked(QTreeWidgetItem* item) {
    if (m_filling)
        return;
    const QString tag = item->data(0, TagRole).toString();
    const bool on = item->checkState(0) == Qt::Checked;
    if (on == (m_features.state(tag) == 1))
        return;
    FeatureSettings next = m_features;
    // Unticked is the font's own default again, not "off".
    on ? next.set(tag, true) : next.clear(tag);
    choose(next);
}

bool FeatureDialog::applyTagText() {
    FeatureSettings next;
    if (!FeatureSettings::parse(m_tags->text(), next)) {
        m_problem->show();
        return false;
    }
    choose(next);
    return true;
}

void FeatureDialog::choose(const FeatureSettings& features) {
    setFeatures(features);
    Q_EMIT featuresChosen(features);
}

} // namespace varelith
