#include "glyphcomparison.h"
#include "ivdcollections.h"
#include "outlinefingerprints.h"
#include "sequencelisting.h"
#include "shaper.h"
#include "variationsequences.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

ComparedFont testFont(const QString& name) {
    static const QHash<QString, QString> files{{u"Variants"_s, u"varelith-variants.ttf"_s},
                                               {u"Two"_s, u"varelith-variants-two.ttf"_s},
                                               {u"Blank"_s, u"varelith-blank.ttf"_s}};
    if (!files.contains(name))
        return {name, {}}; // not installed
    return {name, {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + files.value(name), 0}};
}

QList<ComparedFont> testFonts(const QStringList& names) {
    QList<ComparedFont> fonts;
    for (const QString& name : names)
        fonts.append(testFont(name));
    return fonts;
}

const QString Tsuji = u"辻"_s;
const QString TsujiVs17 = u"辻\U000E0100"_s;
const QString TsujiVs18 = u"辻\U000E0101"_s;
const QString TsujiVs19 = u"辻\U000E0102"_s;

using Flags = QList<bool>;

} // namespace

class TestGlyphComparison : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "Varelith Variants" and "Varelith Variants Two" draw 辻 alike at other glyph ids; the
    // jp90 form has another outline, its jp04 form the same outline in a glyph of its own.
    void compare_data() {
        QTest::addColumn<QStringList>("fonts");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("switches");
        QTest::addColumn<Flags>("missing");
        QTest::addColumn<Flags>("differs");
        QTest::newRow("same outline, other glyph ids")
            << QStringList{u"Two"_s, u"Variants"_s} << Tsuji << QString() << Flags{false, false}
            << Flags{false, false};
        QTest::newRow("jp90 changes the glyph")
            << QStringList{u"Two"_s, u"Variants"_s} << Tsuji << u"jp90"_s << Flags{false, false}
            << Flags{false, true};
        QTest::newRow("jp04: another glyph, the same shape")
            << QStringList{u"Two"_s, u"Variants"_s} << Tsuji << u"jp04"_s << Flags{false, false}
            << Flags{false, false};
        QTest::newRow("jp90 in the first font")
            << QStringList{u"Variants"_s, u"Two"_s} << Tsuji << u"jp90"_s << Flags{false, false}
            << Flags{false, true};
        QTest::newRow("the first font that draws it is the reference")
            << QStringList{u"Blank"_s, u"Absent"_s, u"Variants"_s, u"Two"_s} << Tsuji << u"jp90"_s
            << Flags{true, true, false, false} << Flags{false, false, false, true};
        QTest::newRow("a sequence only one font defines")
            << QStringList{u"Two"_s, u"Variants"_s} << TsujiVs18 << QString() << Flags{true, false}
            << Flags{false, false};
        QTest::newRow("a default sequence")
            << QStringList{u"Variants"_s, u"Two"_s} << TsujiVs17 << QString() << Flags{false, true}
            << Flags{false, false};
        QTest::newRow("the other font's sequence")
            << QStringList{u"Variants"_s, u"Two"_s} << TsujiVs19 << QString() << Flags{true, false}
            << Flags{false, false};
    }
    void compare() {
        QFETCH(QStringList, fonts);
        QFETCH(QString, text);
        QFETCH(QString, switches);
        QFETCH(Flags, missing);
        QFETCH(Flags, differs);
        Shaper shaper;
        OutlineFingerprints fingerprints(shaper);
        GlyphComparison comparison(shaper, fingerprints);
        const GlyphComparison::Row row =
            comparison.compare(text, testFonts(fonts), FeatureSettings::fromText(switches));
        Flags gotMissing;
        Flags gotDiffers;
        for (const GlyphComparison::Cell& cell : row.cells) {
            gotMissing.append(cell.missing);
            gotDiffers.append(cell.differs);
        }
        QCOMPARE(gotMissing, missing);
        QCOMPARE(gotDiffers, differs);
    }

    // The variant is drawn, not the plain character: 辻 U+E0101 is the jp90 form of "Varelith
    // Variants".
    void aSequenceDrawsItsVariant() {
        Shaper shaper;
        OutlineFingerprints fingerprints(shaper);
        GlyphComparison comparison(shaper, fingerprints);
        const QList<ComparedFont> kanji = testFonts({u"Variants"_s});
        const quint64 plain = comparison.compare(Tsuji, kanji, {}).cells.at(0).shape;
        const quint64 jp90 = comparison.compare(Tsuji, kanji, FeatureSettings::fromText(u"jp90"_s))
                                 .cells.at(0)
                                 .shape;
        const quint64 variant = comparison.compare(TsujiVs18, kanji, {}).cells.at(0).shape;
        const quint64 byDefault = comparison.compare(TsujiVs17, kanji, {}).cells.at(0).shape;
        QVERIFY(plain != jp90);
        QCOMPARE(variant, jp90);
        QCOMPARE(byDefault, plain);
    }

    void characters_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("each once, in order") << u"辻葛辻"_s << QStringList{u"辻"_s, u"葛"_s};
        QTest::newRow("spaces left out") << u" 辻　葛\t"_s << QStringList{u"辻"_s, u"葛"_s};
        QTest::newRow("selector kept with its character")
            << u"辻\U000E0100葛"_s << QStringList{TsujiVs17, u"葛"_s};
        QTest::newRow("plain and sequence are two")
            << u"辻\U000E0100辻"_s << QStringList{TsujiVs17, Tsuji};
        QTest::newRow("surrogate pair") << u"𠮟\U000E0100"_s << QStringList{u"𠮟\U000E0100"_s};
        QTest::newRow("selector first") << u"\U000E0100辻"_s << QStringList{Tsuji};
        QTest::newRow("selector after a space") << u"辻 \U000E0100"_s << QStringList{Tsuji};
        QTest::newRow("second selector") << u"辻\U000E0100\U000E0101"_s << QStringList{TsujiVs17};
        QTest::newRow("VS1 after a BMP character") << u"葛\uFE00"_s << QStringList{u"葛\uFE00"_s};
    }
    void characters() {
        QFETCH(QString, text);
        QFETCH(QStringList, expected);
        QCOMPARE(GlyphComparison::characters(text), expected);
    }

    // Every sequence any font defines, by selector, with who has it and its collection.
    void listsTheSequencesOfTheFonts() {
        Shaper shaper;
        VariationSequences sequences;
        const IvdCollections collections =
            IvdCollections::fromText(u"8FBB E0101; Hanyo-Denshi; JA8FBB\n"_s);
        const QList<SequenceListing::Entry> entries = SequenceListing::list(
            U'辻', testFonts({u"Blank"_s, u"Variants"_s, u"Absent"_s, u"Two"_s}), sequences,
            collections);
        QCOMPARE(entries.size(), 3);
        const QList<char32_t> selectors{0xE0100, 0xE0101, 0xE0102};
        const QList<QList<bool>> has{
            {false, true, false, false}, {false, true, false, false}, {false, false, false, true}};
        for (int i = 0; i < 3; ++i) {
            const SequenceListing::Entry& entry = entries.at(i);
            QCOMPARE(entry.selector, selectors.at(i));
            QCOMPARE(entry.text, u"辻"_s + QString::fromUcs4(&selectors.at(i), 1));
            for (int font = 0; font < 4; ++font)
                QCOMPARE(entry.fonts.at(font).has, has.at(i).at(font));
        }
        QVERIFY(entries.at(0).fonts.at(1).isDefault);
        QVERIFY(!entries.at(1).fonts.at(1).isDefault);
        QCOMPARE(entries.at(0).collection, QString());
        QCOMPARE(entries.at(1).collection, u"Hanyo-Denshi"_s);
        QCOMPARE(entries.at(1).selectorName, u"VS18 (U+E0101)"_s);
        QVERIFY(SequenceListing::list(U'永', testFonts({u"Variants"_s, u"Two"_s}), sequences,
                                      collections)
                    .isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestGlyphComparison)
#include "tst_glyphcomparison.moc"
