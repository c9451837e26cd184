#pragma once

#include "facesampledelegate.h"
#include "featuresettings.h"
#include "variationsettings.h"

namespace varelith {

class FaceList;
class Shaper;

// The information window's face list with the features and axis values the user chose:
// each face's sample set by the shaper from the face's own file. With nothing chosen,
// rows are drawn exactly as the list draws them by itself.
class ShapedFaceDelegate : public FaceSampleDelegate {
    Q_OBJECT

public:
    ShapedFaceDelegate(const FaceList& list, Shaper& shaper);

    void setTypesetting(const FeatureSettings& features, const VariationSettings& variations);

protected:
    void drawSample(QPainter& painter, const FaceDrawing& drawing, QPointF at,
                    const QPalette& palette) const override;

private:
    Shaper& m_shaper;
    FeatureSettings m_features;
    VariationSettings m_variations;
};

} // namespace varelith
