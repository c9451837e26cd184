#include "userfontfolder.h"

#include "facefacts.h"
#include "fontconfigfonts.h"
#include "fontfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <unistd.h>

#include <cstring>
#include <optional>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// Version strings compared as people read them: "Version 2.10" is after "Version 2.9",
// runs of digits by their value, the rest as text.
int compareVersionTexts(const QString& a, const QString& b) {
    qsizetype i = 0;
    qsizetype j = 0;
    while (i < a.size() && j < b.size()) {
        if (a.at(i).isDigit() && b.at(j).isDigit()) {
            qsizetype endA = i;
            qsizetype endB = j;
            while (endA < a.size() && a.at(endA).isDigit())
                ++endA;
            while (endB < b.size() && b.at(endB).isDigit())
                ++endB;
            // Leading zeros say nothing of the value: "007" is 7.
            QStringView digitsA = QStringView(a).sliced(i, endA - i);
            QStringView digitsB = QStringView(b).sliced(j, endB - j);
            while (digitsA.size() > 1 && digitsA.front() == u'0')
                digitsA = digitsA.sliced(1);
            while (digitsB.size() > 1 && digitsB.front() == u'0')
                digitsB = digitsB.sliced(1);
            if (digitsA.size() != digitsB.size())
                return digitsA.size() < digitsB.size() ? -1 : 1;
            if (const int order = digitsA.compare(digitsB); order != 0)
                return order < 0 ? -1 : 1;
            i = endA;
            j = endB;
            continue;
        }
        if (a.at(i) != b.at(j))
            return a.at(i) < b.at(j) ? -1 : 1;
        ++i;
        ++j;
    }
    if (a.size() - i == b.size() - j)
        return 0;
    return a.size() - i < b.size() - j ? -1 : 1;
}

struct FaceVersion {
    int revision = 0; // the head table's fontRevision, 16.16
    QString text;     // the name table's version string; may be empty

    // A version as a user reads it: the font's own string, else its revision.
    QString shown() const {
        return text.isEmpty() ? QString::number(revision / 65536.0, 'f', 3) : text;
    }
};

FaceVersion versionOf(const FcPattern* face) {
    FaceVersion version;
    FcPatternGetInteger(face, FC_FONTVERSION, 0, &version.revision);
    int index = 0;
    FcPatternGetInteger(face, FC_INDEX, 0, &index);
    version.text = FaceFacts::read(FontconfigFonts::string(face, FC_FILE), index).version;
    return version;
}

// The installed face that is the same font as `face`: by PostScript name, or else by
// family and style.
// Asked of every installed font: fontconfig's own strings compared, nothing converted.
const FcPattern* installedCounterpart(const FcPattern* face, const FcFontSet* installed) {
    if (!installed)
        return nullptr;
    const auto same = [](const char* a, const char* b) {
        return a == b || (a && b && std::strcmp(a, b) == 0);
    };
    if (const char* postscript = FontconfigFonts::raw(face, FC_POSTSCRIPT_NAME);
        postscript && *postscript)
        for (int i = 0; i < installed->nfont; ++i)
            if (same(FontconfigFonts::raw(installed->fonts[i], FC_POSTSCRIPT_NAME), postscript))
                return installed->fonts[i];
    const char* family = FontconfigFonts::raw(face, FC_FAMILY);
    const char* style = FontconfigFonts::raw(face, FC_STYLE);
    for (int i = 0; i < installed->nfont; ++i)
        if (same(FontconfigFonts::raw(installed->fonts[i], FC_FAMILY), family) &&
            same(FontconfigFonts::raw(installed->fonts[i], FC_STYLE), style))
            return installed->fonts[i];
    return nullptr;
}

UserFontFolder::Comparison compare(const FaceVersion& installed, const FaceVersion& file) {
    int order = installed.revision == file.revision ? compareVersionTexts(installed.text, file.text)
                                                    : (installed.revision < file.revision ? -1 : 1);
    if (order == 0)
        return UserFontFolder::Comparison::Same;
    return order < 0 ? UserFontFolder::Comparison::InstalledOlder
                     : UserFontFolder::Comparison::InstalledNewer;
}

} // namespace

