#include "windowicon.h"

using namespace Qt::StringLiterals;

namespace varelith {

QIcon WindowIcon::icon() {
    QIcon bundled;
    bundled.addFile(u":/varelith/icons/varelith-16.png"_s, QSize(16, 16));
    bundled.addFile(u":/varelith/icons/varelith-32.png"_s, QSize(32, 32));
    // Installed, the theme's copy under the desktop entry's name; the bundled images
    // otherwise, as when run from the build tree.
    return QIcon::fromTheme(u"io.github.varelith.Varelith"_s, bundled);
}

} // namespace varelith
