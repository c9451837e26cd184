#include "specimenlayout.h"

#include <algorithm>

namespace varelith {

SpecimenLayout::SpecimenLayout(QSizeF body, qreal gap)
    : m_body(body)
    , m_gap(gap) {}

SpecimenLayout::Placement SpecimenLayout::place(const Extent& extent) {
    const qreal naturalHeight = extent.ascent + extent.descent;
    qreal scale = 1;
    if (extent.width > m_body.width())
        scale = m_body.width() / extent.width;
    if (naturalHeight * scale > m_body.height())
        scale = m_body.height() / naturalHeight;
    const qreal height = naturalHeight * scale;
    // On a fresh sheet a line always goes in: scaled as above, it fits the body.
    if (m_sheetHasLines && m_nextTop + height > m_body.height()) {
        ++m_sheet;
        m_nextTop = 0;
    }
    const Placement placement{m_sheet, m_nextTop, scale, height};
    m_nextTop += height + m_gap;
    m_sheetHasLines = true;
    return placement;
}

} // namespace varelith
