#include "glyphcoverage.h"
#include "shaper.h"
#include "variationsequences.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

using Ranges = QList<GlyphCoverage::Range>;

// The coverage the sheet's document, the specimen book and the font list's filter ask,
// with the variation sequences of each face's character map: "Varelith Variants" defines
// 辻 U+E0100 (by default), 辻 U+E0101 and 葛 U+E0100; "Varelith Variants Two" 辻 U+E0102.
class TestSequenceCoverage : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void missingSequences_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("checked"); // whether sequences are checked at all
        QTest::addColumn<Ranges>("missing");
        const QString variants = u"Varelith Variants"_s;
        QTest::newRow("a sequence it has") << variants << u"辻\U000E0101"_s << true << Ranges{};
        QTest::newRow("a default sequence") << variants << u"辻\U000E0100"_s << true << Ranges{};
        QTest::newRow("a sequence it lacks: character and selector")
            << variants << u"葛\U000E0101"_s << true << Ranges{{0, 3}};
        QTest::newRow("the other face's sequence")
            << u"Varelith Variants Two"_s << u"永辻\U000E0101葛"_s << true << Ranges{{1, 3}};
        QTest::newRow("a missing character with its selector: one range")
            << u"Varelith Blank"_s << u"A辻\U000E0101B"_s << true << Ranges{{1, 3}};
        QTest::newRow("VS1 after a missing character")
            << variants << u"A\uFE00辻"_s << true << Ranges{{0, 2}};
        QTest::newRow("a selector with no character before it")
            << variants << u"\U000E0101辻"_s << true << Ranges{};
        QTest::newRow("a second selector")
            << variants << u"辻\U000E0101\U000E0100"_s << true << Ranges{};
        QTest::newRow("not checked: the selector draws nothing")
            << variants << u"葛\U000E0101"_s << false << Ranges{};
    }
    void missingSequences() {
        QFETCH(QString, family);
        QFETCH(QString, text);
        QFETCH(bool, checked);
        QFETCH(Ranges, missing);
        Shaper shaper;
        VariationSequences sequences;
        GlyphCoverage coverage;
        int asked = 0;
        if (checked)
            coverage.setSequenceCheck([&](const FaceRef& face, char32_t base, char32_t selector) {
                ++asked;
                return sequences.of(face).find(base, selector).has_value();
            });
        QVERIFY(!coverage.plainFace(family).isNull());
        QCOMPARE(coverage.missingRanges(family, text), missing);
        QCOMPARE(coverage.coversText(family, text), missing.isEmpty());
        // Text without selectors asks nothing of the character maps.
        asked = 0;
        coverage.missingRanges(family, u"辻葛永"_s);
        QCOMPARE(asked, 0);
    }
};

QTEST_GUILESS_MAIN(TestSequenceCoverage)
#include "tst_sequencecoverage.moc"
