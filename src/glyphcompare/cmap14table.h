#pragma once

#include "faceref.h"

#include <QList>

#include <memory>
#include <optional>

namespace varelith {

class FreeTypeFace;

// The variation sequences a face defines in its character map (the format 14 subtable), as
// FreeType reads them: for a base character and a variation selector, whether the face
// draws the pair with the character's own glyph (a default sequence) or with a glyph of its
// own. The face stays open while a copy lives, and each question is asked of it when asked:
// a face with tens of thousands of sequences (IPAmj明朝) is not read whole. A face without
// sequences, or that cannot be opened, has none.
class Cmap14Table {
public:
    struct Sequence {
        char32_t selector = 0;
        bool isDefault = false; // drawn with the base character's own glyph
        quint32 glyph = 0;      // the sequence's glyph; 0 for a default sequence
        friend bool operator==(const Sequence&, const Sequence&) = default;
    };

    Cmap14Table() = default;
    static Cmap14Table read(const FaceRef& face);

    bool isEmpty() const { return m_selectors.isEmpty(); }
    // Every selector the face has sequences for, ascending.
    const QList<char32_t>& selectors() const { return m_selectors; }
    // The sequences of `base`, by ascending selector.
    QList<Sequence> sequencesOf(char32_t base) const;
    std::optional<Sequence> find(char32_t base, char32_t selector) const;

private:
    std::shared_ptr<const FreeTypeFace> m_face;
    QList<char32_t> m_selectors;
};

} // namespace varelith
