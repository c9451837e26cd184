#include "webfacefacts.h"

#include <QFile>
#include <QFileInfo>

#include <hb-ot.h>
#include <hb.h>

#include <cmath>

namespace varelith {

namespace {

// The name in English where the font has one, else in any language.
QString nameOf(hb_face_t* face, hb_ot_name_id_t id) {
    for (hb_language_t language : {hb_language_from_string("en", -1), HB_LANGUAGE_INVALID}) {
        unsigned length = hb_ot_name_get_utf16(face, id, language, nullptr, nullptr);
        if (length == 0)
            continue;
        QString name(qsizetype(length), Qt::Uninitialized);
        ++length; // room for the terminating zero
        hb_ot_name_get_utf16(face, id, language, &length, reinterpret_cast<uint16_t*>(name.data()));
        name.resize(qsizetype(length));
        return name;
    }
    return {};
}

} // namespace

WebFaceFacts WebFaceFacts::read(const FaceRef& ref, const QString& family) {
    WebFaceFacts facts;
    facts.family = family;
    facts.fileName = QFileInfo(ref.file).fileName();
    if (ref.isNull())
        return facts;
    hb_blob_t* blob = hb_blob_create_from_file_or_fail(QFile::encodeName(ref.file).constData());
    if (!blob)
        return facts;
    hb_face_t* face = hb_face_create(blob, unsigned(ref.index & 0xffff));
    hb_blob_destroy(blob);
    hb_font_t* font = hb_font_create(face);
    const unsigned upem = hb_face_get_upem(face);
    if (hb_face_get_glyph_count(face) > 0 && upem > 0) {
        facts.readable = true;
        QString typographic = nameOf(face, HB_OT_NAME_ID_TYPOGRAPHIC_FAMILY);
        if (typographic.isEmpty())
            typographic = nameOf(face, HB_OT_NAME_ID_FONT_FAMILY);
        if (!typographic.isEmpty())
            facts.family = typographic;
        facts.fullName = nameOf(face, HB_OT_NAME_ID_FULL_NAME);
        facts.postScriptName = nameOf(face, HB_OT_NAME_ID_POSTSCRIPT_NAME);
        facts.weight = int(std::lround(hb_style_get_value(font, HB_STYLE_TAG_WEIGHT)));
        facts.italic = hb_style_get_value(font, HB_STYLE_TAG_ITALIC) > 0.5f ||
                       hb_style_get_value(font, HB_STYLE_TAG_SLANT_ANGLE) != 0;
        hb_font_extents_t extents{};
        hb_font_set_scale(font, int(upem), int(upem));
        if (hb_font_get_h_extents(font, &extents)) {
            facts.ascent = double(extents.ascender) / upem;
            facts.descent = -double(extents.descender) / upem;
        }
    }
    hb_font_destroy(font);
    hb_face_destroy(face);
    return facts;
}

} // namespace varelith
