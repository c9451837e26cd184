#include "ticklistview.h"

#include "ticklistmodel.h"

namespace varelith {

TickListView::TickListView(QWidget* parent)
    : QListView(parent)
    , m_model(new TickListModel(this)) {
    setModel(m_model);
    // Every row is one line of the same height: the view lays out 20,000 rows at once
    // instead of measuring each.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

} // namespace varelith
