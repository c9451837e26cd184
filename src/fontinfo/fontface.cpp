#include "fontface.h"

namespace varelith {

QFont FontFace::font(const QString& family) const {
    QFont font(family);
    // The style name picks the face in Qt's list; weight and slant asked as the face has
    // them leave Qt nothing to synthesise.
    font.setStyleName(styleName);
    font.setWeight(QFont::Weight(weight));
    font.setStyle(slant == Slant::Italic    ? QFont::StyleItalic
                  : slant == Slant::Oblique ? QFont::StyleOblique
                                            : QFont::StyleNormal);
    font.setStretch(width);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

} // namespace varelith
