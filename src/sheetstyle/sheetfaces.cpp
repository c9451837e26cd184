#include "sheetfaces.h"

#include "familyfaces.h"

using namespace Qt::StringLiterals;

namespace varelith {

SheetFaces::SheetFaces(FamilyFaces& faces, GlyphCoverage& coverage)
    : m_faces(faces)
    , m_coverage(coverage) {}

QString SheetFaces::noteFor(SheetStyle style) {
    switch (style) {
    case SheetStyle::Light:
        return u"（細字なし）"_s;
    case SheetStyle::Bold:
        return u"（太字なし）"_s;
    case SheetStyle::Italic:
        return u"（斜体なし）"_s;
    case SheetStyle::BoldItalic:
        return u"（太字斜体なし）"_s;
    case SheetStyle::Regular:
        break;
    }
    return {};
}

SheetFaces::Choice SheetFaces::choose(const QString& family, SheetStyle style) {
    // The plain font is what a family's name alone draws: no face is looked up for it.
    if (style == SheetStyle::Regular)
        return {};
    std::optional<FontFace> face = m_faces.nearest(family, style);
    if (!face)
        return {std::nullopt, noteFor(style)};
    return {std::move(face), QString()};
}

QList<GlyphCoverage::Range> SheetFaces::missingRanges(const QString& family, const Choice& choice,
                                                      const QString& text) {
    if (!choice.face)
        return m_coverage.missingRanges(family, text);
    return m_coverage.missingRanges(m_faces.pattern(*choice.face), text);
}

} // namespace varelith
