#pragma once

#include "int16.h"

#include <QList>

namespace varelith {

class FontCatalogue;

// How the ticked fonts fall onto pages of ten lines. Nothing is kept: every rule works
// from the catalogue and the page fields at the moment of use, and every flag is read
// with its index checked.
class PageRules {
public:
    static constexpr int LinesPerPage = 10;

    // SelNum / 10 + 1: the last page holds the remainder, so ten ticked fonts make two
    // pages, the second empty.
    static Int16 pageTotal(Int16 selNum);

    // The catalogue index at which page p's fonts begin: one past the 10 * (p - 1)th
    // ticked font; 1 for p <= 1. Running out of fonts is subscript out of range.
    static Int16 pageStart(Int16 page, const FontCatalogue& catalogue);

    // 10 below the total; on the last page, or beyond it, the remainder SelNum mod 10.
    static Int16 lineCount(Int16 page, Int16 pageTotal, Int16 selNum);

    // The indexes of the next `lines` ticked fonts from `start` on, in catalogue order.
    static QList<Int16> pageFonts(Int16 start, Int16 lines, const FontCatalogue& catalogue);
};

} // namespace varelith
