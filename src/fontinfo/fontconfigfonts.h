#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace varelith {

// The fonts of a fontconfig configuration, read in place: no pattern is copied, and the
// reference held keeps them while this lives, even if the current configuration changes
// meanwhile.
class FontconfigFonts {
public:
    // `config`: the configuration that holds every installed font; null for fontconfig's
    // current one.
    explicit FontconfigFonts(FcConfig* config = nullptr);
    ~FontconfigFonts();
    FontconfigFonts(const FontconfigFonts&) = delete;
    FontconfigFonts& operator=(const FontconfigFonts&) = delete;

    // Every installed font, variable fonts and their named instances included.
    QList<const FcPattern*> fonts() const;

    // A family name a font is listed under, as Qt lists it: the font's first family name
    // and each further one in the same language with a style of its own (a subfamily,
    // "DejaVu Sans Condensed"); a further name in another language or with the same
    // style is only another spelling of the first ("IPAゴシック" of "IPAGothic").
    // Worked out on fontconfig's own strings: nothing is converted for fonts not asked for.
    struct Family {
        int index;            // in FC_FAMILY
        QList<int> spellings; // indices in FC_FAMILY of its names, itself first
        int styleIndex;       // in FC_STYLE, of the font's style under this family
    };
    static QList<Family> families(const FcPattern* font);
    // Appends the name each of those families is listed by (its first spelling).
    static void appendFamilyNames(const FcPattern* font, QStringList& names);

    // An object's k-th string value; empty if it has none.
    static QString string(const FcPattern* font, const char* object, int k = 0);
    // The same, as fontconfig holds it; null if it has none.
    static const char* raw(const FcPattern* font, const char* object, int k = 0);

private:
    FcConfig* m_config;
};

} // namespace varelith
