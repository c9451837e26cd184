#pragma once

#include <QStyledItemDelegate>

namespace varelith {

// Draws each row's tick as the platform's own check box, the one a QCheckBox shows,
// ticked or not: some styles draw an item view's unticked indicator as nothing at all,
// and nothing then shows that a row can be ticked.
class TickBoxDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

} // namespace varelith
