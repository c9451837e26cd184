#pragma once

#include <QString>

namespace varelith {

// Where a window sends the user who asks what a font is: the font information window in
// the program, a stand-in in tests. The windows that ask know nothing more of it.
class FontInfoOpener {
public:
    virtual ~FontInfoOpener() = default;
    // Shows what is known of the family, and brings it to the front.
    virtual void showFamily(const QString& family) = 0;
};

} // namespace varelith
