#pragma once

#include <QTextCharFormat>

#include <memory>

class QFont;
class QTextDocument;

namespace varelith {

struct ComposedPage;
struct FormatRun;

// Turns a composed page into the text document the view shows. The page counts each
// line break as two positions, the document as one; every run is mapped so that it
// selects the same characters in the document as in the page.
class SheetDocument {
public:
    // A new document holding the page's text with its runs applied in order. Raises the
    // size text's error for a size the view does not take (see FontSize), before
    // anything is built.
    static std::unique_ptr<QTextDocument> build(const ComposedPage& page, const QFont& defaultFont);

    // The format one run gives its characters. A sample is drawn with its own font
    // alone: a character the font lacks shows as missing instead of being borrowed from
    // another face.
    static QTextCharFormat formatFor(const FormatRun& run);
};

} // namespace varelith
