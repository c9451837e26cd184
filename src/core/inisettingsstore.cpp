#include "inisettingsstore.h"

#include "numberconversion.h"

#include <QByteArrayView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryFile>

#include <sys/stat.h>
#include <sys/statvfs.h>

namespace varelith {

using namespace Qt::StringLiterals;

namespace {

const QString Group = QStringLiteral("setting/");

// Blocks asked for beyond the file and its entries: the lock file, the last block of the
// new file and room for the folder to grow.
constexpr qint64 SpareBlocks = 4;

// The most bytes QSettings writes for one entry: no character of the key or the value
// takes more than six ("%U4E00", "\x1f"), "=", quotes and the line end a few more.
qint64 entryBound(const QString& key, const QString& value) {
    return 6 * (key.size() + value.size()) + 4;
}

// Which file is at the path and when it last changed: a new file put in its place has a
// new inode, a file written in place new times.
std::array<qint64, 6> stampOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return {};
    return {qint64(info.st_ino),         qint64(info.st_size),
            qint64(info.st_mtim.tv_sec), qint64(info.st_mtim.tv_nsec),
            qint64(info.st_ctim.tv_sec), qint64(info.st_ctim.tv_nsec)};
}

// Whether anything of the "setting" group was read. Every file this program writes holds
// one of the first three keys; a hand-made one may hold others, looked for at more cost.
bool holdsSettings(const QSettings& settings) {
    for (const QString& key : {u"name_Font1"_s, u"flg_Font1"_s, u"size_Font"_s}) {
        if (settings.contains(Group + key))
            return true;
    }
    return settings.childGroups().contains(u"setting"_s);
}

// Whether a line of an INI file ends where it seems to. A quote left open, or a backslash
// at the end, makes QSettings read on and swallow the lines after it.
bool standsAlone(QByteArrayView line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '\\') {
            if (++i == line.size())
                return false;
        } else if (line[i] == '"') {
            quoted = !quoted;
        }
    }
    return !quoted;
}

// The settings a damaged file still holds when read line by line, keeping only section
// headers and entries that stand alone.
QHash<QString, QString> salvagedSettings(const QByteArray& bytes) {
    QByteArray kept;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if ((line.startsWith('[') || line.indexOf('=') > 0) && standsAlone(line))
            kept += line + '\n';
    }
    QTemporaryFile file;
    if (!file.open() || file.write(kept) != kept.size() || !file.flush())
        return {};
    QSettings salvage(file.fileName(), QSettings::IniFormat);
    salvage.beginGroup(QStringLiteral("setting"));
    QHash<QString, QString> values;
    for (const QString& key : salvage.childKeys()) {
        const QVariant value = salvage.value(key);
        values.insert(key, value.typeId() == QMetaType::QStringList
                               ? value.toStringList().join(QStringLiteral(", "))
                               : value.toString());
    }
    return values;
}

} // namespace

IniSettingsStore::IniSettingsStore()
    : IniSettingsStore(standardFilePath()) {}

IniSettingsStore::IniSettingsStore(const QString& filePath)
    : IniSettingsStore(filePath, SettingsProblemObserver()) {}

