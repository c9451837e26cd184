#include "shaper.h"

#include "codepoints.h"
#include "glyphimagecache.h"
#include "missingglyphmark.h"
#include "shapingface.h"
#include "verticalorientation.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QtMath>

#include <hb-ot.h>
#include <hb.h>

namespace varelith {

namespace {

hb_tag_t tagOf(const QString& tag) {
    const QByteArray latin = tag.toLatin1();
    return hb_tag_from_string(latin.constData(), int(latin.size()));
}

QList<hb_feature_t> hbFeatures(const FeatureSettings& features, bool vertical) {
    QList<hb_feature_t> list;
    // vrt2 as well as vert, which HarfBuzz applies by itself: its forms are vertical ones too.
    if (vertical && features.state(QStringLiteral("vrt2")) < 0)
        list.append(
            {HB_TAG('v', 'r', 't', '2'), 1, HB_FEATURE_GLOBAL_START, HB_FEATURE_GLOBAL_END});
    for (const FeatureSettings::Setting& setting : features.settings())
        list.append({tagOf(setting.tag), setting.on ? 1u : 0u, HB_FEATURE_GLOBAL_START,
                     HB_FEATURE_GLOBAL_END});
    return list;
}

// One stretch of a vertical line set the same way.
struct Segment {
    qsizetype start;
    qsizetype length;
    bool sideways;
};

QList<Segment> verticalSegments(const QString& text, const ShapingFace& face) {
    QList<Segment> segments;
    for (const VerticalOrientation::Run& run : VerticalOrientation::runs(text)) {
        using Kind = VerticalOrientation::Kind;
        const QStringView runText = QStringView(text).sliced(run.start, run.length);
        forEachCodePoint(runText, [&](char32_t ucs4, qsizetype inRun, qsizetype length) {
            const qsizetype position = run.start + inRun;
            // Tr characters stand up only where the font has a vertical form for them.
            const bool sideways =
                run.kind == Kind::Sideways ||
                (run.kind == Kind::TransformedSideways && !face.hasVerticalForm(ucs4));
            if (!segments.isEmpty() && segments.last().sideways == sideways &&
                segments.last().start + segments.last().length == position)
                segments.last().length += length;
            else
                segments.append({position, length, sideways});
        });
    }
    return segments;
}

hb_buffer_t* shapedBuffer(hb_font_t* font, const QString& text, qsizetype start, qsizetype length,
                          hb_direction_t direction, const QList<hb_feature_t>& features) {
    hb_buffer_t* buffer = hb_buffer_create();
    hb_buffer_add_utf16(buffer, reinterpret_cast<const uint16_t*>(text.utf16()), int(text.size()),
                        unsigned(start), int(length));
    hb_buffer_guess_segment_properties(buffer);
    if (direction != HB_DIRECTION_INVALID)
        hb_buffer_set_direction(buffer, direction);
    hb_shape(font, buffer, features.constData(), unsigned(features.size()));
    return buffer;
}

// Glyph 0 for a character the face has not; control and format characters draw nothing and
// count as covered, as the coverage counts them.
bool lacks(const QString& text, const hb_glyph_info_t& info) {
    if (info.codepoint != 0)
        return false;
    const qsizetype at = qsizetype(info.cluster);
    if (at >= text.size())
        return true;
    const char32_t ucs4 = text.at(at).isHighSurrogate() && at + 1 < text.size()
                              ? QChar::surrogateToUcs4(text.at(at), text.at(at + 1))
                              : text.at(at).unicode();
    const QChar::Category category = QChar::category(ucs4);
    return category != QChar::Other_Control && category != QChar::Other_Format;
}

// A variation sequence the face does not define: HarfBuzz sets the plain character, which
// is not the variant asked for, so its glyph is marked as missing (and still drawn).
bool lacksSequence(hb_font_t* font, const QString& text, const hb_glyph_info_t& info) {
    // The cluster's first character and the one after it, nothing further.
    const auto codePointAt = [&text](qsizetype at, qsizetype& length) -> char32_t {
        length = 1;
        if (at >= text.size())
            return 0;
        if (text.at(at).isHighSurrogate() && at + 1 < text.size() &&
            text.at(at + 1).isLowSurrogate()) {
            length = 2;
            return QChar::surrogateToUcs4(text.at(at), text.at(at + 1));
        }
        return text.at(at).unicode();
    };
    qsizetype baseLength = 0;
    qsizetype selectorLength = 0;
    const char32_t base = codePointAt(qsizetype(info.cluster), baseLength);
    const char32_t selector = codePointAt(qsizetype(info.cluster) + baseLength, selectorLength);
    const bool isSelector =
        (selector >= 0xFE00 && selector <= 0xFE0F) || (selector >= 0xE0100 && selector <= 0xE01EF);
    hb_codepoint_t glyph = 0;
    return isSelector && !hb_font_get_variation_glyph(font, base, selector, &glyph);
}

// Whether the glyph lacks its character or its variation sequence; only the first glyph
// of a cluster answers for a sequence.
bool lacks(hb_font_t* font, const QString& text, const hb_glyph_info_t* info, unsigned i) {
    return lacks(text, info[i]) || ((i == 0 || info[i - 1].cluster != info[i].cluster) &&
                                    lacksSequence(font, text, info[i]));
}

} // namespace

Shaper::Shaper() = default;
Shaper::~Shaper() = default;

ShapingFace& Shaper::face(const FaceRef& ref) {
    std::shared_ptr<ShapingFace>& known = m_faces[ref];
    if (!known)
        known = std::make_shared<ShapingFace>(ref);
    return *known;
}

ShapedRun Shaper::shape(const FaceRef& ref, const QString& text, Direction direction,
                        const FeatureSettings& features, const VariationSettings& variations,
                        qreal pixelSize) {
    ShapingFace& shaping = face(ref);
    ShapedRun run;
    run.face = ref;
    run.variations = variations;
    run.pixelSize = pixelSize;
    run.direction = direction;
    run.valid = shaping.isValid();
    if (!run.valid)
        return run;
    hb_font_t* font = shaping.font(variations);
    const qreal scale = pixelSize / shaping.unitsPerEm();
    hb_font_extents_t extents{};
    hb_font_get_h_extents(font, &extents);
    const qreal ascent = extents.ascender * scale;
    const qreal descent = -extents.descender * scale;

    if (direction == Direction::Horizontal) {
        run.ascent = ascent;
        run.descent = descent;
        hb_buffer_t* buffer = shapedBuffer(font, text, 0, text.size(), HB_DIRECTION_INVALID,
                                           hbFeatures(features, false));
        unsigned count = 0;
        const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
        const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer, nullptr);
        qreal pen = 0;
        for (unsigned i = 0; i < count; ++i) {
            const qreal advance = position[i].x_advance * scale;
            run.glyphs.append(
                {info[i].codepoint, int(info[i].cluster),
                 QPointF(pen + position[i].x_offset * scale, -position[i].y_offset * scale),
                 QRectF(pen, -ascent, advance, ascent + descent), false,
                 lacks(font, text, info, i)});
            pen += advance;
        }
        hb_buffer_destroy(buffer);
        run.advance = pen;
        return run;
    }

