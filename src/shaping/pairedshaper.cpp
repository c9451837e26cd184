#include "pairedshaper.h"

#include "latinscript.h"
#include "shaper.h"
#include "shapingface.h"

#include <QPainter>

namespace varelith {

PairedShaper::PairedShaper(Shaper& shaper)
    : m_shaper(shaper) {}

PairedRun PairedShaper::shape(const Faces& faces, const QString& text,
                              ShapedRun::Direction direction, const FeatureSettings& features,
                              const VariationSettings& variations, qreal pixelSize) {
    const bool vertical = direction == ShapedRun::Direction::Vertical;
    const qreal latinPixels = pixelSize * faces.scalePercent / 100.0;
    const qreal shift = pixelSize * faces.shiftPercent / 100.0;
    PairedRun paired;
    for (ShapedRun* run : {&paired.primary, &paired.latin}) {
        run->variations = variations;
        run->direction = direction;
    }
    paired.primary.face = faces.primary;
    paired.primary.pixelSize = pixelSize;
    paired.primary.valid = m_shaper.face(faces.primary).isValid();
    paired.latin.face = faces.latin;
    paired.latin.pixelSize = latinPixels;
    paired.latin.valid = m_shaper.face(faces.latin).isValid();
    if (!paired.primary.valid)
        return paired;
    const QList<LatinScript::Run> runs = paired.latin.valid
                                             ? LatinScript::runs(text)
                                             : QList<LatinScript::Run>{{0, text.size(), false}};
    qreal pen = 0;
    // A line is at least as tall as its own face makes it, whatever runs it holds.
    const ShapedRun own =
        vertical ? ShapedRun()
                 : m_shaper.shape(faces.primary, {}, direction, features, variations, pixelSize);
    qreal ascent = vertical ? pixelSize / 2 : own.ascent;
    qreal descent = vertical ? pixelSize / 2 : own.descent;
    for (const LatinScript::Run& part : runs) {
        const ShapedRun shaped = m_shaper.shape(
            part.latin ? faces.latin : faces.primary, text.mid(part.start, part.length), direction,
            features, variations, part.latin ? latinPixels : pixelSize);
        // Raised on a line, towards the right in a column: a sideways letter's top is there.
        const qreal raise = part.latin ? shift : 0;
        const QPointF offset = vertical ? QPointF(raise, pen) : QPointF(pen, -raise);
        ShapedRun& into = part.latin ? paired.latin : paired.primary;
        for (ShapedGlyph glyph : shaped.glyphs) {
            glyph.cluster += int(part.start);
            glyph.origin += offset;
            glyph.cell.translate(offset);
            into.glyphs.append(glyph);
        }
        pen += shaped.advance;
        if (!vertical) {
            ascent = std::max(ascent, shaped.ascent + raise);
            descent = std::max(descent, shaped.descent - raise);
        }
    }
    for (ShapedRun* run : {&paired.primary, &paired.latin}) {
        run->advance = pen;
        run->ascent = ascent;
        run->descent = descent;
    }
    return paired;
}

void PairedShaper::draw(QPainter& painter, const PairedRun& run, const QPointF& origin,
                        const QPalette& palette) {
    m_shaper.draw(painter, run.primary, origin, palette);
    m_shaper.draw(painter, run.latin, origin, palette);
}

} // namespace varelith
