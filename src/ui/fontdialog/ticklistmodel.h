#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QStringList>

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
    int count() const { return int(m_names.size()); }
    const QString& name(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // Raises subscript out of range for a row outside the list.
    int checkedRow(int row) const;

    QStringList m_names;
    QList<bool> m_ticks;
    bool m_refilling = false;
};

} // namespace varelith
