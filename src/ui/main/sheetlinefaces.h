#pragma once

#include "faceref.h"
#include "sheetstyle.h"
#include "uninstallednote.h"

#include <QString>

#include <functional>

namespace varelith {

class GlyphCoverage;
class SheetFaces;

// The face a shaped line's sample is set in: the one the sheet's document draws and
// checks for the style, so that shaping, drawing and coverage speak of one face. A family
// without the style's face keeps its plain face and the note the document gives it.
class SheetLineFaces {
public:
    struct Face {
        FaceRef face; // null for a family that is not installed
        QString note; // beside the name, as in the document: "（太字なし）（未インストール）"
    };

    SheetLineFaces(GlyphCoverage* coverage, SheetFaces* faces, std::function<SheetStyle()> style,
                   UninstalledNote::Families uninstalled = {});
    Face operator()(const QString& family) const;

private:
    GlyphCoverage* m_coverage;
    SheetFaces* m_faces;
    std::function<SheetStyle()> m_style;
    UninstalledNote::Families m_uninstalled;
};

} // namespace varelith
