#pragma once

#include <QString>

namespace varelith {

// A pairing kept under a name: the Japanese family, the Latin family and style paired with
// it, the Latin size and its rise, as the user set them on the sheet.
struct PairingPreset {
    QString name;
    QString japaneseFamily;
    QString latinFamily;
    QString latinStyle; // empty: the family's plain face
    int scalePercent = 100;
    double shiftPercent = 0;
    friend bool operator==(const PairingPreset&, const PairingPreset&) = default;
};

} // namespace varelith
