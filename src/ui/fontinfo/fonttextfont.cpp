#include "fonttextfont.h"

#include "facedrawing.h"

#include <QStringView>

namespace varelith {

bool FontTextFont::covers(const FcCharSet* characters, const QString& text) {
    if (!characters)
        return false;
    for (const char32_t character : QStringView(text).toUcs4()) {
        const QChar::Category category = QChar::category(character);
        if (category == QChar::Other_Control || category == QChar::Other_Format)
            continue;
        if (!FcCharSetHasChar(characters, FcChar32(character)))
            return false;
    }
    return true;
}

QFont FontTextFont::choose(const QString& text, const QFont& interfaceFont,
                           const FcPattern* interfaceFace, const FaceDrawing* face) {
    FcCharSet* characters = nullptr;
    if (interfaceFace &&
        FcPatternGetCharSet(interfaceFace, FC_CHARSET, 0, &characters) == FcResultMatch &&
        covers(characters, text)) {
        QFont font = interfaceFont;
        font.setStyleStrategy(QFont::NoFontMerging);
        return font;
    }
    if (face && covers(face->characters(), text)) {
        QFont font = face->font();
        font.setPointSizeF(interfaceFont.pointSizeF() > 0 ? interfaceFont.pointSizeF() : 9);
        font.setHintingPreference(interfaceFont.hintingPreference());
        return font;
    }
    return interfaceFont;
}

} // namespace varelith
