#include "latinpairing.h"
#include "latinscript.h"
#include "memorysettingsstore.h"
#include "pairedshaper.h"
#include "shaper.h"
#include "typesetting.h"

#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

FaceRef testFace(const QString& file) {
    return {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + file, 0};
}
const FaceRef Japanese = testFace(u"varelith-vertical.ttf"_s);
const FaceRef Latin = testFace(u"varelith-latin-regular.ttf"_s);

// At 1000 pixels a pixel is a font unit of the made fonts (1000 units per em).
constexpr qreal UnitPixels = 1000;

ShapedRun shapedAlone(Shaper& shaper, const FaceRef& face, const QString& text,
                      ShapedRun::Direction direction, qreal pixels) {
    return shaper.shape(face, text, direction, {}, {}, pixels);
}

} // namespace

class TestPairedShaper : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // "J" the line's own font, "L" the Latin one, with each run's length in UTF-16 units.
    void latinRuns_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("runs");
        QTest::newRow("kana around letters") << u"かなABCかな"_s << u"J2 L3 J2"_s;
        QTest::newRow("digits before a kanji") << u"2026年"_s << u"L4 J1"_s;
        QTest::newRow("brackets between kanji stay Japanese") << u"年(2026)年"_s << u"J2 L4 J2"_s;
        QTest::newRow("brackets at the edges go with the digits") << u"(2026)"_s << u"L6"_s;
        QTest::newRow("punctuation and spaces between letters") << u"Hello, world!"_s << u"L13"_s;
        QTest::newRow("a space between a letter and kana") << u"ABC かな"_s << u"L3 J3"_s;
        QTest::newRow("Japanese brackets around letters") << u"「Hello」"_s << u"J1 L5 J1"_s;
        QTest::newRow("full-width letters and digits") << u"ＡＢＣ１"_s << u"J4"_s;
        QTest::newRow("an apostrophe in a word") << u"don’t"_s << u"L5"_s;
        QTest::newRow("a combining accent stays with its letter")
            << u"cafe\u0301 です"_s << u"L5 J3"_s;
        QTest::newRow("Greek is not Latin") << u"ΑΒΓ"_s << u"J3"_s;
        QTest::newRow("a Japanese comma between letters") << u"A、B"_s << u"L1 J1 L1"_s;
        QTest::newRow("punctuation alone") << u"!!!"_s << u"J3"_s;
        QTest::newRow("a character beyond the BMP is one") << u"𠮷a"_s << u"J2 L1"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void latinRuns() {
        QFETCH(QString, text);
        QStringList runs;
        qsizetype end = 0;
        for (const LatinScript::Run& run : LatinScript::runs(text)) {
            QCOMPARE(run.start, end);
            end += run.length;
            runs.append((run.latin ? u"L"_s : u"J"_s) + QString::number(run.length));
        }
        QCOMPARE(end, text.size());
        QTEST(runs.join(u' '), "runs");
    }

    // The Latin run set in the Latin face at the chosen size and rise, with its kerning and
    // its ligature; the kana in the Japanese face, where they would be alone.
    void horizontal_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("shift");
        QTest::newRow("as they are") << 100 << 0.0;
        QTest::newRow("smaller and raised") << 80 << 10.0;
        QTest::newRow("larger and lowered") << 150 << -20.0;
        QTest::newRow("raised above the kana") << 100 << 30.0;
    }
    void horizontal() {
        QFETCH(int, scale);
        QFETCH(double, shift);
        Shaper shaper;
        PairedShaper paired(shaper);
        const QString kana = u"かな"_s;
        const QString letters = u"AVfi"_s;
        const PairedRun run = paired.shape({Japanese, Latin, scale, shift}, kana + letters,
                                           ShapedRun::Direction::Horizontal, {}, {}, UnitPixels);
        QVERIFY(run.primary.valid && run.latin.valid);
        QCOMPARE(run.primary.face, Japanese);
        QCOMPARE(run.latin.face, Latin);
        QCOMPARE(run.latin.pixelSize, UnitPixels * scale / 100);

        const ShapedRun kanaAlone =
            shapedAlone(shaper, Japanese, kana, ShapedRun::Direction::Horizontal, UnitPixels);
        QCOMPARE(run.primary.glyphs.size(), kanaAlone.glyphs.size());
        for (qsizetype i = 0; i < kanaAlone.glyphs.size(); ++i) {
            QCOMPARE(run.primary.glyphs.at(i).id, kanaAlone.glyphs.at(i).id);
            QCOMPARE(run.primary.glyphs.at(i).origin, kanaAlone.glyphs.at(i).origin);
        }
        const qreal latinPixels = UnitPixels * scale / 100;
        const ShapedRun lettersAlone =
            shapedAlone(shaper, Latin, letters, ShapedRun::Direction::Horizontal, latinPixels);
        // A V kerned, f i one glyph: three glyphs for four letters.
        QCOMPARE(lettersAlone.glyphs.size(), 3);
        const qreal aAlone =
            shapedAlone(shaper, Latin, u"A"_s, ShapedRun::Direction::Horizontal, latinPixels)
                .advance;
        QCOMPARE(run.latin.glyphs.size(), lettersAlone.glyphs.size());
        const QPointF offset(kanaAlone.advance, -UnitPixels * shift / 100);
        for (qsizetype i = 0; i < lettersAlone.glyphs.size(); ++i) {
            const ShapedGlyph& glyph = run.latin.glyphs.at(i);
            QCOMPARE(glyph.id, lettersAlone.glyphs.at(i).id);
            QCOMPARE(glyph.origin, lettersAlone.glyphs.at(i).origin + offset);
            QCOMPARE(glyph.cluster, lettersAlone.glyphs.at(i).cluster + int(kana.size()));
            QVERIFY(!glyph.missing);
        }
        QVERIFY(run.latin.glyphs.at(1).origin.x() - run.latin.glyphs.at(0).origin.x() < aAlone);
        QCOMPARE(run.primary.advance, kanaAlone.advance + lettersAlone.advance);
        QCOMPARE(run.latin.advance, run.primary.advance);
        // The line is as tall as both need: a raised Latin run reaches above the kana.
        const qreal raise = UnitPixels * shift / 100;
        QCOMPARE(run.primary.ascent, std::max(kanaAlone.ascent, lettersAlone.ascent + raise));
        QCOMPARE(run.primary.descent, std::max(kanaAlone.descent, lettersAlone.descent - raise));
    }

    // A line of small Latin letters alone keeps the height its own face gives it, so that
    // the sheet's lines do not shrink with their samples.
    void lineKeepsItsOwnHeight() {
        Shaper shaper;
        PairedShaper paired(shaper);
        const PairedRun run = paired.shape({Japanese, Latin, 50, 0}, u"AV"_s,
                                           ShapedRun::Direction::Horizontal, {}, {}, UnitPixels);
        QVERIFY(run.primary.glyphs.isEmpty());
        const ShapedRun own =
            shapedAlone(shaper, Japanese, QString(), ShapedRun::Direction::Horizontal, UnitPixels);
        QCOMPARE(run.primary.ascent, own.ascent);
        QCOMPARE(run.primary.descent, own.descent);
    }

    // In a column the Latin run stays sideways, in the Latin face, its rise to the right.
    void vertical() {
        Shaper shaper;
        PairedShaper paired(shaper);
        const PairedRun run = paired.shape({Japanese, Latin, 80, 10}, u"縦AV1"_s,
                                           ShapedRun::Direction::Vertical, {}, {}, UnitPixels);
        const ShapedRun kanji =
            shapedAlone(shaper, Japanese, u"縦"_s, ShapedRun::Direction::Vertical, UnitPixels);
        const ShapedRun letters =
            shapedAlone(shaper, Latin, u"AV1"_s, ShapedRun::Direction::Vertical, UnitPixels * 0.8);
        QCOMPARE(run.primary.glyphs.size(), 1);
        QVERIFY(!run.primary.glyphs.at(0).sideways);
        QCOMPARE(run.primary.glyphs.at(0).id, kanji.glyphs.at(0).id);
        QCOMPARE(run.latin.glyphs.size(), 3);
        for (qsizetype i = 0; i < 3; ++i) {
            const ShapedGlyph& glyph = run.latin.glyphs.at(i);
            QVERIFY(glyph.sideways);
            QCOMPARE(glyph.id, letters.glyphs.at(i).id);
            QCOMPARE(glyph.origin, letters.glyphs.at(i).origin + QPointF(100, kanji.advance));
        }
        QCOMPARE(run.primary.advance, kanji.advance + letters.advance);
        QCOMPARE(run.primary.ascent, UnitPixels / 2);
    }

    // A Latin face that cannot be read leaves the whole line to the Japanese one, marked
    // where that lacks a character, as it would be alone.
    void unreadableLatinFace() {
        Shaper shaper;
        PairedShaper paired(shaper);
        const QString text = u"かなAB"_s;
        const PairedRun run =
            paired.shape({Japanese, testFace(u"no-such-font.ttf"_s), 100, 0}, text,
                         ShapedRun::Direction::Horizontal, {}, {}, UnitPixels);
        const ShapedRun alone =
            shapedAlone(shaper, Japanese, text, ShapedRun::Direction::Horizontal, UnitPixels);
        QVERIFY(run.primary.valid);
        QVERIFY(run.latin.glyphs.isEmpty());
        QCOMPARE(run.primary.glyphs.size(), alone.glyphs.size());
        QCOMPARE(run.primary.advance, alone.advance);
    }

    // The pairing kept under keys of its own; unreadable or out-of-range values read as
    // the default or held to the range; a mode without its family pairs nothing.
    void pairingStored_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<QString>("shift");
        QTest::addColumn<bool>("active");
        QTest::addColumn<int>("readScale");
        QTest::addColumn<double>("readShift");
        QTest::newRow("each line") << u"each"_s << u"90"_s << u"2.5"_s << true << 90 << 2.5;
        QTest::newRow("partners") << u"partners"_s << u"120"_s << u"-4"_s << true << 120 << -4.0;
        QTest::newRow("none") << u"none"_s << u"90"_s << u"2"_s << false << 90 << 2.0;
        QTest::newRow("unknown mode") << u"both"_s << u"90"_s << u"0"_s << false << 90 << 0.0;
        QTest::newRow("beyond the ranges") << u"each"_s << u"900"_s << u"-80"_s << true
                                           << LatinPairing::MaxScale << -LatinPairing::MaxShift;
        QTest::newRow("below the scale")
            << u"each"_s << u"10"_s << u"0"_s << true << LatinPairing::MinScale << 0.0;
        QTest::newRow("not numbers") << u"each"_s << u"abc"_s << u"nan"_s << true << 100 << 0.0;
    }
    void pairingStored() {
        QFETCH(QString, mode);
        QFETCH(QString, scale);
        QFETCH(QString, shift);
        MemorySettingsStore store;
        store.values = {
            {u"pairing_Sheet"_s, mode},         {u"latinFamily_Sheet"_s, u"Varelith Latin"_s},
            {u"latinStyle_Sheet"_s, u"Bold"_s}, {u"japaneseFamily_Sheet"_s, u"縦書き試験"_s},
            {u"latinScale_Sheet"_s, scale},     {u"latinShift_Sheet"_s, shift}};
        const Typesetting loaded = Typesetting::load(store);
        QTEST(loaded.pairing.isActive(), "active");
        QCOMPARE(loaded.isPlain(), !loaded.pairing.isActive());
        QTEST(loaded.pairing.scalePercent, "readScale");
        QTEST(loaded.pairing.shiftPercent, "readShift");
        QCOMPARE(loaded.pairing.latinStyle, u"Bold"_s);

        // What is saved reads back as itself, beside the keys the sheet had before.
        MemorySettingsStore again;
        loaded.save(again);
        QCOMPARE(Typesetting::load(again), loaded);
        QVERIFY(again.values.contains(u"writing_Sheet"_s));
    }

    void pairingNeedsItsFamily() {
        LatinPairing pairing;
        pairing.mode = LatinPairing::Mode::EachLine;
        pairing.japaneseFamily = u"縦書き試験"_s;
        QVERIFY(!pairing.isActive());
        pairing.latinFamily = u"Varelith Latin"_s;
        QVERIFY(pairing.isActive());
        pairing.mode = LatinPairing::Mode::Partners;
        pairing.japaneseFamily.clear();
        QVERIFY(!pairing.isActive());
        // A store without the pairing's keys: the sheet as it was.
        QVERIFY(!Typesetting::load(MemorySettingsStore()).pairing.isActive());
    }
};

QTEST_GUILESS_MAIN(TestPairedShaper)
#include "tst_pairedshaper.moc"
