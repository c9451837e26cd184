#pragma once

#include "settingsproblem.h"
#include "settingsstore.h"

#include <QHash>
#include <QSettings>

#include <array>
#include <memory>

namespace varelith {

// The settings store as an INI file, by default $XDG_CONFIG_HOME/Varelith/Varelith.ini.
// A file that cannot be read (a directory in its place, no permission) reads as empty, so
// every value is its default; one that cannot be written keeps this session's values in
// memory, and the next flush tries again. A damaged file is copied beside itself as
// Varelith.ini.damaged before anything is written, and what can be read of it is used.
// Neither stops the program; each is told to the observer, if one is handed in.
class IniSettingsStore : public SettingsStore {
public:
    // The user's own store.
    IniSettingsStore();
    // A store in the given file, for tests and tools.
    explicit IniSettingsStore(const QString& filePath);
    IniSettingsStore(const QString& filePath, SettingsProblemObserver observer);
    ~IniSettingsStore() override;

    static QString standardFilePath();
    static QString damagedCopyPath(const QString& filePath);

    QString GetSetting(const QString& key, int defaultValue) const override;
    bool contains(const QString& key) const override;
    // Every call reaches the file at the next flush, even a value the file already holds:
    // another instance may have written something else in between.
    void SaveSetting(const QString& key, const QString& value) override;
    void flush() override;

    QString filePath() const { return m_path; }

private:
    void readDamagedFile();
    bool keepDamagedCopy() const;
    bool roomFor(qint64 bytes) const;
    bool lastSyncWrote(bool statusWasClean) const;
    bool fileLooksWhole(qint64 leastSize) const;
    void handEverythingOverAgain();
    SettingsProblem::Reason whyNotWritten() const;
    void report(SettingsProblem::Kind kind, SettingsProblem::Reason reason) const;

    QString m_path;
    SettingsProblemObserver m_observer;
    std::unique_ptr<QSettings> m_settings;
    // Values saved since the last flush. QSettings gets them only when they are written at
    // once: it writes what it holds on its own as well, unchecked.
    QHash<QString, QString> m_pending;
    // At most how many bytes the values QSettings holds and the file lacks take on disk.
    qint64 m_unsavedBytes = 0;
    bool m_damagedNotKept = false;
    // A damaged file is written over at the next flush, even when nothing was saved.
    bool m_rewrite = false;
    // The file's identity and times when it last held what this store wrote or read.
    std::array<qint64, 6> m_knownStamp{};
};

} // namespace varelith
