#include "ticklistview.h"

#include "tickboxdelegate.h"
#include "ticklistmodel.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace varelith {

TickListView::TickListView(QWidget* parent)
    : QListView(parent)
    , m_model(new TickListModel(this)) {
    setModel(m_model);
    setItemDelegate(new TickBoxDelegate(this));
    // Every row is one line of the same height: the view lays out 20,000 rows at once
    // instead of measuring each.
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

bool TickListView::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    // Key presses and clicks reach a row's check box through here; the ones that tick
    // many rows are taken before the check box toggles the one row.
    if (index.isValid() && event && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Space || key->key() == Qt::Key_Select) {
            if (key->modifiers() & Qt::ShiftModifier)
                Q_EMIT rangeTickRequested(index);
            else
                Q_EMIT selectionTickRequested(index);
            return true;
        }
    }
    const bool released = event && event->type() == QEvent::MouseButtonRelease;
    if (index.isValid() && released &&
        (static_cast<QMouseEvent*>(event)->modifiers() & Qt::ShiftModifier)) {
        Q_EMIT rangeTickRequested(index);
        return true;
    }
    const bool handled = QListView::edit(index, trigger, event);
    if (handled && released)
        Q_EMIT tickedAlone(index);
    return handled;
}

} // namespace varelith
