#include "fontfolderwatcher.h"

#include <QDir>
#include <QFileInfo>

namespace varelith {

FontFolderWatcher::FontFolderWatcher(std::chrono::milliseconds quiet, QObject* parent)
    : QObject(parent) {
    m_quiet.setSingleShot(true);
    m_quiet.setInterval(quiet);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this,
            &FontFolderWatcher::folderTouched);
    connect(&m_quiet, &QTimer::timeout, this, &FontFolderWatcher::settle);
}

void FontFolderWatcher::watch(const QStringList& folders) {
    m_folders = folders;
    QStringList watched;
    for (const QString& folder : folders) {
        // A folder not made yet shows up as a change in the one above it.
        QString existing = QDir::cleanPath(folder);
        while (!QFileInfo(existing).isDir()) {
            const QString above = QFileInfo(existing).path();
            if (above == existing)
                break;
            existing = above;
        }
        if (!watched.contains(existing))
            watched.append(existing);
    }
    // Folders watched before stay watched, so that a change not yet heard of is still heard.
    QStringList gone;
    for (const QString& before : m_watcher.directories())
        if (!watched.contains(before))
            gone.append(before);
    if (!gone.isEmpty())
        m_watcher.removePaths(gone);
    QStringList added;
    for (const QString& folder : std::as_const(watched))
        if (!m_watcher.directories().contains(folder))
            added.append(folder);
    if (!added.isEmpty())
        m_watcher.addPaths(added);
    m_seen = snapshot();
}

void FontFolderWatcher::folderTouched() {
    m_quiet.start();
}

void FontFolderWatcher::settle() {
    const QHash<QString, qint64> now = snapshot();
    if (now == m_seen)
        return;
    m_seen = now;
    Q_EMIT changed();
}

QHash<QString, qint64> FontFolderWatcher::snapshot() const {
    QHash<QString, qint64> state;
    // The folders above missing ones count too: the one that appears is their change.
    for (const QString& folder : m_folders) {
        QFileInfo info(folder);
        state.insert(folder, info.isDir() ? info.lastModified().toMSecsSinceEpoch() : -1);
    }
    for (const QString& watched : m_watcher.directories())
        state.insert(watched, QFileInfo(watched).lastModified().toMSecsSinceEpoch());
    return state;
}

} // namespace varelith
