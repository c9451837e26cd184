#include "typesettingpanel.h"

#include "axissliders.h"
#include "featureswitches.h"
#include "shapedwaterfall.h"
#include "shaper.h"
#include "shapingface.h"
#include "waterfallcanvas.h"

#include <QSplitter>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

TypesettingPanel::TypesettingPanel(Shaper& shaper, QWidget* parent)
    : QWidget(parent)
    , m_shaper(shaper)
    , m_features(new FeatureSwitches)
    , m_axes(new AxisSliders)
    , m_waterfall(new ShapedWaterfall(shaper)) {
    setObjectName(u"TypesettingPanel"_s);
    auto* controls = new QWidget;
    controls->setObjectName(u"TypesettingControls"_s);
    auto* column = new QVBoxLayout(controls);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(m_features, 1);
    column->addWidget(m_axes);
    auto* splitter = new QSplitter(this);
    splitter->setObjectName(u"TypesettingSplitter"_s);
    splitter->addWidget(controls);
    splitter->addWidget(m_waterfall);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter);

    connect(m_features, &FeatureSwitches::settingsChanged, this,
            [this](const FeatureSettings& features) {
                m_waterfall->canvas().setFeatures(features);
                Q_EMIT typesettingChanged(features, variations());
            });
    // Features switched by default differ in a column: the switches show what is applied.
    connect(m_waterfall, &ShapedWaterfall::directionChanged, this,
            [this](ShapedRun::Direction direction) {
                m_features->setVertical(direction == ShapedRun::Direction::Vertical);
            });
    connect(m_axes, &AxisSliders::valuesChanged, this, [this](const VariationSettings& variations) {
        m_waterfall->canvas().setVariations(variations);
        Q_EMIT typesettingChanged(features(), variations);
    });
}

void TypesettingPanel::setFace(const FaceRef& face) {
    ShapingFace& shaping = m_shaper.face(face);
    WaterfallCanvas& canvas = m_waterfall->canvas();
    // Set quietly, then drawn once with the new face's switches and axes.
    const QSignalBlocker quietFeatures(m_features);
    const QSignalBlocker quietAxes(m_axes);
    m_features->setFeatures(shaping.features());
    m_axes->setAxes(shaping.axes());
    canvas.setFace(face, features(), variations());
    Q_EMIT typesettingChanged(features(), variations());
}

void TypesettingPanel::setSample(const QString& sample) {
    m_waterfall->canvas().setSample(sample);
}

FeatureSettings TypesettingPanel::features() const {
    return m_features->settings();
}

VariationSettings TypesettingPanel::variations() const {
    return m_axes->values();
}

} // namespace varelith
