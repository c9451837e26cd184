#include "facesampledelegate.h"

#include "facedrawing.h"
#include "facelist.h"

#include <QApplication>
#include <QPainter>

namespace varelith {

namespace {
constexpr int Margin = 6;
}

FaceSampleDelegate::FaceSampleDelegate(const FaceList& list)
    : QStyledItemDelegate(const_cast<FaceList*>(&list))
    , m_list(list) {}

void FaceSampleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem background = option;
    initStyleOption(&background, index);
    background.text.clear();
    const QWidget* widget = option.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

    QPalette palette = option.palette;
    if (option.state & QStyle::State_Selected)
        palette.setColor(QPalette::Text, palette.color(QPalette::HighlightedText));
    const QRect box = option.rect.adjusted(Margin, Margin / 2, -Margin, 0);
    painter->save();
    painter->setPen(palette.color(QPalette::Text));
    painter->setFont(option.font);
    const int labelHeight = option.fontMetrics.height();
    painter->drawText(QRect(box.topLeft(), QSize(box.width(), labelHeight)),
                      Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    painter->setClipRect(option.rect);
    if (const FaceDrawing* drawing = m_list.drawing(index.row()))
        drawSample(*painter, *drawing, QPointF(box.left(), box.top() + labelHeight), palette);
    painter->restore();
}

void FaceSampleDelegate::drawSample(QPainter& painter, const FaceDrawing& drawing, QPointF at,
                                    const QPalette& palette) const {
    drawing.drawLine(painter, at, FaceList::SamplePixels, m_list.sample(), palette);
}

QSize FaceSampleDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    const FaceDrawing* drawing = m_list.drawing(index.row());
    const qreal sample =
        drawing ? drawing->lineHeight(FaceList::SamplePixels) : qreal(FaceList::SamplePixels);
    return {200, option.fontMetrics.height() + int(std::ceil(sample)) + Margin * 2};
}

} // namespace varelith
