#include "userfontfolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace varelith;
using namespace Qt::StringLiterals;

using Outcome = UserFontFolder::Outcome;
using Comparison = UserFontFolder::Comparison;

namespace {

const QString FontSet = QStringLiteral(VARELITH_TEST_FONT_SET);

QString madeFont(const QString& name) {
    return FontSet + u"/fonts/"_s + name;
}
QString otherVersion(const QString& name) {
    return FontSet + u"/versions/varelith-faces-regular-"_s + name + u".ttf"_s;
}
QString seed(const QString& name) {
    return QStringLiteral(VARELITH_FONT_SEEDS) + u'/' + name;
}

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Every entry of a folder, hidden ones too, with its size: what a change would show.
QStringList listing(const QString& folder) {
    QStringList entries;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot))
        entries.append(u"%1 %2"_s.arg(entry.fileName()).arg(entry.size()));
    return entries;
}

using Config = std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)>;

} // namespace

Q_DECLARE_METATYPE(Outcome)
Q_DECLARE_METATYPE(Comparison)

class TestUserFontFolder : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void install_data();
    void install();
    void secondInstallWritesNothing();
    void nameTaken_data();
    void nameTaken();
    void remove_data();
    void remove();

private:
    // A configuration that sees exactly these folders as installed fonts.
    Config configOf(const QStringList& folders);
    QString fontsFolder() const { return m_home->filePath(u"data/fonts"_s); }
    QString trashFolder() const { return m_home->filePath(u"data/Trash/files"_s); }

    std::unique_ptr<QTemporaryDir> m_home;
};

void TestUserFontFolder::init() {
    // A home of its own for each case, its trash on the same disk as the fonts.
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("HOME", QFile::encodeName(m_home->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(u"data"_s)));
}

Config TestUserFontFolder::configOf(const QStringList& folders) {
    QString dirs;
    for (const QString& folder : folders)
        dirs += u"<dir>%1</dir>"_s.arg(folder);
    const QString file = m_home->filePath(u"fonts.conf"_s);
    write(file, u"<?xml version=\"1.0\"?>\n<fontconfig>%1<cachedir>%2</cachedir></fontconfig>\n"_s
                    .arg(dirs, m_home->filePath(u"cache"_s))
                    .toUtf8());
    Config config(FcConfigCreate(), &FcConfigDestroy);
    const QByteArray name = QFile::encodeName(file);
    if (!FcConfigParseAndLoad(config.get(), reinterpret_cast<const FcChar8*>(name.constData()),
                              FcTrue) ||
        !FcConfigBuildFonts(config.get()))
        config.reset();
    return config;
}

void TestUserFontFolder::install_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("installedSet"); // the test set's folder seen as installed
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<Comparison>("comparison");
    QTest::addColumn<QString>("installedVersion"); // of the other one installed

    QTest::newRow("not installed") << madeFont(u"varelith-vertical.ttf"_s) << QString()
                                   << Outcome::Installed << Comparison::NotInstalled << QString();
    QTest::newRow("another family installed")
        << madeFont(u"varelith-vertical.ttf"_s) << u"versions"_s << Outcome::Installed
        << Comparison::NotInstalled << QString();
    QTest::newRow("same version installed")
        << madeFont(u"varelith-faces-regular.ttf"_s) << u"fonts"_s << Outcome::AlreadyInstalled
        << Comparison::Same << u"Version 2.001"_s;
    QTest::newRow("collection, both faces installed")
        << seed(u"collection-of-two"_s) << u"fonts"_s << Outcome::AlreadyInstalled
        << Comparison::Same << u"Version 2.001"_s;
    QTest::newRow("variable font, every instance installed")
        << seed(u"varelith-variable"_s) << u"fonts"_s << Outcome::AlreadyInstalled
        << Comparison::Same << u"Version 2.001"_s;
    QTest::newRow("WOFF of an installed face")
        << seed(u"woff-light"_s) << u"fonts"_s << Outcome::AlreadyInstalled << Comparison::Same
        << u"Version 2.001"_s;
    QTest::newRow("older revision installed")
        << otherVersion(u"revision-3.000"_s) << u"fonts"_s << Outcome::Installed
        << Comparison::InstalledOlder << u"Version 2.001"_s;
    QTest::newRow("newer revision installed")
        << otherVersion(u"revision-1.500"_s) << u"fonts"_s << Outcome::Installed
        << Comparison::InstalledNewer << u"Version 2.001"_s;
    QTest::newRow("same revision, older version string installed")
        << otherVersion(u"build-2"_s) << u"fonts"_s << Outcome::Installed
        << Comparison::InstalledOlder << u"Version 2.001"_s;
    QTest::newRow("other PostScript name, same family and style")
        << otherVersion(u"renamed-3.000"_s) << u"fonts"_s << Outcome::Installed
        << Comparison::InstalledOlder << u"Version 2.001"_s;
    for (const QString& damaged : {u"not-a-font"_s, u"truncated"_s, u"ten-thousand-faces"_s})
        QTest::addRow("damaged: %s", qPrintable(damaged))
            << seed(damaged) << u"fonts"_s << Outcome::Refused << Comparison::NotInstalled
            << QString();
}

