#include "shapingface.h"

#include <hb-ot.h>
#include <hb.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

QString tagText(hb_tag_t tag) {
    char text[5] = {};
    hb_tag_to_string(tag, text);
    return QString::fromLatin1(text, 4).trimmed();
}

QString nameOf(hb_face_t* face, hb_ot_name_id_t id) {
    for (const char* language : {"ja", "en"}) {
        const hb_language_t lang = hb_language_from_string(language, -1);
        unsigned length = hb_ot_name_get_utf16(face, id, lang, nullptr, nullptr);
        if (length == 0)
            continue;
        QList<uint16_t> text(qsizetype(length) + 1);
        unsigned size = length + 1;
        hb_ot_name_get_utf16(face, id, lang, &size, text.data());
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(text.constData()),
                                  qsizetype(size));
    }
    return {};
}

// Outlines into a QPainterPath, y turned downwards as Qt draws.
void moveTo(hb_draw_funcs_t*, void* path, hb_draw_state_t*, float x, float y, void*) {
    static_cast<QPainterPath*>(path)->moveTo(x, -y);
}
void lineTo(hb_draw_funcs_t*, void* path, hb_draw_state_t*, float x, float y, void*) {
    static_cast<QPainterPath*>(path)->lineTo(x, -y);
}
void quadTo(hb_draw_funcs_t*, void* path, hb_draw_state_t*, float cx, float cy, float x, float y,
            void*) {
    static_cast<QPainterPath*>(path)->quadTo(cx, -cy, x, -y);
}
void cubicTo(hb_draw_funcs_t*, void* path, hb_draw_state_t*, float c1x, float c1y, float c2x,
             float c2y, float x, float y, void*) {
    static_cast<QPainterPath*>(path)->cubicTo(c1x, -c1y, c2x, -c2y, x, -y);
}
void closePath(hb_draw_funcs_t*, void* path, hb_draw_state_t*, void*) {
    static_cast<QPainterPath*>(path)->closeSubpath();
}

hb_draw_funcs_t* makeDrawFuncs() {
    hb_draw_funcs_t* funcs = hb_draw_funcs_create();
    hb_draw_funcs_set_move_to_func(funcs, moveTo, nullptr, nullptr);
    hb_draw_funcs_set_line_to_func(funcs, lineTo, nullptr, nullptr);
    hb_draw_funcs_set_quadratic_to_func(funcs, quadTo, nullptr, nullptr);
    hb_draw_funcs_set_cubic_to_func(funcs, cubicTo, nullptr, nullptr);
    hb_draw_funcs_set_close_path_func(funcs, closePath, nullptr, nullptr);
    hb_draw_funcs_make_immutable(funcs);
    return funcs;
}

} // namespace

// One set of axis values: its font and the outlines drawn from it so far.
struct ShapingFace::Instance {
    hb_font_t* font = nullptr;
    hb_draw_funcs_t* draw = nullptr;
    QHash<quint32, QPainterPath> outlines;
    ~Instance() {
        hb_font_destroy(font);
        hb_draw_funcs_destroy(draw);
    }
};

ShapingFace::ShapingFace(const FaceRef& face)
    : m_ref(face) {
    m_blob = hb_blob_create_from_file_or_fail(face.file.toLocal8Bit().constData());
    if (!m_blob)
        return;
    // fontconfig gives a variable font's named instance in the upper 16 bits.
    const unsigned faceIndex = unsigned(face.index) & 0xffffu;
    if (faceIndex >= hb_face_count(m_blob))
        return;
    m_face = hb_face_create(m_blob, faceIndex);
    if (hb_face_get_glyph_count(m_face) == 0)
        return;
    m_valid = true;
    m_upem = int(hb_face_get_upem(m_face));

    for (const hb_tag_t table : {HB_OT_TAG_GSUB, HB_OT_TAG_GPOS}) {
        hb_tag_t tags[64];
        unsigned offset = 0;
        unsigned count = 64;
        do {
            count = 64;
            hb_ot_layout_table_get_feature_tags(m_face, table, offset, &count, tags);
            for (unsigned i = 0; i < count; ++i)
                m_features.insert(tagText(tags[i]));
            offset += count;
        } while (count == 64);
    }

    // An old-style kern table kerns as well, and HarfBuzz applies it under the same tag.
    hb_blob_t* kern = hb_face_reference_table(m_face, HB_TAG('k', 'e', 'r', 'n'));
    if (hb_blob_get_length(kern) > 0)
        m_features.insert(QStringLiteral("kern"));
    hb_blob_destroy(kern);

    const unsigned axisCount = hb_ot_var_get_axis_count(m_face);
    QList<hb_ot_var_axis_info_t> infos(axisCount);
    unsigned read = axisCount;
    hb_ot_var_get_axis_infos(m_face, 0, &read, infos.data());
    QList<float> named(axisCount);
    const unsigned instance = unsigned(face.index) >> 16;
    unsigned coords = axisCount;
    const bool fromInstance = instance > 0 && hb_ot_var_named_instance_get_design_coords(
                                                  m_face, instance - 1, &coords, named.data()) > 0;
    for (unsigned i = 0; i < read; ++i) {
        const hb_ot_var_axis_info_t& info = infos.at(i);
        const QString name = nameOf(m_face, info.name_id);
        m_axes.append({tagText(info.tag), name.isEmpty() ? tagText(info.tag) : name, info.min_value,
                       fromInstance ? named.at(i) : info.default_value, info.max_value,
                       (info.flags & HB_OT_VAR_AXIS_FLAG_HIDDEN) != 0});
    }

    const hb_tag_t vertical[] = {HB_TAG('v', 'e', 'r', 't'), HB_TAG('v', 'r', 't', '2'),
                                 HB_TAG_NONE};
    hb_set_t* lookups = hb_set_create();
    hb_ot_layout_collect_lookups(m_face, HB_OT_TAG_GSUB, nullptr, nullptr, vertical, lookups);
    for (hb_codepoint_t lookup = HB_SET_VALUE_INVALID; hb_set_next(lookups, &lookup);)
        m_verticalLookups.append(lookup);
    hb_set_destroy(lookups);
}

