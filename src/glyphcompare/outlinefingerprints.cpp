#include "outlinefingerprints.h"

#include "shaper.h"
#include "shapingface.h"

#include <QPainterPath>

#include <cmath>

namespace varelith {

namespace {

// FNV-1a, 64 bits: stable across runs and Qt's hash seeds, cheap for a few hundred values.
constexpr quint64 FnvOffset = OutlineFingerprints::Empty;
constexpr quint64 FnvPrime = 0x100000001b3ull;

void mix(quint64& hash, qint64 value) {
    for (int byte = 0; byte < 8; ++byte) {
        hash ^= quint64(value >> (byte * 8)) & 0xffu;
        hash *= FnvPrime;
    }
}

} // namespace

OutlineFingerprints::OutlineFingerprints(Shaper& shaper)
    : m_shaper(shaper) {}

quint64 OutlineFingerprints::of(const FaceRef& face, quint32 glyph) {
    const Key key{face, glyph};
    const auto known = m_known.constFind(key);
    if (known != m_known.cend())
        return *known;
    ShapingFace& shaping = m_shaper.face(face);
    quint64 hash = 0;
    if (shaping.isValid()) {
        hash = FnvOffset;
        const QPainterPath path = shaping.outline(glyph, {});
        const double perMille = 1000.0 / shaping.unitsPerEm();
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element element = path.elementAt(i);
            mix(hash, element.type);
            mix(hash, std::llround(element.x * perMille));
            mix(hash, std::llround(element.y * perMille));
        }
        // Never 0, which stands for no face.
        if (path.elementCount() > 0)
            hash |= 1;
    }
    m_known.insert(key, hash);
    return hash;
}

} // namespace varelith
