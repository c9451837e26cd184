#include "variationsequences.h"

namespace varelith {

const Cmap14Table& VariationSequences::of(const FaceRef& face) {
    const auto known = m_tables.constFind(face);
    if (known != m_tables.cend())
        return *known;
    return *m_tables.insert(face, Cmap14Table::read(face));
}

} // namespace varelith
