#pragma once

#include <QFile>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <memory>

namespace varelith::testing {

using InstalledFonts = std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)>;

// A fontconfig configuration whose installed fonts are exactly those of `folders`, its
// file and cache kept in `scratch`; null if fontconfig refuses it.
inline InstalledFonts installedFonts(const QStringList& folders, const QString& scratch) {
    InstalledFonts fonts(nullptr, &FcConfigDestroy);
    QString dirs;
    for (const QString& folder : folders)
        dirs += QStringLiteral("<dir>%1</dir>").arg(folder);
    QFile config(scratch + QStringLiteral("/installed-fonts.conf"));
    if (!config.open(QIODevice::WriteOnly))
        return fonts;
    config.write(QStringLiteral("<?xml version=\"1.0\"?>\n<fontconfig>%1<cachedir>%2/cache"
                                "</cachedir></fontconfig>\n")
                     .arg(dirs, scratch)
                     .toUtf8());
    config.close();
    fonts.reset(FcConfigCreate());
    const QByteArray name = QFile::encodeName(config.fileName());
    if (!FcConfigParseAndLoad(fonts.get(), reinterpret_cast<const FcChar8*>(name.constData()),
                              FcTrue) ||
        !FcConfigBuildFonts(fonts.get()))
        fonts.reset();
    return fonts;
}

} // namespace varelith::testing
