#include "fontinfofileactions.h"

#include "fontinfowindow.h"
#include "userfontfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace varelith {

FontInfoFileActions::FontInfoFileActions(FontInfoWindow& window, const UserFontFolder& folder,
                                         FamilyFiles files, IsOpened isOpened,
                                         InstalledFonts installedFonts, Confirm confirm, Tell tell,
                                         Installed installed, Removed removed)
    : m_window(window)
    , m_folder(folder)
    , m_files(std::move(files))
    , m_isOpened(std::move(isOpened))
    , m_installedFonts(std::move(installedFonts))
    , m_confirm(std::move(confirm))
    , m_tell(std::move(tell))
    , m_installed(std::move(installed))
    , m_removed(std::move(removed)) {
    connect(&window, &FontInfoWindow::familyChanged, this,
            [this](const QString& family) { showFamily(family); });
}

FontInfoFileActions::Confirm FontInfoFileActions::askInMessageBox(QWidget* parent) {
    return [parent](const QString& question) {
        return QMessageBox::question(parent, u"フォント情報"_s, question,
                                     QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No) == QMessageBox::Yes;
    };
}

FontInfoFileActions::Tell FontInfoFileActions::tellInMessageBox(QWidget* parent) {
    return [parent](const QString& message) {
        QMessageBox::information(parent, u"フォント情報"_s, message);
    };
}

void FontInfoFileActions::build() {
    if (m_install)
        return;
    // The window's tabs and the details page already use I and D.
    m_install = new QPushButton(u"インストール(&F)"_s);
    m_install->setObjectName(u"cmd_Install"_s);
    m_install->setAccessibleName(u"インストール"_s);
    m_remove = new QPushButton(u"削除(&W)..."_s);
    m_remove->setObjectName(u"cmd_Remove"_s);
    m_remove->setAccessibleName(u"削除"_s);
    m_window.addFamilyButton(m_install);
    m_window.addFamilyButton(m_remove);
    connect(m_install, &QPushButton::clicked, this, &FontInfoFileActions::installFamily);
    connect(m_remove, &QPushButton::clicked, this, &FontInfoFileActions::removeFamily);
}

void FontInfoFileActions::showFamily(const QString& family) {
    build();
    m_family = family;
    const bool opened = m_isOpened(family);
    m_install->setVisible(opened);
    m_install->setToolTip(
        u"このファミリーのファイルを %1 にコピーし、ほかのアプリケーションでも使えるようにします。"_s
            .arg(m_folder.displayPath()));
    m_install->setAccessibleDescription(m_install->toolTip());
    // A font opened from a file is not installed: there is nothing to remove.
    m_remove->setVisible(!opened);
    // The button stays usable for every installed family, so that the keyboard and a
    // screen reader reach it; a family that cannot be removed here says why, in the
    // description beforehand and in a message when pressed.
    const QString refusal = whyNotRemovable(family, m_files(family));
    m_remove->setToolTip(refusal.isEmpty() ? u"このファミリーのファイルをごみ箱に移します。"_s
                                           : refusal);
    m_remove->setAccessibleDescription(m_remove->toolTip());
}

QString FontInfoFileActions::whyNotRemovable(const QString& family,
                                             const QStringList& files) const {
    if (files.isEmpty())
        return u"「%1」のファイルが見つかりません。"_s.arg(family);
    const QString onlyHere =
        u"ここで削除できるのは、%1 にあるフォントだけです。"_s.arg(m_folder.displayPath());
    for (const QString& file : files) {
        if (m_folder.contains(file))
            continue;
        const QFileInfo info(file);
        if (!info.exists() && !info.isSymLink())
            return u"「%1」のファイル %2 が見つかりません。"_s.arg(family,
                                                                   UserFontFolder::shownPath(file));
        if (info.isSymLink())
            return u"「%1」のファイル %2 は %3 へのリンクのため、ここでは削除できません。%4"_s.arg(
                family, UserFontFolder::shownPath(file),
                UserFontFolder::shownPath(info.symLinkTarget()), onlyHere);
        const QString place = UserFontFolder::shownPath(info.absolutePath());
        if (!info.absoluteFilePath().startsWith(QDir::homePath() + u'/'))
            return u"「%1」は %2 にあるシステムのフォントのため、ここでは削除できません。%3"_s.arg(
                family, place, onlyHere);
        return u"「%1」のファイルは %2 にあるため、ここでは削除できません。%3"_s.arg(family, place,
                                                                                     onlyHere);
    }
    return {};
}

void FontInfoFileActions::removeFamily() {
    const QString family = m_family;
    const QStringList files = m_files(family);
    if (const QString refusal = whyNotRemovable(family, files); !refusal.isEmpty()) {
        m_tell(refusal);
        return;
    }
    QStringList names;
    for (const QString& file : files)
        names.append(QFileInfo(file).fileName());
    if (!m_confirm(u"「%1」を削除しますか？\n\n次のファイルをごみ箱に移します。"
                   u"ごみ箱から元に戻すこともできます。\n%2"_s.arg(family, names.join(u'\n'))))
        return;
    const UserFontFolder::RemoveResult result = m_folder.remove(files);
    if (!result.removed.isEmpty())
        m_removed(result.removed);
    m_tell(result.failed.isEmpty() ? u"「%1」をごみ箱に移しました。"_s.arg(family)
                                   : result.message);
}

void FontInfoFileActions::installFamily() {
    const QString family = m_family;
    const QStringList files = m_files(family);
    if (files.isEmpty()) {
        m_tell(u"「%1」のファイルが見つかりません。"_s.arg(family));
        return;
    }
    QStringList messages;
    QStringList sources;
    QStringList copies;
    for (const QString& file : files) {
        const UserFontFolder::InstallResult looked = m_folder.examine(file, m_installedFonts());
        if (looked.outcome != UserFontFolder::Outcome::Ready) {
            messages.append(looked.message);
            continue;
        }
        if (looked.comparison == UserFontFolder::Comparison::InstalledNewer &&
            !m_confirm(
                u"%1\n\n開いているのは古いバージョン（%2）です。両方がインストールされた"
                u"状態になりますが、インストールしますか？"_s.arg(looked.message, looked.version)))
            continue;
        if (looked.comparison == UserFontFolder::Comparison::InstalledOlder &&
            !m_confirm(u"%1\n\n開いている新しいバージョン（%2）をインストールしますか？"
                       u"古いバージョンは残りますので、不要ならあとで削除してください。"_s.arg(
                           looked.message, looked.version)))
            continue;
        const UserFontFolder::InstallResult result = m_folder.install(file, looked);
        if (result.outcome == UserFontFolder::Outcome::Installed) {
            sources.append(file);
            copies.append(result.installedPath);
        }
        messages.append(result.message);
    }
    // The fonts are read again once, however many files the family has.
    if (!sources.isEmpty())
        m_installed(sources, copies);
    if (!messages.isEmpty())
        m_tell(messages.join(u"\n\n"));
}

} // namespace varelith
