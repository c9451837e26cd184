#pragma once

#include <QByteArray>
#include <QList>

class QIODevice;

namespace varelith {

// One PDF document made of several complete ones written in turn, as cairo writes them
// (a plain cross-reference table, the root of the page tree its object 1): each one's
// objects are copied under new numbers, streams byte for byte, and its page tree hangs
// under the document's own, so that its sheets follow the ones before. Each part is let go
// once copied: a long document is written a part at a time. Raises a RuntimeError for a
// part it cannot read or a file it cannot write.
class PdfJoiner {
public:
    explicit PdfJoiner(QIODevice& out);

    void append(const QByteArray& part);
    // The page tree's root, the catalogue and the cross-reference table.
    void finish();

private:
    void write(const QByteArray& bytes);

    QIODevice& m_out;
    qint64 m_written = 0;
    QList<qint64> m_offsets; // of objects 1, 2, ...; 0 while not yet written
    QList<int> m_parts;      // each part's page tree root, renumbered
    int m_pageCount = 0;
};

} // namespace varelith
