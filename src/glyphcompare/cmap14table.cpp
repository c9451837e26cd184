#include "cmap14table.h"

#include <algorithm>

namespace varelith {

namespace {

constexpr quint16 UnicodePlatform = 0;
constexpr quint16 VariationSequencesEncoding = 5;
constexpr quint16 VariationSequencesFormat = 14;
constexpr int RecordSize = 11; // selector (3), two offsets (4 each)
constexpr int RangeSize = 4;   // first character (3), how many follow (1)
constexpr int MappingSize = 5; // character (3), glyph (2)

quint32 bigEndian(const QByteArray& data, qsizetype at, int bytes) {
    quint32 value = 0;
    for (int i = 0; i < bytes; ++i)
        value = value << 8 | quint8(data.at(at + i));
    return value;
}

} // namespace

Cmap14Table Cmap14Table::fromCmap(const QByteArray& cmap) {
    Cmap14Table table;
    if (cmap.size() < 4)
        return table;
    const quint32 subtables = bigEndian(cmap, 2, 2);
    for (quint32 i = 0; i < subtables; ++i) {
        const qsizetype entry = 4 + qsizetype(i) * 8;
        if (entry + 8 > cmap.size())
            return table;
        if (bigEndian(cmap, entry, 2) != UnicodePlatform ||
            bigEndian(cmap, entry + 2, 2) != VariationSequencesEncoding)
            continue;
        const qsizetype start = bigEndian(cmap, entry + 4, 4);
        if (start + 10 > cmap.size() || bigEndian(cmap, start, 2) != VariationSequencesFormat)
            continue;
        table.m_cmap = QByteArray(cmap.constData(), cmap.size());
        table.m_start = start;
        // A length past the table's end is held to it: what lies within is still read.
        table.m_end = std::min<qsizetype>(cmap.size(), start + bigEndian(cmap, start + 2, 4));
        const quint32 count = bigEndian(cmap, start + 6, 4);
        for (quint32 r = 0; r < count; ++r) {
            const qsizetype at = start + 10 + qsizetype(r) * RecordSize;
            if (at + RecordSize > table.m_end)
                break;
            table.m_records.append(
                {char32_t(table.read(at, 3)), table.read(at + 3, 4), table.read(at + 7, 4)});
        }
        return table;
    }
    return table;
}

quint32 Cmap14Table::read(qsizetype at, int bytes) const {
    return bigEndian(m_cmap, at, bytes);
}

bool Cmap14Table::fits(quint32 offset, quint32 count, int size) const {
    return m_start + qsizetype(offset) + 4 + qsizetype(count) * size <= m_end;
}

QList<char32_t> Cmap14Table::selectors() const {
    QList<char32_t> selectors;
    for (const Record& record : m_records)
        selectors.append(record.selector);
    std::sort(selectors.begin(), selectors.end());
    selectors.erase(std::unique(selectors.begin(), selectors.end()), selectors.end());
    return selectors;
}

bool Cmap14Table::inDefaults(quint32 offset, char32_t base) const {
    if (offset == 0 || m_start + qsizetype(offset) + 4 > m_end)
        return false;
    const quint32 count = read(m_start + offset, 4);
    if (!fits(offset, count, RangeSize))
        return false;
    // Ranges ascend: the last one starting at or before `base` is the only candidate.
    const qsizetype first = m_start + offset + 4;
    qsizetype low = 0;
    qsizetype high = qsizetype(count);
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        if (read(first + middle * RangeSize, 3) <= base)
            low = middle + 1;
        else
            high = middle;
    }
    if (low == 0)
        return false;
    const qsizetype at = first + (low - 1) * RangeSize;
    return base <= read(at, 3) + read(at + 3, 1);
}

std::optional<quint32> Cmap14Table::inNonDefaults(quint32 offset, char32_t base) const {
    if (offset == 0 || m_start + qsizetype(offset) + 4 > m_end)
        return std::nullopt;
    const quint32 count = read(m_start + offset, 4);
    if (!fits(offset, count, MappingSize))
        return std::nullopt;
    const qsizetype first = m_start + offset + 4;
    qsizetype low = 0;
    qsizetype high = qsizetype(count);
    while (low < high) {
        const qsizetype middle = (low + high) / 2;
        const quint32 character = read(first + middle * MappingSize, 3);
        if (character == base)
            return read(first + middle * MappingSize + 3, 2);
        if (character < base)
            low = middle + 1;
        else
            high = middle;
    }
    return std::nullopt;
}

std::optional<Cmap14Table::Sequence> Cmap14Table::find(char32_t base, char32_t selector) const {
    for (const Record& record : m_records) {
        if (record.selector != selector)
            continue;
        if (inDefaults(record.defaults, base))
            return Sequence{selector, true, 0};
        if (const std::optional<quint32> glyph = inNonDefaults(record.nonDefaults, base))
            return Sequence{selector, false, *glyph};
    }
    return std::nullopt;
}

QList<Cmap14Table::Sequence> Cmap14Table::sequencesOf(char32_t base) const {
    QList<Sequence> sequences;
    for (const Record& record : m_records) {
        if (inDefaults(record.defaults, base))
            sequences.append({record.selector, true, 0});
        else if (const std::optional<quint32> glyph = inNonDefaults(record.nonDefaults, base))
            sequences.append({record.selector, false, *glyph});
    }
    // Stable: a damaged table that lists one selector twice keeps the order find() reads.
    std::stable_sort(sequences.begin(), sequences.end(),
                     [](const Sequence& a, const Sequence& b) { return a.selector < b.selector; });
    return sequences;
}

} // namespace varelith
