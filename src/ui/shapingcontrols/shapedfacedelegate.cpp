#include "shapedfacedelegate.h"

#include "facedrawing.h"
#include "facelist.h"
#include "shaper.h"

#include <QPainter>

namespace varelith {

ShapedFaceDelegate::ShapedFaceDelegate(const FaceList& list, Shaper& shaper)
    : FaceSampleDelegate(list)
    , m_shaper(shaper) {}

void ShapedFaceDelegate::setFeatures(const FeatureSettings& features) {
    m_features = features;
}

void ShapedFaceDelegate::drawSample(QPainter& painter, const FaceDrawing& drawing, QPointF at,
                                    const QPalette& palette) const {
    if (m_features.isEmpty()) {
        FaceSampleDelegate::drawSample(painter, drawing, at, palette);
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    const FontFace& face = drawing.face();
    // No axis values: a named instance's index gives the shaper its own coordinates.
    const ShapedRun run =
        m_shaper.shape({face.file, face.index}, list().sample(), ShapedRun::Direction::Horizontal,
                       m_features, {}, FaceList::SamplePixels);
    m_shaper.draw(painter, run, at + QPointF(0, run.ascent), palette);
}

} // namespace varelith
