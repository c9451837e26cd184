// The number conversion and the way numbers are written back: any text that reads as a
// number is written with at most 15 significant digits, and that text reads back as the
// same number to 15 digits and writes itself again unchanged. The size rule accepts
// exactly the numbers from 1 to 1638.

#include "fontsize.h"
#include "fuzzinput.h"
#include "numberconversion.h"
#include "runtimeerror.h"

#include <QRegularExpression>

#include <cmath>
#include <cstring>
#include <optional>

using namespace varelith;
using namespace varelith::fuzzing;
using namespace Qt::StringLiterals;

namespace {

std::optional<double> numberOf(const QString& text) {
    try {
        return NumberConversion::toDouble(text);
    } catch (const RuntimeError& error) {
        FUZZ_CHECK(error.kind() == RuntimeError::Kind::TypeMismatch ||
                   error.kind() == RuntimeError::Kind::Overflow);
        return std::nullopt;
    }
}

int significantDigits(const QString& written) {
    QString mantissa = written.section(QLatin1Char('E'), 0, 0);
    mantissa.remove(QLatin1Char('-')).remove(QLatin1Char('.'));
    while (mantissa.startsWith(QLatin1Char('0')))
        mantissa.remove(0, 1);
    while (mantissa.endsWith(QLatin1Char('0')))
        mantissa.chop(1);
    return int(mantissa.size());
}

void checkRoundTrip(double value) {
    const QString written = NumberConversion::toText(value);
    static const QRegularExpression plainDecimal(u"^-?[0-9]+(\\.[0-9]+)?(E[+-][0-9]+)?$"_s);
    FUZZ_CHECK(plainDecimal.match(written).hasMatch());
    FUZZ_CHECK(written != u"-0"_s);
    FUZZ_CHECK(significantDigits(written) <= 15);

    const std::optional<double> readBack = numberOf(written);
    if (!readBack) {
        // Only the largest doubles: 15 digits round them up past the largest double
        // ("1.79769313486232E+308"), which reads back as an overflow.
        FUZZ_CHECK(std::fabs(value) > 1.797693134862315e308);
        return;
    }
    // 15 significant digits: the error is at most half a unit in the 15th digit plus the
    // last bit of the read-back; below the normal range digits are lost to underflow.
    const double tolerance = std::max(std::fabs(value) * 6e-15, 1e-300);
    FUZZ_CHECK(std::fabs(*readBack - value) <= tolerance);
    FUZZ_CHECK(NumberConversion::toText(*readBack) == written);
}

void checkSize(const QString& text, std::optional<double> number) {
    try {
        const double points = FontSize::fromText(text);
        FUZZ_CHECK(number && points == *number);
        FUZZ_CHECK(points >= 1.0 && points <= 1638.0);
    } catch (const RuntimeError& error) {
        if (number) {
            FUZZ_CHECK(error.kind() == RuntimeError::Kind::InvalidValue);
            FUZZ_CHECK(!(*number >= 1.0 && *number <= 1638.0));
        } else {
            FUZZ_CHECK(error.kind() != RuntimeError::Kind::InvalidValue);
        }
    }
}

void checkText(const QString& text) {
    const std::optional<double> number = numberOf(text);
    if (number) {
        FUZZ_CHECK(std::isfinite(*number));
        checkRoundTrip(*number);
    }
    checkSize(text, number);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    checkText(utf8Text(bytes));
    checkText(utf16Text(bytes));
    // The same bytes as the double they spell, when they spell a finite one.
    if (size >= sizeof(double)) {
        double value = 0;
        std::memcpy(&value, data, sizeof value);
        if (std::isfinite(value))
            checkRoundTrip(value);
    }
    return 0;
}
