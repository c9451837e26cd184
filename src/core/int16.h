#pragma once

#include "runtimeerror.h"

#include <cstdint>

namespace varelith {

// A 16-bit signed integer whose every step is checked: counters, indexes and page
// numbers all live in -32768..32767 and leaving that range is an overflow error.
class Int16 {
public:
    static constexpr int Min = INT16_MIN;
    static constexpr int Max = INT16_MAX;

    constexpr Int16() noexcept = default;
    constexpr Int16(std::int16_t value) noexcept
        : m_value(value) {}

    // Any wider value; raises overflow outside the 16-bit range.
    static constexpr Int16 fromInt(long long value) {
        if (value < Min || value > Max)
            throw RuntimeError(RuntimeError::Kind::Overflow);
        return Int16(static_cast<std::int16_t>(value));
    }

    constexpr std::int16_t value() const noexcept { return m_value; }
    constexpr operator std::int16_t() const noexcept { return m_value; }

    constexpr Int16& operator+=(Int16 other) {
        return *this = fromInt(int(m_value) + other.m_value);
    }
    constexpr Int16& operator-=(Int16 other) {
        return *this = fromInt(int(m_value) - other.m_value);
    }
    constexpr Int16& operator++() { return *this += Int16(1); }

    friend constexpr Int16 operator+(Int16 a, Int16 b) { return a += b; }
    friend constexpr Int16 operator-(Int16 a, Int16 b) { return a -= b; }

private:
    std::int16_t m_value = 0;
};

} // namespace varelith
