#include "inisettingsstore.h"

#include "numberconversion.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace varelith {

namespace {

const QString Group = QStringLiteral("setting/");

} // namespace

IniSettingsStore::IniSettingsStore()
    : IniSettingsStore(standardFilePath()) {}

IniSettingsStore::IniSettingsStore(const QString& filePath)
    : m_settings(filePath, QSettings::IniFormat) {
    // Only a whole file replaced at once: a failed write never leaves half a file.
    m_settings.setAtomicSyncRequired(true);
    const QFileInfo info(filePath);
    // A directory where the file should be, or a file we may not read: start from nothing.
    m_readable = !info.exists() || (info.isFile() && info.isReadable());
    if (m_settings.status() != QSettings::NoError)
        m_readable = false;
    m_failed = !m_readable;
}

QString IniSettingsStore::standardFilePath() {
    // The same place QSettings gives an organisation "Varelith" and application "Varelith"
    // in user scope, worked out here so that a test's XDG_CONFIG_HOME is honoured.
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return configHome + QStringLiteral("/Varelith/Varelith.ini");
}

QString IniSettingsStore::GetSetting(const QString& key, int defaultValue) const {
    const bool known = m_readable || m_savedKeys.contains(key);
    const QVariant value = known ? m_settings.value(Group + key) : QVariant();
    if (!value.isValid())
        return NumberConversion::toText(defaultValue);
    // A hand-edited line "a, b" reads back as a list; give the text the user wrote.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool IniSettingsStore::contains(const QString& key) const {
    return (m_readable || m_savedKeys.contains(key)) && m_settings.contains(Group + key);
}

void IniSettingsStore::SaveSetting(const QString& key, const QString& value) {
    const QString fullKey = Group + key;
    // Rewriting a value the file already holds would only make the next flush rewrite
    // the whole file for nothing; the store holds the value either way.
    if (m_readable && m_settings.value(fullKey) == QVariant(value))
        return;
    m_settings.setValue(fullKey, value);
    if (!m_readable)
        m_savedKeys.insert(key);
}

void IniSettingsStore::flush() {
    const QString dir = QFileInfo(m_settings.fileName()).absolutePath();
    QDir().mkpath(dir);
    m_settings.sync();
    m_failed = m_settings.status() != QSettings::NoError;
    // QSettings keeps the first error it met for good: a file that was corrupt at the
    // start reports it after every later write too. Ask the file as it is now.
    if (m_settings.status() == QSettings::FormatError)
        m_failed =
            QSettings(m_settings.fileName(), QSettings::IniFormat).status() != QSettings::NoError;
}

} // namespace varelith