    // A column one em wide about its centre line; sideways runs sit on a baseline that
    // centres their ascent and descent on it.
    run.ascent = pixelSize / 2;
    run.descent = pixelSize / 2;
    const qreal sidewaysBaseline = -(ascent - descent) / 2;
    qreal pen = 0;
    for (const Segment& segment : verticalSegments(text, shaping)) {
        hb_buffer_t* buffer = shapedBuffer(font, text, segment.start, segment.length,
                                           segment.sideways ? HB_DIRECTION_LTR : HB_DIRECTION_TTB,
                                           hbFeatures(features, !segment.sideways));
        unsigned count = 0;
        const hb_glyph_info_t* info = hb_buffer_get_glyph_infos(buffer, &count);
        const hb_glyph_position_t* position = hb_buffer_get_glyph_positions(buffer, nullptr);
        for (unsigned i = 0; i < count; ++i) {
            ShapedGlyph glyph{info[i].codepoint, int(info[i].cluster),      {}, {},
                              segment.sideways,  lacks(font, text, info, i)};
            qreal advance = 0;
            if (segment.sideways) {
                advance = position[i].x_advance * scale;
                glyph.origin = QPointF(sidewaysBaseline + position[i].y_offset * scale,
                                       pen + position[i].x_offset * scale);
            } else {
                advance = -position[i].y_advance * scale;
                glyph.origin =
                    QPointF(position[i].x_offset * scale, pen - position[i].y_offset * scale);
            }
            glyph.cell = QRectF(-pixelSize / 2, pen, pixelSize, advance);
            run.glyphs.append(glyph);
            pen += advance;
        }
        hb_buffer_destroy(buffer);
    }
    run.advance = pen;
    return run;
}

