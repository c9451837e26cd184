#pragma once

#include <QString>

namespace varelith {

// The rule by which the view and the printer take a size text as a number of points:
// a number as NumberConversion reads it, from 1 to 1638 points inclusive (fractions
// allowed). Not a number is a type mismatch; a number outside that range is refused.
class FontSize {
public:
    static constexpr double MinPoints = 1.0;
    static constexpr double MaxPoints = 1638.0;

    static double fromText(const QString& text);
};

} // namespace varelith
