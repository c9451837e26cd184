#include "duplicatefiles.h"

#include <QFileInfo>
#include <QSet>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <memory>

namespace varelith {

using namespace Qt::StringLiterals;

namespace {

struct PatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

QString stringOf(const FcPattern* font, const char* object) {
    FcChar8* value = nullptr;
    if (FcPatternGetString(font, object, 0, &value) != FcResultMatch)
        return {};
    return QString::fromUtf8(reinterpret_cast<const char*>(value));
}

QString versionOf(const FcPattern* font) {
    int version = 0;
    if (FcPatternGetInteger(font, FC_FONTVERSION, 0, &version) != FcResultMatch || version <= 0)
        return {};
    // The head table's revision, a 16.16 fixed-point number.
    return QString::number(double(version) / 65536.0, 'f', 3);
}

// The file fontconfig gives for the family and style: the one a program asking for them
// draws.
QString drawnFile(FcConfig* config, const QString& family, const QString& style) {
    const Pattern asked(FcPatternCreate());
    if (!asked)
        return {};
    FcPatternAddString(asked.get(), FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    FcPatternAddString(asked.get(), FC_STYLE,
                       reinterpret_cast<const FcChar8*>(style.toUtf8().constData()));
    FcConfigSubstitute(config, asked.get(), FcMatchPattern);
    FcDefaultSubstitute(asked.get());
    FcResult result = FcResultNoMatch;
    const Pattern found(FcFontMatch(config, asked.get(), &result));
    return found ? stringOf(found.get(), FC_FILE) : QString();
}

} // namespace

bool DuplicateFiles::hasDuplicates(const QString& family) {
    read();
    return m_duplicates.contains(family);
}

QList<DuplicateFiles::File> DuplicateFiles::of(const QString& family) {
    read();
    return m_duplicates.value(family);
}

void DuplicateFiles::read() {
    if (m_read)
        return;
    m_read = true;
    FcConfig* config = FcConfigReference(m_fonts);
    if (!config)
        return;
    // Family and style, each file once (a collection's faces are faces of their own).
    QHash<QString, QList<File>> byFace;
    QHash<QString, QString> familyOf;
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        const FcFontSet* fonts = FcConfigGetFonts(config, set);
        for (int i = 0; fonts && i < fonts->nfont; ++i) {
            const FcPattern* font = fonts->fonts[i];
            FcBool variable = FcFalse;
            FcPatternGetBool(font, FC_VARIABLE, 0, &variable);
            if (variable)
                continue;
            const QString family = stringOf(font, FC_FAMILY);
            const QString style = stringOf(font, FC_STYLE);
            const QString path = stringOf(font, FC_FILE);
            if (family.isEmpty() || path.isEmpty())
                continue;
            const QString key = family + u'\n' + style;
            QList<File>& files = byFace[key];
            if (std::any_of(files.cbegin(), files.cend(),
                            [&path](const File& file) { return file.path == path; }))
                continue;
            files.append({style, path, versionOf(font), false});
            familyOf.insert(key, family);
        }
    }
    for (auto face = byFace.begin(); face != byFace.end(); ++face) {
        if (face->size() < 2)
            continue;
        const QString family = familyOf.value(face.key());
        const QString drawn = drawnFile(config, family, face->first().style);
        for (File& file : *face)
            file.drawn =
                QFileInfo(file.path).canonicalFilePath() == QFileInfo(drawn).canonicalFilePath();
        m_duplicates[family].append(*face);
    }
    // Each family's faces by style; each style's files in fontconfig's order.
    for (QList<File>& files : m_duplicates)
        std::stable_sort(files.begin(), files.end(),
                         [](const File& a, const File& b) { return a.style < b.style; });
    FcConfigDestroy(config);
}

} // namespace varelith
