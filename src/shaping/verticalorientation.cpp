#include "verticalorientation.h"

#include "codepoints.h"

#include <unicode/uchar.h>

namespace varelith {

VerticalOrientation::Kind VerticalOrientation::of(char32_t ucs4) {
    switch (u_getIntPropertyValue(UChar32(ucs4), UCHAR_VERTICAL_ORIENTATION)) {
    case U_VO_ROTATED:
        return Kind::Sideways;
    case U_VO_TRANSFORMED_ROTATED:
        return Kind::TransformedSideways;
    case U_VO_TRANSFORMED_UPRIGHT:
        return Kind::TransformedUpright;
    default:
        return Kind::Upright;
    }
}

QList<VerticalOrientation::Run> VerticalOrientation::runs(const QString& text) {
    QList<Run> result;
    forEachCodePoint(text, [&result](char32_t ucs4, qsizetype position, qsizetype length) {
        const Kind kind = of(ucs4);
        if (!result.isEmpty() && result.last().kind == kind)
            result.last().length += length;
        else
            result.append({position, length, kind});
    });
    return result;
}

} // namespace varelith
