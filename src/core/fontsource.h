#pragma once

#include <QStringList>

namespace varelith {

// The installed fonts as the platform lists them: family names in the platform's order.
class FontSource {
public:
    virtual ~FontSource() = default;
    // Read once per catalogue build; stable for the length of that build.
    virtual QStringList families() const = 0;
};

} // namespace varelith
