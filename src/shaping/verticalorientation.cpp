#include "verticalorientation.h"

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
    qsizetype position = 0;
    while (position < text.size()) {
        qsizetype length = 1;
        char32_t ucs4 = text.at(position).unicode();
        if (text.at(position).isHighSurrogate() && position + 1 < text.size() &&
            text.at(position + 1).isLowSurrogate()) {
            ucs4 = QChar::surrogateToUcs4(text.at(position), text.at(position + 1));
            length = 2;
        }
        const Kind kind = of(ucs4);
        if (!result.isEmpty() && result.last().kind == kind)
            result.last().length += length;
        else
            result.append({position, length, kind});
        position += length;
    }
    return result;
}

} // namespace varelith
