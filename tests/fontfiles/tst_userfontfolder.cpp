#include "installedfonts.h"
#include "userfontfolder.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;
using Outcome = UserFontFolder::Outcome;
using Comparison = UserFontFolder::Comparison;

namespace {

// A font by a short name: "fonts/x.ttf" or "versions/x.ttf" of the test set, "seed:x".
QString font(const QString& name) {
    if (name.startsWith(u"seed:"_s))
        return QStringLiteral(VARELITH_FONT_SEEDS) + u'/' + name.mid(5);
    return QStringLiteral(VARELITH_TEST_FONT_SET) + u'/' + name;
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

// Every entry of a folder, hidden ones and dead links too, with its size.
QStringList listing(const QString& folder) {
    QStringList entries;
    for (const QFileInfo& entry : QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden |
                                                             QDir::System | QDir::NoDotAndDotDot))
        entries.append(u"%1 %2"_s.arg(entry.fileName()).arg(entry.size()));
    return entries;
}

} // namespace

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
    QString fonts() const { return m_home->filePath(u"data/fonts"_s); }
    std::unique_ptr<QTemporaryDir> m_home;
};

void TestUserFontFolder::init() {
    // A home of its own for each case, its trash on the same disk as the fonts.
    m_home = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid());
    qputenv("HOME", QFile::encodeName(m_home->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(u"data"_s)));
}

void TestUserFontFolder::install_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("installedSet"); // the test set's folder seen as installed
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<Comparison>("comparison");
    QTest::addColumn<QString>("installedVersion"); // of the other one installed
    const QString set = u"fonts"_s;
    const QString v2 = u"Version 2.001"_s;
    auto row = [](const char* name, const QString& source, const QString& installed,
                  Outcome outcome, Comparison comparison, const QString& version) {
        QTest::newRow(name) << font(source) << installed << outcome << comparison << version;
    };
    row("nothing installed", u"fonts/varelith-vertical.ttf"_s, QString(), Outcome::Installed,
        Comparison::NotInstalled, QString());
    row("another family installed", u"fonts/varelith-vertical.ttf"_s, u"versions"_s,
        Outcome::Installed, Comparison::NotInstalled, QString());
    row("same version", u"fonts/varelith-faces-regular.ttf"_s, set, Outcome::AlreadyInstalled,
        Comparison::Same, v2);
    row("collection, both faces", u"seed:collection-of-two"_s, set, Outcome::AlreadyInstalled,
        Comparison::Same, v2);
    row("variable font, every instance", u"seed:varelith-variable"_s, set,
        Outcome::AlreadyInstalled, Comparison::Same, v2);
    row("WOFF of an installed face", u"seed:woff-light"_s, set, Outcome::AlreadyInstalled,
        Comparison::Same, v2);
    row("older revision installed", u"versions/varelith-faces-regular-revision-3.000.ttf"_s, set,
        Outcome::Installed, Comparison::InstalledOlder, v2);
    row("newer revision installed", u"versions/varelith-faces-regular-revision-1.500.ttf"_s, set,
        Outcome::Installed, Comparison::InstalledNewer, v2);
    row("same revision, older version string installed",
        u"versions/varelith-faces-regular-build-2.ttf"_s, set, Outcome::Installed,
        Comparison::InstalledOlder, v2);
    row("other PostScript name, same family and style",
        u"versions/varelith-faces-regular-renamed-3.000.ttf"_s, set, Outcome::Installed,
        Comparison::InstalledOlder, v2);
    for (const char* damaged : {"seed:not-a-font", "seed:truncated", "seed:ten-thousand-faces"})
        row(damaged, QString::fromLatin1(damaged), set, Outcome::Refused, Comparison::NotInstalled,
            QString());
}

void TestUserFontFolder::install() {
    QFETCH(QString, source);
    QFETCH(QString, installedSet);
    QFETCH(Outcome, outcome);
    QFETCH(Comparison, comparison);
    QFETCH(QString, installedVersion);
    const QStringList folders{QStringLiteral(VARELITH_TEST_FONT_SET) + u'/' + installedSet};
    const auto installed =
        testing::installedFonts(installedSet.isEmpty() ? QStringList() : folders, m_home->path());
    QVERIFY(installed);
    const UserFontFolder folder;
    QCOMPARE(folder.path(), fonts());

    // Looking first tells the same and writes nothing.
    const UserFontFolder::InstallResult looked = folder.examine(source, installed.get());
    QCOMPARE(looked.outcome, outcome == Outcome::Installed ? Outcome::Ready : outcome);
    QCOMPARE(looked.comparison, comparison);
    const UserFontFolder::InstallResult result = folder.install(source, installed.get());
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.comparison, comparison);
    QCOMPARE(result.installedVersion, installedVersion);
    QVERIFY2(result.message.contains(installedVersion), qPrintable(result.message));
    if (outcome != Outcome::Installed) {
        if (outcome == Outcome::Refused)
            QVERIFY2(result.message.contains(QFileInfo(source).fileName()),
                     qPrintable(result.message));
        QCOMPARE(listing(fonts()), QStringList());
        return;
    }
    // The file byte for byte under its own name, readable by others, nothing beside it.
    QCOMPARE(result.installedPath, fonts() + u'/' + QFileInfo(source).fileName());
    QCOMPARE(bytesOf(result.installedPath), bytesOf(source));
    QCOMPARE(listing(fonts()).size(), 1);
    QVERIFY(QFileInfo(result.installedPath).permissions() & QFile::ReadOther);
}

