#pragma once

#include "faceref.h"
#include "featuresettings.h"
#include "pairedrun.h"
#include "variationsettings.h"

#include <QString>

class QPainter;
class QPalette;
class QPointF;

namespace varelith {

class Shaper;

// Sets a line in a Japanese face and a Latin one through the one Shaper: the text cut by
// LatinScript, each run shaped whole in its face (so a Latin run keeps its kerning and
// ligatures), the Latin runs at `scalePercent` of the size and raised by `shiftPercent` of
// the line's em. In a column the Latin runs stay sideways, in the Latin face, and their
// shift moves them towards the column's right, where a raised letter's top points.
class PairedShaper {
public:
    struct Faces {
        FaceRef primary;
        FaceRef latin;
        int scalePercent = 100;
        double shiftPercent = 0;
    };

    explicit PairedShaper(Shaper& shaper);

    // A primary face that cannot be read gives runs that are not valid; a Latin face that
    // cannot be read leaves every character to the primary one.
    PairedRun shape(const Faces& faces, const QString& text, ShapedRun::Direction direction,
                    const FeatureSettings& features, const VariationSettings& variations,
                    qreal pixelSize);
    void draw(QPainter& painter, const PairedRun& run, const QPointF& origin,
              const QPalette& palette);

private:
    Shaper& m_shaper;
};

} // namespace varelith
