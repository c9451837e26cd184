#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>

namespace varelith {

// Tells when the fonts in a set of folders may have changed: a file or subfolder added,
// removed or renamed by any program. Changes are gathered until the folders have been
// quiet for a moment (a copy of many files is one change), and told only when some
// folder really differs from when it was last watched, so a change the program already
// followed is not told again. A folder that does not exist yet is watched through the
// nearest one above it that does.
class FontFolderWatcher : public QObject {
    Q_OBJECT

public:
    explicit FontFolderWatcher(std::chrono::milliseconds quiet = std::chrono::milliseconds(250),
                               QObject* parent = nullptr);

    // Watches these folders from now, as they are now.
    void watch(const QStringList& folders);

Q_SIGNALS:
    void changed();

private:
    void folderTouched();
    void settle();
    // Each folder's state: whether it exists and when it last changed, to the millisecond.
    QHash<QString, qint64> snapshot() const;

    QFileSystemWatcher m_watcher;
    QTimer m_quiet;
    QStringList m_folders;
    QHash<QString, qint64> m_seen;
};

} // namespace varelith
