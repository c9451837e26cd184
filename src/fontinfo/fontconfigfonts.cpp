#include "fontconfigfonts.h"

#include <cstring>

namespace varelith {

FontconfigFonts::FontconfigFonts(FcConfig* config)
    : m_config(FcConfigReference(config)) {}

FontconfigFonts::~FontconfigFonts() {
    if (m_config)
        FcConfigDestroy(m_config);
}

QList<const FcPattern*> FontconfigFonts::fonts() const {
    QList<const FcPattern*> all;
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        const FcFontSet* fonts = m_config ? FcConfigGetFonts(m_config, set) : nullptr;
        for (int i = 0; fonts && i < fonts->nfont; ++i)
            all.append(fonts->fonts[i]);
    }
    return all;
}

const char* FontconfigFonts::raw(const FcPattern* font, const char* object, int k) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(font, object, k, &value) != FcResultMatch)
        return nullptr;
    return reinterpret_cast<const char*>(value);
}

QString FontconfigFonts::string(const FcPattern* font, const char* object, int k) {
    const char* value = raw(font, object, k);
    return value ? QString::fromUtf8(value) : QString();
}

void FontconfigFonts::appendFamilyNames(const FcPattern* font, QStringList& names) {
    for (const Family& family : families(font))
        names.append(string(font, FC_FAMILY, family.index));
}

QList<FontconfigFonts::Family> FontconfigFonts::families(const FcPattern* font) {
    QList<Family> families;
    if (!raw(font, FC_FAMILY, 0))
        return families;
    const auto same = [](const char* a, const char* b) {
        return a == b || (a && b && std::strcmp(a, b) == 0);
    };
    const char* firstStyle = raw(font, FC_STYLE, 0);
    const char* firstLanguage = raw(font, FC_FAMILYLANG, 0);
    families.append({0, {0}, 0});
    for (int k = 1; raw(font, FC_FAMILY, k); ++k) {
        const char* style = raw(font, FC_STYLE, k);
        const int styleIndex = style ? k : 0;
        if (!style)
            style = firstStyle;
        const char* language = raw(font, FC_FAMILYLANG, k);
        if (!language)
            language = firstLanguage;
        if (same(language, firstLanguage) && !same(style, firstStyle))
            families.append({k, {k}, styleIndex});
        else
            families.first().spellings.append(k);
    }
    return families;
}

} // namespace varelith
