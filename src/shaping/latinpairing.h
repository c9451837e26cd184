#pragma once

#include <QString>

namespace varelith {

class SettingsStore;

// 和欧混植 on the sheet: the Latin letters, digits and Latin punctuation of every sample set
// in a Latin font chosen to go with the Japanese one, scaled and raised so that the two
// sit well together.
//   EachLine: every line's own font with one Latin font, `latinFamily` in `latinStyle`.
//   Partners: one Japanese font, `japaneseFamily`, with each line's font as its Latin
//             partner: the sheet of ticked Latin fonts becomes the choice of a partner.
struct LatinPairing {
    enum class Mode { None, EachLine, Partners };
    static constexpr int MinScale = 50;
    static constexpr int MaxScale = 200;
    static constexpr double MaxShift = 50;

    Mode mode = Mode::None;
    QString latinFamily;
    QString latinStyle; // the face's style name as the family lists it; empty: its plain face
    QString japaneseFamily;
    int scalePercent = 100;  // of the line's size, MinScale to MaxScale
    double shiftPercent = 0; // of the line's em, upwards; -MaxShift to MaxShift

    // Whether the sheet pairs anything: a mode with the family it needs.
    bool isActive() const;
    friend bool operator==(const LatinPairing&, const LatinPairing&) = default;

    // The note beside each name: "欧文 Varelith Latin Bold 90% +2%" (the scale and the shift
    // when they are not 100% and 0) or "和文 試験書体".
    QString note() const;

    // Under keys of their own: pairing_Sheet ("each", "partners" or "none"),
    // latinFamily_Sheet, latinStyle_Sheet, latinScale_Sheet, latinShift_Sheet,
    // japaneseFamily_Sheet. An absent or unreadable key is the default; a number outside
    // its range is held to it.
    static LatinPairing load(const SettingsStore& store);
    // Into the store only: writing it to the disk is the caller's flush.
    void save(SettingsStore& store) const;

    // The values held to their ranges.
    LatinPairing bounded() const;
};

} // namespace varelith
