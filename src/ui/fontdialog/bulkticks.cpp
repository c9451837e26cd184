#include "bulkticks.h"

#include "errortrap.h"
#include "fontfiltermodel.h"
#include "ticklistmodel.h"
#include "ticklistview.h"

#include <QAction>
#include <QItemSelectionModel>

using namespace Qt::StringLiterals;

namespace varelith {

BulkTicks::BulkTicks(TickListView& view, FontFilterModel& shown, TickListModel& ticks,
                     QObject* parent)
    : QObject(parent)
    , m_view(view)
    , m_shown(shown)
    , m_ticks(ticks)
    , m_tickShown(makeAction(u"すべて選択(&A)"_s, u"mtickall"_s, &BulkTicks::tickShown))
    , m_untickShown(makeAction(u"すべて解除(&N)"_s, u"muntickall"_s, &BulkTicks::untickShown))
    , m_invertShown(makeAction(u"選択を反転(&I)"_s, u"minvert"_s, &BulkTicks::invertShown)) {
    connect(&view, &TickListView::selectionTickRequested, this, &BulkTicks::tickSelection);
    connect(&view, &TickListView::rangeTickRequested, this, &BulkTicks::tickRange);
    connect(&view, &TickListView::tickedAlone, this, &BulkTicks::tickedAlone);
    connect(&ticks, &QAbstractItemModel::modelReset, this, [this] { m_anchorRow = -1; });
}

QAction* BulkTicks::makeAction(const QString& text, const QString& name,
                               void (BulkTicks::*work)()) {
    auto* action = new QAction(text, this);
    action->setObjectName(name);
    connect(action, &QAction::triggered, this,
            [this, work] { trapErrors([&] { (this->*work)(); }); });
    return action;
}

void BulkTicks::tickShown() {
    m_ticks.setTickedRows(m_shown.shownSourceRows(), true);
}

void BulkTicks::untickShown() {
    m_ticks.setTickedRows(m_shown.shownSourceRows(), false);
}

void BulkTicks::invertShown() {
    m_ticks.invertRows(m_shown.shownSourceRows());
}

void BulkTicks::tickSelection(const QModelIndex& current) {
    trapErrors([&] {
        const int currentRow = m_shown.mapToSource(current).row();
        if (currentRow < 0)
            return;
        QList<int> rows{currentRow};
        for (const QModelIndex& selected : m_view.selectionModel()->selectedIndexes()) {
            const int row = m_shown.mapToSource(selected).row();
            if (row != currentRow)
                rows.append(row);
        }
        m_ticks.setTickedRows(rows, !m_ticks.isTicked(currentRow));
        m_anchorRow = currentRow;
    });
}

void BulkTicks::tickRange(const QModelIndex& to) {
    trapErrors([&] {
        const int toRow = m_shown.mapToSource(to).row();
        if (toRow < 0)
            return;
        const QModelIndex anchor = m_anchorRow >= 0 && m_anchorRow < m_ticks.count()
                                       ? m_shown.mapFromSource(m_ticks.index(m_anchorRow))
                                       : QModelIndex();
        if (!anchor.isValid()) {
            m_ticks.setTicked(toRow, !m_ticks.isTicked(toRow));
            m_anchorRow = toRow;
            return;
        }
        QList<int> rows;
        const int first = std::min(anchor.row(), to.row());
        const int last = std::max(anchor.row(), to.row());
        for (int row = first; row <= last; ++row)
            rows.append(m_shown.mapToSource(m_shown.index(row, 0)).row());
        m_ticks.setTickedRows(rows, m_ticks.isTicked(m_anchorRow));
    });
}

void BulkTicks::tickedAlone(const QModelIndex& row) {
    m_anchorRow = m_shown.mapToSource(row).row();
}

} // namespace varelith
