#include "catalogues.h"
#include "mousepointer.h"
#include "pagerules.h"
#include "printedsheet.h"
#include "printstandins.h"

#include <QtTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

// `fontCount` fonts, those at `ticked` ticked, the page total label as the window shows it.
FixedSheetSource sourceTicking(int fontCount, const QList<int>& ticked) {
    FixedSheetSource source(catalogueTicking(fontCount, ticked));
    source.pageTotal = QString::number(PageRules::pageTotal(source.catalogue().SelNum()).value());
    return source;
}

} // namespace

class PrintedSheetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // The header line and the font lines, marked by two spaces, printed after it; `total` empty:
    // the true page total.
    void printpage_data() {
        QTest::addColumn<int>("fontCount");
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("pageTotal");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QStringList>("expected");
        const auto row = [](const char* name, int fonts, const QList<int>& ticked, int page,
                            const QString& header, const QList<int>& printed,
                            const QString& total = {}, const QString& sample = u"sample"_s) {
            QTest::newRow(name) << fonts << ticked << page << total << sample
                                << QStringList{header} + fontLines(printed, sample, u"  "_s);
        };
        const QList<int> several = QList<int>{2, 3, 6} + fontNumbers(8, 20);
        row("page 0, nothing ticked", 5, {}, 0, u"Varelith"_s, {});
        row("page 0, several, past ten without a break", 30, several, 0, u"Varelith"_s, several);
        row("full page, unticked fonts skipped", 30, fontNumbers(6, 30), 2, u"Varelith page2"_s,
            fontNumbers(16, 25));
        row("last page holds the remainder", 30, fontNumbers(1, 25), 3, u"Varelith page3"_s,
            fontNumbers(21, 25));
        row("last page of a multiple of ten: header alone", 20, fontNumbers(1, 20), 3,
            u"Varelith page3"_s, {});
        row("page beyond the total: header alone", 30, fontNumbers(1, 15), 5, u"Varelith page5"_s,
            {});
        row("page below 1 on a short sheet: the lines found before the failure", 8, {1, 4, 7}, -2,
            u"Varelith page-2"_s, {1, 4, 7});
        // Page 1 is not below the total the label gives, so it takes the remainder, 5.
        row("line count from the page total label", 30, fontNumbers(1, 25), 1, u"Varelith page1"_s,
            fontNumbers(1, 5), u"1"_s);
        row("page total not a number: header alone", 5, fontNumbers(1, 5), 1, u"Varelith page1"_s,
            {}, u"x"_s);
        row("empty sample: name and one space", 3, {1, 3}, 1, u"Varelith page1"_s, {1, 3}, {},
            QString());
    }
    void printpage() {
        QFETCH(int, fontCount);
        QFETCH(QList<int>, ticked);
        QFETCH(int, page);
        QFETCH(QString, pageTotal);
        QFETCH(QString, sample);
        QFETCH(QStringList, expected);
        FixedSheetSource source = sourceTicking(fontCount, ticked);
        if (!pageTotal.isEmpty())
            source.pageTotal = pageTotal;
        source.sample = sample;
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16::fromInt(page), source, printer);
        QCOMPARE(printer.lines, expected);
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }

    // The size is read for each copy; a refused one prints nothing at all, not even the header.
    void copiesEachWithTheSizeAsItStands() {
        FixedSheetSource source = sourceTicking(12, fontNumbers(1, 12));
        RecordingLinePrinter printer;
        for (const QString& size : {u"10.5"_s, u"abc"_s, u"0"_s, u"1639"_s, u"２０"_s}) {
            source.size = size;
            PrintedSheet::Printpage(Int16(2), source, printer);
            QCOMPARE(MousePointer::current(), MousePointer::Default);
        }
        const QStringList copy =
            QStringList{u"Varelith page2"_s} + fontLines({11, 12}, u"sample"_s, u"  "_s);
        QCOMPARE(printer.lines, copy + copy);
        QCOMPARE(printer.sizes, (QList<double>{10.5, 20.0}));
        QCOMPARE(printer.documentsEnded, 0); // the command ends the document, not the page
    }
};

QTEST_MAIN(PrintedSheetTest)
#include "tst_printedsheet.moc"
