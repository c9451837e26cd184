#include "rejectedfamilieskepthere.h"

#include "rejectedfamilies.h"

#include <QByteArray>
#include <QXmlStreamWriter>

#include <fontconfig/fontconfig.h>

namespace varelith {

using namespace Qt::StringLiterals;

namespace {

QByteArray acceptingConfig(const QStringList& families) {
    QByteArray text;
    QXmlStreamWriter xml(&text);
    RejectedFamilies::writeSelection(xml, u"acceptfont"_s, families);
    return text;
}

} // namespace

bool RejectedFamiliesKeptHere::install() {
    const QStringList families = RejectedFamilies(RejectedFamilies::standardFolder()).families();
    if (families.isEmpty())
        return true;
    // The configuration fontconfig would make itself (FONTCONFIG_FILE, the system's files,
    // the user's conf.d), its fonts not yet read.
    FcConfig* config = FcInitLoadConfig();
    if (!config)
        return false;
    const QByteArray accepting = acceptingConfig(families);
    const bool made =
        FcConfigParseAndLoadFromMemory(
            config, reinterpret_cast<const FcChar8*>(accepting.constData()), FcTrue) &&
        FcConfigBuildFonts(config) && FcConfigSetCurrent(config);
    // The current configuration holds its own reference.
    FcConfigDestroy(config);
    return made;
}

} // namespace varelith