void TestUserFontFolder::install() {
    QFETCH(QString, source);
    QFETCH(QString, installedSet);
    QFETCH(Outcome, outcome);
    QFETCH(Comparison, comparison);
    QFETCH(QString, installedVersion);
    const Config installed = configOf(
        installedSet.isEmpty() ? QStringList() : QStringList{FontSet + u'/' + installedSet});
    QVERIFY(installed);
    const UserFontFolder folder;
    QCOMPARE(folder.path(), fontsFolder());

    const UserFontFolder::InstallResult looked = folder.examine(source, installed.get());
    const UserFontFolder::InstallResult result = folder.install(source, installed.get());
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.comparison, comparison);
    QCOMPARE(result.installedVersion, installedVersion);
    QVERIFY(!result.message.isEmpty());
    QVERIFY2(result.message.contains(installedVersion), qPrintable(result.message));
    // Looking first tells the same and writes nothing.
    QCOMPARE(looked.comparison, comparison);
    QCOMPARE(looked.outcome, outcome == Outcome::Installed ? Outcome::Ready : outcome);

    if (outcome != Outcome::Installed) {
        if (outcome == Outcome::Refused)
            QVERIFY2(result.message.contains(QFileInfo(source).fileName()),
                     qPrintable(result.message));
        QVERIFY(result.installedPath.isEmpty());
        QCOMPARE(listing(fontsFolder()), QStringList());
        return;
    }
    // Exactly the file, byte for byte, under its own name, readable by fontconfig
    // whoever runs it, and nothing left beside it.
    QCOMPARE(result.installedPath, fontsFolder() + u'/' + QFileInfo(source).fileName());
    QCOMPARE(bytesOf(result.installedPath), bytesOf(source));
    QCOMPARE(listing(fontsFolder()).size(), 1);
    QVERIFY(QFileInfo(result.installedPath).permissions() & QFile::ReadOther);
    QVERIFY2(result.message.contains(result.installedPath), qPrintable(result.message));
}

void TestUserFontFolder::secondInstallWritesNothing() {
    const UserFontFolder folder;
    const QString source = madeFont(u"varelith-vertical.ttf"_s);
    const Config none = configOf({});
    QCOMPARE(folder.install(source, none.get()).outcome, Outcome::Installed);
    const QStringList after = listing(fontsFolder());
    // fontconfig reread, as the program does after installing.
    const Config reread = configOf({fontsFolder()});
    const UserFontFolder::InstallResult again = folder.install(source, reread.get());
    QCOMPARE(again.outcome, Outcome::AlreadyInstalled);
    QCOMPARE(again.installedFile, fontsFolder() + u"/varelith-vertical.ttf"_s);
    QVERIFY(again.message.contains(u"すでにインストール"_s));
    QCOMPARE(listing(fontsFolder()), after);
}

void TestUserFontFolder::nameTaken_data() {
    QTest::addColumn<QStringList>("taken"); // names in the folder before
    QTest::addColumn<bool>("asLinks");      // each a link to nowhere instead of a file
    QTest::addColumn<QString>("expected");
    const QString name = u"varelith-vertical.ttf"_s;
    QTest::newRow("free") << QStringList() << false << name;
    QTest::newRow("taken") << QStringList{name} << false << u"varelith-vertical-2.ttf"_s;
    QTest::newRow("taken twice") << QStringList{name, u"varelith-vertical-2.ttf"_s} << false
                                 << u"varelith-vertical-3.ttf"_s;
    QTest::newRow("another number taken")
        << QStringList{name, u"varelith-vertical-3.ttf"_s} << false << u"varelith-vertical-2.ttf"_s;
    QTest::newRow("taken by a link to nowhere")
        << QStringList{name} << true << u"varelith-vertical-2.ttf"_s;
}

