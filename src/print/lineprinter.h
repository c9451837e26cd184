#pragma once

#include <QString>

namespace varelith {

// A printer that takes whole lines of text, one below the other, in one face. The first
// line opens the document; a line that would pass the bottom of a sheet goes onto a new
// one.
class LinePrinter {
public:
    virtual ~LinePrinter() = default;

    // Takes the size box text as the size of the print face in points; a text that is not
    // a usable size is refused with a RuntimeError and changes nothing.
    virtual void setFontSize(const QString& sizeText) = 0;
    // One line at the left margin.
    virtual void printLine(const QString& text) = 0;
    // One line behind the font lines' indent.
    virtual void printIndentedLine(const QString& text) = 0;
    // Ends the open document, which sends it to the printer; nothing when none is open.
    virtual void endDocument() = 0;
};

} // namespace varelith
