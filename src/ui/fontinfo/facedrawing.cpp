#include "facedrawing.h"

#include "shaper.h"

#include <QPainter>
#include <QPalette>

namespace varelith {

FaceDrawing::FaceDrawing(Shaper& shaper, const QString& family, const FontFace& face,
                         const FcPattern* pattern)
    : m_shaper(shaper)
    , m_family(family)
    , m_face(face)
    , m_pattern(pattern) {
    FcCharSet* characters = nullptr;
    if (pattern && FcPatternGetCharSet(pattern, FC_CHARSET, 0, &characters) == FcResultMatch)
        m_characters = FcCharSetCopy(characters);
}

FaceDrawing::~FaceDrawing() {
    if (m_characters)
        FcCharSetDestroy(m_characters);
}

bool FaceDrawing::has(char32_t character) const {
    return !m_characters || FcCharSetHasChar(m_characters, FcChar32(character));
}

ShapedRun FaceDrawing::shape(const QString& text, qreal pixels, ShapedRun::Direction direction,
                             const FeatureSettings& features) const {
    // A named instance's index gives the shaper its own axis values.
    return m_shaper.shape(ref(), text, direction, features, {}, pixels);
}

qreal FaceDrawing::lineHeight(qreal pixels) const {
    const ShapedRun run = shape(QString(), pixels);
    // A face HarfBuzz cannot read still takes a line's room.
    return run.valid ? run.ascent + run.descent : pixels * 1.2;
}

void FaceDrawing::drawLine(QPainter& painter, const QPointF& topLeft, qreal pixels,
                           const QString& text, const QPalette& palette,
                           const FeatureSettings& features) const {
    const ShapedRun run = shape(text, pixels, ShapedRun::Direction::Horizontal, features);
    draw(painter, run, topLeft + QPointF(0, run.ascent), palette);
}

void FaceDrawing::draw(QPainter& painter, const ShapedRun& run, const QPointF& origin,
                       const QPalette& palette) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(palette.color(QPalette::Text));
    m_shaper.draw(painter, run, origin, palette);
    painter.restore();
}

} // namespace varelith
