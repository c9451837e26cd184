#include "tickboxdelegate.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

namespace varelith {

void TickBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    QStyleOptionViewItem item(option);
    initStyleOption(&item, index);
    if (!(item.features & QStyleOptionViewItem::HasCheckIndicator))
        return;
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    QStyleOptionButton box;
    box.QStyleOption::operator=(item);
    box.rect = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, widget);
    box.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange |
                   QStyle::State_MouseOver | QStyle::State_Selected | QStyle::State_HasFocus);
    box.state |= item.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
    // Over the style's own indicator, in the same place.
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}

} // namespace varelith
