#include "catalogues.h"
#include "fixedsheetsource.h"
#include "mousepointer.h"
#include "pagerules.h"
#include "printedsheet.h"
#include "recordinglineprinter.h"

#include <QtTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

QList<int> range(int first, int last) {
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

// The font lines as the recording printer marks them: indent, name, one space, sample.
QStringList fontLines(const QList<int>& indexes, const QString& sample = u"sample"_s) {
    QStringList lines;
    for (int index : indexes)
        lines.append(u"  Font %1 "_s.arg(index) + sample);
    return lines;
}

FixedSheetSource sourceTicking(int fontCount, const QList<int>& ticked) {
    FixedSheetSource source(catalogueTicking(fontCount, ticked));
    source.pageTotal = QString::number(PageRules::pageTotal(source.catalogue().SelNum()).value());
    return source;
}

} // namespace

class PrintedSheetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void headerLine_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("header");
        QTest::newRow("page 3") << 3 << u"Varelith page3"_s;
        QTest::newRow("page -2") << -2 << u"Varelith page-2"_s;
        QTest::newRow("all ticked fonts") << 0 << u"Varelith"_s;
        QTest::newRow("largest page") << 32767 << u"Varelith page32767"_s;
    }
    void headerLine() {
        QFETCH(int, page);
        QFETCH(QString, header);
        QCOMPARE(PrintedSheet::headerLine(Int16::fromInt(page)), header);
    }

    void printsThePageRules_data() {
        QTest::addColumn<int>("fontCount");
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<int>("page");
        QTest::addColumn<QStringList>("expected");

        // Page 0: every ticked font under one header, however many.
        QTest::newRow("page 0, no font at all")
            << 0 << QList<int>{} << 0 << QStringList{u"Varelith"_s};
        QTest::newRow("page 0, nothing ticked")
            << 5 << QList<int>{} << 0 << QStringList{u"Varelith"_s};
        QTest::newRow("page 0, several ticked")
            << 6 << QList<int>{2, 3, 6} << 0 << QStringList{u"Varelith"_s} + fontLines({2, 3, 6});
        QTest::newRow("page 0, past ten without a break")
            << 30 << range(1, 25) << 0 << QStringList{u"Varelith"_s} + fontLines(range(1, 25));

        // One page: ten lines below the total, the remainder on the last.
        QTest::newRow("full first page")
            << 30 << range(1, 25) << 1
            << QStringList{u"Varelith page1"_s} + fontLines(range(1, 10));
        QTest::newRow("full middle page, unticked fonts skipped")
            << 30 << range(6, 30) << 2
            << QStringList{u"Varelith page2"_s} + fontLines(range(16, 25));
        QTest::newRow("last page holds the remainder")
            << 30 << range(1, 25) << 3
            << QStringList{u"Varelith page3"_s} + fontLines(range(21, 25));
        QTest::newRow("last page of a multiple of ten: header alone")
            << 20 << range(1, 20) << 3 << QStringList{u"Varelith page3"_s};
        QTest::newRow("page beyond the total: header alone")
            << 30 << range(1, 15) << 5 << QStringList{u"Varelith page5"_s};
        QTest::newRow("page below 1: the first ten, no skip")
            << 30 << range(1, 25) << -2
            << QStringList{u"Varelith page-2"_s} + fontLines(range(1, 10));
        QTest::newRow("page below 1 on a short sheet: what there is")
            << 8 << QList<int>{1, 4, 7} << -2
            << QStringList{u"Varelith page-2"_s} + fontLines({1, 4, 7});
        QTest::newRow("lowest page: the walk overflows before any font")
            << 8 << range(1, 8) << -32768 << QStringList{u"Varelith page-32768"_s};
    }
    void printsThePageRules() {
        QFETCH(int, fontCount);
        QFETCH(QList<int>, ticked);
        QFETCH(int, page);
        QFETCH(QStringList, expected);

        const FixedSheetSource source = sourceTicking(fontCount, ticked);
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16::fromInt(page), source, printer);
        QCOMPARE(printer.lines, expected);
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }

    void takesTheLineCountFromItsArgument() {
        // The page total label says 1, yet page 1 of 25 fonts is asked for: page < total
        // does not hold, so the line count is the remainder, 5.
        FixedSheetSource source = sourceTicking(30, range(1, 25));
        source.pageTotal = u"1"_s;
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16(1), source, printer);
        QCOMPARE(printer.lines, QStringList{u"Varelith page1"_s} + fontLines(range(1, 5)));
    }

    void emptySampleLeavesNameAndOneSpace() {
        FixedSheetSource source = sourceTicking(3, {1, 3});
        source.sample.clear();
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16(1), source, printer);
        QCOMPARE(printer.lines, (QStringList{u"Varelith page1"_s, u"  Font 1 "_s, u"  Font 3 "_s}));
    }

    void japaneseSampleAsItStands() {
        FixedSheetSource source = sourceTicking(2, {2});
        source.sample = u"あいうえお 永"_s;
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16(0), source, printer);
        QCOMPARE(printer.lines, (QStringList{u"Varelith"_s, u"  Font 2 あいうえお 永"_s}));
    }

    void refusedSizePrintsNothing_data() {
        QTest::addColumn<QString>("size");
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("zero") << u"0"_s;
        QTest::newRow("too large") << u"1639"_s;
        QTest::newRow("negative") << u"-12"_s;
    }
    void refusedSizePrintsNothing() {
        QFETCH(QString, size);
        FixedSheetSource source = sourceTicking(5, range(1, 5));
        source.size = size;
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16(1), source, printer);
        PrintedSheet::Printpage(Int16(0), source, printer);
        QVERIFY(printer.lines.isEmpty());
        QVERIFY(printer.sizes.isEmpty());
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }

    void sizeIsSetBeforeEachCopy() {
        FixedSheetSource source = sourceTicking(5, range(1, 5));
        source.size = u"10.5"_s;
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16(1), source, printer);
        source.size = u"２０"_s;
        PrintedSheet::Printpage(Int16(1), source, printer);
        QCOMPARE(printer.sizes, (QList<double>{10.5, 20.0}));
    }

    void pageTotalNotANumberLeavesTheHeader() {
        FixedSheetSource source = sourceTicking(5, range(1, 5));
        source.pageTotal = u"x"_s;
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16(1), source, printer);
        QCOMPARE(printer.lines, QStringList{u"Varelith page1"_s});
    }

    void twoCopiesFollowOneAnother() {
        const FixedSheetSource source = sourceTicking(12, range(1, 12));
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16(2), source, printer);
        PrintedSheet::Printpage(Int16(2), source, printer);
        const QStringList copy = QStringList{u"Varelith page2"_s} + fontLines({11, 12});
        QCOMPARE(printer.lines, copy + copy);
        QCOMPARE(printer.documentsEnded, 0); // the command ends the document, not the page
    }

    void leavesThePointerAtDefaultAfterAFailure() {
        MousePointer::set(MousePointer::Hourglass);
        const FixedSheetSource source = sourceTicking(3, {1});
        RecordingLinePrinter printer;
        PrintedSheet::Printpage(Int16(9), source, printer);
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }
};

QTEST_MAIN(PrintedSheetTest)
#include "tst_printedsheet.moc"
