#pragma once

#include "faceref.h"
#include "featuresettings.h"
#include "variationsettings.h"

#include <QWidget>

namespace varelith {

class AxisSliders;
class FeatureSwitches;
class ShapedWaterfall;
class Shaper;

// The information window's typesetting of the chosen face: its features as switches, a
// slider per variable axis and the waterfall, which follows both at once. What the user
// switched or moved is given out too, for the window's other views of the face.
class TypesettingPanel : public QWidget {
    Q_OBJECT
public:
    explicit TypesettingPanel(Shaper& shaper, QWidget* parent = nullptr);

    // The face whose features and axes are offered; switches the new face also has stay.
    void setFace(const FaceRef& face);
    void setSample(const QString& sample);

    FeatureSettings features() const;
    VariationSettings variations() const;

    FeatureSwitches& featureSwitches() { return *m_features; }
    AxisSliders& axisSliders() { return *m_axes; }
    ShapedWaterfall& waterfall() { return *m_waterfall; }

Q_SIGNALS:
    void typesettingChanged(const FeatureSettings& features, const VariationSettings& variations);

private:
    Shaper& m_shaper;
    FeatureSwitches* m_features;
    AxisSliders* m_axes;
    ShapedWaterfall* m_waterfall;
};

} // namespace varelith
