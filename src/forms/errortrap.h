#pragma once

#include "runtimeerror.h"

#include <utility>

namespace varelith {

// Runs one event handler's work; a run-time error stops the work where it arose and
// goes no further, silently, so that no error ever leaves a Qt event handler.
// Returns whether the work ran to its end.
template <typename Work> bool trapErrors(Work&& work) noexcept {
    try {
        std::forward<Work>(work)();
        return true;
    } catch (const RuntimeError&) {
        return false;
    } catch (const std::exception&) {
        // Anything else (out of memory) is no more welcome in the event loop.
        return false;
    }
}

} // namespace varelith
