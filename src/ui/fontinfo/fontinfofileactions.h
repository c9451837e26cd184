#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <functional>

class QPushButton;
class QWidget;

namespace varelith {

class FontInfoWindow;
class UserFontFolder;

// The information window's インストール and 削除 buttons for the family shown. インストール
// appears for a family opened from a file this run; 削除 for any other, and moves the
// family's files to the trash when all lie in the user's font folder, else says where
// they are and why they stay. Made with the window's first family.
class FontInfoFileActions : public QObject {
    Q_OBJECT

public:
    using FamilyFiles = std::function<QStringList(const QString& family)>;
    using IsOpened = std::function<bool(const QString& family)>;
    using InstalledFonts = std::function<FcConfig*()>;
    // A yes-or-no question to the user; true for yes.
    using Confirm = std::function<bool(const QString& question)>;
    using Tell = std::function<void(const QString& message)>;
    // Each file installed, with where its copy went, once the family is done.
    using Installed =
        std::function<void(const QStringList& sourcePaths, const QStringList& installedPaths)>;
    using Removed = std::function<void(const QStringList& removedFiles)>;

    FontInfoFileActions(FontInfoWindow& window, const UserFontFolder& folder, FamilyFiles files,
                        IsOpened isOpened, InstalledFonts installedFonts, Confirm confirm,
                        Tell tell, Installed installed, Removed removed);

    // Message boxes over `parent`: the question answered いいえ unless the user says はい.
    static Confirm askInMessageBox(QWidget* parent);
    static Tell tellInMessageBox(QWidget* parent);

    // Null until the window has shown its first family.
    QPushButton* installButton() const { return m_install; }
    QPushButton* removeButton() const { return m_remove; }

    void showFamily(const QString& family);
    void installFamily();
    void removeFamily();

private:
    void build();
    // Why the files cannot be removed here; empty when they can.
    QString whyNotRemovable(const QString& family, const QStringList& files) const;

    FontInfoWindow& m_window;
    const UserFontFolder& m_folder;
    FamilyFiles m_files;
    IsOpened m_isOpened;
    InstalledFonts m_installedFonts;
    Confirm m_confirm;
    Tell m_tell;
    Installed m_installed;
    Removed m_removed;
    QString m_family;
    QPushButton* m_install = nullptr;
    QPushButton* m_remove = nullptr;
};

} // namespace varelith
