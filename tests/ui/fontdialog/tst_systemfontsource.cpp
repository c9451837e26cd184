#include "systemfontsource.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

class TestSystemFontSource : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void installedFamiliesEachOnceDejaVuInTwoFiles() {
        QTemporaryDir set;
        const QStringList makeFonts{QStringLiteral(VARELITH_MAKE_FONTS), u"8"_s, set.path()};
        QCOMPARE(QProcess::execute(u"/usr/bin/python3"_s, makeFonts), 0);
        for (const QString& file : {u"DejaVuSans.ttf"_s, u"DejaVuSans-Bold.ttf"_s})
            QVERIFY(QFile::link(u"/usr/share/fonts/truetype/dejavu/"_s + file,
                                set.filePath(u"fonts/"_s + file)));
        const SystemFontSource fonts(set.filePath(u"fonts.conf"_s));
        QStringList expected;
        for (const int n : {1, 2, 3, 4, 5, 6, 8})
            expected.append(u"Bench Sans %1"_s.arg(n, 5, 10, QChar(u'0')));
        // Faces in several files, a variable font's named instances and a translated name
        // each give one entry, a translated name with a style name of its own too ("漢字試験"
        // in style "M" beside "Varelith Kanji" in "Medium", as Sawarabi Mincho has them).
        expected << u"DejaVu Sans"_s << u"Varelith Blank"_s << u"Varelith Faces"_s
                 << u"Varelith Horizontal"_s << u"Varelith Kanji"_s << u"Varelith Shared"_s
                 << u"Varelith Variable"_s << u"Varelith Variants"_s << u"Varelith Variants Two"_s
                 << u"Varelith Vertical"_s << u"試験書体 00007"_s;
        QCOMPARE(fonts.families(), expected);

        QVERIFY(QDir(set.filePath(u"fonts"_s)).removeRecursively() &&
                QDir(set.path()).mkdir(u"fonts"_s));
        QCOMPARE(fonts.families(), QStringList());
    }
};

QTEST_GUILESS_MAIN(TestSystemFontSource)
#include "tst_systemfontsource.moc"
