#include "fontconfigface.h"

#include <fontconfig/fontconfig.h>

namespace varelith {

FaceRef FontconfigFace::match(const QString& family, const QString& language) {
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY,
                       reinterpret_cast<const FcChar8*>(family.toUtf8().constData()));
    if (!language.isEmpty())
        FcPatternAddString(pattern, FC_LANG,
                           reinterpret_cast<const FcChar8*>(language.toUtf8().constData()));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    FaceRef face;
    FcChar8* file = nullptr;
    if (found && FcPatternGetString(found, FC_FILE, 0, &file) == FcResultMatch) {
        face.file = QString::fromUtf8(reinterpret_cast<const char*>(file));
        FcPatternGetInteger(found, FC_INDEX, 0, &face.index);
    }
    if (found)
        FcPatternDestroy(found);
    return face;
}

} // namespace varelith
