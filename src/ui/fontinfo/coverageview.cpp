#include "coverageview.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

CoverageView::CoverageView(QWidget* parent)
    : QWidget(parent)
    , m_table(new QTreeWidget(this))
    , m_showMissing(new QPushButton(u"不足している文字(&M)"_s, this))
    , m_missing(new QPlainTextEdit(this)) {
    setObjectName(u"CoverageView"_s);
    m_table->setObjectName(u"tbl_Coverage"_s);
    m_table->setAccessibleName(u"日本語文字の収録状況"_s);
    m_table->setRootIsDecorated(false);
    m_table->setHeaderLabels({u"文字集合"_s, u"収録数"_s, u"割合"_s});
    m_table->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    for (const JapaneseCoverage::Set set : JapaneseCharacterSets::All) {
        auto* row = new QTreeWidgetItem(m_table, {JapaneseCoverage::label(set)});
        row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    m_table->setCurrentItem(m_table->topLevelItem(0));
    m_showMissing->setObjectName(u"btn_Missing"_s);
    m_showMissing->setAccessibleName(u"不足している文字"_s);
    m_missing->setObjectName(u"txt_Missing"_s);
    m_missing->setAccessibleName(u"不足している文字の一覧"_s);
    m_missing->setReadOnly(true);
    connect(m_showMissing, &QPushButton::clicked, this, &CoverageView::showMissing);
    connect(m_table, &QTreeWidget::itemActivated, this, &CoverageView::showMissing);
    // The list belongs to the row it was asked for; another row waits for its own request.
    connect(m_table, &QTreeWidget::currentItemChanged, m_missing, &QPlainTextEdit::clear);

    auto* caption = new QLabel(u"日本語文字の収録状況(&R):"_s, this);
    caption->setBuddy(m_table);
    auto* column = new QVBoxLayout(this);
    column->addWidget(caption);
    column->addWidget(m_table, 2);
    column->addWidget(m_showMissing, 0, Qt::AlignLeft);
    auto* listCaption = new QLabel(u"一覧(&K):"_s, this);
    listCaption->setBuddy(m_missing);
    column->addWidget(listCaption);
    column->addWidget(m_missing, 1);
}

QString CoverageView::share(JapaneseCoverage::Count count) {
    if (count.total <= 0)
        return {};
    // Rounded down to a tenth of a percent: a set that lacks even one character never
    // reads "100.0%" (2,964 of 2,965 is 99.9%).
    const qsizetype tenths = count.covered * 1000 / count.total;
    return u"%1.%2%"_s.arg(tenths / 10).arg(tenths % 10);
}

void CoverageView::setCoverage(const JapaneseCoverage& coverage) {
    m_coverage = coverage;
    for (const JapaneseCoverage::Set set : JapaneseCharacterSets::All) {
        const JapaneseCoverage::Count count = coverage.count(set);
        QTreeWidgetItem* row = m_table->topLevelItem(int(set));
        row->setText(1, u"%1 / %2"_s.arg(count.covered).arg(count.total));
        row->setText(2, share(count));
    }
    m_missing->clear();
}

void CoverageView::showMissing() {
    QTreeWidgetItem* row = m_table->currentItem();
    if (!m_coverage || !row)
        return;
    const auto set = JapaneseCoverage::Set(m_table->indexOfTopLevelItem(row));
    const QList<char32_t> missing = m_coverage->missing(set);
    QString text;
    text.reserve(missing.size() * 2 + 40);
    text += u"%1: %2 文字不足\n"_s.arg(JapaneseCoverage::label(set)).arg(missing.size());
    for (const char32_t character : missing)
        text += QString::fromUcs4(&character, 1);
    m_missing->setPlainText(text);
}

} // namespace varelith