ShapingFace::~ShapingFace() {
    m_instances.clear();
    hb_face_destroy(m_face);
    hb_blob_destroy(m_blob);
}

int ShapingFace::glyphCount() const {
    return m_face ? int(hb_face_get_glyph_count(m_face)) : 0;
}

QString ShapingFace::glyphName(quint32 glyph) const {
    char name[64] = {};
    auto* self = const_cast<ShapingFace*>(this);
    if (!m_valid || !hb_font_get_glyph_name(self->font({}), glyph, name, sizeof name))
        return {};
    return QString::fromLatin1(name);
}

QStringList ShapingFace::features() const {
    QStringList tags(m_features.cbegin(), m_features.cend());
    tags.sort();
    return tags;
}

quint16 ShapingFace::embeddingFlags() const {
    if (!m_valid)
        return 0;
    hb_blob_t* os2 = hb_face_reference_table(m_face, HB_TAG('O', 'S', '/', '2'));
    unsigned length = 0;
    const char* data = hb_blob_get_data(os2, &length);
    const quint16 flags =
        length >= 10 ? quint16((uchar(data[8]) << 8) | uchar(data[9])) : quint16(0);
    hb_blob_destroy(os2);
    return flags;
}

bool ShapingFace::hasVerticalForm(char32_t ucs4) const {
    if (!m_valid || m_verticalLookups.isEmpty())
        return false;
    auto* self = const_cast<ShapingFace*>(this);
    hb_codepoint_t glyph = 0;
    if (!hb_font_get_nominal_glyph(self->font({}), ucs4, &glyph))
        return false;
    return std::any_of(
        m_verticalLookups.cbegin(), m_verticalLookups.cend(), [this, glyph](unsigned lookup) {
            return hb_ot_layout_lookup_would_substitute(m_face, lookup, &glyph, 1, false) != 0;
        });
}

VariationSettings ShapingFace::effective(const VariationSettings& variations) const {
    VariationSettings values;
    for (const Axis& axis : m_axes) {
        const float wanted = variations.value(axis.tag, axis.defaultValue);
        values.set(axis.tag, std::clamp(wanted, axis.minimum, axis.maximum));
    }
    return values;
}

ShapingFace::Instance& ShapingFace::instance(const VariationSettings& variations) {
    const VariationSettings values = effective(variations);
    const QString key = values.toText();
    std::shared_ptr<Instance>& known = m_instances[key];
    if (!known) {
        known = std::make_shared<Instance>();
        // A face that did not load still gets HarfBuzz's empty font: it shapes to nothing.
        known->font = hb_font_create(m_face ? m_face : hb_face_get_empty());
        known->draw = makeDrawFuncs();
        if (!values.isEmpty()) {
            QList<float> coords;
            for (const VariationSettings::Value& value : values.values())
                coords.append(value.value);
            hb_font_set_var_coords_design(known->font, coords.constData(), unsigned(coords.size()));
        }
        hb_font_make_immutable(known->font);
    }
    return *known;
}

hb_font_t* ShapingFace::font(const VariationSettings& variations) {
    return instance(variations).font;
}

QPainterPath ShapingFace::outline(quint32 glyph, const VariationSettings& variations) {
    Instance& at = instance(variations);
    const auto known = at.outlines.constFind(glyph);
    if (known != at.outlines.constEnd())
        return *known;
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    hb_font_get_glyph_shape(at.font, glyph, at.draw, &path);
    at.outlines.insert(glyph, path);
    return path;
}

int ShapingFace::advance(quint32 glyph, const VariationSettings& variations) {
    return int(hb_font_get_glyph_h_advance(font(variations), glyph));
}

} // namespace varelith
