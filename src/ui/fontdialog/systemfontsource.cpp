#include "systemfontsource.h"

#include "fontconfigfonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace varelith {

namespace {

struct ConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};

} // namespace

QStringList SystemFontSource::families() const {
    // The configuration's own font sets, read in place: listing them through FcFontList
    // would copy and free every pattern, four times the time at 20,000 fonts.
    FcConfig* config = nullptr;
    if (m_configFile.isEmpty()) {
        config = FcConfigReference(m_config);
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
                // Each name Qt lists as a family of its own: a name in another language, or
                // with the same style, is only another spelling of the first ("さわらび明朝",
                // style "M", beside "Sawarabi Mincho", "Medium"); a further name in the same
                // language with a style of its own is a subfamily ("DejaVu Sans Condensed").
                FontconfigFonts::appendFamilyNames(fonts->fonts[i], names);
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
