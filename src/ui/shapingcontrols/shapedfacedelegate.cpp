#include "shapedfacedelegate.h"

#include "facedrawing.h"
#include "facelist.h"
#include "shaper.h"

#include <QApplication>
#include <QPainter>

namespace varelith {

namespace {
constexpr int Margin = 6; // as the list's own rows
}

ShapedFaceDelegate::ShapedFaceDelegate(const FaceList& list, Shaper& shaper)
    : FaceSampleDelegate(list)
    , m_list(list)
    , m_shaper(shaper) {}

void ShapedFaceDelegate::setTypesetting(const FeatureSettings& features,
                                        const VariationSettings& variations) {
    m_features = features;
    m_variations = variations;
}

void ShapedFaceDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const FaceDrawing* drawing = m_list.drawing(index.row());
    if (!drawing || (m_features.isEmpty() && m_variations.isEmpty())) {
        FaceSampleDelegate::paint(painter, option, index);
        return;
    }
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
    painter->setRenderHint(QPainter::Antialiasing);
    const FontFace& face = drawing->face();
    const ShapedRun run =
        m_shaper.shape({face.file, face.index}, m_list.sample(), ShapedRun::Direction::Horizontal,
                       m_features, m_variations, FaceList::SamplePixels);
    m_shaper.draw(*painter, run, QPointF(box.left(), box.top() + labelHeight + run.ascent),
                  palette);
    painter->restore();
}

} // namespace varelith
