#include "catalogues.h"
#include "inisettingsstore.h"

#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

class TestFontCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buildWritesNamesCommitWritesEveryFlag() {
        MemorySettingsStore store;
        RecordingTickList list;
        FontCatalogue catalogue;
        const ListFontSource fonts(numberedFonts(u"Face "_s, 2));
        catalogue.build(fonts, store, list);
        QCOMPARE(store.savedKeys, (QStringList{u"name_Font1"_s, u"name_Font2"_s}));
        QCOMPARE((QList<int>{fonts.reads, store.flushes, list.itemsAddedWhileVisible}),
                 (QList<int>{1, 1, 0}));
        QCOMPARE(list.visibility, (QList<bool>{false, true})); // hidden while refilled
        list.setSelected(1, false);
        store.savedKeys.clear();
        catalogue.commit(list, store);
        QCOMPARE(store.savedKeys,
                 (QStringList{u"name_Font1"_s, u"flg_Font1"_s, u"name_Font2"_s, u"flg_Font2"_s}));
        QCOMPARE(int(catalogue.SelNum()), 1);
        QCOMPARE(list.countLine, u"2個中2個選択"_s); // the build's, until the next build
        store.savedKeys.clear();
        catalogue.build(fonts, store, list); // every name where it was: nothing to write
        QCOMPARE(store.savedKeys, QStringList());
        catalogue.build(ListFontSource({u"Face 1"_s, u"New"_s}), store, list); // every name
        QCOMPARE(store.savedKeys, (QStringList{u"name_Font1"_s, u"name_Font2"_s, u"flg_Font2"_s}));
    }

    // Instance A starts on A|B|C and unticks B; N is installed; instance B starts on
    // A|N|B|C and unticks C; each commits once, in the row's order. The file then pairs every
    // flag with the name the last to commit wrote it for, and the next start finds that
    // instance's ticks on the fonts it ticked.
    void twoInstancesPairEveryFlagWithItsName_data() {
        QTest::addColumn<bool>("firstCommitsLast");
        QTest::addColumn<QString>("ticks");
        QTest::newRow("the earlier instance last") << true << u"1101"_s;
        QTest::newRow("the later instance last") << false << u"1110"_s;
    }
    void twoInstancesPairEveryFlagWithItsName() {
        QFETCH(bool, firstCommitsLast);
        QTemporaryDir home;
        const QString file = home.filePath(u"Varelith.ini"_s);
        // Qt shares a file within a process; read by a second path it is read anew.
        QVERIFY(QFile::link(home.path(), home.filePath(u"again"_s)));
        const QStringList before{u"A"_s, u"B"_s, u"C"_s}, after{u"A"_s, u"N"_s, u"B"_s, u"C"_s};
        IniSettingsStore firstStore(file), laterStore(home.filePath(u"again/Varelith.ini"_s));
        FontCatalogue first, later, next;
        RecordingTickList firstList, laterList, nextList;
        first.build(ListFontSource(before), firstStore, firstList);
        later.build(ListFontSource(after), laterStore, laterList);
        firstList.setSelected(1, false);
        laterList.setSelected(3, false);
        if (firstCommitsLast) {
            later.commit(laterList, laterStore);
            first.commit(firstList, firstStore);
        } else {
            first.commit(firstList, firstStore);
            later.commit(laterList, laterStore);
        }
        IniSettingsStore nextStore(file);
        const QStringList& lastFonts = firstCommitsLast ? before : after;
        const RecordingTickList& lastList = firstCommitsLast ? firstList : laterList;
        for (int n = 1; n <= lastFonts.size(); ++n) {
            QCOMPARE(nextStore.GetSetting(FontCatalogue::nameKey(n), 0), lastFonts.at(n - 1));
            QCOMPARE(nextStore.GetSetting(FontCatalogue::flagKey(n), 0),
                     lastList.ticks.at(n - 1) ? u"1"_s : u"0"_s);
        }
        next.build(ListFontSource(after), nextStore, nextList);
        QString ticks;
        for (const bool tick : nextList.ticks)
            ticks += tick ? u'1' : u'0';
        QTEST(ticks, "ticks");
    }

    // The old file's names and flags (fewer flags than names: no entry), the fonts now
    // installed, and their ticks after the build, each list separated by "|".
    void ticksFollowTheirFontsNames_data() {
        QTest::addColumn<QString>("oldNamesText");
        QTest::addColumn<QString>("oldFlagsText");
        QTest::addColumn<QString>("fontsText");
        QTest::addColumn<QString>("ticks");
        QTest::newRow("first run") << QString() << QString() << u"A|B|C"_s << u"111"_s;
        QTest::newRow("same list") << u"A|B|C"_s << u"1|0|1"_s << u"A|B|C"_s << u"101"_s;
        QTest::newRow("added in the middle")
            << u"A|B|C"_s << u"0|1|0"_s << u"A|N|B|C"_s << u"0110"_s;
        QTest::newRow("one removed") << u"A|B|C"_s << u"0|1|0"_s << u"B|C"_s << u"10"_s;
        QTest::newRow("renamed") << u"A|B|C"_s << u"0|0|0"_s << u"A|B2|C"_s << u"010"_s;
        QTest::newRow("duplicates in the old file")
            << u"A|B|A"_s << u"0|1|1"_s << u"B|A"_s << u"10"_s;
        QTest::newRow("no names stored") << QString() << u"0|1"_s << u"A|B|C"_s << u"011"_s;
        // Flags that are no whole number in range are not ticked; nothing after them is lost.
        QTest::newRow("flags not numbers") << u"A|B|C|D|E|F"_s << u"yes| |70000|2| 1.0 |\uFF11"_s
                                           << u"A|B|C|D|E|F"_s << u"000011"_s;
        QTest::newRow("a font called 0") << u"0|B"_s << u"0|1"_s << u"B|0"_s << u"10"_s;
        QTest::newRow("upgrade from foundry names")
            << u"C059 [UKWN]|C059 [urw]|Monospace|Nimbus Sans [URW ]|Z"_s << u"0|1|0|0|1"_s
            << u"C059|Nimbus Sans|Z"_s << u"001"_s;
    }
    void ticksFollowTheirFontsNames() {
        QFETCH(QString, oldNamesText);
        QFETCH(QString, oldFlagsText);
        QFETCH(QString, fontsText);
        QFETCH(QString, ticks);
        const QStringList oldNames = oldNamesText.split(u'|', Qt::SkipEmptyParts);
        const QStringList oldFlags = oldFlagsText.split(u'|', Qt::SkipEmptyParts);
        const QStringList fonts = fontsText.split(u'|');
        QTemporaryDir home;
        const QString file = home.filePath(u"Varelith.ini"_s);
        {
            IniSettingsStore old(file);
            for (int n = 1; n <= oldNames.size(); ++n)
                old.SaveSetting(FontCatalogue::nameKey(n), oldNames.at(n - 1));
            for (int n = 1; n <= oldFlags.size(); ++n)
                old.SaveSetting(FontCatalogue::flagKey(n), oldFlags.at(n - 1));
            old.flush();
        }
        IniSettingsStore store(file);
        RecordingTickList list;
        FontCatalogue catalogue;
        catalogue.build(ListFontSource(fonts), store, list);
        QList<bool> expected;
        for (const QChar tick : ticks)
            expected.append(tick == u'1');
        QCOMPARE(list.names, fonts);
        QCOMPARE(list.ticks, expected);
        {
            // Killed before the dialog ever closed: the file as the build left it.
            IniSettingsStore afterBuild(file);
            for (int n = 1; n <= fonts.size(); ++n)
                QCOMPARE(afterBuild.GetSetting(FontCatalogue::nameKey(n), 0), fonts.at(n - 1));
            RecordingTickList killed;
            FontCatalogue().build(ListFontSource(fonts), afterBuild, killed);
            QCOMPARE(killed.ticks, expected);
        }
        catalogue.commit(list, store);

        // The file holds the new names and ticks in the new places, entries above them
        // as they were; the next start finds the same ticks.
        IniSettingsStore reopened(file);
        for (int n = 1; n <= std::max(fonts.size(), oldNames.size()); ++n) {
            const bool listed = n <= fonts.size();
            QCOMPARE(reopened.GetSetting(FontCatalogue::nameKey(n), 0),
                     listed ? fonts.at(n - 1) : oldNames.at(n - 1));
            QCOMPARE(reopened.GetSetting(FontCatalogue::flagKey(n), 9),
                     listed ? ticks.mid(n - 1, 1) : oldFlags.value(n - 1, u"9"_s));
        }
        RecordingTickList again;
        catalogue.build(ListFontSource(fonts), reopened, again);
        QCOMPARE(again.ticks, expected);
    }

    void noFontsAndMoreThanASixteenBitCountHolds() {
        for (const auto& [installed, listed] : {std::pair(0, 0), std::pair(32769, 32767)}) {
            MemorySettingsStore store;
            RecordingTickList list;
            FontCatalogue catalogue;
            catalogue.build(ListFontSource(numberedFonts(u"Face "_s, installed)), store, list);
            QCOMPARE((QList<int>{catalogue.FontNum(), catalogue.SelNum(), list.listCount()}),
                     (QList<int>{listed, listed, listed}));
            QCOMPARE(catalogue.listedFamilies(), installed);
            QCOMPARE(store.values.size(), listed); // nothing done for the families left out
            catalogue.commit(list, store);
            QCOMPARE(store.values.size(), 2 * listed);
        }
    }
};

QTEST_GUILESS_MAIN(TestFontCatalogue)
#include "tst_fontcatalogue.moc"
