#pragma once

#include "faceref.h"
#include "featuresettings.h"
#include "glyphimagecache.h"
#include "shapedrun.h"
#include "variationsettings.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

class QColor;
class QPainter;
class QPalette;
class QPointF;

namespace varelith {

class ShapingFace;

// Sets text in one face with HarfBuzz, with OpenType features, variable axes and
// vertical writing, and draws it with Qt from the face's own outlines: no name matching,
// no fallback to another face. A character the face lacks stays glyph 0 and is marked as
// the sheet marks missing glyphs. Faces are loaded once and kept for the Shaper's life.
class Shaper {
public:
    using Direction = ShapedRun::Direction;

    Shaper();
    ~Shaper();
    Shaper(const Shaper&) = delete;
    Shaper& operator=(const Shaper&) = delete;

    // The loaded face (loaded now if it is new); never null, but maybe not valid.
    ShapingFace& face(const FaceRef& ref);
    // Lets a face go, to be loaded again if asked for: a specimen book of thousands of fonts
    // sets each one once and keeps none.
    void release(const FaceRef& ref) { m_faces.remove(ref); }

    // Horizontal: one line left to right. Vertical: top to bottom, characters placed by
    // their vertical orientation, upright ones with the font's vertical forms and metrics,
    // sideways runs set horizontally and turned 90° clockwise.
    ShapedRun shape(const FaceRef& ref, const QString& text, Direction direction,
                    const FeatureSettings& features, const VariationSettings& variations,
                    qreal pixelSize);

    // Draws the run with its origin at `origin`, in the painter's pen colour: on a screen or
    // an image from glyph images kept here, elsewhere (a printer, a PDF) as outlines. With
    // `markMissing`, the cell of each missing glyph gets the missing-glyph mark in the
    // palette's colours first.
    void draw(QPainter& painter, const ShapedRun& run, const QPointF& origin,
              const QPalette& palette, bool markMissing = true);

    // The features switched on in `features` that the face has not, in their order.
    QStringList missingFeatures(const FaceRef& ref, const FeatureSettings& features);

private:
    void drawImages(QPainter& painter, const ShapedRun& run, const QPointF& origin,
                    ShapingFace& shaping, const QColor& colour);

    QHash<FaceRef, std::shared_ptr<ShapingFace>> m_faces;
    GlyphImageCache m_images;
};

} // namespace varelith
