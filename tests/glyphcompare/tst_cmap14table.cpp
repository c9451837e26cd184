#include "cmap14table.h"

#include <QTest>

using namespace varelith;

namespace {

struct Mapping {
    char32_t character;
    quint16 glyph;
};
struct Range {
    char32_t first;
    quint8 more;
};
struct Selector {
    char32_t selector;
    QList<Range> defaults;
    QList<Mapping> nonDefaults;
};

void put(QByteArray& out, quint32 value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.append(char(value >> (i * 8) & 0xff));
}
void putAt(QByteArray& out, qsizetype at, quint32 value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out[at + i] = char(value >> ((bytes - 1 - i) * 8) & 0xff);
}

// A cmap table with a format 4 stand-in first and the format 14 subtable after it, laid
// out as the OpenType specification lays it out.
QByteArray cmapWith(const QList<Selector>& selectors) {
    QByteArray cmap;
    put(cmap, 0, 2);
    put(cmap, 2, 2);
    put(cmap, 3, 2); // Windows, BMP: not the one to read
    put(cmap, 1, 2);
    put(cmap, 20, 4);
    put(cmap, 0, 2); // Unicode, variation sequences
    put(cmap, 5, 2);
    put(cmap, 24, 4);
    put(cmap, 0, 4); // four bytes of the other subtable
    const qsizetype start = cmap.size();
    put(cmap, 14, 2);
    put(cmap, 0, 4); // length, filled in below
    put(cmap, quint32(selectors.size()), 4);
    const qsizetype records = cmap.size();
    cmap.append(QByteArray(selectors.size() * 11, '\0'));
    for (qsizetype i = 0; i < selectors.size(); ++i) {
        const Selector& selector = selectors.at(i);
        const qsizetype record = records + i * 11;
        putAt(cmap, record, selector.selector, 3);
        if (!selector.defaults.isEmpty()) {
            putAt(cmap, record + 3, quint32(cmap.size() - start), 4);
            put(cmap, quint32(selector.defaults.size()), 4);
            for (const Range& range : selector.defaults) {
                put(cmap, range.first, 3);
                put(cmap, range.more, 1);
            }
        }
        if (!selector.nonDefaults.isEmpty()) {
            putAt(cmap, record + 7, quint32(cmap.size() - start), 4);
            put(cmap, quint32(selector.nonDefaults.size()), 4);
            for (const Mapping& mapping : selector.nonDefaults) {
                put(cmap, mapping.character, 3);
                put(cmap, mapping.glyph, 2);
            }
        }
    }
    putAt(cmap, start + 2, quint32(cmap.size() - start), 4);
    return cmap;
}

const QList<Selector> Sample{
    {0xE0100, {{0x8FBB, 0}, {0x9000, 3}}, {{0x845B, 7}, {0x20B9F, 9}}},
    {0xE0101, {}, {{0x8FBB, 11}, {0x9002, 12}}},
    {0xFE00, {{0x8FBB, 0}}, {}},
};

using Sequences = QList<Cmap14Table::Sequence>;

} // namespace

class TestCmap14Table : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Default ranges cover their first character and the ones counted after it, no more;
    // non-default mappings give their own glyphs; a character in none has no sequences.
    void sequencesOf_data() {
        QTest::addColumn<uint>("base");
        QTest::addColumn<Sequences>("expected");
        QTest::newRow("default and non-default, by selector")
            << 0x8FBBu << Sequences{{0xFE00, true, 0}, {0xE0100, true, 0}, {0xE0101, false, 11}};
        QTest::newRow("range start") << 0x9000u << Sequences{{0xE0100, true, 0}};
        QTest::newRow("range end") << 0x9003u << Sequences{{0xE0100, true, 0}};
        QTest::newRow("in a range and a mapping")
            << 0x9002u << Sequences{{0xE0100, true, 0}, {0xE0101, false, 12}};
        QTest::newRow("past the range") << 0x9004u << Sequences{};
        QTest::newRow("before every range") << 0x4E00u << Sequences{};
        QTest::newRow("non-default only") << 0x845Bu << Sequences{{0xE0100, false, 7}};
        QTest::newRow("beyond the BMP") << 0x20B9Fu << Sequences{{0xE0100, false, 9}};
    }
    void sequencesOf() {
        QFETCH(uint, base);
        QFETCH(Sequences, expected);
        const Cmap14Table table = Cmap14Table::fromCmap(cmapWith(Sample));
        QCOMPARE(table.sequencesOf(base), expected);
        for (const Cmap14Table::Sequence& sequence : expected)
            QCOMPARE(table.find(base, sequence.selector), sequence);
    }

    void selectorsAscend() {
        const Cmap14Table table = Cmap14Table::fromCmap(cmapWith(Sample));
        QCOMPARE(table.selectors(), (QList<char32_t>{0xFE00, 0xE0100, 0xE0101}));
        QVERIFY(!table.find(0x8FBB, 0xE0102));
        QVERIFY(!table.find(0x845B, 0xE0101));
    }

    // A damaged table reads as fewer sequences, never past its bytes (run under the
    // sanitizers): every shortened copy of the table, and counts that claim too much.
    void damagedTablesStayInTheirBytes() {
        const QByteArray whole = cmapWith(Sample);
        for (qsizetype size = 0; size < whole.size(); ++size) {
            const Cmap14Table table = Cmap14Table::fromCmap(whole.left(size));
            table.sequencesOf(0x8FBB);
            table.sequencesOf(0x20B9F);
        }
        QByteArray lying = whole;
        putAt(lying, 24 + 6, 0xFFFFFFFF, 4); // records
        QCOMPARE(Cmap14Table::fromCmap(lying).sequencesOf(0x845B),
                 (Sequences{{0xE0100, false, 7}}));
        QByteArray longRanges = whole;
        const qsizetype firstDefaults = 24 + 10 + 3 * 11;
        putAt(longRanges, firstDefaults, 0x7FFFFFFF, 4);
        QVERIFY(!Cmap14Table::fromCmap(longRanges).find(0x8FBB, 0xE0100));
        QVERIFY(Cmap14Table::fromCmap(QByteArray()).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCmap14Table)
#include "tst_cmap14table.moc"
