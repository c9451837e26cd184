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
    QTest::addColumn<QStringList>("taken"); // names in the user's folder before; "@" a dead link
    QTest::addColumn<QString>("copy");      // the copy's name
    const QString set = u"fonts"_s;
    const QString v2 = u"Version 2.001"_s;
    auto row = [](const char* name, const QString& source, const QString& installed,
                  Outcome outcome, Comparison comparison, const QString& version,
                  const QStringList& taken = {}, const QString& copy = {}) {
        QTest::newRow(name) << font(source) << installed << outcome << comparison << version
                            << taken << (copy.isEmpty() ? QFileInfo(source).fileName() : copy);
    };
    const QString vertical = u"fonts/varelith-vertical.ttf"_s;
    const QString taken = u"varelith-vertical.ttf"_s;
    const QString second = u"varelith-vertical-2.ttf"_s;
    row("nothing installed", vertical, QString(), Outcome::Installed, Comparison::NotInstalled,
        QString());
    row("another family installed", vertical, u"versions"_s, Outcome::Installed,
        Comparison::NotInstalled, QString());
    row("name taken", vertical, QString(), Outcome::Installed, Comparison::NotInstalled, QString(),
        {taken}, second);
    row("name taken twice", vertical, QString(), Outcome::Installed, Comparison::NotInstalled,
        QString(), {taken, second}, u"varelith-vertical-3.ttf"_s);
    row("name taken by a link to nowhere", vertical, QString(), Outcome::Installed,
        Comparison::NotInstalled, QString(), {u'@' + taken}, second);
    row("same version", u"fonts/varelith-faces-regular.ttf"_s, set, Outcome::AlreadyInstalled,
        Comparison::Same, v2);
    row("collection, both faces", u"seed:collection-of-two"_s, set, Outcome::AlreadyInstalled,
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
    QFETCH(QStringList, taken);
    QFETCH(QString, copy);
    const QStringList folders{QStringLiteral(VARELITH_TEST_FONT_SET) + u'/' + installedSet};
    const auto installed =
        testing::installedFonts(installedSet.isEmpty() ? QStringList() : folders, m_home->path());
    QVERIFY(installed && QDir().mkpath(fonts()));
    for (const QString& name : taken)
        QVERIFY(name.startsWith(u'@') ? QFile::link(u"nowhere"_s, fonts() + u'/' + name.mid(1))
                                      : write(fonts() + u'/' + name, name.toUtf8()));
    const QStringList before = listing(fonts());

    const UserFontFolder folder;
    QCOMPARE(folder.path(), fonts());
    const UserFontFolder::InstallResult result = folder.install(source, installed.get());
    QCOMPARE(result.outcome, outcome);
    QCOMPARE(result.comparison, comparison);
    QCOMPARE(result.installedVersion, installedVersion);
    QVERIFY2(result.message.contains(installedVersion), qPrintable(result.message));
    if (outcome == Outcome::Refused)
        QVERIFY2(result.message.contains(QFileInfo(source).fileName()), qPrintable(result.message));
    // The file byte for byte, readable by others, beside the files that were there, untouched.
    const QStringList after = listing(fonts());
    QCOMPARE(after.size(), before.size() + (outcome == Outcome::Installed ? 1 : 0));
    for (const QString& entry : before)
        QVERIFY2(after.contains(entry), qPrintable(entry));
    if (outcome != Outcome::Installed)
        return;
    QCOMPARE(result.installedPath, fonts() + u'/' + copy);
    QCOMPARE(bytesOf(result.installedPath), bytesOf(source));
    QVERIFY(QFileInfo(result.installedPath).permissions() & QFile::ReadOther);
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
