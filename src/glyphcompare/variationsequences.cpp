#include "variationsequences.h"

#include "shaper.h"
#include "shapingface.h"

#include <hb.h>

namespace varelith {

VariationSequences::VariationSequences(Shaper& shaper)
    : m_shaper(shaper) {}

const Cmap14Table& VariationSequences::of(const FaceRef& face) {
    const auto known = m_tables.constFind(face);
    if (known != m_tables.cend())
        return *known;
    Cmap14Table table;
    ShapingFace& shaping = m_shaper.face(face);
    if (shaping.isValid()) {
        hb_blob_t* cmap =
            hb_face_reference_table(hb_font_get_face(shaping.font({})), HB_TAG('c', 'm', 'a', 'p'));
        unsigned length = 0;
        const char* data = hb_blob_get_data(cmap, &length);
        // Read in place; the table copies the bytes only when it finds sequences.
        table = Cmap14Table::fromCmap(QByteArray::fromRawData(data, qsizetype(length)));
        hb_blob_destroy(cmap);
    }
    return *m_tables.insert(face, table);
}

} // namespace varelith
