#pragma once

#include "faceref.h"

#include <QHash>

namespace varelith {

class Shaper;

// A number for the shape a glyph draws, the same for two glyphs whose outlines are the
// same at the same size, whatever their glyph ids and their fonts' units per em: points
// are taken at a thousandth of an em. Comparing 500 fonts' glyphs of one character is a
// comparison of 500 numbers, each outline read once per face and glyph.
class OutlineFingerprints {
public:
    explicit OutlineFingerprints(Shaper& shaper);

    // What an empty outline (a space, a hidden selector) gives, in every face.
    static constexpr quint64 Empty = 0xcbf29ce484222325ull;

    // 0 for a face that cannot be loaded.
    quint64 of(const FaceRef& face, quint32 glyph);

private:
    struct Key {
        FaceRef face;
        quint32 glyph;
        friend bool operator==(const Key&, const Key&) = default;
    };
    friend size_t qHash(const Key& key, size_t seed) noexcept {
        return qHashMulti(seed, key.face, key.glyph);
    }

    Shaper& m_shaper;
    QHash<Key, quint64> m_known;
};

} // namespace varelith
