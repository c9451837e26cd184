#include "ivdcollections.h"

#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

// Lines as the database writes them, with the kinds of line it also holds.
const QString Database = uR"(# IVD_Sequences.txt
# Date: 2022-09-13
3402 E0100; Adobe-Japan1; CID+13698
3402 E0101; Hanyo-Denshi; JA3402
8FBB E0101; Moji_Joho; MJ025760   # a comment after the entry
20B9F E0100; Adobe-Japan1; CID+20105
XYZ E0100; Adobe-Japan1; CID+1
8FBB; Adobe-Japan1; CID+2
8FBB E0102;; CID+3
110000 E0100; Adobe-Japan1; CID+4
)"_s;

} // namespace

class TestIvdCollections : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void collection_data() {
        QTest::addColumn<uint>("base");
        QTest::addColumn<uint>("selector");
        QTest::addColumn<QString>("expected");
        QTest::newRow("Adobe-Japan1") << 0x3402u << 0xE0100u << u"Adobe-Japan1"_s;
        QTest::newRow("same character, another collection")
            << 0x3402u << 0xE0101u << u"Hanyo-Denshi"_s;
        QTest::newRow("comment after the entry") << 0x8FBBu << 0xE0101u << u"Moji_Joho"_s;
        QTest::newRow("beyond the BMP") << 0x20B9Fu << 0xE0100u << u"Adobe-Japan1"_s;
        QTest::newRow("not registered") << 0x8FBBu << 0xE0100u << QString();
        QTest::newRow("no selector on the line") << 0x8FBBu << 0u << QString();
        QTest::newRow("no collection name") << 0x8FBBu << 0xE0102u << QString();
        QTest::newRow("past Unicode") << 0x110000u << 0xE0100u << QString();
    }
    void collection() {
        QFETCH(uint, base);
        QFETCH(uint, selector);
        QFETCH(QString, expected);
        QCOMPARE(IvdCollections::fromText(Database).collection(base, selector), expected);
    }

    // The first readable file of the list; none at all without one.
    void loadsTheFirstFileThatIsThere() {
        QTemporaryDir dir;
        QFile file(dir.filePath(u"IVD_Sequences.txt"_s));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(Database.toUtf8());
        file.close();
        const IvdCollections loaded =
            IvdCollections::load({dir.filePath(u"absent.txt"_s), file.fileName()});
        QCOMPARE(loaded.collection(0x3402, 0xE0101), u"Hanyo-Denshi"_s);
        QVERIFY(IvdCollections::load({dir.filePath(u"absent.txt"_s)}).isEmpty());
    }

    void selectorName_data() {
        QTest::addColumn<uint>("selector");
        QTest::addColumn<QString>("expected");
        QTest::newRow("VS1") << 0xFE00u << u"VS1 (U+FE00)"_s;
        QTest::newRow("VS16") << 0xFE0Fu << u"VS16 (U+FE0F)"_s;
        QTest::newRow("VS17") << 0xE0100u << u"VS17 (U+E0100)"_s;
        QTest::newRow("VS256") << 0xE01EFu << u"VS256 (U+E01EF)"_s;
        QTest::newRow("no selector") << 0xE01F0u << u"U+E01F0"_s;
    }
    void selectorName() {
        QFETCH(uint, selector);
        QFETCH(QString, expected);
        QCOMPARE(IvdCollections::selectorName(selector), expected);
    }
};

QTEST_GUILESS_MAIN(TestIvdCollections)
#include "tst_ivdcollections.moc"
