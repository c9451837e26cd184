#include "windowicon.h"

using namespace Qt::StringLiterals;

namespace varelith {

QIcon WindowIcon::icon() {
    QIcon icon;
    icon.addFile(u":/varelith/icons/varelith-16.png"_s, QSize(16, 16));
    icon.addFile(u":/varelith/icons/varelith-32.png"_s, QSize(32, 32));
    return icon;
}

} // namespace varelith
