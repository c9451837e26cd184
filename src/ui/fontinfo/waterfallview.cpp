#include "waterfallview.h"

#include "facedrawing.h"

#include <QPainter>
#include <QPaintEvent>

#include <cmath>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {
constexpr int Margin = 8;
constexpr int Gap = 6;
} // namespace

WaterfallView::WaterfallView(QWidget* parent)
    : QWidget(parent) {
    setObjectName(u"WaterfallView"_s);
    setAccessibleName(u"サイズ別の見本"_s);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void WaterfallView::setFace(const FaceDrawing* face, const QString& sample) {
    m_face = face;
    m_sample = sample;
    m_sampleWidth = 0;
    if (face) {
        const QRawFont& raw = face->rawFont();
        for (const QPointF& advance :
             raw.advancesForGlyphIndexes(raw.glyphIndexesForString(sample)))
            m_sampleWidth += advance.x();
    }
    setAccessibleDescription(sample);
    updateGeometry();
    adjustSize();
    update();
}

qreal WaterfallView::pixelsFor(int points) const {
    return points * logicalDpiY() / 72.0;
}

QSize WaterfallView::sizeHint() const {
    if (!m_face)
        return {400, 300};
    qreal height = Margin;
    for (const int points : Points)
        height += m_face->lineHeight(pixelsFor(points)) + Gap;
    const qreal widest =
        m_sampleWidth * pixelsFor(Points[std::size(Points) - 1]) / FaceDrawing::Pixels;
    return {int(std::ceil(std::min(widest, 4000.0))) + 80, int(std::ceil(height)) + Margin};
}

void WaterfallView::paintEvent(QPaintEvent* event) {
    if (!m_face)
        return;
    QPainter painter(this);
    painter.setClipRect(event->rect());
    const int labelWidth = fontMetrics().horizontalAdvance(u"72 pt"_s) + Margin * 2;
    qreal top = Margin;
    for (const int points : Points) {
        const qreal height = m_face->lineHeight(pixelsFor(points));
        const QRectF line(0, top, width(), height);
        if (line.intersects(event->rect())) {
            painter.setPen(palette().color(QPalette::PlaceholderText));
            painter.drawText(QRectF(Margin, top, labelWidth - Margin * 2, height),
                             Qt::AlignLeft | Qt::AlignVCenter, u"%1 pt"_s.arg(points));
            m_face->drawLine(painter, QPointF(labelWidth, top), pixelsFor(points), m_sample,
                             palette());
        }
        top += height + Gap;
    }
}

} // namespace varelith
