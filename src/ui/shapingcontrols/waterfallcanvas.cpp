#include "waterfallcanvas.h"

#include "shaper.h"

#include <QPainter>
#include <QPaintEvent>

#include <cmath>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

constexpr int Margin = 8;

} // namespace

const QList<int>& WaterfallCanvas::points() {
    static const QList<int> sizes{9, 10, 12, 14, 18, 24, 36, 48, 72};
    return sizes;
}

WaterfallCanvas::WaterfallCanvas(Shaper& shaper, QWidget* parent)
    : QWidget(parent)
    , m_shaper(shaper) {
    setObjectName(u"WaterfallCanvas"_s);
    setAccessibleName(u"ウォーターフォール"_s);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
}

void WaterfallCanvas::setFace(const FaceRef& face) {
    m_face = face;
    reshape();
}

void WaterfallCanvas::setFace(const FaceRef& face, const FeatureSettings& features,
                              const VariationSettings& variations) {
    m_face = face;
    m_features = features;
    m_variations = variations;
    reshape();
}

void WaterfallCanvas::setSample(const QString& sample) {
    m_sample = sample;
    reshape();
}

void WaterfallCanvas::setDirection(ShapedRun::Direction direction) {
    m_direction = direction;
    reshape();
}

void WaterfallCanvas::setFeatures(const FeatureSettings& features) {
    m_features = features;
    reshape();
}

void WaterfallCanvas::setVariations(const VariationSettings& variations) {
    m_variations = variations;
    reshape();
}

qreal WaterfallCanvas::labelRoom() const {
    return fontMetrics().horizontalAdvance(u"72 pt"_s) + Margin;
}

qreal WaterfallCanvas::gap() const {
    return fontMetrics().height() / 2.0;
}

qreal WaterfallCanvas::breadthOf(const ShapedRun& run) const {
    // A column is at least as wide as the size that heads it.
    const qreal label =
        m_direction == ShapedRun::Direction::Horizontal ? fontMetrics().height() : labelRoom();
    return std::max(run.ascent + run.descent, label);
}

void WaterfallCanvas::reshape() {
    m_runs.clear();
    // The screen's points: a 72 pt line is an inch high on it.
    const qreal pixelsPerPoint = logicalDpiY() / 72.0;
    qreal along = 0;  // the longest line
    qreal across = 0; // every line's breadth and the gaps between them
    for (const int size : points()) {
        m_runs.append(m_face.isNull() ? ShapedRun()
                                      : m_shaper.shape(m_face, m_sample, m_direction, m_features,
                                                       m_variations, size * pixelsPerPoint));
        const ShapedRun& run = m_runs.constLast();
        along = std::max(along, run.advance);
        across += breadthOf(run) + gap();
    }
    const qreal length = labelRoom() + along + 2 * Margin;
    const qreal breadth = across + 2 * Margin;
    m_extent = m_direction == ShapedRun::Direction::Horizontal
                   ? QSize(int(std::ceil(length)), int(std::ceil(breadth)))
                   : QSize(int(std::ceil(breadth)), int(std::ceil(length)));
    setMinimumSize(m_extent);
    updateGeometry();
    update();
}

QSize WaterfallCanvas::sizeHint() const {
    return m_extent;
}

void WaterfallCanvas::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette().color(QPalette::Text));
    const bool horizontal = m_direction == ShapedRun::Direction::Horizontal;
    qreal next = Margin; // the top of the next line, or the right of the next column
    for (qsizetype i = 0; i < m_runs.size(); ++i) {
        const ShapedRun& run = m_runs.at(i);
        const qreal breadth = breadthOf(run);
        const QString label = u"%1 pt"_s.arg(points().at(i));
        if (horizontal) {
            const qreal baseline = next + (breadth + run.ascent - run.descent) / 2;
            painter.drawText(QPointF(Margin, baseline), label);
            m_shaper.draw(painter, run, QPointF(Margin + labelRoom(), baseline), palette());
        } else {
            // The column's centre line, counted from the right edge; the label heads it.
            const qreal centre = width() - next - breadth / 2;
            painter.drawText(
                QRectF(centre - labelRoom() / 2, Margin, labelRoom(), fontMetrics().height()),
                Qt::AlignCenter, label);
            m_shaper.draw(painter, run, QPointF(centre, Margin + fontMetrics().height() + gap()),
                          palette());
        }
        next += breadth + gap();
    }
}

} // namespace varelith
