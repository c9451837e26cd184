#include "facefacts.h"

#include "freetypeface.h"

#include <QByteArray>
#include <QFile>
#include <QHash>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_MULTIPLE_MASTERS_H
#include FT_SFNT_NAMES_H
#include FT_TRUETYPE_IDS_H
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H
#include FT_TYPE1_TABLES_H

#include <algorithm>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

QString tagText(FT_ULong tag) {
    const char text[4] = {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag)};
    return QString::fromLatin1(text, 4);
}

QString utf16BigEndian(const FT_Byte* bytes, FT_UInt length) {
    QString text;
    text.reserve(length / 2);
    for (FT_UInt i = 0; i + 1 < length; i += 2)
        text.append(QChar(char16_t((bytes[i] << 8) | bytes[i + 1])));
    return text;
}

// Which of a name's records is read: Japanese first, as the window is; then English;
// then any Unicode one; a Macintosh one last, its text read as Latin-1.
int preference(const FT_SfntName& name) {
    const bool unicode =
        name.platform_id == TT_PLATFORM_MICROSOFT || name.platform_id == TT_PLATFORM_APPLE_UNICODE;
    if (name.platform_id == TT_PLATFORM_MICROSOFT &&
        name.language_id == TT_MS_LANGID_JAPANESE_JAPAN)
        return 0;
    if (name.platform_id == TT_PLATFORM_MICROSOFT &&
        name.language_id == TT_MS_LANGID_ENGLISH_UNITED_STATES)
        return 1;
    if (name.platform_id == TT_PLATFORM_MICROSOFT && (name.language_id & 0xff) == 0x09)
        return 2;
    if (unicode)
        return 3;
    if (name.platform_id == TT_PLATFORM_MACINTOSH && name.encoding_id == TT_MAC_ID_ROMAN)
        return name.language_id == TT_MAC_LANGID_ENGLISH ? 4 : 5;
    return -1;
}

// The name table's strings by name ID, the preferred record of each.
QHash<FT_UShort, QString> names(FT_Face face) {
    QHash<FT_UShort, QString> texts;
    QHash<FT_UShort, int> chosen;
    const FT_UInt count = FT_Get_Sfnt_Name_Count(face);
    for (FT_UInt i = 0; i < count; ++i) {
        FT_SfntName name;
        if (FT_Get_Sfnt_Name(face, i, &name) != 0)
            continue;
        const int rank = preference(name);
        if (rank < 0 || chosen.value(name.name_id, 99) <= rank)
            continue;
        chosen.insert(name.name_id, rank);
        texts.insert(name.name_id,
                     name.platform_id == TT_PLATFORM_MACINTOSH
                         ? QString::fromLatin1(reinterpret_cast<const char*>(name.string),
                                               qsizetype(name.string_len))
                         : utf16BigEndian(name.string, name.string_len));
    }
    return texts;
}

QByteArray sfntTable(FT_Face face, FT_ULong tag) {
    FT_ULong length = 0;
    if (FT_Load_Sfnt_Table(face, tag, 0, nullptr, &length) != 0 || length == 0)
        return {};
    QByteArray table(qsizetype(length), Qt::Uninitialized);
    if (FT_Load_Sfnt_Table(face, tag, 0, reinterpret_cast<FT_Byte*>(table.data()), &length) != 0)
        return {};
    return table;
}

quint16 word(const QByteArray& data, qsizetype at) {
    return quint16((quint8(data[at]) << 8) | quint8(data[at + 1]));
}

// The feature tags of a GSUB or GPOS table's feature list.
void appendFeatures(const QByteArray& table, QStringList& features) {
    if (table.size() < 10)
        return;
    const qsizetype list = word(table, 6);
    if (list + 2 > table.size())
        return;
    const qsizetype count = word(table, list);
    for (qsizetype i = 0; i < count; ++i) {
        const qsizetype record = list + 2 + 6 * i;
        if (record + 6 > table.size())
            return;
        features.append(QString::fromLatin1(table.constData() + record, 4));
    }
}

