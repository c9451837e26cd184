#pragma once

#include "fontsource.h"

namespace varelith {

// The fonts installed on this machine, as Qt's font database lists their families.
class SystemFontSource : public FontSource {
public:
    QStringList families() const override;
};

} // namespace varelith
