#pragma once

#include "faceref.h"

#include <QString>

namespace varelith {

// A font in a comparison: the name shown under its cells and the face its glyphs come from.
struct ComparedFont {
    QString name;
    FaceRef face; // null for a family that is not installed: every cell is missing
    friend bool operator==(const ComparedFont&, const ComparedFont&) = default;
};

} // namespace varelith
