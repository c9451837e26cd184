#include "cmap14table.h"
#include "shapingface.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

using Sequences = QList<Cmap14Table::Sequence>;

FaceRef testFace(const QString& file) {
    return {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + file, 0};
}

} // namespace

// The sequences the variant test fonts define, read back through FreeType: each glyph
// checked by its name in the font, which the character map does not give.
class TestCmap14Table : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sequencesOf_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<uint>("base");
        QTest::addColumn<QList<uint>>("selectors");
        QTest::addColumn<QStringList>("glyphs"); // empty: a default sequence
        const QString variants = u"varelith-variants.ttf"_s;
        QTest::newRow("default and its own, by selector")
            << variants << 0x8FBBu << QList<uint>{0xE0100, 0xE0101}
            << QStringList{QString(), u"uni8FBB.jp90"_s};
        QTest::newRow("its own only")
            << variants << 0x845Bu << QList<uint>{0xE0100} << QStringList{u"uni845B.var"_s};
        QTest::newRow("none for the character")
            << variants << 0x6C38u << QList<uint>{} << QStringList{};
        QTest::newRow("another font's own")
            << u"varelith-variants-two.ttf"_s << 0x8FBBu << QList<uint>{0xE0102}
            << QStringList{u"uni8FBB.alt"_s};
        QTest::newRow("a font without sequences")
            << u"varelith-blank.ttf"_s << 0x41u << QList<uint>{} << QStringList{};
    }
    void sequencesOf() {
        QFETCH(QString, file);
        QFETCH(uint, base);
        QFETCH(QList<uint>, selectors);
        QFETCH(QStringList, glyphs);
        const Cmap14Table table = Cmap14Table::read(testFace(file));
        const Sequences sequences = table.sequencesOf(base);
        QCOMPARE(sequences.size(), selectors.size());
        ShapingFace face(testFace(file));
        for (qsizetype i = 0; i < sequences.size(); ++i) {
            const Cmap14Table::Sequence& sequence = sequences.at(i);
            QCOMPARE(uint(sequence.selector), selectors.at(i));
            QCOMPARE(sequence.isDefault, glyphs.at(i).isEmpty());
            QCOMPARE(sequence.isDefault ? QString() : face.glyphName(sequence.glyph), glyphs.at(i));
            QCOMPARE(table.find(base, sequence.selector), sequence);
            QVERIFY(table.selectors().contains(sequence.selector));
        }
    }

    void selectorsAndMisses() {
        const Cmap14Table table = Cmap14Table::read(testFace(u"varelith-variants.ttf"_s));
        QCOMPARE(table.selectors(), (QList<char32_t>{0xE0100, 0xE0101}));
        QVERIFY(!table.find(0x8FBB, 0xE0102));
        QVERIFY(!table.find(0x845B, 0xE0101));
        QVERIFY(Cmap14Table::read(testFace(u"varelith-blank.ttf"_s)).isEmpty());
        QVERIFY(Cmap14Table::read(testFace(u"none.ttf"_s)).isEmpty());
        QVERIFY(!Cmap14Table::read(testFace(u"none.ttf"_s)).find(0x8FBB, 0xE0100));
    }
};

QTEST_GUILESS_MAIN(TestCmap14Table)
#include "tst_cmap14table.moc"
