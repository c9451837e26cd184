#pragma once

#include "pairingpreset.h"
#include "webfacefacts.h"

#include <QString>

class QWidget;

namespace varelith {

class CssFileChooser;

// A pairing as the CSS a web page needs to set a text the same way: an @font-face rule for
// each font under one family name of the pairing's own, the Latin one limited by
// unicode-range to the characters the sheet sets in it wherever they stand and scaled by
// size-adjust, its rise given to ascent-override and descent-override and, since those
// only make room and move no letter, as a note with the rule that moves them; then the
// font-family list. The page's text is found by local() names, or by the files beside it.
class PairingCss {
public:
    static QString text(const PairingPreset& preset, const WebFaceFacts& japanese,
                        const WebFaceFacts& latin);
    // The Latin part's characters: "U+0020-007E, U+00AA, ...".
    static QString latinUnicodeRange();
    // The pairing's own family name in the CSS: "試験書体 00007 + Varelith Latin".
    static QString familyName(const PairingPreset& preset);

    enum class Written { Yes, Cancelled, Failed };
    // Asks `chooser` where, then writes `css` there in UTF-8.
    static Written write(const QString& css, const QString& suggested, CssFileChooser& chooser,
                         QWidget* parent, QString* file = nullptr);
};

} // namespace varelith
