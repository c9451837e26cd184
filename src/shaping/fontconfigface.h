#pragma once

#include "faceref.h"

namespace varelith {

// The face fontconfig picks for a family name, for text that may be drawn in a stand-in
// face (the interface's names); never for a sample, which is set in its own face alone.
class FontconfigFace {
public:
    static FaceRef match(const QString& family);
};

} // namespace varelith
