#include "catalogues.h"

#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

class TestFontCatalogue : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRunTicksEveryFont() {
        MemorySettingsStore store;
        RecordingTickList list;
        FontCatalogue catalogue;
        const ListFontSource fonts(numberedFonts(u"Face "_s, 3));
        catalogue.build(fonts, store, list);

        QCOMPARE(int(catalogue.FontNum()), 3);
        QCOMPARE(int(catalogue.SelNum()), 3);
        QCOMPARE(list.names, fonts.names);
        QCOMPARE(list.ticks, (QList<bool>{true, true, true}));
        QCOMPARE(list.countLine, u"3個中3個選択"_s);
        QCOMPARE(catalogue.FontName(2), u"Face 2"_s);
        QCOMPARE(catalogue.FontName(0), QString()); // element 0 exists, never written
        // Every name is written, no flag until the first commit; one read of the source.
        QCOMPARE(store.savedKeys, (QStringList{u"name_Font1"_s, u"name_Font2"_s, u"name_Font3"_s}));
        QCOMPARE(store.values.value(u"name_Font3"_s), u"Face 3"_s);
        QCOMPARE(fonts.reads, 1);
        QCOMPARE(store.flushes, 1);
        // Hidden for the whole refill, shown once.
        QCOMPARE(list.visibility, (QList<bool>{false, true}));
        QCOMPARE(list.itemsAddedWhileVisible, 0);
    }

    void storedFlagsDecideTheTicks_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("flag");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("1") << "1" << 1 << true;
        QTest::newRow("0") << "0" << 0 << false;
        QTest::newRow("2") << "2" << 2 << false;
        QTest::newRow("-1") << "-1" << -1 << false;
        QTest::newRow("1.0") << "1.0" << 1 << true;
        QTest::newRow("spaces") << " 1 " << 1 << true;
        QTest::newRow("full-width 1") << "\uFF11" << 1 << true;
        // Garbage: not ticked, and the build goes on.
        QTest::newRow("letters") << "yes" << 0 << false;
        QTest::newRow("empty") << "" << 0 << false;
        QTest::newRow("out of range") << "70000" << 0 << false;
        QTest::newRow("control characters") << "\x01\x02" << 0 << false;
    }

    void storedFlagsDecideTheTicks() {
        QFETCH(QString, stored);
        QFETCH(int, flag);
        QFETCH(bool, ticked);
        MemorySettingsStore store;
        store.values.insert(u"flg_Font2"_s, stored);
        RecordingTickList list;
        FontCatalogue catalogue;
        catalogue.build(ListFontSource(numberedFonts(u"Face "_s, 3)), store, list);

        QCOMPARE(int(catalogue.FontFlg(2)), flag);
        QCOMPARE(list.ticks, (QList<bool>{true, ticked, true}));
        QCOMPARE(int(catalogue.SelNum()), ticked ? 3 : 2);
        // The fonts after a bad entry are restored all the same.
        QCOMPARE(int(catalogue.FontFlg(3)), 1);

        // The next commit stores 0 or 1 for it.
        catalogue.commit(list, store);
        QCOMPARE(store.values.value(u"flg_Font2"_s), ticked ? u"1"_s : u"0"_s);
        QCOMPARE(int(catalogue.FontFlg(2)), ticked ? 1 : 0);
    }

    void noFontsAtAll() {
        MemorySettingsStore store;
        RecordingTickList list;
        FontCatalogue catalogue;
        catalogue.build(ListFontSource(QStringList()), store, list);
        QCOMPARE(int(catalogue.FontNum()), 0);
        QCOMPARE(int(catalogue.SelNum()), 0);
        QCOMPARE(list.countLine, u"0個中0個選択"_s);
        catalogue.commit(list, store);
        QCOMPARE(store.savedKeys, QStringList());
        QCOMPARE(int(catalogue.SelNum()), 0);
        QCOMPARE(store.flushes, 2);
    }

    void commitStoresEveryTickAndRecounts() {
        MemorySettingsStore store;
        RecordingTickList list;
        FontCatalogue catalogue;
        catalogue.build(ListFontSource(numberedFonts(u"Face "_s, 4)), store, list);
        list.setSelected(1, false);
        list.setSelected(3, false);
        // Ticking in the list changes nothing until the commit.
        QCOMPARE(int(catalogue.SelNum()), 4);
        QCOMPARE(int(catalogue.FontFlg(2)), 1);

        store.savedKeys.clear();
        catalogue.commit(list, store);
        QCOMPARE(int(catalogue.SelNum()), 2);
        QCOMPARE(store.savedKeys,
                 (QStringList{u"flg_Font1"_s, u"flg_Font2"_s, u"flg_Font3"_s, u"flg_Font4"_s}));
        QCOMPARE(store.values.value(u"flg_Font2"_s), u"0"_s);
        QCOMPARE(store.values.value(u"flg_Font3"_s), u"1"_s);
        QCOMPARE(int(catalogue.FontFlg(4)), 0);
        QCOMPARE(store.flushes, 2);
        // The count line is the build's; the commit leaves names alone.
        QCOMPARE(list.countLine, u"4個中4個選択"_s);
        QCOMPARE(catalogue.FontName(4), u"Face 4"_s);

        // A rebuild reproduces the committed selection.
        RecordingTickList again;
        catalogue.build(ListFontSource(numberedFonts(u"Face "_s, 4)), store, again);
        QCOMPARE(again.ticks, (QList<bool>{true, false, true, false}));
        QCOMPARE(again.countLine, u"4個中2個選択"_s);
    }

    void commitWithoutChangesRewritesEveryFlag() {
        MemorySettingsStore store;
        store.values.insert(u"flg_Font1"_s, u"0"_s);
        RecordingTickList list;
        FontCatalogue catalogue;
        catalogue.build(ListFontSource(numberedFonts(u"Face "_s, 3)), store, list);
        store.savedKeys.clear();
        catalogue.commit(list, store);
        QCOMPARE(store.savedKeys, (QStringList{u"flg_Font1"_s, u"flg_Font2"_s, u"flg_Font3"_s}));
        QCOMPARE(store.values.value(u"flg_Font1"_s), u"0"_s);
        QCOMPARE(store.values.value(u"flg_Font3"_s), u"1"_s);
    }

    void fewerFontsThanLastTimeLeaveOldEntriesAlone() {
        MemorySettingsStore store;
        RecordingTickList list;
        FontCatalogue catalogue;
        catalogue.build(ListFontSource(numberedFonts(u"Face "_s, 5)), store, list);
        list.setSelected(4, false);
        catalogue.commit(list, store);

        // Font 1 was removed: positions shift, flags follow positions, names are rewritten.
        RecordingTickList shorter;
        catalogue.build(ListFontSource(numberedFonts(u"Face "_s, 5).mid(1)), store, shorter);
        QCOMPARE(int(catalogue.FontNum()), 4);
        // Position 5's flag ("0") is no longer read; the first four were all ticked.
        QCOMPARE(shorter.ticks, (QList<bool>{true, true, true, true}));
        QCOMPARE(store.values.value(u"name_Font1"_s), u"Face 2"_s);
        QCOMPARE(store.values.value(u"name_Font5"_s), u"Face 5"_s);
        QCOMPARE(store.values.value(u"flg_Font5"_s), u"0"_s);
        catalogue.commit(shorter, store);
        QCOMPARE(store.values.value(u"flg_Font5"_s), u"0"_s);
        QCOMPARE(store.values.value(u"name_Font5"_s), u"Face 5"_s);
        // Indexes past the new count are out of range now.
        QVERIFY_THROWS_EXCEPTION(RuntimeError, catalogue.FontFlg(5));
    }

    void moreFontsThanASixteenBitCountHolds() {
        MemorySettingsStore store;
        RecordingTickList list;
        FontCatalogue catalogue;
        catalogue.build(ListFontSource(numberedFonts(u"Face "_s, FontCatalogue::MaxFonts + 2)),
                        store, list);
        QCOMPARE(int(catalogue.FontNum()), 32767);
        QCOMPARE(int(catalogue.SelNum()), 32767);
        QCOMPARE(list.listCount(), 32767);
        QCOMPARE(catalogue.FontName(32767), u"Face 32767"_s);
    }
};

QTEST_GUILESS_MAIN(TestFontCatalogue)
#include "tst_fontcatalogue.moc"
