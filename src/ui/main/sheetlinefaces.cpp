#include "sheetlinefaces.h"

#include "glyphcoverage.h"
#include "sheetfaces.h"

namespace varelith {

SheetLineFaces::SheetLineFaces(GlyphCoverage* coverage, SheetFaces* faces,
                               std::function<SheetStyle()> style,
                               UninstalledNote::Families uninstalled)
    : m_coverage(coverage)
    , m_faces(faces)
    , m_style(std::move(style))
    , m_uninstalled(std::move(uninstalled)) {}

SheetLineFaces::Face SheetLineFaces::operator()(const QString& family) const {
    const SheetStyle style = m_style ? m_style() : SheetStyle::Regular;
    Face chosen;
    // In the document's order: the style's note, then the file's.
    const QString fileNote = UninstalledNote::noteFor(m_uninstalled, family);
    if (m_faces && style != SheetStyle::Regular) {
        const SheetFaces::Choice choice = m_faces->choose(family, style);
        chosen.note = choice.note + fileNote;
        if (choice.face) {
            chosen.face = {choice.face->file, choice.face->index};
            return chosen;
        }
    } else {
        chosen.note = fileNote;
    }
    if (m_coverage)
        chosen.face = m_coverage->plainFace(family);
    return chosen;
}

} // namespace varelith
