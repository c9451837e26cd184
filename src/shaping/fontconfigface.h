#pragma once

#include "faceref.h"

namespace varelith {

// The face fontconfig picks for a family name, for text that may be drawn in a stand-in
// face (the interface's names); never for a sample, which is set in its own face alone.
class FontconfigFace {
public:
    // With a language ("ja"), a stand-in for a family that is not installed covers it.
    static FaceRef match(const QString& family, const QString& language = {});
};

} // namespace varelith
