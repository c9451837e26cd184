#pragma once

#include "fontface.h"
#include "glyphcoverage.h"
#include "sheetstyle.h"

#include <QString>

#include <optional>

namespace varelith {

class FamilyFaces;

// The face a line of the sheet and of the specimen book is drawn in for the sheet's style:
// the family's own face for the style, chosen by FamilyFaces, and never one Qt would fake
// by slanting or thickening another. A family without such a face keeps its plain font, and
// its line says so beside the name. Standard (Regular) asks nothing of the faces: every
// family is drawn by its name alone, as a plain font of it is.
class SheetFaces {
public:
    SheetFaces(FamilyFaces& faces, GlyphCoverage& coverage);

    struct Choice {
        std::optional<FontFace> face; // none: the family's plain font
        QString note;                 // beside the name: the style's face is missing
    };
    Choice choose(const QString& family, SheetStyle style);
    // "（太字なし）" and its like; empty for Regular.
    static QString noteFor(SheetStyle style);

    // The characters of `text` the chosen font lacks.
    QList<GlyphCoverage::Range> missingRanges(const QString& family, const Choice& choice,
                                              const QString& text);

private:
    FamilyFaces& m_faces;
    GlyphCoverage& m_coverage;
};

} // namespace varelith
