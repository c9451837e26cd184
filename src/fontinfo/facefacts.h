#pragma once

#include "embeddingpermission.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varelith {

// The facts a user checks before using a face: what kind of font it is, whose, which
// version, under which licence, whether a PDF may embed it, what it holds. Read from
// the font file through FreeType when asked for, never before.
struct FaceFacts {
    enum class Format { TrueType, OpenTypeCff, OpenTypeCff2, Type1, Bitmap, Other };
    struct Axis {
        QString tag;  // "wght"
        QString name; // from the name table ("Weight"); the tag if it has none
        double minimum = 0;
        double defaultValue = 0;
        double maximum = 0;
        bool operator==(const Axis&) const = default;
    };

    // The face at `index` of the file (a collection's index in the low 16 bits, a named
    // instance above them, as FreeType opens it). Facts of a file FreeType cannot open
    // have `readable` false and nothing else.
    static FaceFacts read(const QString& file, int index);

    bool readable = false;
    Format format = Format::Other;
    QString formatName; // FreeType's ("TrueType", "CFF", "Type 1", "BDF"...)
    QList<Axis> axes;   // a variable font's; empty for any other
    // From the name table, in Japanese where the font has it, else English.
    QString version;
    QString manufacturer;
    QString designer;
    QString copyright;
    QString licence;
    QString licenceUrl;
    QString vendor; // the OS/2 table's four-letter vendor ID, spaces trimmed
    EmbeddingPermission embedding = EmbeddingPermission::unknown();
    qsizetype glyphCount = 0;
    QStringList features; // the GSUB and GPOS feature tags, each once, sorted

    bool variable() const { return !axes.isEmpty(); }
    // "TrueType", "OpenType (CFF)", "PostScript Type 1", "ビットマップ（BDF）"...
    QString formatText() const;
};

} // namespace varelith
