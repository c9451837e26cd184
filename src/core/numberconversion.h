#pragma once

#include "int16.h"

#include <QString>

namespace varelith {

// How the program reads numbers out of text boxes, labels and stored settings, and how it
// writes them back.
//
// What counts as a number, exactly:
//   - any number of spaces before and after it: U+0020, tab, and the ideographic space
//     U+3000 that a Japanese input method types;
//   - an optional sign, "+" or "-";
//   - decimal digits with an optional decimal point "." anywhere among them ("12", "12.",
//     "1.5", ".5"), at least one digit in all;
//   - an optional exponent: "e" or "E", an optional sign, and at least one digit.
// Full-width digits, sign and point (U+FF10-FF19, U+FF0B, U+FF0D, U+FF0E) count as their
// ASCII twins, so "２" reads as 2. Nothing else counts: no thousands separators, no
// hexadecimal, no "inf" or "nan", no empty text, no spaces inside the number.
class NumberConversion {
public:
    // The number the text holds; a text that is not a number is a type mismatch, a
    // number beyond what a double holds is an overflow.
    static double toDouble(const QString& text);

    // The number rounded to the nearest integer, a half going to the even one, in the
    // 16-bit range; otherwise type mismatch or overflow.
    static Int16 toInteger(const QString& text);

    // The same rounding for a number already read.
    static Int16 roundToInteger(double value);

    // Decimal text with up to 15 significant digits; a whole number has no point,
    // very large or small numbers use an exponent ("1E+20").
    static QString toText(double value);
    static QString toText(int value);
};

} // namespace varelith