void TestUserFontFolder::secondInstallWritesNothing() {
    const UserFontFolder folder;
    const QString source = font(u"fonts/varelith-vertical.ttf"_s);
    QCOMPARE(folder.install(source, testing::installedFonts({}, m_home->path()).get()).outcome,
             Outcome::Installed);
    const QStringList after = listing(fonts());
    // fontconfig reread, as the program does after installing.
    const auto reread = testing::installedFonts({fonts()}, m_home->path());
    const UserFontFolder::InstallResult again = folder.install(source, reread.get());
    QCOMPARE(again.outcome, Outcome::AlreadyInstalled);
    QCOMPARE(again.installedFile, fonts() + u"/varelith-vertical.ttf"_s);
    QCOMPARE(listing(fonts()), after);
}

void TestUserFontFolder::nameTaken_data() {
    QTest::addColumn<QStringList>("taken"); // names in the folder before
    QTest::addColumn<bool>("asLinks");      // each a link to nowhere instead of a file
    QTest::addColumn<QString>("expected");
    const QString name = u"varelith-vertical.ttf"_s;
    const QString second = u"varelith-vertical-2.ttf"_s;
    QTest::newRow("taken") << QStringList{name} << false << second;
    QTest::newRow("taken twice") << QStringList{name, second} << false
                                 << u"varelith-vertical-3.ttf"_s;
    QTest::newRow("taken by a link to nowhere") << QStringList{name} << true << second;
}

void TestUserFontFolder::nameTaken() {
    QFETCH(QStringList, taken);
    QFETCH(bool, asLinks);
    QFETCH(QString, expected);
    QVERIFY(QDir().mkpath(fonts()));
    for (const QString& name : taken)
        QVERIFY(asLinks ? QFile::link(m_home->filePath(u"nowhere"_s), fonts() + u'/' + name)
                        : write(fonts() + u'/' + name, name.toUtf8()));
    const QString source = font(u"fonts/varelith-vertical.ttf"_s);
    const UserFontFolder::InstallResult result =
        UserFontFolder().install(source, testing::installedFonts({}, m_home->path()).get());
    QCOMPARE(result.installedPath, fonts() + u'/' + expected);
    QCOMPARE(bytesOf(result.installedPath), bytesOf(source));
    for (const QString& name : taken) {
        QCOMPARE(QFileInfo(fonts() + u'/' + name).isSymLink(), asLinks);
        QCOMPARE(bytesOf(fonts() + u'/' + name), asLinks ? QByteArray() : name.toUtf8());
    }
    QCOMPARE(listing(fonts()).size(), taken.size() + 1);
}

void TestUserFontFolder::remove_data() {
    // Each file as "where:name": in the folder, in a folder of it, outside it, in a folder
    // beside it ("fonts-old"), a link in the folder to a file outside, a link outside to a
    // file in the folder, or not there at all.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("removable");
    QTest::newRow("one installed") << QStringList{u"in:a"_s} << true;
    QTest::newRow("two, one in a folder of its own") << QStringList{u"in:a"_s, u"sub:b"_s} << true;
    QTest::newRow("outside") << QStringList{u"out:a"_s} << false;
    QTest::newRow("beside it, its name longer") << QStringList{u"beside:a"_s} << false;
    QTest::newRow("one in, one out") << QStringList{u"in:a"_s, u"out:b"_s} << false;
    QTest::newRow("link to a file outside") << QStringList{u"linkout:a"_s} << false;
    QTest::newRow("link from outside") << QStringList{u"linkin:a"_s} << false;
    QTest::newRow("not there") << QStringList{u"missing:a"_s} << false;
}

void TestUserFontFolder::remove() {
    QFETCH(QStringList, files);
    QFETCH(bool, removable);
    const QString outside = m_home->filePath(u"Downloads/"_s);
    QVERIFY(QDir().mkpath(fonts()));
    const QHash<QString, QString> places{
        {u"in"_s, fonts() + u'/'},           {u"sub"_s, fonts() + u"/family/"_s},
        {u"beside"_s, fonts() + u"-old/"_s}, {u"out"_s, outside},
        {u"linkin"_s, fonts() + u'/'},       {u"linkout"_s, outside}};
    QStringList paths;
    for (const QString& file : files) {
        const QString where = file.section(u':', 0, 0);
        const QString name = file.section(u':', 1) + u".ttf"_s;
        const QString path = places.value(where, fonts() + u'/') + name;
        if (where != u"missing"_s)
            QVERIFY(write(path, name.toUtf8()));
        // The link lies where the file itself does not.
        const QString link = (where == u"linkin"_s ? outside : fonts() + u'/') + name;
        if (where.startsWith(u"link"_s))
            QVERIFY(QDir().mkpath(QFileInfo(link).absolutePath()) && QFile::link(path, link));
        paths.append(where.startsWith(u"link"_s) ? link : path);
    }
    const auto everything = [&] {
        return listing(fonts()) + listing(fonts() + u"/family"_s) + listing(outside) +
               listing(fonts() + u"-old"_s);
    };
    const QStringList before = everything();

    const UserFontFolder folder;
    QCOMPARE(folder.canRemove(paths), removable);
    const UserFontFolder::RemoveResult result = folder.remove(paths);
    QCOMPARE(result.succeeded(), removable);
    QCOMPARE(result.removed, removable ? paths : QStringList());
    const QString trash = m_home->filePath(u"data/Trash/files/"_s);
    if (!removable) {
        // Refused whole: nothing moved.
        QCOMPARE(everything(), before);
        QCOMPARE(listing(trash), QStringList());
    }
    for (const QString& path : result.removed) {
        // In the trash, not deleted.
        const QString name = QFileInfo(path).fileName();
        QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(bytesOf(trash + name), name.toUtf8());
    }
}

QTEST_GUILESS_MAIN(TestUserFontFolder)
#include "tst_userfontfolder.moc"
