#pragma once

#include <QFont>
#include <QString>

namespace varelith {

// One face of an installed family: one font of a file, or one named instance of a
// variable font.
struct FontFace {
    enum class Slant { Upright, Italic, Oblique };

    QString file;
    // As FreeType opens it: the index in a collection in the low 16 bits, the named
    // instance (counted from 1) above them, 0 for none.
    int index = 0;
    QString styleName; // as Qt lists the face ("Bold", "Condensed Oblique")
    int weight = 400;  // 1 to 1000, CSS-like: 400 regular, 700 bold
    Slant slant = Slant::Upright;
    int width = 100; // per cent of normal
    // An OpenType or TrueType outline font, which the shaper sets: not a Type 1 or bitmap
    // one, which only stands in (the same face is often installed in both, URW's fonts).
    bool shapeable = true;
    bool variable = false;      // the variable font itself, at its default axes
    bool namedInstance = false; // a named instance of a variable font

    int collectionIndex() const { return index & 0xffff; }
    bool upright() const { return slant == Slant::Upright; }
    bool operator==(const FontFace&) const = default;

    // A font of `family` that Qt sets up from this face itself (its style name, weight,
    // slant and width exactly), with no other face merged in for missing characters.
    QFont font(const QString& family) const;
};

} // namespace varelith
