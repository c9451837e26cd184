#include "rejectedfamilies.h"
#include "rejectedfamilieskepthere.h"
#include "systemfontsource.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

class TestRejectedFamiliesKeptHere : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The user's configuration over the test fonts, a family switched off in it; then the
    // program's start. It lists the family (and still every other), fc-list does not.
    void familiesSwitchedOffStayListedHere() {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        const QString configFile = home.filePath(u"fonts.conf"_s);
        QFile config(configFile);
        QVERIFY(config.open(QIODevice::WriteOnly));
        config.write(
            u"<?xml version=\"1.0\"?>\n<fontconfig>\n"
            "<include ignore_missing=\"no\">%1/fonts.conf</include>\n"
            "<include ignore_missing=\"yes\">%2</include>\n</fontconfig>\n"_s
                .arg(QStringLiteral(VARELITH_TEST_FONT_SET), RejectedFamilies::standardFolder())
                .toUtf8());
        config.close();
        qputenv("FONTCONFIG_FILE", QFile::encodeName(configFile));
        const QStringList off{u"Bench Sans 00002"_s, u"試験書体 00007"_s};
        QVERIFY(RejectedFamilies(RejectedFamilies::standardFolder()).reject(off));

        QVERIFY(RejectedFamiliesKeptHere::install());
        const QStringList listed = SystemFontSource().families();
        for (const QString& family : off)
            QVERIFY2(listed.contains(family), qPrintable(family));
        QVERIFY(listed.contains(u"Bench Sans 00003"_s));

        QProcess fcList;
        fcList.start(u"fc-list"_s, {u":"_s, u"family"_s});
        QVERIFY(fcList.waitForFinished(30000));
        const QString others = QString::fromUtf8(fcList.readAllStandardOutput());
        QVERIFY(others.contains(u"Bench Sans 00003"_s));
        for (const QString& family : off)
            QVERIFY2(!others.contains(family), qPrintable(family));
    }
};

QTEST_GUILESS_MAIN(TestRejectedFamiliesKeptHere)
#include "tst_rejectedfamilieskepthere.moc"
