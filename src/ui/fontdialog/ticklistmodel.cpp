#include "ticklistmodel.h"

#include "runtimeerror.h"

#include <algorithm>

namespace varelith {

void TickListModel::beginRefill() {
    if (m_refilling)
        return;
    m_refilling = true;
    beginResetModel();
}

void TickListModel::endRefill() {
    if (!m_refilling)
        return;
    m_refilling = false;
    endResetModel();
    Q_EMIT tickedCountChanged(m_tickedCount);
}

void TickListModel::clear() {
    if (m_refilling) {
        m_names.clear();
        m_ticks.clear();
        m_tickedCount = 0;
        return;
    }
    beginResetModel();
    m_names.clear();
    m_ticks.clear();
    m_tickedCount = 0;
    endResetModel();
    Q_EMIT tickedCountChanged(m_tickedCount);
}

void TickListModel::append(const QString& name) {
    if (m_refilling) {
        m_names.append(name);
        m_ticks.append(false);
        return;
    }
    const int row = count();
    beginInsertRows({}, row, row);
    m_names.append(name);
    m_ticks.append(false);
    endInsertRows();
}

void TickListModel::setTicked(int row, bool ticked) {
    const int checked = checkedRow(row);
    if (m_ticks.at(checked) == ticked)
        return;
    m_ticks[checked] = ticked;
    m_tickedCount += ticked ? 1 : -1;
    ticksChanged(checked, checked);
}

void TickListModel::setTickedRows(const QList<int>& rows, bool ticked) {
    retick(rows, [ticked](bool) { return ticked; });
}

void TickListModel::invertRows(const QList<int>& rows) {
    retick(rows, [](bool wasTicked) { return !wasTicked; });
}

void TickListModel::retick(const QList<int>& rows, const std::function<bool(bool)>& newTick) {
    int first = count();
    int last = -1;
    for (const int row : rows) {
        const int checked = checkedRow(row);
        const bool ticked = newTick(m_ticks.at(checked));
        if (m_ticks.at(checked) == ticked)
            continue;
        m_ticks[checked] = ticked;
        m_tickedCount += ticked ? 1 : -1;
        first = std::min(first, checked);
        last = std::max(last, checked);
    }
    if (last >= 0)
        ticksChanged(first, last);
}

void TickListModel::ticksChanged(int firstRow, int lastRow) {
    if (m_refilling)
        return;
    // One signal for the whole span: views repaint what they show of it once.
    Q_EMIT dataChanged(index(firstRow), index(lastRow), {Qt::CheckStateRole});
    Q_EMIT tickedCountChanged(m_tickedCount);
}

bool TickListModel::isTicked(int row) const {
    return m_ticks.at(checkedRow(row));
}

const QString& TickListModel::name(int row) const {
    return m_names.at(checkedRow(row));
}

int TickListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : count();
}

QVariant TickListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= count())
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return m_names.at(index.row());
    case Qt::CheckStateRole:
        return m_ticks.at(index.row()) ? Qt::Checked : Qt::Unchecked;
    default:
        return {};
    }
}

bool TickListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= count())
        return false;
    setTicked(index.row(), value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags TickListModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
           Qt::ItemNeverHasChildren;
}

int TickListModel::checkedRow(int row) const {
    if (row < 0 || row >= count())
        throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
    return row;
}

} // namespace varelith
