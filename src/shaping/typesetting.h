#pragma once

#include "featuresettings.h"
#include "latinpairing.h"
#include "variationsettings.h"

#include <QString>

namespace varelith {

class SettingsStore;

// How the sheet's samples are set: 横書き or 縦書き, the features switched, the values
// of the registered axes and the Latin font paired with the Japanese ones (和欧混植). Plain
// (横書き, nothing switched, nothing paired) is the sheet as it always was.
struct Typesetting {
    bool vertical = false;
    FeatureSettings features;
    VariationSettings axes;
    LatinPairing pairing;

    bool isPlain() const {
        return !vertical && features.isEmpty() && axes.isEmpty() && !pairing.isActive();
    }
    friend bool operator==(const Typesetting&, const Typesetting&) = default;

    // Under keys of their own: writing_Sheet ("vertical" or "horizontal"), features_Sheet
    // ("+palt,-kern"), axes_Sheet ("wght=700"), and the pairing's own (LatinPairing). An
    // absent or unreadable key is the default.
    static Typesetting load(const SettingsStore& store);
    // Into the store only: writing it to the disk is the caller's flush.
    void save(SettingsStore& store) const;

    // The note a line gets for the switched-on features its face lacks: "palt 非対応".
    static QString missingNote(const QStringList& tags);
};

} // namespace varelith
