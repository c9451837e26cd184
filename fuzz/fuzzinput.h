#pragma once

#include "runtimeerror.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QString>

#include <optional>

// A broken invariant is a crash, so libFuzzer keeps the input; its stack names the line.
#define FUZZ_CHECK(condition) ((condition) ? void() : std::abort())

// Mostly UTF-8, so that seeds stay readable; sometimes raw UTF-16 code units, where lone
// surrogates, NULs and control characters turn up.
inline QString takeText(FuzzedDataProvider& data, size_t maxBytes) {
    const std::string bytes = data.ConsumeRandomLengthString(maxBytes);
    if (data.ConsumeIntegralInRange<int>(0, 3) < 3)
        return QString::fromStdString(bytes);
    return QString(reinterpret_cast<const QChar*>(bytes.data()), qsizetype(bytes.size() / 2));
}

// What the work gives, or nothing when it raises a run-time error.
template <typename Work> auto attempt(Work work) -> std::optional<decltype(work())> {
    try {
        return work();
    } catch (const varelith::RuntimeError&) {
        return std::nullopt;
    }
}
