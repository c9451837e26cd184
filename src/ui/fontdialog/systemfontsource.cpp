#include "systemfontsource.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <utility>

namespace varelith {

namespace {

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};

QString text(const FcChar8* value) {
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

// Each name a file carries that Qt lists as a family of its own: the first one, and a
// further name whose style differs from the first ("DejaVu Sans Condensed", style
// "Book" beside "DejaVu Sans" "Condensed"). A further name with the same style is only
// another spelling of the first (a translated name) and is not listed.
void appendFamilies(const FcPattern* pattern, QStringList& names) {
    FcChar8* family = nullptr;
    if (FcPatternGetString(pattern, FC_FAMILY, 0, &family) != FcResultMatch)
        return;
    names.append(text(family));
    FcChar8* firstStyle = nullptr;
    FcPatternGetString(pattern, FC_STYLE, 0, &firstStyle);
    for (int k = 1; FcPatternGetString(pattern, FC_FAMILY, k, &family) == FcResultMatch; ++k) {
        FcChar8* style = nullptr;
        if (FcPatternGetString(pattern, FC_STYLE, k, &style) == FcResultMatch &&
            (!firstStyle || std::strcmp(reinterpret_cast<const char*>(style),
                                        reinterpret_cast<const char*>(firstStyle)) != 0))
            names.append(text(family));
    }
}

} // namespace

QStringList SystemFontSource::families() const {
    // The configuration's own font sets, read in place: listing them through FcFontList
    // would copy and free every pattern, four times the time at 20,000 fonts.
    FcConfig* config = nullptr;
    if (m_configFile.isEmpty()) {
        // The current configuration, the one Qt reads its fonts from.
        config = FcConfigReference(nullptr);
    } else {
        config = FcConfigCreate();
        const QByteArray file = m_configFile.toLocal8Bit();
        if (config && (!FcConfigParseAndLoad(
                           config, reinterpret_cast<const FcChar8*>(file.constData()), FcTrue) ||
                       !FcConfigBuildFonts(config))) {
            FcConfigDestroy(config);
            config = nullptr;
        }
    }
    if (!config)
        return {};
    const std::unique_ptr<FcConfig, ConfigDeleter> held(config);

    QStringList names;
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        const FcFontSet* fonts = FcConfigGetFonts(config, set);
        for (int i = 0; fonts && i < fonts->nfont; ++i) {
            // As Qt lists them: the named instances of a variable font, not the font itself.
            FcBool variable = FcFalse;
            FcPatternGetBool(fonts->fonts[i], FC_VARIABLE, 0, &variable);
            if (!variable)
                appendFamilies(fonts->fonts[i], names);
        }
    }

    // Qt's order, and one entry for names that differ only in case, as Qt keeps them.
    QList<std::pair<QString, QString>> keyed;
    keyed.reserve(names.size());
    for (QString& name : names)
        keyed.append({name.toCaseFolded(), std::move(name)});
    std::sort(keyed.begin(), keyed.end());
    QStringList families;
    families.reserve(keyed.size());
    for (qsizetype i = 0; i < keyed.size(); ++i) {
        if (i == 0 || keyed.at(i).first != keyed.at(i - 1).first)
            families.append(keyed.at(i).second);
    }
    return families;
}

} // namespace varelith
