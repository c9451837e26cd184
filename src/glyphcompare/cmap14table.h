#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

namespace varelith {

// The variation sequences of a font's character map (its format 14 subtable, Unicode
// platform, encoding 5): for a base character and a variation selector, whether the font
// draws the pair with the character's own glyph (a default sequence) or with a glyph of
// its own. Read in place from the cmap table's bytes; a damaged or missing subtable reads
// as no sequences, and nothing outside the table's bytes is ever read.
class Cmap14Table {
public:
    struct Sequence {
        char32_t selector = 0;
        bool isDefault = false; // drawn with the base character's own glyph
        quint32 glyph = 0;      // the sequence's glyph; 0 for a default sequence
        friend bool operator==(const Sequence&, const Sequence&) = default;
    };

    Cmap14Table() = default;
    // `cmap`: the whole cmap table, copied when it holds sequences (so it may be raw data).
    static Cmap14Table fromCmap(const QByteArray& cmap);

    bool isEmpty() const { return m_records.isEmpty(); }
    // Every selector the font has sequences for, ascending.
    QList<char32_t> selectors() const;
    // The sequences of `base`, by ascending selector.
    QList<Sequence> sequencesOf(char32_t base) const;
    std::optional<Sequence> find(char32_t base, char32_t selector) const;

private:
    struct Record {
        char32_t selector;
        quint32 defaults;    // from the subtable's start; 0 for none
        quint32 nonDefaults; // likewise
    };
    bool inDefaults(quint32 offset, char32_t base) const;
    std::optional<quint32> inNonDefaults(quint32 offset, char32_t base) const;
    quint32 read(qsizetype at, int bytes) const;
    // Whether `count` entries of `size` bytes fit after the subtable offset `offset` + 4.
    bool fits(quint32 offset, quint32 count, int size) const;

    QByteArray m_cmap;
    qsizetype m_start = 0; // the subtable's place in the cmap table
    qsizetype m_end = 0;   // its end, held within the table
    QList<Record> m_records;
};

} // namespace varelith
