#include "tickedfonts.h"

#include "fontcatalogue.h"
#include "glyphcoverage.h"

namespace varelith {

QList<ComparedFont> TickedFonts::of(const FontCatalogue& catalogue, GlyphCoverage& coverage) {
    QList<ComparedFont> fonts;
    // No catalogue before the first build: nothing is ticked yet.
    if (catalogue.FontNum() <= 0)
        return fonts;
    for (int index = 1; index <= catalogue.FontNum(); ++index)
        if (catalogue.isTicked(index)) {
            const QString& family = catalogue.FontName(index);
            fonts.append({family, coverage.plainFace(family)});
        }
    return fonts;
}

} // namespace varelith
