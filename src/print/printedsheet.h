#pragma once

#include "int16.h"

#include <QString>

namespace varelith {

class LinePrinter;
class SheetSource;

// The sample sheet as plain lines on the printer: a header, then one line per font, the
// font's name, one space and the sample text, all in the printer's face at the size in
// the size box.
class PrintedSheet {
public:
    // Page 0 prints every ticked font under "Varelith"; any other page prints that page's
    // fonts by the page rules under "Varelith page<n>", the line count worked out from
    // `page` itself. Any failure ends the work silently where it arose: what was printed
    // stays printed, and the pointer is back to the default on return.
    static void Printpage(Int16 page, const SheetSource& source, LinePrinter& printer) noexcept;

    // "Varelith" for page 0, else "Varelith page" and the number with nothing between.
    static QString headerLine(Int16 page);
};

} // namespace varelith
