#include "fontconfigfonts.h"

namespace varelith {

FontconfigFonts::FontconfigFonts()
    : m_config(FcConfigReference(nullptr)) {}

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

QString FontconfigFonts::string(const FcPattern* font, const char* object, int k) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(font, object, k, &value) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

QList<FontconfigFonts::Family> FontconfigFonts::families(const FcPattern* font) {
    QList<Family> families;
    if (string(font, FC_FAMILY, 0).isEmpty())
        return families;
    const QString firstStyle = string(font, FC_STYLE, 0);
    const QString firstLanguage = string(font, FC_FAMILYLANG, 0);
    families.append({0, {0}, firstStyle});
    FcChar8* name = nullptr;
    for (int k = 1; FcPatternGetString(font, FC_FAMILY, k, &name) == FcResultMatch; ++k) {
        QString style = string(font, FC_STYLE, k);
        if (style.isEmpty())
            style = firstStyle;
        QString language = string(font, FC_FAMILYLANG, k);
        if (language.isEmpty())
            language = firstLanguage;
        if (language == firstLanguage && style != firstStyle)
            families.append({k, {k}, style});
        else
            families.first().spellings.append(k);
    }
    return families;
}

} // namespace varelith
