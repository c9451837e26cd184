#include "catalogues.h"
#include "familyfaces.h"
#include "familynames.h"
#include "form1.h"
#include "glyphcoverage.h"
#include "shapedsheetview.h"
#include "shaper.h"
#include "shapingface.h"
#include "sheetfaces.h"

#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

FaceRef testFace(const QString& file) {
    return {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + file, 0};
}

using Flags = QList<bool>;

} // namespace

// A sample with variation selectors: each sequence a face defines is drawn as its
// variant, each it does not is marked.
class TestSheetSequences : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            QFontDatabase::addApplicationFont(font.filePath());
    }

    // "Varelith Variants": 辻 U+E0100 by default, 辻 U+E0101 its jp90 form, 葛 U+E0100 a form of
    // its own; "Varelith Variants Two": 辻 U+E0102 alone.
    void shapedSequences_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("glyphs"); // the glyphs' names, hidden selectors left out
        QTest::addColumn<Flags>("missing");
        QTest::newRow("a variant") << u"varelith-variants.ttf"_s << u"辻\U000E0101"_s
                                   << QStringList{u"uni8FBB.jp90"_s} << Flags{false};
        QTest::newRow("a default sequence") << u"varelith-variants.ttf"_s << u"辻\U000E0100"_s
                                            << QStringList{u"uni8FBB"_s} << Flags{false};
        QTest::newRow("a sequence the face lacks")
            << u"varelith-variants.ttf"_s << u"葛\U000E0101"_s << QStringList{u"uni845B"_s}
            << Flags{true};
        QTest::newRow("lacking, then had")
            << u"varelith-variants-two.ttf"_s << u"辻\U000E0101辻\U000E0102"_s
            << QStringList{u"uni8FBB"_s, u"uni8FBB.alt"_s} << Flags{true, false};
        QTest::newRow("no selector") << u"varelith-variants-two.ttf"_s << u"辻"_s
                                     << QStringList{u"uni8FBB"_s} << Flags{false};
    }
    void shapedSequences() {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(QStringList, glyphs);
        QFETCH(Flags, missing);
        Shaper shaper;
        const FaceRef face = testFace(file);
        const ShapedRun run =
            shaper.shape(face, text, ShapedRun::Direction::Horizontal, {}, {}, 20);
        QStringList names;
        Flags marked;
        for (const ShapedGlyph& glyph : run.glyphs) {
            if (glyph.id == 0 && !glyph.missing)
                continue;
            names.append(shaper.face(face).glyphName(glyph.id));
            marked.append(glyph.missing);
        }
        QCOMPARE(names, glyphs);
        QCOMPARE(marked, missing);
    }

    // Every page is set by the shaper, with or without a selector in its sample; a sequence
    // is drawn as the face defines it and marked where the face does not.
    void theSheetSetsSequencesWithTheShaper_data() {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("shaped");
        QTest::addColumn<Flags>("kanji"); // which glyphs of the sample are marked
        QTest::addColumn<Flags>("two");
        QTest::newRow("VS17") << u"辻\U000E0101葛\U000E0100"_s << true << Flags{false, false}
                              << Flags{true, true};
        QTest::newRow("VS1, which neither defines")
            << u"辻\uFE00"_s << true << Flags{true} << Flags{true};
        QTest::newRow("another supplementary character")
            << u"𠮟𠀀"_s << false << Flags{} << Flags{};
        QTest::newRow("none") << u"辻葛"_s << false << Flags{} << Flags{};
    }
    void theSheetSetsSequencesWithTheShaper() {
        QFETCH(QString, sample);
        QFETCH(bool, shaped);
        MemorySettingsStore store;
        const ListFontSource fonts({u"Varelith Variants"_s, u"Varelith Variants Two"_s});
        FontCatalogue catalogue;
        FamilyNames familyNames;
        GlyphCoverage coverage;
        FamilyFaces faces;
        SheetFaces sheetFaces{faces, coverage};
        Shaper shaper;
        Form1 form(catalogue, fonts, store, familyNames, nullptr, &coverage, nullptr, &sheetFaces,
                   &shaper);
        form.Form_Load();
        form.Text2()->setText(u"20"_s);
        form.Text1()->setText(sample);
        QTest::keyClick(form.Text1(), Qt::Key_Return);
        // Every sample is shaped; the marks of the sequences are what is asked here.
        const QList<ShapedSheetView::Line>& lines = form.shapedSheet()->lines();
        QCOMPARE(lines.size(), 2);
        if (!shaped)
            return;
        // Variants draws the sequences it defines; Two lacks both. (The space before the sample,
        // which neither font has, is the first glyph.)
        QFETCH(Flags, kanji);
        QFETCH(Flags, two);
        const QList<Flags> expected{kanji, two};
        for (int line = 0; line < 2; ++line) {
            Flags marked;
            for (const ShapedGlyph& glyph : lines.at(line).sample.glyphs)
                if (glyph.cluster > 0)
                    marked.append(glyph.missing);
            QCOMPARE(marked, expected.at(line));
        }
    }
};

QTEST_MAIN(TestSheetSequences)
#include "tst_sheetsequences.moc"
