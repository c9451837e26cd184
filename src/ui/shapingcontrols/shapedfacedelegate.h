#pragma once

#include "facesampledelegate.h"
#include "featuresettings.h"

namespace varelith {

class FaceList;

// The information window's face list with the features the user switched: each face's
// sample set by the shaper from the face's own file, at the face's own axis values. The
// axis sliders move the 組版 section's preview only: a named instance's row shows that
// instance ("Extra Light · 200" at 200), the variable font's row its defaults. With no
// feature switched, rows are drawn exactly as the list draws them by itself.
class ShapedFaceDelegate : public FaceSampleDelegate {
    Q_OBJECT

public:
    explicit ShapedFaceDelegate(const FaceList& list);

    void setFeatures(const FeatureSettings& features);

protected:
    void drawSample(QPainter& painter, const FaceDrawing& drawing, QPointF at,
                    const QPalette& palette) const override;

private:
    FeatureSettings m_features;
};

} // namespace varelith
