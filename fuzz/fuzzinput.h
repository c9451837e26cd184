#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <string>

// An invariant that did not hold: report it and end the run as a crash, so that libFuzzer
// keeps the input that broke it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "invariant failed: %s (%s:%d)\n", #condition, __FILE__,           \
                         __LINE__);                                                                \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

namespace varelith::fuzzing {

// The bytes as UTF-16 code units, two at a time: every unit can turn up, lone surrogates,
// NULs and control characters included.
inline QString utf16Text(const std::string& bytes) {
    QString text;
    text.reserve(qsizetype(bytes.size() / 2));
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto low = static_cast<unsigned char>(bytes[i]);
        const auto high = static_cast<unsigned char>(bytes[i + 1]);
        text.append(QChar(char16_t(low | (high << 8))));
    }
    return text;
}

inline QString utf8Text(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
}

// A text from the fuzzer's data: mostly UTF-8, so that seeds stay readable, sometimes raw
// UTF-16 code units.
inline QString takeText(FuzzedDataProvider& data, size_t maxBytes) {
    const std::string bytes = data.ConsumeRandomLengthString(maxBytes);
    return data.ConsumeIntegralInRange<int>(0, 3) == 3 ? utf16Text(bytes) : utf8Text(bytes);
}

} // namespace varelith::fuzzing
