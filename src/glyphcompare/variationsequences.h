#pragma once

#include "cmap14table.h"
#include "faceref.h"

#include <QHash>

namespace varelith {

// The variation sequences of each face, its character map opened once and kept open.
class VariationSequences {
public:
    // Empty for a face without sequences or that cannot be loaded.
    const Cmap14Table& of(const FaceRef& face);

    // The 256 variation selectors: VS1 to VS16 and VS17 to VS256.
    static bool isSelector(char32_t ucs4) {
        return (ucs4 >= 0xFE00 && ucs4 <= 0xFE0F) || (ucs4 >= 0xE0100 && ucs4 <= 0xE01EF);
    }

private:
    QHash<FaceRef, Cmap14Table> m_tables;
};

} // namespace varelith
