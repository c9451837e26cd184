#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace varelith {

// Which collection of Unicode's Ideographic Variation Database a variation sequence is
// registered in (Adobe-Japan1, Hanyo-Denshi, Moji_Joho, ...), read from the database's
// IVD_Sequences.txt where the machine has it. Debian ships no such file: without one,
// every sequence is shown by its selector alone.
class IvdCollections {
public:
    IvdCollections() = default;
    // Lines "3402 E0100; Adobe-Japan1; CID+13698", "#" comments; other lines are skipped.
    static IvdCollections fromText(QStringView text);
    // The first of `files` that can be read; none at all without one.
    static IvdCollections load(const QStringList& files);
    // Where a user or a package may have put the database.
    static QStringList standardFiles();

    bool isEmpty() const { return m_sequences.isEmpty(); }
    // Empty for a sequence that is not registered.
    QString collection(char32_t base, char32_t selector) const;

    // "VS17 (U+E0100)": the selector's number among the 256 variation selectors.
    static QString selectorName(char32_t selector);

private:
    static quint64 key(char32_t base, char32_t selector) { return quint64(base) << 32 | selector; }
    QStringList m_collections;
    QHash<quint64, qsizetype> m_sequences; // into m_collections
};

} // namespace varelith
