#pragma once

#include <QString>

namespace varelith {

// The per-user store of text values, all under application "Varelith", section "setting".
// Windows and the catalogue get one handed in, so tests can hand in their own.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or the default written as decimal text when the key is absent.
    virtual QString GetSetting(const QString& key, int defaultValue) const = 0;
    // Whether the key holds a stored value, so that a stored text equal to the default
    // tells apart from an absent key.
    virtual bool contains(const QString& key) const = 0;
    // Stores the text, replacing any earlier value. It may stay in memory until flush().
    virtual void SaveSetting(const QString& key, const QString& value) = 0;
    // Writes what was saved to the disk in one go. A store that cannot be written keeps
    // the values for this session and the program goes on.
    virtual void flush() = 0;
};

} // namespace varelith
