#include "numberconversion.h"

#include <QByteArray>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <optional>

namespace varelith {

namespace {

bool isSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\u3000';
}

// The character as the grammar sees it: full-width digits, sign and point fold to ASCII.
char16_t folded(char16_t c) {
    if (c >= u'\uFF10' && c <= u'\uFF19')
        return char16_t(u'0' + (c - u'\uFF10'));
    switch (c) {
    case u'\uFF0B':
        return u'+';
    case u'\uFF0D':
        return u'-';
    case u'\uFF0E':
        return u'.';
    default:
        return c;
    }
}

bool isDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// The number in plain ASCII, or nothing when the text does not follow the grammar.
std::optional<QByteArray> normalised(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpace(text.at(begin).unicode()))
        ++begin;
    while (end > begin && isSpace(text.at(end - 1).unicode()))
        --end;

    QByteArray ascii;
    ascii.reserve(end - begin);
    qsizetype i = begin;
    auto peek = [&]() -> char16_t {
        return i < end ? folded(text.at(i).unicode()) : u'\0';
    };
    auto take = [&]() {
        ascii.append(char(peek()));
        ++i;
    };

    if (peek() == u'+' || peek() == u'-')
        take();
    int mantissaDigits = 0;
    while (isDigit(peek())) {
        take();
        ++mantissaDigits;
    }
    if (peek() == u'.') {
        take();
        while (isDigit(peek())) {
            take();
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return std::nullopt;
    if (peek() == u'e' || peek() == u'E') {
        take();
        if (peek() == u'+' || peek() == u'-')
            take();
        int exponentDigits = 0;
        while (isDigit(peek())) {
            take();
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    if (i != end)
        return std::nullopt;
    return ascii;
}

} // namespace

double NumberConversion::toDouble(const QString& text) {
    const std::optional<QByteArray> ascii = normalised(text);
    if (!ascii)
        throw RuntimeError(RuntimeError::Kind::TypeMismatch);
    // The C locale's point whatever the user's locale is; too large a number comes back
    // as infinity, too small a one as (nearly) zero, which is a fine number.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(nullptr));
    const double value = strtod_l(ascii->constData(), nullptr, cLocale);
    if (!std::isfinite(value))
        throw RuntimeError(RuntimeError::Kind::Overflow);
    return value;
}

Int16 NumberConversion::roundToInteger(double value) {
    if (!std::isfinite(value) || value < Int16::Min - 1.0 || value > Int16::Max + 1.0)
        throw RuntimeError(RuntimeError::Kind::Overflow);
    const double floor = std::floor(value);
    const double fraction = value - floor;
    double rounded = floor;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0))
        rounded = floor + 1.0;
    return Int16::fromInt(static_cast<long long>(rounded));
}

Int16 NumberConversion::toInteger(const QString& text) {
    return roundToInteger(toDouble(text));
}

QString NumberConversion::toText(double value) {
    if (value == 0.0)
        return QStringLiteral("0"); // never "-0"
    QString text = QString::number(value, 'g', 15);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text;
}

QString NumberConversion::toText(int value) {
    return QString::number(value);
}

} // namespace varelith
