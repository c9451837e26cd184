#include "shapedfacedelegate.h"

#include "facedrawing.h"
#include "facelist.h"

namespace varelith {

ShapedFaceDelegate::ShapedFaceDelegate(const FaceList& list)
    : FaceSampleDelegate(list) {}

void ShapedFaceDelegate::setFeatures(const FeatureSettings& features) {
    m_features = features;
}

void ShapedFaceDelegate::drawSample(QPainter& painter, const FaceDrawing& drawing, QPointF at,
                                    const QPalette& palette) const {
    // No axis values: a named instance's index gives the shaper its own coordinates.
    drawing.drawLine(painter, at, FaceList::SamplePixels, list().sample(), palette, m_features);
}

} // namespace varelith
