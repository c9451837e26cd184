#include "interfacefacesfirst.h"

#include "japaneseinterface.h"

#include <QByteArray>
#include <QList>

#include <fontconfig/fontconfig.h>

namespace varelith {

namespace {

const FcChar8* bytes(const char* text) {
    return reinterpret_cast<const FcChar8*>(text);
}

// Whether any of the font's family names is one of `families` (ASCII names, without regard
// to case as Qt matches them). Asked of every installed font: no conversion to QString.
bool hasFamily(const FcPattern* font, const QList<QByteArray>& families) {
    FcChar8* family = nullptr;
    for (int k = 0; FcPatternGetString(font, FC_FAMILY, k, &family) == FcResultMatch; ++k) {
        for (const QByteArray& wanted : families) {
            if (FcStrCmpIgnoreCase(family, bytes(wanted.constData())) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

InterfaceFacesFirst::InterfaceFacesFirst() {
    FcConfig* all = FcConfigReference(nullptr);
    if (!all)
        return;
    // The rules of the configuration read again (hinting, aliases, the user's own), with
    // none of its fonts: every file is refused as it is read from the caches.
    FcConfig* faces = FcConfigCreate();
    if (!faces || !FcConfigParseAndLoad(faces, nullptr, FcTrue) ||
        !FcConfigParseAndLoadFromMemory(
            faces,
            bytes("<fontconfig><selectfont><rejectfont><glob>*</glob></rejectfont>"
                  "</selectfont></fontconfig>"),
            FcTrue) ||
        !FcConfigBuildFonts(faces)) {
        if (faces)
            FcConfigDestroy(faces);
        FcConfigDestroy(all);
        return;
    }
    // A path that names no file gives the configuration its (empty) set of application
    // fonts without reading any font.
    FcConfigAppFontAddFile(faces, bytes(""));
    // The interface's faces, copied from the whole configuration as they are.
    QList<QByteArray> families;
    for (const QString& face : JapaneseInterface::gothicFaces())
        families.append(face.toUtf8());
    FcFontSet* kept = FcConfigGetFonts(faces, FcSetApplication);
    bool japanese = false;
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        const FcFontSet* fonts = FcConfigGetFonts(all, set);
        for (int i = 0; kept && fonts && i < fonts->nfont; ++i) {
            if (!hasFamily(fonts->fonts[i], families))
                continue;
            FcPattern* copy = FcPatternDuplicate(fonts->fonts[i]);
            if (!copy || !FcFontSetAdd(kept, copy)) {
                if (copy)
                    FcPatternDestroy(copy);
                continue;
            }
            FcLangSet* languages = nullptr;
            if (FcPatternGetLangSet(copy, FC_LANG, 0, &languages) == FcResultMatch &&
                FcLangSetHasLang(languages, bytes("ja")) != FcLangDifferentLang)
                japanese = true;
        }
    }
    // Without a Japanese face the interface's own text would lack its kanji, and Qt would
    // look for them through every font anyway.
    if (!japanese || !FcConfigSetCurrent(faces)) {
        FcConfigDestroy(faces);
        FcConfigDestroy(all);
        return;
    }
    m_all = all;
    m_faces = faces;
}

InterfaceFacesFirst::~InterfaceFacesFirst() {
    if (!m_faces)
        return;
    FcConfigSetCurrent(m_all);
    FcConfigDestroy(m_faces);
    FcConfigDestroy(m_all);
}

} // namespace varelith