IniSettingsStore::IniSettingsStore(const QString& filePath, SettingsProblemObserver observer)
    : m_path(filePath)
    , m_observer(std::move(observer)) {
    const QFileInfo info(filePath);
    // A directory where the file should be, or a file we may not read: start from nothing.
    const bool unreadable = info.exists() && !(info.isFile() && info.isReadable());
    // QSettings keeps the first error it meets for good, and the store reads from its
    // status whether a write worked. So a first object meets a damaged file, and the
    // store's own, made while the first still holds the file, shares what it read.
    QSettings firstLook(filePath, QSettings::IniFormat);
    bool damaged = false;
    if (!unreadable && info.size() > 0) {
        // Reads every section, so that a format error anywhere shows in the status.
        firstLook.childKeys();
        damaged = firstLook.status() != QSettings::NoError || !holdsSettings(firstLook);
    }
    m_settings = std::make_unique<QSettings>(filePath, QSettings::IniFormat);
    // Where the folder takes no new file to replace the old one with, write in place.
    m_settings->setAtomicSyncRequired(false);
    m_knownStamp = stampOf(filePath);
    m_rewrite = damaged;
    if (damaged)
        readDamagedFile();
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::standardFilePath() {
    // The same place QSettings gives an organisation "Varelith" and application "Varelith"
    // in user scope, worked out here so that a test's XDG_CONFIG_HOME is honoured.
    const QString configHome =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return configHome + QStringLiteral("/Varelith/Varelith.ini");
}

QString IniSettingsStore::damagedCopyPath(const QString& filePath) {
    return filePath + QStringLiteral(".damaged");
}

QString IniSettingsStore::GetSetting(const QString& key, int defaultValue) const {
    if (const auto pending = m_pending.constFind(key); pending != m_pending.cend())
        return *pending;
    const QVariant value = m_settings->value(Group + key);
    if (!value.isValid())
        return NumberConversion::toText(defaultValue);
    // A hand-edited line "a, b" reads back as a list; give the text the user wrote.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(QStringLiteral(", "));
    return value.toString();
}

bool IniSettingsStore::contains(const QString& key) const {
    return m_pending.contains(key) || m_settings->contains(Group + key);
}

void IniSettingsStore::SaveSetting(const QString& key, const QString& value) {
    m_pending.insert(key, value);
}

void IniSettingsStore::flush() {
    if (m_damagedNotKept) {
        if (!keepDamagedCopy())
            return;
        m_damagedNotKept = false;
    }
    if (m_pending.isEmpty() && m_unsavedBytes == 0 && !m_rewrite)
        return;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    qint64 bytes = m_unsavedBytes;
    qint64 leastSize = 0;
    for (auto entry = m_pending.cbegin(); entry != m_pending.cend(); ++entry) {
        bytes += entryBound(entry.key(), entry.value());
        leastSize += entry.key().size() + 2;
    }
    // On a full disk Qt 6.4 leaves a cut file in place of the old one and reports success,
    // so a write that may not fit is not begun.
    if (!roomFor(bytes)) {
        report(SettingsProblem::Kind::NotSaved, SettingsProblem::Reason::NoSpace);
        return;
    }
    for (auto entry = m_pending.cbegin(); entry != m_pending.cend(); ++entry)
        m_settings->setValue(Group + entry.key(), entry.value());
    m_pending.clear();
    // QSettings writes only when handed something; what it read of the damaged file is
    // all it needs to write in its place. The file's size is counted in the room asked for.
    if (m_rewrite) {
        for (const QString& key : m_settings->allKeys())
            m_settings->setValue(key, m_settings->value(key));
    }
    m_unsavedBytes = bytes;
    const bool statusWasClean = m_settings->status() == QSettings::NoError;
    m_settings->sync();
    const bool wrote = lastSyncWrote(statusWasClean);
    if (!wrote || !fileLooksWhole(leastSize)) {
        // QSettings keeps what it could not write for the next sync; what it cut short it
        // believes written, so it gets everything once more.
        if (wrote)
            handEverythingOverAgain();
        report(SettingsProblem::Kind::NotSaved, whyNotWritten());
        return;
    }
    m_unsavedBytes = 0;
    m_rewrite = false;
    m_knownStamp = stampOf(m_path);
    if (m_settings->status() != QSettings::NoError) {
        // A new object with a clean status for the next write. Nothing is waiting to be
        // written now, so making it writes nothing.
        auto fresh = std::make_unique<QSettings>(m_path, QSettings::IniFormat);
        fresh->setAtomicSyncRequired(false);
        m_settings = std::move(fresh);
    }
}

bool IniSettingsStore::roomFor(qint64 bytes) const {
    struct statvfs disk {};
    const QByteArray folder = QFile::encodeName(QFileInfo(m_path).absolutePath());
    // A folder that cannot be asked is left to the write to find out about.
    if (::statvfs(folder.constData(), &disk) != 0)
        return true;
    const qint64 block = qint64(disk.f_frsize);
    return qint64(disk.f_bavail) * block >= QFileInfo(m_path).size() + bytes + SpareBlocks * block;
}

bool IniSettingsStore::fileLooksWhole(qint64 leastSize) const {
    // Every entry written takes its key, "=" and a line end; the last line ends.
    QFile file(m_path);
    char last = 0;
    return file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) && file.size() >= leastSize &&
           file.seek(file.size() - 1) && file.getChar(&last) && last == '\n';
}

void IniSettingsStore::handEverythingOverAgain() {
    m_unsavedBytes = 0;
    for (const QString& key : m_settings->allKeys()) {
        const QVariant value = m_settings->value(key);
        m_settings->setValue(key, value);
        m_unsavedBytes += entryBound(key, value.toString());
    }
}

bool IniSettingsStore::lastSyncWrote(bool statusWasClean) const {
    const QSettings::Status status = m_settings->status();
    if (status == QSettings::NoError)
        return true;
    if (statusWasClean && status == QSettings::AccessError)
        return false;
    // An earlier error hides this sync's own outcome: the file tells whether it was written.
    return stampOf(m_path) != m_knownStamp;
}

void IniSettingsStore::readDamagedFile() {
    m_damagedNotKept = !keepDamagedCopy();
    QFile file(m_path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // What QSettings read stands; the lines it swallowed are added to it.
    const QHash<QString, QString> salvaged = salvagedSettings(bytes);
    for (auto entry = salvaged.cbegin(); entry != salvaged.cend(); ++entry) {
        if (!m_settings->contains(Group + entry.key()))
            SaveSetting(entry.key(), entry.value());
    }
    report(m_damagedNotKept ? SettingsProblem::Kind::DamagedNotKept
                            : SettingsProblem::Kind::Damaged,
           SettingsProblem::Reason::None);
}

bool IniSettingsStore::keepDamagedCopy() const {
    // Nothing left to keep once the file is gone; a copy from an earlier session gives way
    // to the file as it is now.
    if (!QFileInfo::exists(m_path))
        return true;
    const QString copy = damagedCopyPath(m_path);
    QFile::remove(copy);
    return QFile::copy(m_path, copy);
}

SettingsProblem::Reason IniSettingsStore::whyNotWritten() const {
    using Reason = SettingsProblem::Reason;
    const QFileInfo file(m_path);
    if (file.isDir())
        return Reason::InTheWay;
    // The nearest part of the folder's path that exists has to be a folder.
    QFileInfo nearest(file.absolutePath());
    while (!nearest.exists() && !nearest.isRoot())
        nearest = QFileInfo(nearest.absolutePath());
    if (!nearest.isDir())
        return Reason::InTheWay;
    // QSettings opens an existing file for reading and writing.
    if (file.exists() ? !(file.isReadable() && file.isWritable()) : !nearest.isWritable())
        return Reason::NoPermission;
    // A write that failed with less room left than the file takes again was most likely
    // stopped by the full disk.
    return roomFor(file.size()) ? Reason::Unknown : Reason::NoSpace;
}

void IniSettingsStore::report(SettingsProblem::Kind kind, SettingsProblem::Reason reason) const {
    if (m_observer)
        m_observer(SettingsProblem{kind, reason, m_path});
}

} // namespace varelith
