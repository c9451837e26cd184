#pragma once

#include <QString>
#include <QStringList>

#include <fontconfig/fontconfig.h>

namespace varelith {

// The user's own font folder as fontconfig reads it: $XDG_DATA_HOME/fonts, by default
// ~/.local/share/fonts. Fonts are installed into it by copying, never overwriting, and
// leave it only for the desktop's trash: nothing here deletes a file.
class UserFontFolder {
public:
    // How the same font already installed compares with the file: by the head table's
    // revision, then by the name table's version string.
    enum class Comparison {
        NotInstalled,
        Same,
        InstalledOlder,
        InstalledNewer,
    };
    enum class Outcome {
        Ready,            // looked at, nothing written yet
        Installed,        // copied into the folder
        AlreadyInstalled, // the same version is installed: nothing written
        Refused,          // not a font that may be opened
        Failed,           // the copy could not be written
    };
    struct InstallResult {
        Outcome outcome = Outcome::Refused;
        Comparison comparison = Comparison::NotInstalled;
        QString family;           // the file's first face's
        QString version;          // the file's, as a user reads it
        QString installedVersion; // the other installed version's; empty if none
        QString installedFile;    // the file that gives it
        QString installedPath;    // where the copy went (Installed)
        QString message;          // for the user, in Japanese
    };
    struct RemoveResult {
        QStringList removed; // moved to the trash
        QStringList failed;  // still where they were
        QString message;
        bool succeeded() const { return failed.isEmpty() && !removed.isEmpty(); }
    };

    // The folder fontconfig reads for this user, from the environment.
    UserFontFolder();
    explicit UserFontFolder(QString path);

    const QString& path() const { return m_path; }

    // What installing would do, without writing: refused, already installed, or ready
    // with how another version of it compares. `installedFonts`: the configuration of
    // the installed fonts (its system set is read; opened files are no installed fonts).
    InstallResult examine(const QString& sourcePath, FcConfig* installedFonts) const;
    // Copies the file into the folder unless the same version is installed. A name taken
    // gets a number ("Name-2.otf"); the copy is written under a hidden name and renamed,
    // so fontconfig never reads half a font.
    InstallResult install(const QString& sourcePath, FcConfig* installedFonts) const;
    // The same for a file examined before: copied in if `examined` found it ready.
    InstallResult install(const QString& sourcePath, InstallResult examined) const;

    // Whether the file lies in this folder or a folder of it, itself and where it leads
    // (a link out of the folder does not count, nor a link into it from outside).
    bool contains(const QString& file) const;
    // Whether there are files and every one lies in this folder.
    bool canRemove(const QStringList& files) const;
    // Each file to the desktop's trash, when all may be removed.
    RemoveResult remove(const QStringList& files) const;

    // "~/.local/share/fonts" for the user's home, as the folder is shown.
    QString displayPath() const { return shownPath(m_path); }
    // A path as the user reads it: the home as "~".
    static QString shownPath(const QString& path);

private:
    QString copyIn(const QString& sourcePath, QString& error) const;

    QString m_path;
};

} // namespace varelith
