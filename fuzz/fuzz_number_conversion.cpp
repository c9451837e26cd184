// Numbers read out of any text: the integer is the number rounded half to even (as the FPU
// rounds) and within 16 bits, in full-width digits too and whatever spaces surround it; a
// size is a number from 1 to 1638; a number written back reads back as itself.

#include "fontsize.h"
#include "fuzzinput.h"
#include "numberconversion.h"

#include <algorithm>
#include <cmath>

using namespace varelith;
using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const QString text = takeText(data, size);
    const auto integerOf = [](const QString& t) {
        return attempt([&] { return int(NumberConversion::toInteger(t)); });
    };
    const std::optional<double> number = attempt([&] { return NumberConversion::toDouble(text); });
    const double rounded = std::nearbyint(number.value_or(0));
    const bool in16Bits = std::clamp(rounded, -32768.0, 32767.0) == rounded;
    FUZZ_CHECK(integerOf(text) ==
               (number && in16Bits ? std::optional(int(rounded)) : std::nullopt));
    QString wide = u"\u3000 \t"_s + text + u"\t \u3000"_s; // full-width digits, sign and point
    for (QChar& c : wide)
        c = u"0123456789+-."_s.contains(c) ? QChar(c.unicode() + 0xFEE0) : c;
    FUZZ_CHECK(integerOf(wide) == integerOf(text));
    const auto points = attempt([&] { return FontSize::fromText(text); });
    FUZZ_CHECK(points == (number && *number >= 1 && *number <= 1638 ? number : std::nullopt));
    if (!number)
        return 0;
    const QString written = NumberConversion::toText(*number);
    const auto back = attempt([&] { return NumberConversion::toDouble(written); });
    // 15 significant digits round only the largest doubles up past the largest double;
    // otherwise the error is half a unit in the 15th digit and a last bit, or underflow.
    FUZZ_CHECK(back ? std::fabs(*back - *number) <= std::max(std::fabs(*number) * 6e-15, 1e-300) &&
                          NumberConversion::toText(*back) == written
                    : std::fabs(*number) > 1.797693134862315e308);
    return 0;
}
