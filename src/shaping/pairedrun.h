#pragma once

#include "shapedrun.h"

namespace varelith {

// A line set in two faces (和欧混植): the glyphs of each face in a run of its own, both
// placed from the line's one origin. Each run carries the whole line's advance, ascent and
// descent, so that either measures the line.
struct PairedRun {
    ShapedRun primary; // the line's own face: kana, kanji, Japanese punctuation
    ShapedRun latin;   // the Latin face, at its own size, raised by the shift
};

} // namespace varelith
