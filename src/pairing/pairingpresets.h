#pragma once

#include "pairingpreset.h"

#include <QList>

namespace varelith {

class SettingsStore;

// The pairings the user kept, in the order they were first saved, each name once. Kept in
// the settings store under a key of their own, presets_Pairing, as one JSON array: the
// store has no way to list keys, and one value is written or not as a whole.
class PairingPresets {
public:
    static const QString SettingKey;

    // What the store holds; an absent or unreadable value is none, an entry without a name
    // or families is passed over, numbers are held to the pairing's ranges.
    static PairingPresets load(const SettingsStore& store);
    // Into the store only: writing it to the disk is the caller's flush.
    void save(SettingsStore& store) const;

    const QList<PairingPreset>& presets() const { return m_presets; }
    const PairingPreset* find(const QString& name) const;
    // A new name goes last; a name kept already is replaced in its place.
    void put(const PairingPreset& preset);
    void remove(const QString& name);

private:
    QList<PairingPreset> m_presets;
};

} // namespace varelith
