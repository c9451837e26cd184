// The integer conversion every page field and stored flag goes through, on any text.
// Its answer is checked against an independent reading: the double the text holds,
// rounded half to even by the FPU, must be the integer, or out of range be an overflow.

#include "fuzzinput.h"
#include "numberconversion.h"
#include "runtimeerror.h"

#include <cfenv>
#include <cmath>
#include <optional>

using namespace varelith;
using namespace varelith::fuzzing;
using namespace Qt::StringLiterals;

namespace {

struct Outcome {
    std::optional<int> value;
    std::optional<RuntimeError::Kind> error;
    friend bool operator==(const Outcome&, const Outcome&) = default;
};

Outcome integerOf(const QString& text) {
    try {
        return {int(NumberConversion::toInteger(text)), std::nullopt};
    } catch (const RuntimeError& error) {
        return {std::nullopt, error.kind()};
    }
}

// Full-width digits, sign and point count as their ASCII twins.
QString fullWidth(const QString& text) {
    QString wide = text;
    for (QChar& c : wide) {
        const char16_t u = c.unicode();
        if (u >= u'0' && u <= u'9')
            c = QChar(char16_t(u'\uFF10' + (u - u'0')));
        else if (u == u'+')
            c = QChar(u'\uFF0B');
        else if (u == u'-')
            c = QChar(u'\uFF0D');
        else if (u == u'.')
            c = QChar(u'\uFF0E');
    }
    return wide;
}

void checkText(const QString& text) {
    const Outcome outcome = integerOf(text);
    FUZZ_CHECK(outcome.value.has_value() != outcome.error.has_value());

    std::optional<double> number;
    try {
        number = NumberConversion::toDouble(text);
    } catch (const RuntimeError& error) {
        // Not a number: the integer conversion fails the same way.
        FUZZ_CHECK(error.kind() == RuntimeError::Kind::TypeMismatch ||
                   error.kind() == RuntimeError::Kind::Overflow);
        FUZZ_CHECK(outcome.error == error.kind());
    }

    if (number) {
        FUZZ_CHECK(std::isfinite(*number));
        const double rounded = std::nearbyint(*number); // round-to-nearest-even mode
        if (rounded < Int16::Min || rounded > Int16::Max) {
            FUZZ_CHECK(outcome.error == RuntimeError::Kind::Overflow);
        } else {
            FUZZ_CHECK(outcome.value == int(rounded));
            FUZZ_CHECK(std::fabs(*number - *outcome.value) <= 0.5);
        }
    }

    if (outcome.value) {
        // Written back as plain decimal text, it reads as the same integer.
        const QString written = NumberConversion::toText(*outcome.value);
        FUZZ_CHECK(written == QString::number(*outcome.value));
        FUZZ_CHECK(integerOf(written).value == outcome.value);
    }

    // Spaces around the number, ideographic ones included, change nothing; neither do
    // full-width digits.
    FUZZ_CHECK(integerOf(u"\u3000 \t"_s + text + u"\t \u3000"_s) == outcome);
    FUZZ_CHECK(integerOf(fullWidth(text)) == outcome);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::fesetround(FE_TONEAREST);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkText(utf8Text(bytes));
    checkText(utf16Text(bytes));
    return 0;
}
