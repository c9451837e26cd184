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

FcConfig* makeAccepting(const QStringList& families) {
    // The configuration fontconfig would make itself (FONTCONFIG_FILE, the system's files,
    // the user's conf.d), its fonts not yet read.
    FcConfig* config = FcInitLoadConfig();
    if (!config)
        return nullptr;
    const QByteArray accepting = families.isEmpty() ? QByteArray() : acceptingConfig(families);
    if ((!accepting.isEmpty() &&
         !FcConfigParseAndLoadFromMemory(
             config, reinterpret_cast<const FcChar8*>(accepting.constData()), FcTrue)) ||
        !FcConfigBuildFonts(config)) {
        FcConfigDestroy(config);
        return nullptr;
    }
    return config;
}

} // namespace

bool RejectedFamiliesKeptHere::install() {
    const QStringList families = RejectedFamilies(RejectedFamilies::standardFolder()).families();
    if (families.isEmpty())
        return true;
    FcConfig* const config = makeAccepting(families);
    if (!config)
        return false;
    const bool made = FcConfigSetCurrent(config);
    // The current configuration holds its own reference.
    FcConfigDestroy(config);
    return made;
}

FcConfig* RejectedFamiliesKeptHere::makeConfiguration() {
    return makeAccepting(RejectedFamilies(RejectedFamilies::standardFolder()).families());
}

} // namespace varelith