QList<FaceFacts::Axis> axesOf(FT_Library library, FT_Face face,
                              const QHash<FT_UShort, QString>& texts) {
    QList<FaceFacts::Axis> axes;
    FT_MM_Var* master = nullptr;
    if (!FT_HAS_MULTIPLE_MASTERS(face) || FT_Get_MM_Var(face, &master) != 0)
        return axes;
    for (FT_UInt i = 0; i < master->num_axis; ++i) {
        const FT_Var_Axis& axis = master->axis[i];
        FaceFacts::Axis read;
        read.tag = tagText(axis.tag);
        read.name = texts.value(FT_UShort(axis.strid));
        if (read.name.isEmpty())
            read.name = axis.name ? QString::fromLatin1(axis.name) : read.tag;
        read.minimum = double(axis.minimum) / 65536.0;
        read.defaultValue = double(axis.def) / 65536.0;
        read.maximum = double(axis.maximum) / 65536.0;
        axes.append(read);
    }
    FT_Done_MM_Var(library, master);
    return axes;
}

} // namespace

FaceFacts FaceFacts::read(const QString& file, int index) {
    FaceFacts facts;
    const FreeTypeFace face(file, index);
    if (!face)
        return facts;
    const FT_Face rawFace = face.get();
    facts.readable = true;

    facts.formatName = QString::fromLatin1(FT_Get_Font_Format(rawFace));
    if (!FT_IS_SCALABLE(rawFace))
        facts.format = Format::Bitmap;
    else if (facts.formatName == "TrueType"_L1)
        facts.format = Format::TrueType;
    else if (facts.formatName == "CFF"_L1)
        facts.format =
            sfntTable(rawFace, TTAG_CFF2).isEmpty() ? Format::OpenTypeCff : Format::OpenTypeCff2;
    else if (facts.formatName.startsWith("Type 1"_L1) || facts.formatName == "CID Type 1"_L1)
        facts.format = Format::Type1;
    facts.glyphCount = rawFace->num_glyphs;

    const QHash<FT_UShort, QString> texts = names(rawFace);
    facts.copyright = texts.value(TT_NAME_ID_COPYRIGHT);
    facts.version = texts.value(TT_NAME_ID_VERSION_STRING);
    facts.manufacturer = texts.value(TT_NAME_ID_MANUFACTURER);
    facts.designer = texts.value(TT_NAME_ID_DESIGNER);
    facts.licence = texts.value(TT_NAME_ID_LICENSE);
    facts.licenceUrl = texts.value(TT_NAME_ID_LICENSE_URL);
    // A PostScript font's own notice and version where it has no name table.
    PS_FontInfoRec postscript;
    if (FT_Get_PS_Font_Info(rawFace, &postscript) == 0) {
        if (facts.copyright.isEmpty() && postscript.notice)
            facts.copyright = QString::fromLatin1(postscript.notice);
        if (facts.version.isEmpty() && postscript.version)
            facts.version = QString::fromLatin1(postscript.version);
    }

    if (const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(rawFace, FT_SFNT_OS2));
        os2 && os2->version != 0xFFFF) {
        facts.embedding = EmbeddingPermission(os2->fsType);
        facts.vendor = QString::fromLatin1(reinterpret_cast<const char*>(os2->achVendID), 4)
                           .remove(QChar(u'\0'))
                           .trimmed();
    }

    facts.axes = axesOf(face.library(), rawFace, texts);
    appendFeatures(sfntTable(rawFace, TTAG_GSUB), facts.features);
    appendFeatures(sfntTable(rawFace, TTAG_GPOS), facts.features);
    std::sort(facts.features.begin(), facts.features.end());
    facts.features.erase(std::unique(facts.features.begin(), facts.features.end()),
                         facts.features.end());
    return facts;
}

QString FaceFacts::formatText() const {
    switch (format) {
    case Format::TrueType:
        return u"TrueType"_s;
    case Format::OpenTypeCff:
        return u"OpenType (CFF)"_s;
    case Format::OpenTypeCff2:
        return u"OpenType (CFF2)"_s;
    case Format::Type1:
        return u"PostScript Type 1"_s;
    case Format::Bitmap:
        return u"ビットマップ（%1）"_s.arg(formatName);
    case Format::Other:
        break;
    }
    return formatName;
}

} // namespace varelith
