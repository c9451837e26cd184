#pragma once

#include "comparedfont.h"

#include <QList>

namespace varelith {

class FontCatalogue;
class GlyphCoverage;

// The fonts the sheet shows, in its order, each with the face the sheet checks and sets
// text in: what 字形比較 compares.
class TickedFonts {
public:
    static QList<ComparedFont> of(const FontCatalogue& catalogue, GlyphCoverage& coverage);
};

} // namespace varelith
