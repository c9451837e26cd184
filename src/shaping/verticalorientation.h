#pragma once

#include <QList>
#include <QString>

namespace varelith {

// How each character stands in a vertical line, by its Unicode vertical orientation
// (UAX #50, from ICU): upright (CJK, kana), sideways (Latin, digits: set as a horizontal
// run turned 90° clockwise), or transformed: a vertical form from the font's `vert`/`vrt2`
// where it has one, otherwise upright (Tu) or sideways (Tr).
class VerticalOrientation {
public:
    enum class Kind { Upright, Sideways, TransformedUpright, TransformedSideways };
    struct Run {
        qsizetype start = 0; // UTF-16 positions in the text
        qsizetype length = 0;
        Kind kind = Kind::Upright;
        friend bool operator==(const Run&, const Run&) = default;
    };

    static Kind of(char32_t ucs4);
    // The text cut where the kind changes; a surrogate pair is never split.
    static QList<Run> runs(const QString& text);
};

} // namespace varelith
