#pragma once

#include "sheetstyle.h"
#include "uninstallednote.h"

#include <QTextCharFormat>

#include <memory>

class QFont;
class QPalette;
class QTextDocument;

namespace varelith {

struct ComposedPage;
struct FormatRun;
class GlyphCoverage;
class SheetFaces;

// Turns a composed page into the text document the view shows. The page counts each
// line break as two positions, the document as one; every run is mapped so that it
// selects the same characters in the document as in the page.
class SheetDocument {
public:
    // A new document holding the page's text with its runs applied in order. With a
    // coverage, every character of a sample that the line's own font has no glyph for
    // also gets the missing-glyph mark in `palette`'s colours; the names and the text stay
    // as they are. Raises the size text's error for a size the view does not take (see
    // FontSize), before anything is built.
    //
    // With faces and a style other than Regular, each sample is set in its family's face for
    // the style (and marked against that face's characters); a family without one keeps its
    // plain font and the note goes after its name, in the name's format. Regular builds the
    // very document it builds without faces.
    //
    // A family opened from a file this run (`uninstalled`) gets "（未インストール）" after its
    // name, after the style's note, in any style.
    static std::unique_ptr<QTextDocument> build(const ComposedPage& page, const QFont& defaultFont,
                                                GlyphCoverage* coverage, const QPalette& palette,
                                                SheetFaces* faces = nullptr,
                                                SheetStyle style = SheetStyle::Regular,
                                                const UninstalledNote::Families& uninstalled = {});

    // The format one run gives its characters. A sample is drawn with its own font
    // alone: a character the font lacks shows as missing instead of being borrowed from
    // another face.
    static QTextCharFormat formatFor(const FormatRun& run);
};

} // namespace varelith
