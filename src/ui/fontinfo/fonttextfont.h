#pragma once

#include <QFont>
#include <QString>

#include <fontconfig/fontconfig.h>

namespace varelith {

class FaceDrawing;

// The font a font's own text is shown in (its names, its designer, its copyright), which
// may be in any script. Qt's own search for a face to borrow missing characters from
// compares every installed family with every other, the first time a script is met: at
// thousands of fonts it takes seconds. So the text is shown in the interface's face if
// that has all its characters, else in the face it describes if that has them, and only
// else left to Qt's search.
class FontTextFont {
public:
    // `interfaceFace`: the interface face's pattern; null when unknown.
    static QFont choose(const QString& text, const QFont& interfaceFont,
                        const FcPattern* interfaceFace, const FaceDrawing* face);
    static bool covers(const FcCharSet* characters, const QString& text);
};

} // namespace varelith
