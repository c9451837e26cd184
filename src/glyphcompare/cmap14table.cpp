#include "cmap14table.h"

#include "freetypeface.h"

#include <algorithm>

namespace varelith {

namespace {

// FreeType's lists of code points end with a 0; null for none.
QList<char32_t> codePoints(const FT_UInt32* list) {
    QList<char32_t> points;
    for (; list && *list; ++list)
        points.append(char32_t(*list));
    std::sort(points.begin(), points.end());
    return points;
}

} // namespace

Cmap14Table Cmap14Table::read(const FaceRef& face) {
    Cmap14Table table;
    auto opened = std::make_shared<const FreeTypeFace>(face.file, FT_Long(face.index));
    if (!*opened)
        return table;
    table.m_selectors = codePoints(FT_Face_GetVariantSelectors(opened->get()));
    if (!table.m_selectors.isEmpty())
        table.m_face = std::move(opened);
    return table;
}

QList<Cmap14Table::Sequence> Cmap14Table::sequencesOf(char32_t base) const {
    QList<Sequence> sequences;
    if (!m_face)
        return sequences;
    for (const char32_t selector : codePoints(FT_Face_GetVariantsOfChar(m_face->get(), base)))
        if (const std::optional<Sequence> sequence = find(base, selector))
            sequences.append(*sequence);
    return sequences;
}

std::optional<Cmap14Table::Sequence> Cmap14Table::find(char32_t base, char32_t selector) const {
    if (!m_face)
        return std::nullopt;
    // 1 a default sequence, 0 one with a glyph of its own, -1 none.
    switch (FT_Face_GetCharVariantIsDefault(m_face->get(), base, selector)) {
    case 1:
        return Sequence{selector, true, 0};
    case 0:
        return Sequence{selector, false,
                        FT_Face_GetCharVariantIndex(m_face->get(), base, selector)};
    default:
        return std::nullopt;
    }
}

} // namespace varelith
