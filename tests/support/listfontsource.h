#pragma once

#include "fontsource.h"

namespace varelith::testing {

// A fixed list of font families, counting how often it was read.
class ListFontSource : public FontSource {
public:
    explicit ListFontSource(QStringList families = {})
        : names(std::move(families)) {}
    QStringList families() const override {
        ++reads;
        return names;
    }

    QStringList names;
    mutable int reads = 0;
};

} // namespace varelith::testing
