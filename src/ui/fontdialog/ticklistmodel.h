#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

#include <functional>

namespace varelith {

// The fonts of the selection list with a tick each, kept in plain vectors so that tens of
// thousands of items cost two arrays and no item objects. Items stay in the order they
// were appended; a tick belongs to its item alone and has nothing to do with the row
// selection.
class TickListModel : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    // A refill between these two is one model reset: views relayout once, at the end.
    void beginRefill();
    void endRefill();
    bool isRefilling() const { return m_refilling; }

    void clear();
    void append(const QString& name);
    void setTicked(int row, bool ticked);
    bool isTicked(int row) const;
    // The given rows ticked or unticked, or each turned the other way, in one change.
    void setTickedRows(const QList<int>& rows, bool ticked);
    void invertRows(const QList<int>& rows);
    int tickedCount() const { return m_tickedCount; }
    int count() const { return int(m_names.size()); }
    const QString& name(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

Q_SIGNALS:
    // After every change of the ticks, and after a refill.
    void tickedCountChanged(int count);

private:
    // Raises subscript out of range for a row outside the list.
    int checkedRow(int row) const;
    // Tells views and the count about ticks changed between these rows.
    // Gives each row the tick newTick makes of its own, with one change signal for all.
    void retick(const QList<int>& rows, const std::function<bool(bool)>& newTick);
    void ticksChanged(int firstRow, int lastRow);

    QStringList m_names;
    QList<bool> m_ticks;
    int m_tickedCount = 0;
    bool m_refilling = false;
};

} // namespace varelith
