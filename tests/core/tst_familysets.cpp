#include "familysets.h"
#include "inisettingsstore.h"
#include "memorysettingsstore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

class TestFamilySets : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Sets saved, renamed and deleted reach the INI file and come back the same in a new
    // store, names and families with the characters an INI file treats specially.
    void setsRoundTripThroughTheSettingsFile() {
        QTemporaryDir folder;
        const QString path = folder.filePath(u"Varelith.ini"_s);
        const QStringList mincho{u"IPA明朝"_s, u"Tom, \"Jerry\" & Co"_s, u" Spaced "_s,
                                 u"a=b;c\\d"_s, u"[section]"_s};
        const QStringList headings{u"源ノ角ゴシック"_s, u"#hash"_s};
        {
            IniSettingsStore store(path);
            store.SaveSetting(u"flg_Font1"_s, u"0"_s);
            FamilySets sets(store);
            QVERIFY(sets.save(u"明朝の候補"_s, mincho + QStringList{mincho.first()}));
            QVERIFY(sets.save(u"見出し用"_s, headings));
            QVERIFY(sets.save(u"消す"_s, {u"X"_s}));
            QVERIFY(sets.rename(u"見出し用"_s, u"見出し, 用"_s));
            QVERIFY(!sets.rename(u"見出し, 用"_s, u"明朝の候補"_s)); // taken
            QVERIFY(!sets.save(u"  "_s, headings));
            QVERIFY(sets.remove(u"消す"_s));
        }
        IniSettingsStore reopened(path);
        FamilySets sets(reopened);
        QCOMPARE(sets.names(), (QStringList{u"明朝の候補"_s, u"見出し, 用"_s}));
        QCOMPARE(sets.families(u"明朝の候補"_s), mincho);
        QCOMPARE(sets.families(u"見出し, 用"_s), headings);
        // the catalogue's keys are left as they were
        QCOMPARE(reopened.GetSetting(u"flg_Font1"_s, 1), u"0"_s);
        QVERIFY(!reopened.contains(u"name_Font1"_s));
    }

    // A set deleted from the middle: the later ones move up and keep their families.
    void deletingASetKeepsTheOthersWhole() {
        MemorySettingsStore store;
        FamilySets sets(store);
        sets.save(u"A"_s, {u"a1"_s, u"a2"_s});
        sets.save(u"B"_s, {u"b1"_s});
        sets.save(u"C"_s, {u"c1"_s, u"c2"_s, u"c3"_s});
        sets.remove(u"A"_s);
        FamilySets reread(store);
        QCOMPARE(reread.names(), (QStringList{u"B"_s, u"C"_s}));
        QCOMPARE(reread.families(u"C"_s), (QStringList{u"c1"_s, u"c2"_s, u"c3"_s}));
        QCOMPARE(reread.families(u"B"_s), QStringList{u"b1"_s});
    }

    // A file written elsewhere: "bytes|families" rows, families joined by '/'.
    void familiesFromText_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("families");
        QTest::newRow("plain") << "A\nB\n"_ba << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("no last line end") << "A\nB"_ba << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("CRLF") << "A\r\nB\r\n"_ba << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("BOM") << "\xEF\xBB\xBF"
                                "A\n"_ba
                             << QStringList{u"A"_s};
        QTest::newRow("blank lines, blanks, twice")
            << "\n  A \n\nA\n\tB\n"_ba << QStringList{u"A"_s, u"B"_s};
        QTest::newRow("Japanese") << u"明朝の候補\nＭＳ Ｐゴシック\n"_s.toUtf8()
                                  << QStringList{u"明朝の候補"_s, u"ＭＳ Ｐゴシック"_s};
        QTest::newRow("empty") << QByteArray() << QStringList{};
    }
    void familiesFromText() {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, families);
        QCOMPARE(FamilySets::fromText(text), families);
    }

    // What is written reads back as the same families.
    void textRoundTrips() {
        const QStringList families{u"IPA明朝"_s, u"Tom & \"Jerry\""_s, u"Bench Sans 00001"_s};
        const QByteArray text = FamilySets::toText(families);
        QCOMPARE(text, u"IPA明朝\nTom & \"Jerry\"\nBench Sans 00001\n"_s.toUtf8());
        QCOMPARE(FamilySets::fromText(text), families);
    }
};

QTEST_GUILESS_MAIN(TestFamilySets)
#include "tst_familysets.moc"
