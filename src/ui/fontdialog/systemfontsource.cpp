#include "systemfontsource.h"

#include <QFontDatabase>

namespace varelith {

QStringList SystemFontSource::families() const {
    return QFontDatabase::families();
}

} // namespace varelith
