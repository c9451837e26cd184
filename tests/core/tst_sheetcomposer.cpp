#include "catalogues.h"
#include "sheetcomposer.h"

#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

FontCatalogue catalogueOf(const QStringList& names, const QStringList& flags = {}) {
    MemorySettingsStore store;
    for (int n = 1; n <= flags.size(); ++n)
        store.values.insert(FontCatalogue::flagKey(n), flags.at(n - 1));
    FontCatalogue catalogue;
    RecordingTickList list;
    catalogue.build(ListFontSource(names), store, list);
    return catalogue;
}

SheetComposer::Inputs inputs(int page, const QString& sample, const QString& size = u"20"_s,
                             const QString& pageBox = u"1"_s, const QString& total = u"1"_s) {
    return {Int16::fromInt(page), sample, size, pageBox, total};
}

} // namespace

Q_DECLARE_METATYPE(RuntimeError::Kind)

class TestSheetComposer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void oneLineIsNameSpaceSampleAndBreak() {
        const FontCatalogue catalogue = catalogueOf({u"Arial"_s});
        const ComposedPage page = SheetComposer::compose(catalogue, inputs(1, u"abc"_s));
        QCOMPARE(page.text, u"Arial abc\r\n"_s);
        QCOMPARE(page.lineLengths, QList<Int16>{Int16(11)});
        const QList<FormatRun> expected{
            {0, 8, u"System"_s, u"16"_s, FormatRun::Role::Name},
            {5, 6, u"Arial"_s, u"20"_s, FormatRun::Role::Sample},
        };
        QCOMPARE(page.runs, expected);
    }

    void fullPageLinesFollowOneAnother() {
        const FontCatalogue catalogue = catalogueOf(numberedFonts(u"F"_s, 25));
        const ComposedPage page =
            SheetComposer::compose(catalogue, inputs(2, u"xy"_s, u"12"_s, u"2"_s, u"3"_s));
        QCOMPARE(page.fontIndexes.size(), 10);
        QCOMPARE(int(page.fontIndexes.first()), 11);
        QVERIFY(page.text.startsWith(u"F11 xy\r\nF12 xy\r\n"_s));
        QVERIFY(page.text.endsWith(u"F20 xy\r\n"_s));
        int expectedStart = 0;
        for (qsizetype line = 0; line < 10; ++line) {
            QCOMPARE(int(page.lineStarts.at(line)), expectedStart);
            expectedStart += page.lineLengths.at(line);
        }
        QCOMPARE(expectedStart, page.text.size());
        QCOMPARE(page.runs.size(), 20);
    }

    void emptySampleKeepsSpaceAndBreakInTheSampleFormat() {
        const FontCatalogue catalogue = catalogueOf({u"Mono"_s});
        const ComposedPage page = SheetComposer::compose(catalogue, inputs(1, QString()));
        QCOMPARE(page.text, u"Mono \r\n"_s);
        QCOMPARE(page.runs.at(0).start, 0);
        QCOMPARE(page.runs.at(0).length, 7); // the name and the next three characters
        QCOMPARE(page.runs.at(1).start, 4);
        QCOMPARE(page.runs.at(1).length, 3);
    }

    void lineCountFollowsThePageBoxAgainstTheTotal_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("pageBox");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("lines");
        // 13 ticked fonts: two pages, the second holding 3.
        QTest::newRow("page 1 of 2") << 1 << "1"
                                     << "2" << 10;
        QTest::newRow("page 2 of 2") << 2 << "2"
                                     << "2" << 3;
        QTest::newRow("page box at the total") << 1 << "2"
                                               << "2" << 3;
        QTest::newRow("0 with enough fonts") << 0 << "0"
                                             << "2" << 10;
        QTest::newRow("total as full-width") << 1 << "1"
                                             << "\uFF12" << 10;
    }

    void lineCountFollowsThePageBoxAgainstTheTotal() {
        QFETCH(int, page);
        QFETCH(QString, pageBox);
        QFETCH(QString, total);
        QFETCH(int, lines);
        const FontCatalogue catalogue = catalogueOf(numberedFonts(u"F"_s, 13));
        const ComposedPage composed =
            SheetComposer::compose(catalogue, inputs(page, u"s"_s, u"20"_s, pageBox, total));
        QCOMPARE(composed.fontIndexes.size(), lines);
    }

    void noTickedFontGivesTheEmptyPage() {
        const FontCatalogue catalogue =
            catalogueOf(numberedFonts(u"F"_s, 3), {u"0"_s, u"0"_s, u"0"_s});
        const ComposedPage page = SheetComposer::compose(catalogue, inputs(1, u"a"_s));
        QCOMPARE(page.text, QString());
        QVERIFY(page.runs.isEmpty());
    }

    void failures_data() {
        QTest::addColumn<int>("fonts");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("pageBox");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("total");
        QTest::addColumn<RuntimeError::Kind>("failure");
        const auto subscript = RuntimeError::Kind::SubscriptOutOfRange;
        const auto mismatch = RuntimeError::Kind::TypeMismatch;
        const auto overflow = RuntimeError::Kind::Overflow;
        QTest::newRow("beyond the total") << 12 << 3 << "3"
                                          << "a"
                                          << "2" << subscript;
        QTest::newRow("0 with fewer than ten") << 5 << 0 << "0"
                                               << "a"
                                               << "1" << subscript;
        QTest::newRow("page box letters") << 5 << 1 << "x"
                                          << "a"
                                          << "1" << mismatch;
        QTest::newRow("page box empty") << 5 << 1 << ""
                                        << "a"
                                        << "1" << mismatch;
        QTest::newRow("total empty") << 5 << 1 << "1"
                                     << "a"
                                     << "" << mismatch;
        QTest::newRow("line too long") << 1 << 1 << "1" << QString(32765, u'a') << "1" << overflow;
        QTest::newRow("lines start too far")
            << 9 << 1 << "1" << QString(4100, u'b') << "1" << overflow;
    }

    void failures() {
        QFETCH(int, fonts);
        QFETCH(int, page);
        QFETCH(QString, pageBox);
        QFETCH(QString, sample);
        QFETCH(QString, total);
        QFETCH(RuntimeError::Kind, failure);
        const FontCatalogue catalogue = catalogueOf(numberedFonts(u"F"_s, fonts));
        try {
            SheetComposer::compose(catalogue, inputs(page, sample, u"20"_s, pageBox, total));
            QFAIL("composed a page that cannot be composed");
        } catch (const RuntimeError& error) {
            QCOMPARE(error.kind(), failure);
        }
    }

    void documentPositionsSelectTheSameCharacters() {
        const FontCatalogue catalogue = catalogueOf({u"Aa"_s, u"Bbb"_s, u"C"_s});
        const ComposedPage page = SheetComposer::compose(catalogue, inputs(1, u"x"_s));
        const QString document = page.documentText();
        QCOMPARE(document, u"Aa x\nBbb x\nC x\n"_s);
        // Every character of the page text but the "\n" of a break lands on itself.
        for (int position = 0; position < page.text.size(); ++position) {
            const QChar design = page.text.at(position);
            if (design == u'\n')
                continue;
            const QChar mapped = document.at(page.documentPosition(position));
            QCOMPARE(mapped, design == u'\r' ? QChar(u'\n') : design);
        }
        QCOMPARE(page.documentPosition(int(page.text.size())), int(document.size()));
        // The sample run of line 2 covers " x" and its break, nothing of line 3.
        const FormatRun& run = page.runs.at(3);
        const int begin = page.documentPosition(run.start);
        const int end = page.documentPosition(run.start + run.length);
        QCOMPARE(document.mid(begin, end - begin), u" x\n"_s);
    }
};

QTEST_GUILESS_MAIN(TestSheetComposer)
#include "tst_sheetcomposer.moc"
