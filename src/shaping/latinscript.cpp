#include "latinscript.h"

#include "codepoints.h"

#include <unicode/uchar.h>
#include <unicode/uscript.h>

namespace varelith {

namespace {

enum class Side { Japanese, Latin, Common, Combining };

Side sideOf(char32_t ucs4) {
    if (ucs4 >= u'0' && ucs4 <= u'9')
        return Side::Latin;
    const int width = u_getIntPropertyValue(UChar32(ucs4), UCHAR_EAST_ASIAN_WIDTH);
    if (width == U_EA_WIDE || width == U_EA_FULLWIDTH)
        return Side::Japanese;
    UErrorCode error = U_ZERO_ERROR;
    switch (uscript_getScript(UChar32(ucs4), &error)) {
    case USCRIPT_LATIN:
        return Side::Latin;
    case USCRIPT_COMMON:
        return Side::Common;
    case USCRIPT_INHERITED:
        return Side::Combining;
    default:
        return Side::Japanese;
    }
}

} // namespace

QList<LatinScript::Run> LatinScript::runs(const QString& text) {
    struct Character {
        qsizetype start;
        qsizetype length;
        Side side;
    };
    QList<Character> characters;
    forEachCodePoint(text, [&characters](char32_t ucs4, qsizetype start, qsizetype length) {
        Side side = sideOf(ucs4);
        // A mark takes the side of what it combines with, before the common ones are decided.
        if (side == Side::Combining)
            side = characters.isEmpty() ? Side::Common : characters.last().side;
        characters.append({start, length, side});
    });
    // Each stretch of common characters takes its side from the letters around it.
    for (qsizetype index = 0; index < characters.size();) {
        if (characters.at(index).side != Side::Common) {
            ++index;
            continue;
        }
        qsizetype end = index;
        while (end < characters.size() && characters.at(end).side == Side::Common)
            ++end;
        const bool latinBefore = index > 0 && characters.at(index - 1).side == Side::Latin;
        const bool latinAfter = end < characters.size() && characters.at(end).side == Side::Latin;
        const bool edgeBefore = index == 0;
        const bool edgeAfter = end == characters.size();
        const bool latin =
            (latinBefore || latinAfter) && (latinBefore || edgeBefore) && (latinAfter || edgeAfter);
        for (qsizetype at = index; at < end; ++at)
            characters[at].side = latin ? Side::Latin : Side::Japanese;
        index = end;
    }
    QList<Run> result;
    for (const Character& character : std::as_const(characters)) {
        const bool latin = character.side == Side::Latin;
        if (!result.isEmpty() && result.last().latin == latin)
            result.last().length += character.length;
        else
            result.append({character.start, character.length, latin});
    }
    return result;
}

} // namespace varelith
