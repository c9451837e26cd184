#pragma once

#include <QIcon>

namespace varelith {

// The program's icon, one 16 x 16 and one 32 x 32 image, worn by both windows.
class WindowIcon {
public:
    static QIcon icon();
};

} // namespace varelith
