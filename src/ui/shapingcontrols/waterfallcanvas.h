#pragma once

#include "faceref.h"
#include "featuresettings.h"
#include "shapedrun.h"
#include "variationsettings.h"

#include <QList>
#include <QWidget>

namespace varelith {

class Shaper;

// The sample in one face at each size of the waterfall, set by the shaper: with the
// features and axis values chosen, one line per size from top to bottom in 横書き, one
// column per size from right to left in 縦書き, each headed by its size. Lines are shaped
// when something changes and only drawn when painted, so that a slider step costs a
// shaping and a paint.
class WaterfallCanvas : public QWidget {
    Q_OBJECT
public:
    // The waterfall's sizes in points.
    static const QList<int>& points();

    explicit WaterfallCanvas(Shaper& shaper, QWidget* parent = nullptr);

    void setFace(const FaceRef& face);
    // The face with its features and axis values at once, shaped once.
    void setFace(const FaceRef& face, const FeatureSettings& features,
                 const VariationSettings& variations);
    void setSample(const QString& sample);
    void setDirection(ShapedRun::Direction direction);
    void setFeatures(const FeatureSettings& features);
    void setVariations(const VariationSettings& variations);
    ShapedRun::Direction direction() const { return m_direction; }

    // The lines as last shaped, one per size in order.
    const QList<ShapedRun>& runs() const { return m_runs; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void reshape();
    // The room before a line's sample for its size label, and between lines.
    qreal labelRoom() const;
    qreal gap() const;
    qreal breadthOf(const ShapedRun& run) const;

    Shaper& m_shaper;
    FaceRef m_face;
    QString m_sample;
    ShapedRun::Direction m_direction = ShapedRun::Direction::Horizontal;
    FeatureSettings m_features;
    VariationSettings m_variations;
    QList<ShapedRun> m_runs;
    QSize m_extent;
};

} // namespace varelith
