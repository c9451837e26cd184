#include "pdftext.h"
#include "qtlineprinter.h"
#include "runtimeerror.h"

#include <QPrinter>
#include <QTemporaryDir>
#include <QtTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

class QtLinePrinterTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString pdfPath(const QString& name) const { return m_dir.filePath(name + u".pdf"_s); }

    static void toPdf(QPrinter& printer, const QString& path) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
    }

    // Prints `count` numbered lines at `size` points; returns the sheets as read back.
    QList<QStringList> numberedLines(const QString& name, int count, const QString& size) {
        QPrinter printer;
        toPdf(printer, pdfPath(name));
        QtLinePrinter lines(printer);
        lines.setFontSize(size);
        for (int n = 1; n <= count; ++n)
            lines.printLine(u"Line %1"_s.arg(n, 3, 10, QLatin1Char('0')));
        const int sheets = lines.sheetsInDocument();
        lines.endDocument();
        const QList<QStringList> read = PdfText::sheets(pdfPath(name));
        [&] {
            QCOMPARE(read.size(), sheets);
        }();
        return read;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void linesInOrderWithTheFontLinesIndented() {
        QPrinter printer;
        toPdf(printer, pdfPath(u"order"_s));
        QtLinePrinter lines(printer);
        lines.setFontSize(u"12"_s);
        lines.printLine(u"Varelith page1"_s);
        lines.printIndentedLine(u"Alpha one"_s);
        lines.printIndentedLine(u"Beta two"_s);
        lines.printIndentedLine(u"Gamma three"_s);
        lines.endDocument();

        const QStringList read = PdfText::lines(pdfPath(u"order"_s));
        QCOMPARE(PdfText::trimmed(read), (QStringList{u"Varelith page1"_s, u"Alpha one"_s,
                                                      u"Beta two"_s, u"Gamma three"_s}));
        // The header stands at the left margin, the font lines two cells further in.
        QVERIFY(!read.at(0).startsWith(u' '));
        for (int n = 1; n < read.size(); ++n)
            QVERIFY2(read.at(n).startsWith(u' '), qPrintable(read.at(n)));
    }

    void japaneseTextStaysText() {
        QPrinter printer;
        toPdf(printer, pdfPath(u"japanese"_s));
        QtLinePrinter lines(printer);
        lines.setFontSize(u"16"_s);
        lines.printLine(u"Varelith"_s);
        lines.printIndentedLine(u"IPAGothic あいうえお カタカナ 漢字"_s);
        lines.endDocument();

        const QString text = PdfText::read(pdfPath(u"japanese"_s));
        QVERIFY2(text.contains(u"あいうえお"_s), qPrintable(text));
        QVERIFY(text.contains(u"カタカナ"_s));
        QVERIFY(text.contains(u"漢字"_s));
    }

    void newSheetWhenTheLinesPassTheBottom() {
        const QList<QStringList> sheets = numberedLines(u"sheets"_s, 120, u"20"_s);
        QVERIFY(sheets.size() > 1);
        // Every line once, in order, none lost at the break; every sheet but the last full.
        QStringList all;
        for (const QStringList& sheet : sheets)
            all += PdfText::trimmed(sheet);
        QCOMPARE(all.size(), 120);
        for (int n = 1; n <= 120; ++n)
            QCOMPARE(all.at(n - 1), u"Line %1"_s.arg(n, 3, 10, QLatin1Char('0')));
        for (int n = 1; n < sheets.size() - 1; ++n)
            QCOMPARE(sheets.at(n).size(), sheets.at(0).size());
    }

    void theSizeSetsTheLineSpacing() {
        const qsizetype smallLines = numberedLines(u"small"_s, 150, u"10"_s).at(0).size();
        const qsizetype largeLines = numberedLines(u"large"_s, 150, u"40"_s).at(0).size();
        // A4 at 10 points takes several times the lines it takes at 40.
        QVERIFY2(smallLines > 3 * largeLines,
                 qPrintable(u"%1 / %2"_s.arg(smallLines).arg(largeLines)));
    }

    void longLinesAreCutAtTheRightMargin() {
        QPrinter printer;
        toPdf(printer, pdfPath(u"long"_s));
        QtLinePrinter lines(printer);
        lines.setFontSize(u"12"_s);
        lines.printIndentedLine(u"Start "_s + QString(400, u'W') + u" TAIL"_s);
        lines.printLine(u"Next"_s);
        lines.endDocument();

        const QStringList read = PdfText::trimmed(PdfText::lines(pdfPath(u"long"_s)));
        QCOMPARE(read.size(), 2);
        QVERIFY(read.at(0).startsWith(u"Start WWW"_s));
        QVERIFY(!read.at(0).contains(u"TAIL"_s));
        QCOMPARE(read.at(1), u"Next"_s);
    }

    void refusedSizeChangesNothing() {
        QPrinter printer;
        toPdf(printer, pdfPath(u"refused"_s));
        QtLinePrinter lines(printer);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, lines.setFontSize(u"twelve"_s));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, lines.setFontSize(u"0"_s));
        QVERIFY(!lines.documentOpen());
        lines.endDocument();
        QVERIFY(!QFile::exists(pdfPath(u"refused"_s)));
    }

    void noLineNoDocument() {
        QPrinter printer;
        toPdf(printer, pdfPath(u"none"_s));
        {
            QtLinePrinter lines(printer);
            lines.setFontSize(u"12"_s);
        }
        QVERIFY(!QFile::exists(pdfPath(u"none"_s)));
    }

    void aPrinterThatCannotOpenRefusesTheLine() {
        QPrinter printer;
        toPdf(printer, m_dir.filePath(u"no such folder/out.pdf"_s));
        QtLinePrinter lines(printer);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, lines.printLine(u"Varelith"_s));
        QVERIFY(!lines.documentOpen());
    }

    void destructorEndsAnOpenDocument() {
        QPrinter printer;
        toPdf(printer, pdfPath(u"cut-short"_s));
        {
            QtLinePrinter lines(printer);
            lines.printLine(u"Before the failure"_s);
        }
        QCOMPARE(PdfText::trimmed(PdfText::lines(pdfPath(u"cut-short"_s))),
                 QStringList{u"Before the failure"_s});
    }
};

QTEST_MAIN(QtLinePrinterTest)
#include "tst_qtlineprinter.moc"