UserFontFolder::UserFontFolder() {
    // fontconfig's own rule: XDG_DATA_HOME when set and absolute, else ~/.local/share.
    QString data = qEnvironmentVariable("XDG_DATA_HOME");
    if (data.isEmpty() || QDir::isRelativePath(data))
        data = QDir::homePath() + u"/.local/share"_s;
    m_path = QDir::cleanPath(data + u"/fonts"_s);
}

UserFontFolder::UserFontFolder(QString path)
    : m_path(QDir::cleanPath(std::move(path))) {}

QString UserFontFolder::shownPath(const QString& path) {
    const QString home = QDir::homePath();
    if (path.startsWith(home + u'/'))
        return u"~"_s + path.mid(home.size());
    return path;
}

UserFontFolder::InstallResult UserFontFolder::examine(const QString& sourcePath,
                                                      FcConfig* installedFonts) const {
    InstallResult result;
    const FontFile font = FontFile::read(sourcePath);
    if (!font.isReadable()) {
        result.message = font.problem();
        return result;
    }
    const QList<const FcPattern*> faces = font.faces();
    result.family = FontconfigFonts::string(faces.first(), FC_FAMILY);
    result.version = versionOf(faces.first()).shown();
    result.outcome = Outcome::Ready;

    // The file is the same font as the installed one only when each of its faces is;
    // where versions differ, a newer one installed is the one to warn of.
    const FcFontSet* installed =
        installedFonts ? FcConfigGetFonts(installedFonts, FcSetSystem) : nullptr;
    bool everyFaceSame = true;
    std::optional<FaceVersion> older;
    std::optional<FaceVersion> newer;
    std::optional<FaceVersion> same;
    QString olderFile;
    QString newerFile;
    QString sameFile;
    for (const FcPattern* face : faces) {
        const FcPattern* counterpart = installedCounterpart(face, installed);
        if (!counterpart) {
            everyFaceSame = false;
            continue;
        }
        const FaceVersion installedVersion = versionOf(counterpart);
        const QString installedFile = FontconfigFonts::string(counterpart, FC_FILE);
        switch (compare(installedVersion, versionOf(face))) {
        case Comparison::Same:
            if (!same) {
                same = installedVersion;
                sameFile = installedFile;
            }
            break;
        case Comparison::InstalledOlder:
            everyFaceSame = false;
            if (!older) {
                older = installedVersion;
                olderFile = installedFile;
            }
            break;
        case Comparison::InstalledNewer:
            everyFaceSame = false;
            if (!newer) {
                newer = installedVersion;
                newerFile = installedFile;
            }
            break;
        case Comparison::NotInstalled:
            break;
        }
    }
    if (newer) {
        result.comparison = Comparison::InstalledNewer;
        result.installedVersion = newer->shown();
        result.installedFile = newerFile;
        result.message =
            u"「%1」の新しいバージョン（%2）がすでにインストールされています（%3）。"_s.arg(
                result.family, result.installedVersion, newerFile);
    } else if (older) {
        result.comparison = Comparison::InstalledOlder;
        result.installedVersion = older->shown();
        result.installedFile = olderFile;
        result.message = u"「%1」の古いバージョン（%2）がインストールされています（%3）。"_s.arg(
            result.family, result.installedVersion, olderFile);
    } else if (same && everyFaceSame) {
        result.outcome = Outcome::AlreadyInstalled;
        result.comparison = Comparison::Same;
        result.installedVersion = same->shown();
        result.installedFile = sameFile;
        result.message = u"「%1」の同じバージョン（%2）はすでにインストールされています（%3）。"
                         u"ファイルはコピーしていません。"_s.arg(result.family,
                                                                 result.installedVersion, sameFile);
    } else {
        result.message = u"「%1」はまだインストールされていません。"_s.arg(result.family);
    }
    return result;
}

UserFontFolder::InstallResult UserFontFolder::install(const QString& sourcePath,
                                                      FcConfig* installedFonts) const {
    return install(sourcePath, examine(sourcePath, installedFonts));
}

