#pragma once

#include <QString>

class QTextDocument;

namespace varelith {

// Which font a place on the sheet shows: the family of the line at a position of the
// view's document, read from the line's sample, the part set in the line's own font
// alone. A name broken over several paragraphs by a line break of its own still finds
// its line's sample after it.
class SheetFontLocator {
public:
    // Empty where no line is (a blank page, the paragraph after the last line).
    static QString familyAt(const QTextDocument& document, int position);
};

} // namespace varelith
