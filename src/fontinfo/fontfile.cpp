#include "fontfile.h"

#include "freetypeface.h"

#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

quint32 bigEndian(const QByteArray& bytes, qsizetype at, int size) {
    quint32 value = 0;
    for (int i = 0; i < size; ++i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

// The first table that a font's directory says runs past the end of the file: FreeType
// quietly shortens such a table, so a file cut short would open with glyphs missing. Empty
// when every table ends within the file, or the file is no plain OpenType font or
// collection (WOFF is unpacked by FreeType, which checks it).
QString tableCutShort(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const qint64 size = file.size();
    const QByteArray head = file.read(12);
    if (head.size() < 12)
        return {};
    QList<quint32> directories;
    const quint32 version = bigEndian(head, 0, 4);
    if (head.startsWith("ttcf")) {
        const QByteArray offsets = file.read(4 * qint64(bigEndian(head, 8, 4)));
        for (qsizetype at = 0; at + 4 <= offsets.size(); at += 4)
            directories.append(bigEndian(offsets, at, 4));
    } else if (version == 0x00010000 || head.startsWith("OTTO") || head.startsWith("true")) {
        directories.append(0);
    }
    for (const quint32 directory : directories) {
        QByteArray tables;
        if (file.seek(directory)) {
            const QByteArray header = file.read(12);
            if (header.size() == 12)
                tables = file.read(16 * qint64(bigEndian(header, 4, 2)));
        }
        for (qsizetype at = 0; at + 16 <= tables.size(); at += 16) {
            const qint64 end = qint64(bigEndian(tables, at + 8, 4)) + bigEndian(tables, at + 12, 4);
            if (end > size)
                return QString::fromLatin1(tables.mid(at, 4)).trimmed();
        }
    }
    return {};
}

// What FreeType says of the file's shape before fontconfig reads every face: empty when
// it may be read.
QString checkShape(const QString& path, const QString& name) {
    // A negative index opens no face: it only counts them.
    const FreeTypeFace first(path, -1);
    if (!first)
        return u"「%1」はフォントファイルではないか、壊れています。"_s.arg(name);
    if (first->num_faces < 1 || first->num_faces > FontFile::MaxFaces)
        return u"「%1」には書体が %2 個あると書かれていますが、開けるのは %3 個までです。"_s
            .arg(name)
            .arg(first->num_faces)
            .arg(FontFile::MaxFaces);
    for (FT_Long face = 0; face < first->num_faces; ++face) {
        // -(n + 1) counts the named instances of face n.
        const FreeTypeFace counted(path, -(face + 1));
        if (!counted)
            return u"「%1」の %2 番目の書体は壊れています。"_s.arg(name).arg(face + 1);
        if ((counted->style_flags >> 16) > FontFile::MaxInstances)
            return u"「%1」には名前付きインスタンスが %2 個あると書かれていますが、開けるのは %3 "
                   u"個までです。"_s.arg(name)
                       .arg(counted->style_flags >> 16)
                       .arg(FontFile::MaxInstances);
    }
    const QString table = tableCutShort(path);
    if (!table.isEmpty())
        return u"「%1」は壊れています（%2 表がファイルの終わりを越えています）。"_s.arg(name,
                                                                                        table);
    return {};
}

} // namespace

FontFile FontFile::read(const QString& path) {
    FontFile file;
    file.m_path = path;
    const QFileInfo info(path);
    const QString name = info.fileName().isEmpty() ? path : info.fileName();
    if (!info.exists())
        file.m_problem = u"「%1」が見つかりません。"_s.arg(name);
    else if (!info.isFile())
        file.m_problem = u"「%1」はファイルではありません。"_s.arg(name);
    else if (!info.isReadable())
        file.m_problem = u"「%1」を読む権限がありません。"_s.arg(name);
    else if (info.size() > MaxBytes)
        file.m_problem = u"「%1」は大きすぎます（%2 MB）。開けるのは %3 MB までです。"_s.arg(name)
                             .arg(info.size() >> 20)
                             .arg(MaxBytes >> 20);
    else
        file.m_problem = checkShape(path, name);
    if (!file.m_problem.isEmpty())
        return file;

    file.m_faces.reset(FcFontSetCreate(), FcFontSetDestroy);
    const QByteArray encoded = QFile::encodeName(path);
    FcFreeTypeQueryAll(reinterpret_cast<const FcChar8*>(encoded.constData()), -1, nullptr, nullptr,
                       file.m_faces.get());
    if (file.m_faces->nfont == 0) {
        file.m_faces.reset();
        file.m_problem = u"「%1」はフォントファイルではないか、壊れています。"_s.arg(name);
    }
    return file;
}

QList<const FcPattern*> FontFile::faces() const {
    QList<const FcPattern*> faces;
    if (!m_faces)
        return faces;
    faces.reserve(m_faces->nfont);
    for (int i = 0; i < m_faces->nfont; ++i)
        faces.append(m_faces->fonts[i]);
    return faces;
}

} // namespace varelith