UserFontFolder::InstallResult UserFontFolder::install(const QString& sourcePath,
                                                      InstallResult examined) const {
    InstallResult result = std::move(examined);
    if (result.outcome != Outcome::Ready)
        return result;
    QString error;
    result.installedPath = copyIn(sourcePath, error);
    if (result.installedPath.isEmpty()) {
        result.outcome = Outcome::Failed;
        result.message = u"「%1」をインストールできませんでした。%2"_s.arg(result.family, error);
        return result;
    }
    result.outcome = Outcome::Installed;
    result.message = u"「%1」（%2）をインストールしました: %3"_s.arg(result.family, result.version,
                                                                     result.installedPath);
    if (result.comparison == Comparison::InstalledOlder)
        result.message += u"\n古いバージョン（%1）もインストールされたままです: %2"_s.arg(
            result.installedVersion, result.installedFile);
    else if (result.comparison == Comparison::InstalledNewer)
        result.message += u"\n新しいバージョン（%1）もインストールされています: %2"_s.arg(
            result.installedVersion, result.installedFile);
    return result;
}

QString UserFontFolder::copyIn(const QString& sourcePath, QString& error) const {
    if (!QDir().mkpath(m_path)) {
        error = u"フォルダー %1 を作れません。"_s.arg(m_path);
        return {};
    }
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        error = source.errorString();
        return {};
    }
    // fontconfig passes over names that begin with a dot.
    QTemporaryFile copy(m_path + u"/.varelith-install-XXXXXX"_s);
    if (!copy.open()) {
        error = u"%1 に書き込めません（%2）。"_s.arg(m_path, copy.errorString());
        return {};
    }
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(qint64(1) << 20);
        if (chunk.isEmpty() && source.error() != QFile::NoError) {
            error = source.errorString();
            return {};
        }
        if (copy.write(chunk) != chunk.size()) {
            error = copy.errorString();
            return {};
        }
    }
    if (!copy.flush() || ::fsync(copy.handle()) != 0) {
        error = copy.errorString();
        return {};
    }
    copy.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);

    const QFileInfo sourceInfo(sourcePath);
    const QString base = sourceInfo.completeBaseName();
    const QString suffix = sourceInfo.suffix().isEmpty() ? QString() : u'.' + sourceInfo.suffix();
    // A name taken is never written over: the rename itself refuses an existing name,
    // so a file that appears meanwhile is as safe as one that was there.
    for (int number = 1; number < 1000; ++number) {
        const QString name =
            number == 1 ? base + suffix : u"%1-%2%3"_s.arg(base).arg(number).arg(suffix);
        const QString target = m_path + u'/' + name;
        if (QFileInfo::exists(target) || QFileInfo(target).isSymLink())
            continue;
        if (copy.rename(target)) {
            copy.setAutoRemove(false);
            return target;
        }
        if (!QFileInfo::exists(target)) {
            error = copy.errorString();
            return {};
        }
    }
    error = u"%1 には「%2」と同じ名前のファイルが多すぎます。"_s.arg(m_path, sourceInfo.fileName());
    return {};
}

bool UserFontFolder::contains(const QString& file) const {
    const QString folder = QFileInfo(m_path).canonicalFilePath();
    if (folder.isEmpty())
        return false;
    const QFileInfo info(file);
    // Where the file lies (its folders resolved, not itself) and where it leads.
    const QString place = QFileInfo(info.absolutePath()).canonicalFilePath();
    const QString target = info.canonicalFilePath();
    if (place.isEmpty() || target.isEmpty())
        return false;
    const QString inside = folder + u'/';
    return (place + u'/').startsWith(inside) && target.startsWith(inside);
}

bool UserFontFolder::canRemove(const QStringList& files) const {
    if (files.isEmpty())
        return false;
    for (const QString& file : files)
        if (!contains(file))
            return false;
    return true;
}

UserFontFolder::RemoveResult UserFontFolder::remove(const QStringList& files) const {
    RemoveResult result;
    if (!canRemove(files)) {
        result.failed = files;
        result.message =
            u"%1 にないファイルは、ここでは削除できません。何もごみ箱に移していません。"_s.arg(
                displayPath());
        return result;
    }
    for (const QString& file : files) {
        if (QFile::moveToTrash(file))
            result.removed.append(file);
        else
            result.failed.append(file);
    }
    QStringList names;
    for (const QString& file : std::as_const(result.failed))
        names.append(QFileInfo(file).fileName());
    if (result.failed.isEmpty())
        result.message = u"%1 個のファイルをごみ箱に移しました。"_s.arg(result.removed.size());
    else
        result.message = u"次のファイルはごみ箱に移せませんでした: %1"_s.arg(names.join(u"、"));
    return result;
}

} // namespace varelith
