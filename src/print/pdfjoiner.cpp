#include "pdfjoiner.h"

#include "runtimeerror.h"

#include <QIODevice>
#include <QRegularExpression>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// The document's own objects: the root of its page tree and its catalogue.
constexpr int PagesObject = 1;
constexpr int CatalogObject = 2;

[[noreturn]] void unreadable() {
    throw RuntimeError(RuntimeError::Kind::InvalidValue);
}

// "12 0 R" references in a dictionary's text, each number moved up by `base`.
QByteArray renumbered(const QByteArray& text, int base) {
    static const QRegularExpression reference(u"\\b(\\d+) 0 R\\b"_s);
    const QString latin = QString::fromLatin1(text);
    QString out;
    qsizetype last = 0;
    for (const QRegularExpressionMatch& match : reference.globalMatch(latin)) {
        out += QStringView(latin).sliced(last, match.capturedStart() - last);
        out += u"%1 0 R"_s.arg(match.captured(1).toInt() + base);
        last = match.capturedEnd();
    }
    out += QStringView(latin).sliced(last);
    return out.toLatin1();
}

} // namespace

PdfJoiner::PdfJoiner(QIODevice& out)
    : m_out(out) {
    // Binary bytes in the second line tell a reader the file is not text.
    write("%PDF-1.5\n%\xb5\xed\xae\xfb\n");
    m_offsets = {0, 0};
}

void PdfJoiner::write(const QByteArray& bytes) {
    if (m_out.write(bytes) != bytes.size())
        unreadable();
    m_written += bytes.size();
}

void PdfJoiner::append(const QByteArray& part) {
    // The cross-reference table: "xref", "0 N", then N entries of 20 bytes.
    const qsizetype startxref = part.lastIndexOf("startxref");
    if (startxref < 0)
        unreadable();
    const qint64 xref = part.mid(startxref + 9).trimmed().split('\n').value(0).toLongLong();
    if (xref <= 0 || xref >= part.size() || !part.mid(xref).startsWith("xref"))
        unreadable();
    const qsizetype countLine = part.indexOf('\n', xref) + 1;
    const qsizetype entries = part.indexOf('\n', countLine) + 1;
    const QList<QByteArray> header = part.mid(countLine, entries - countLine).trimmed().split(' ');
    const int count = header.value(1).toInt();
    if (header.value(0) != "0" || count < 2 || entries + qsizetype(count) * 20 > part.size())
        unreadable();
    QList<std::pair<qint64, int>> objects; // where each object in use begins, and its number
    for (int number = 1; number < count; ++number) {
        const QByteArray entry = part.mid(entries + qsizetype(number) * 20, 20);
        if (entry.at(17) == 'n')
            objects.append({entry.left(10).toLongLong(), number});
    }
    std::sort(objects.begin(), objects.end());

    const int base = int(m_offsets.size());
    m_offsets.resize(base + count - 1);
    for (qsizetype i = 0; i < objects.size(); ++i) {
        const auto [start, number] = objects.at(i);
        const qint64 end = i + 1 < objects.size() ? objects.at(i + 1).first : xref;
        QByteArray object = part.mid(start, end - start);
        const QByteArray opening = QByteArray::number(number) + " 0 obj";
        const qsizetype closing = object.lastIndexOf("endobj");
        if (!object.startsWith(opening) || closing < 0)
            unreadable();
        object.truncate(closing);
        // Only the dictionary is read: a stream's bytes are copied as they are.
        qsizetype stream = object.indexOf("stream\n");
        if (stream < 0)
            stream = object.indexOf("stream\r\n");
        const qsizetype dictionaryEnd = stream < 0 ? object.size() : stream;
        QByteArray dictionary =
            renumbered(object.mid(opening.size(), dictionaryEnd - opening.size()), base);
        if (number == PagesObject) {
            // The part's page tree goes under the document's.
            const qsizetype open = dictionary.indexOf("<<");
            if (open < 0)
                unreadable();
            dictionary.insert(open + 2, " /Parent " + QByteArray::number(PagesObject) + " 0 R");
            static const QRegularExpression pages(u"/Count\\s+(\\d+)"_s);
            m_pageCount += pages.match(QString::fromLatin1(dictionary)).captured(1).toInt();
            m_parts.append(base + number);
        }
        m_offsets[base + number - 1] = m_written;
        write(QByteArray::number(base + number) + " 0 obj" + dictionary);
        write(object.mid(dictionaryEnd));
        write("endobj\n");
    }
}

void PdfJoiner::finish() {
    QByteArray kids;
    for (const int root : std::as_const(m_parts))
        kids += QByteArray::number(root) + " 0 R ";
    m_offsets[PagesObject - 1] = m_written;
    write(QByteArray::number(PagesObject) + " 0 obj\n<< /Type /Pages\n   /Kids [ " + kids +
          "]\n   /Count " + QByteArray::number(m_pageCount) + "\n>>\nendobj\n");
    m_offsets[CatalogObject - 1] = m_written;
    write(QByteArray::number(CatalogObject) + " 0 obj\n<< /Type /Catalog\n   /Pages " +
          QByteArray::number(PagesObject) + " 0 R\n>>\nendobj\n");
    const qint64 xref = m_written;
    QByteArray table = "xref\n0 " + QByteArray::number(m_offsets.size() + 1) + "\n";
    table += "0000000000 65535 f \n";
    for (const qint64 offset : std::as_const(m_offsets)) {
        // A number no part used (a gap in its table) is a free entry.
        table += offset > 0 ? QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n"
                            : QByteArray("0000000000 65535 f \n");
    }
    write(table);
    write("trailer\n<< /Size " + QByteArray::number(m_offsets.size() + 1) + "\n   /Root " +
          QByteArray::number(CatalogObject) + " 0 R\n>>\nstartxref\n" + QByteArray::number(xref) +
          "\n%%EOF\n");
}

} // namespace varelith
