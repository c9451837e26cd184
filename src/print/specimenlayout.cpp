#include "specimenlayout.h"

namespace varelith {

SpecimenLayout::SpecimenLayout(double depth, double fontGap)
    : m_depth(depth)
    , m_fontGap(fontGap) {}

SpecimenLayout::Placement SpecimenLayout::place(double depth, double before, double keptWith) {
    // On a fresh sheet a line always goes in, and the space before it is not needed.
    if (m_sheetHasLines && m_next + before + depth + keptWith > m_depth) {
        ++m_sheet;
        m_next = 0;
    } else if (m_sheetHasLines) {
        m_next += before;
    }
    const Placement placement{m_sheet, m_next};
    m_next += depth;
    m_sheetHasLines = true;
    return placement;
}

SpecimenLayout::Placement SpecimenLayout::placeName(const Extent& name, const Extent& firstLine) {
    return place(name.depth(), m_fontGap, firstLine.depth());
}

SpecimenLayout::Placement SpecimenLayout::placeLine(const Extent& line, double leading) {
    return place(line.depth(), leading, 0);
}

} // namespace varelith
