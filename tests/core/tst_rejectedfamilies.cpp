#include "rejectedfamilies.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

const QString FontSet = QStringLiteral(VARELITH_TEST_FONT_SET);

// Every family name fc-list gives under the configuration file; stderr must stay quiet,
// as fontconfig complains there of a file it cannot parse.
QSet<QString> listedFamilies(const QString& configFile) {
    QProcess fcList;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"FONTCONFIG_FILE"_s, configFile);
    fcList.setProcessEnvironment(environment);
    fcList.start(u"fc-list"_s, {u":"_s, u"family"_s});
    if (!fcList.waitForFinished(30000) || fcList.exitCode() != 0)
        return {u"fc-list failed"_s};
    const QByteArray complaints = fcList.readAllStandardError();
    if (!complaints.isEmpty())
        return {u"fontconfig: "_s + QString::fromLocal8Bit(complaints)};
    QSet<QString> families;
    for (const QString& line : QString::fromUtf8(fcList.readAllStandardOutput()).split(u'\n'))
        for (const QString& name : line.split(u',', Qt::SkipEmptyParts))
            families.insert(name);
    return families;
}

} // namespace

class TestRejectedFamilies : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        // Before anything asks where the user's configuration is.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
        QCOMPARE(RejectedFamilies::standardFolder(), m_home.filePath(u"fontconfig/conf.d"_s));
        QFile config(m_home.filePath(u"fonts.conf"_s));
        QVERIFY(config.open(QIODevice::WriteOnly));
        // As the system's 50-user.conf takes the user's conf.d.
        config.write(u"<?xml version=\"1.0\"?>\n<fontconfig>\n"
                     "<include ignore_missing=\"no\">%1/fonts.conf</include>\n"
                     "<include ignore_missing=\"yes\">%2</include>\n</fontconfig>\n"_s
                         .arg(FontSet, RejectedFamilies::standardFolder())
                         .toUtf8());
        config.close();
        m_everyFamily = listedFamilies(m_home.filePath(u"fonts.conf"_s));
        QVERIFY(m_everyFamily.contains(u"Bench Sans 00002"_s));
    }

    void cleanup() { QDir(RejectedFamilies::standardFolder()).removeRecursively(); }

    // Families switched off, then some on again ('|' between names): the file lists
    // exactly those still off, in the order switched off, and fc-list shows every other
    // family and none of them. Names with XML's own characters are kept whole and do not
    // spoil the file for fontconfig.
    void fileListsExactlyTheFamiliesOff_data() {
        QTest::addColumn<QString>("off");
        QTest::addColumn<QString>("on");
        QTest::addColumn<QString>("stillOff");
        QTest::newRow("one") << u"Bench Sans 00002"_s << QString() << u"Bench Sans 00002"_s;
        QTest::newRow("several, one back")
            << u"Bench Sans 00003|試験書体 00007|Varelith Latin"_s << u"試験書体 00007"_s
            << u"Bench Sans 00003|Varelith Latin"_s;
        QTest::newRow("all back") << u"Bench Sans 00001|Bench Sans 00004"_s
                                  << u"Bench Sans 00004|Bench Sans 00001"_s << QString();
        QTest::newRow("back one not off")
            << u"Bench Sans 00005"_s << u"DejaVu Sans"_s << u"Bench Sans 00005"_s;
        QTest::newRow("XML's characters")
            << u"Tom & \"Jerry\" <b>|it's ]]> &amp;|Bench Sans 00006"_s << QString()
            << u"Tom & \"Jerry\" <b>|it's ]]> &amp;|Bench Sans 00006"_s;
        QTest::newRow("twice") << u"Bench Sans 00008|Bench Sans 00008"_s << QString()
                               << u"Bench Sans 00008"_s;
    }
    void fileListsExactlyTheFamiliesOff() {
        QFETCH(QString, off);
        QFETCH(QString, on);
        QFETCH(QString, stillOff);
        const QStringList expected = stillOff.split(u'|', Qt::SkipEmptyParts);
        {
            RejectedFamilies rejected(RejectedFamilies::standardFolder());
            QVERIFY(rejected.reject(off.split(u'|')));
            // a second object, as the dialog opened again reads it
            RejectedFamilies again(RejectedFamilies::standardFolder());
            QVERIFY(again.accept(on.split(u'|', Qt::SkipEmptyParts)));
            QCOMPARE(again.families(), expected);
        }
        const RejectedFamilies reread(RejectedFamilies::standardFolder());
        QCOMPARE(reread.families(), expected);
        for (const QString& family : expected)
            QVERIFY(reread.isRejected(family));
        QVERIFY(!reread.isRejected(u"DejaVu Sans"_s));
        // Only our file in the folder.
        QCOMPARE(QDir(RejectedFamilies::standardFolder()).entryList(QDir::Files),
                 QStringList{RejectedFamilies::fileName()});

        QSet<QString> shown = m_everyFamily;
        for (const QString& family : expected)
            shown.remove(family);
        QCOMPARE(listedFamilies(m_home.filePath(u"fonts.conf"_s)), shown);
    }

    // A folder that cannot be made: nothing changes and the caller is told.
    void unwritableFolderChangesNothing() {
        QFile blocker(m_home.filePath(u"blocker"_s));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        RejectedFamilies rejected(m_home.filePath(u"blocker/conf.d"_s));
        QVERIFY(!rejected.reject({u"Bench Sans 00002"_s}));
        QVERIFY(!rejected.isRejected(u"Bench Sans 00002"_s));
        QVERIFY(rejected.families().isEmpty());
    }

private:
    QTemporaryDir m_home;
    QSet<QString> m_everyFamily;
};

QTEST_GUILESS_MAIN(TestRejectedFamilies)
#include "tst_rejectedfamilies.moc"
