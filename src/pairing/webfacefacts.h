#pragma once

#include "faceref.h"

#include <QString>

namespace varelith {

// What a web page's @font-face rule says of a face: the names local() finds it by, its
// weight and slant, its file, and its ascent and descent. Read from the font file itself
// (HarfBuzz) when a pairing is written out.
struct WebFaceFacts {
    QString family;         // the typographic family name, else the family name (English)
    QString fullName;       // "Varelith Latin Bold"
    QString postScriptName; // "VarelithLatin-Bold"
    QString fileName;       // the file's own name, for url()
    int weight = 400;
    bool italic = false;
    double ascent = 0.88; // of the em
    double descent = 0.12;
    bool readable = false;

    // A face that cannot be read has `family` as its only name.
    static WebFaceFacts read(const FaceRef& face, const QString& family);
};

} // namespace varelith
