#pragma once

#include "settingsstore.h"

#include <QSet>
#include <QSettings>

namespace varelith {

// The settings store as an INI file, by default $XDG_CONFIG_HOME/Varelith/Varelith.ini.
// A file that cannot be read (corrupt, a directory in its place, no permission) reads as
// empty, so every value is its default; one that cannot be written keeps this session's
// values in memory. Neither stops the program.
class IniSettingsStore : public SettingsStore {
public:
    // The user's own store.
    IniSettingsStore();
    // A store in the given file, for tests and tools.
    explicit IniSettingsStore(const QString& filePath);

    static QString standardFilePath();

    QString GetSetting(const QString& key, int defaultValue) const override;
    bool contains(const QString& key) const override;
    void SaveSetting(const QString& key, const QString& value) override;
    void flush() override;

    QString filePath() const { return m_settings.fileName(); }
    // Whether the last read or flush of the file went wrong.
    bool hasFailed() const { return m_failed; }

private:
    QSettings m_settings;
    // False when the file could not be read at start: only this session's values count.
    bool m_readable = true;
    QSet<QString> m_savedKeys;
    bool m_failed = false;
};

} // namespace varelith
