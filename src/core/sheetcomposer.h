#pragma once

#include "composedpage.h"
#include "int16.h"

#include <QString>

namespace varelith {

class FontCatalogue;

// Composes one page of the sample sheet as data: one line per font of the page, the
// font's name, a space, the sample text and a line break; the name set in the interface
// face at 16 points and everything from the space on in the named font at the size text.
class SheetComposer {
public:
    // What the composition reads from the main window at the moment it runs.
    struct Inputs {
        Int16 page;            // drives the page walk
        QString sampleText;    // the sample text box
        QString sizeText;      // the size box, handed on unconverted
        QString pageBoxText;   // the page box and the page total label decide
        QString pageTotalText; // whether the page is full or holds the remainder
    };

    // The face of the names, mapped onto a real face by the interface.
    static const QString NameFamily;
    static const QString NameSizeText;

    // Raises subscript out of range for a page the fonts do not reach, type mismatch or
    // overflow for page fields that do not convert, and overflow when a line start or a
    // line length leaves the 16-bit tables.
    static ComposedPage compose(const FontCatalogue& catalogue, const Inputs& inputs);
};

} // namespace varelith
