#include "shapedfacedelegate.h"

#include "facedrawing.h"
#include "facelist.h"
#include "shaper.h"

#include <QPainter>

namespace varelith {

ShapedFaceDelegate::ShapedFaceDelegate(const FaceList& list, Shaper& shaper)
    : FaceSampleDelegate(list)
    , m_shaper(shaper) {}

void ShapedFaceDelegate::setTypesetting(const FeatureSettings& features,
                                        const VariationSettings& variations) {
    m_features = features;
    m_variations = variations;
}

void ShapedFaceDelegate::drawSample(QPainter& painter, const FaceDrawing& drawing, QPointF at,
                                    const QPalette& palette) const {
    if (m_features.isEmpty() && m_variations.isEmpty()) {
        FaceSampleDelegate::drawSample(painter, drawing, at, palette);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const FontFace& face = drawing.face();
    const ShapedRun run =
        m_shaper.shape({face.file, face.index}, list().sample(), ShapedRun::Direction::Horizontal,
                       m_features, m_variations, FaceList::SamplePixels);
    m_shaper.draw(painter, run, at + QPointF(0, run.ascent), palette);
}

} // namespace varelith
