#include "singlefacematch.h"

namespace varelith {

SingleFaceMatch::SingleFaceMatch(const FcPattern* face)
    : m_previous(FcConfigReference(nullptr)) {
    FcConfig* single = FcConfigCreate();
    if (!single)
        return;
    // A path that names no file gives the configuration its (empty) set of application
    // fonts without reading any font.
    FcConfigAppFontAddFile(single, reinterpret_cast<const FcChar8*>(""));
    FcFontSet* fonts = FcConfigGetFonts(single, FcSetApplication);
    FcPattern* copy = fonts ? FcPatternDuplicate(face) : nullptr;
    if (copy && !FcFontSetAdd(fonts, copy)) {
        FcPatternDestroy(copy);
        copy = nullptr;
    }
    // The configuration owns the copy from here on.
    if (!copy || !FcConfigSetCurrent(single)) {
        FcConfigDestroy(single);
        return;
    }
    m_single = single;
}

SingleFaceMatch::~SingleFaceMatch() {
    if (m_single) {
        FcConfigSetCurrent(m_previous);
        FcConfigDestroy(m_single);
    }
    if (m_previous)
        FcConfigDestroy(m_previous);
}

} // namespace varelith
