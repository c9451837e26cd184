#include "fontconfiguration.h"

#include "userfontfolder.h"

#include <QFile>
#include <QFileInfo>

#include <fontconfig/fontconfig.h>

namespace varelith {

namespace {

void appendAll(FcStrList* list, QStringList& folders) {
    if (!list)
        return;
    while (const FcChar8* folder = FcStrListNext(list)) {
        const QString path = QFile::decodeName(reinterpret_cast<const char*>(folder));
        if (!folders.contains(path))
            folders.append(path);
    }
    FcStrListDone(list);
}

} // namespace

FontConfiguration::FontConfiguration(FcConfig* initial, Maker maker)
    : m_config(FcConfigReference(initial))
    , m_maker(std::move(maker)) {}

FontConfiguration::~FontConfiguration() {
    if (m_config)
        FcConfigDestroy(m_config);
}

bool FontConfiguration::reload() {
    FcConfig* const made = m_maker ? m_maker() : nullptr;
    if (!made)
        return false;
    for (const QString& path : std::as_const(m_openedInOrder)) {
        const QByteArray file = QFile::encodeName(path);
        FcConfigAppFontAddFile(made, reinterpret_cast<const FcChar8*>(file.constData()));
    }
    // Whoever read the last one holds its own reference until handed this one.
    if (m_config)
        FcConfigDestroy(m_config);
    m_config = made;
    return true;
}

bool FontConfiguration::open(const QString& path) {
    if (m_opened.contains(path))
        return true;
    const QByteArray file = QFile::encodeName(path);
    if (!m_config ||
        !FcConfigAppFontAddFile(m_config, reinterpret_cast<const FcChar8*>(file.constData())))
        return false;
    m_opened.insert(path);
    m_openedInOrder.append(path);
    return true;
}

void FontConfiguration::forget(const QString& path) {
    m_opened.remove(path);
    m_openedInOrder.removeAll(path);
}

bool FontConfiguration::isInstalled(const QString& path) const {
    const QFileInfo wanted(path);
    const QString canonical = wanted.canonicalFilePath();
    const QByteArray name = QFile::encodeName(wanted.fileName());
    const FcFontSet* fonts = m_config ? FcConfigGetFonts(m_config, FcSetSystem) : nullptr;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcChar8* file = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FILE, 0, &file) != FcResultMatch)
            continue;
        // The file name first: a string comparison, no file system asked.
        const QByteArray installed(reinterpret_cast<const char*>(file));
        if (!installed.endsWith(name))
            continue;
        if (QFileInfo(QFile::decodeName(installed)).canonicalFilePath() == canonical)
            return true;
    }
    return false;
}

QStringList FontConfiguration::folders() const {
    QStringList folders;
    if (m_config) {
        appendAll(FcConfigGetConfigDirs(m_config), folders);
        appendAll(FcConfigGetFontDirs(m_config), folders);
    }
    const QString user = UserFontFolder().path();
    if (!folders.contains(user))
        folders.append(user);
    return folders;
}

} // namespace varelith