void Shaper::draw(QPainter& painter, const ShapedRun& run, const QPointF& origin,
                  const QPalette& palette, bool markMissing) {
    if (!run.valid || run.glyphs.isEmpty())
        return;
    ShapingFace& shaping = face(run.face);
    const qreal scale = run.pixelSize / shaping.unitsPerEm();
    painter.save();
    const QTransform base = painter.transform();
    const QBrush ink = painter.pen().brush();
    if (markMissing)
        for (const ShapedGlyph& glyph : run.glyphs)
            if (glyph.missing)
                MissingGlyphMark::paint(painter, glyph.cell.translated(origin), palette);
    // On a screen or an image, glyphs are copied from images filled once; a printer or a
    // PDF gets the outlines themselves.
    const bool raster = painter.paintEngine() &&
                        painter.paintEngine()->type() == QPaintEngine::Raster &&
                        base.type() <= QTransform::TxTranslate && ink.style() == Qt::SolidPattern;
    if (raster) {
        drawImages(painter, run, origin, shaping, ink.color());
        painter.restore();
        return;
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const ShapedGlyph& glyph : run.glyphs) {
        // A control character has no glyph to lack: nothing is drawn for it.
        if (glyph.id == 0 && !glyph.missing)
            continue;
        const QPainterPath path = shaping.outline(glyph.id, run.variations);
        if (path.isEmpty())
            continue;
        QTransform place;
        place.translate(origin.x() + glyph.origin.x(), origin.y() + glyph.origin.y());
        if (glyph.sideways)
            place.rotate(90);
        place.scale(scale, scale);
        painter.setTransform(place * base);
        painter.drawPath(path);
    }
    painter.restore();
}

void Shaper::drawImages(QPainter& painter, const ShapedRun& run, const QPointF& origin,
                        ShapingFace& shaping, const QColor& colour) {
    const QTransform base = painter.transform();
    painter.resetTransform();
    GlyphImageCache::Key key;
    key.face = run.face;
    key.variations = run.variations.toText();
    key.quarterPixels = qRound(run.pixelSize * 4);
    key.colour = colour.rgba();
    key.devicePixelRatio100 = qRound(painter.device()->devicePixelRatioF() * 100);
    for (const ShapedGlyph& glyph : run.glyphs) {
        if (glyph.id == 0 && !glyph.missing)
            continue;
        const QPointF at = base.map(origin + glyph.origin);
        // The whole pixel, and the place within it to the nearest quarter.
        QPoint whole(qFloor(at.x()), qFloor(at.y()));
        key.quarterX = qRound((at.x() - whole.x()) * 4);
        key.quarterY = qRound((at.y() - whole.y()) * 4);
        whole += QPoint(key.quarterX / 4, key.quarterY / 4);
        key.quarterX %= 4;
        key.quarterY %= 4;
        key.glyph = glyph.id;
        key.sideways = glyph.sideways;
        const GlyphImageCache::Glyph& image = m_images.glyph(
            key, shaping.unitsPerEm(), [&] { return shaping.outline(glyph.id, run.variations); });
        if (!image.image.isNull())
            painter.drawImage(whole + image.topLeft, image.image);
    }
    painter.setTransform(base);
}

QStringList Shaper::missingFeatures(const FaceRef& ref, const FeatureSettings& features) {
    const ShapingFace& shaping = face(ref);
    QStringList missing;
    for (const QString& tag : features.switchedOn())
        if (!shaping.hasFeature(tag))
            missing.append(tag);
    return missing;
}

} // namespace varelith
