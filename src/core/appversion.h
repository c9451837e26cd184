#pragma once

#include <QString>

namespace varelith {

// The program's version numbers, as the version box shows them.
class AppVersion {
public:
    static int Major();
    static int Minor();
    static int Revision();

    // "Varelith Ver." major "." minor revision, with nothing between minor and revision:
    // 1.0.0 gives "Varelith Ver.1.00", 1.2.15 gives "Varelith Ver.1.215".
    static QString prompt(int major, int minor, int revision);
    static QString prompt();
};

} // namespace varelith