void TestUserFontFolder::nameTaken() {
    QFETCH(QStringList, taken);
    QFETCH(bool, asLinks);
    QFETCH(QString, expected);
    QVERIFY(QDir().mkpath(fontsFolder()));
    for (const QString& name : taken) {
        const QString path = fontsFolder() + u'/' + name;
        if (asLinks)
            QVERIFY(QFile::link(m_home->filePath(u"nowhere"_s), path));
        else
            QVERIFY(write(path, name.toUtf8()));
    }
    const Config none = configOf({});
    const QString source = madeFont(u"varelith-vertical.ttf"_s);
    const UserFontFolder::InstallResult result = UserFontFolder().install(source, none.get());
    QCOMPARE(result.outcome, Outcome::Installed);
    QCOMPARE(result.installedPath, fontsFolder() + u'/' + expected);
    QCOMPARE(bytesOf(result.installedPath), bytesOf(source));
    for (const QString& name : taken) {
        const QFileInfo other(fontsFolder() + u'/' + name);
        QCOMPARE(other.isSymLink(), asLinks);
        if (!asLinks)
            QCOMPARE(bytesOf(other.filePath()), name.toUtf8());
    }
    QCOMPARE(listing(fontsFolder()).size(), taken.size() + 1);
}

void TestUserFontFolder::remove_data() {
    // Each file as "where:name": in the folder, in a folder of it, outside it ("fonts-old"
    // beside it), a link in
    // the folder to a file outside, a link outside to a file in it, or not there at all.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("removable");
    QTest::newRow("one installed") << QStringList{u"in:a.ttf"_s} << true;
    QTest::newRow("a family, one file in a folder of its own")
        << QStringList{u"in:a.ttf"_s, u"sub:b.ttf"_s} << true;
    QTest::newRow("outside") << QStringList{u"out:a.ttf"_s} << false;
    QTest::newRow("a folder beside it, its name longer") << QStringList{u"beside:a.ttf"_s} << false;
    QTest::newRow("one in, one out") << QStringList{u"in:a.ttf"_s, u"out:b.ttf"_s} << false;
    QTest::newRow("link in the folder to a file outside")
        << QStringList{u"linkout:a.ttf"_s} << false;
    QTest::newRow("link outside to a file in the folder")
        << QStringList{u"linkin:a.ttf"_s} << false;
    QTest::newRow("not there") << QStringList{u"missing:a.ttf"_s} << false;
    QTest::newRow("nothing") << QStringList() << false;
}

void TestUserFontFolder::remove() {
    QFETCH(QStringList, files);
    QFETCH(bool, removable);
    const QString outside = m_home->filePath(u"Downloads"_s);
    QVERIFY(QDir().mkpath(outside) && QDir().mkpath(fontsFolder()));
    QStringList paths;
    for (const QString& file : files) {
        const QString where = file.section(u':', 0, 0);
        const QString name = file.section(u':', 1);
        const QByteArray bytes = name.toUtf8();
        QString path;
        if (where == u"in"_s) {
            path = fontsFolder() + u'/' + name;
            QVERIFY(write(path, bytes));
        } else if (where == u"sub"_s) {
            path = fontsFolder() + u"/family/"_s + name;
            QVERIFY(write(path, bytes));
        } else if (where == u"beside"_s) {
            path = fontsFolder() + u"-old/"_s + name;
            QVERIFY(write(path, bytes));
        } else if (where == u"out"_s) {
            path = outside + u'/' + name;
            QVERIFY(write(path, bytes));
        } else if (where == u"linkout"_s) {
            QVERIFY(write(outside + u'/' + name, bytes));
            path = fontsFolder() + u'/' + name;
            QVERIFY(QFile::link(outside + u'/' + name, path));
        } else if (where == u"linkin"_s) {
            QVERIFY(write(fontsFolder() + u'/' + name, bytes));
            path = outside + u'/' + name;
            QVERIFY(QFile::link(fontsFolder() + u'/' + name, path));
        } else {
            path = fontsFolder() + u'/' + name;
        }
        paths.append(path);
    }
    const QStringList before =
        listing(fontsFolder()) + listing(outside) + listing(fontsFolder() + u"-old"_s);

    const UserFontFolder folder;
    QCOMPARE(folder.canRemove(paths), removable);
    const UserFontFolder::RemoveResult result = folder.remove(paths);
    QCOMPARE(result.succeeded(), removable);
    QVERIFY(!result.message.isEmpty());
    if (!removable) {
        // Refused whole: nothing moved, nothing in the trash.
        QVERIFY(result.removed.isEmpty());
        QCOMPARE(listing(fontsFolder()) + listing(outside) + listing(fontsFolder() + u"-old"_s),
                 before);
        QCOMPARE(listing(trashFolder()), QStringList());
        return;
    }
    QCOMPARE(result.removed, paths);
    for (const QString& path : paths) {
        QVERIFY(!QFileInfo::exists(path));
        // In the trash, not deleted.
        QCOMPARE(bytesOf(trashFolder() + u'/' + QFileInfo(path).fileName()),
                 QFileInfo(path).fileName().toUtf8());
    }
}

QTEST_GUILESS_MAIN(TestUserFontFolder)
#include "tst_userfontfolder.moc"
