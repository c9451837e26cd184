#include "pagerules.h"

#include "fontcatalogue.h"

namespace varelith {

Int16 PageRules::pageTotal(Int16 selNum) {
    return Int16::fromInt(selNum / LinesPerPage + 1);
}

Int16 PageRules::pageStart(Int16 page, const FontCatalogue& catalogue) {
    Int16 index(1);
    const Int16 passes = page - Int16(1); // worked out once; -32768 overflows here
    for (int pass = 1; pass <= passes; ++pass) {
        Int16 counter(1);
        while (counter <= LinesPerPage) {
            if (catalogue.isTicked(index))
                ++counter;
            ++index;
        }
    }
    return index;
}

Int16 PageRules::lineCount(Int16 page, Int16 pageTotal, Int16 selNum) {
    if (page < pageTotal)
        return Int16(LinesPerPage);
    return Int16::fromInt(selNum % LinesPerPage);
}

QList<Int16> PageRules::pageFonts(Int16 start, Int16 lines, const FontCatalogue& catalogue) {
    QList<Int16> fonts;
    Int16 index = start;
    Int16 counter(1);
    while (counter <= lines) {
        if (catalogue.isTicked(index)) {
            fonts.append(index);
            ++counter;
        }
        ++index;
    }
    return fonts;
}

} // namespace varelith
