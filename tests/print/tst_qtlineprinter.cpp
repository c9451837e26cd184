#include "printstandins.h"
#include "qtlineprinter.h"
#include "runtimeerror.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

class QtLinePrinterTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QPrinter m_printer;

    // The printer aimed at a fresh A4 PDF file; returns the file's path.
    QString toPdf(const QString& name) {
        const QString path = m_dir.filePath(name + u".pdf"_s);
        m_printer.setOutputFormat(QPrinter::PdfFormat);
        m_printer.setOutputFileName(path);
        m_printer.setPageSize(QPageSize(QPageSize::A4));
        return path;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // Ended by the destructor, as when a failure cuts a command short.
    void linesInOrderIndentedCutAtTheMarginJapaneseAsText() {
        const QString path = toPdf(u"order"_s);
        {
            QtLinePrinter lines(m_printer);
            lines.setFontSize(u"14"_s);
            lines.printLine(u"Varelith page1"_s);
            lines.printIndentedLine(u"Alpha one"_s);
            lines.printIndentedLine(u"IPAGothic あいうえお カタカナ 漢字"_s);
            lines.printIndentedLine(u"Start "_s + QString(400, u'W') + u" TAIL"_s);
        }
        const QStringList read = pdfSheets(path, true).value(0);
        QCOMPARE(read.size(), 4);
        QCOMPARE(pdfLines(path).first(3), (QStringList{u"Varelith page1"_s, u"Alpha one"_s,
                                                       u"IPAGothic あいうえお カタカナ 漢字"_s}));
        QVERIFY(read.at(3).trimmed().startsWith(u"Start WWW"_s));
        QVERIFY(!read.at(3).contains(u"TAIL"_s));
        // The header at the left margin, the font lines two cells further in.
        QVERIFY(!read.at(0).startsWith(u' '));
        for (int n = 1; n < read.size(); ++n)
            QVERIFY2(read.at(n).startsWith(u' '), qPrintable(read.at(n)));
    }

    // Every line once, in order, none lost at a break; every sheet but the last full; and
    // A4 at 10 points takes several times the lines it takes at 40.
    void newSheetWhenTheLinesPassTheBottom() {
        QList<qsizetype> firstSheet;
        for (const QString& size : {u"10"_s, u"40"_s}) {
            const QString path = toPdf(size);
            QtLinePrinter lines(m_printer);
            lines.setFontSize(size);
            QStringList expected;
            for (int n = 1; n <= 150; ++n) {
                expected.append(u"Line %1"_s.arg(n));
                lines.printLine(expected.last());
            }
            QCOMPARE_GT(lines.sheetsInDocument(), 1);
            lines.endDocument();
            const QList<QStringList> sheets = pdfSheets(path);
            QCOMPARE(sheets.size(), lines.sheetsInDocument());
            QCOMPARE(pdfLines(path), expected);
            for (int n = 1; n < sheets.size() - 1; ++n)
                QCOMPARE(sheets.at(n).size(), sheets.at(0).size());
            firstSheet.append(sheets.at(0).size());
        }
        QCOMPARE_GT(firstSheet.at(0), 3 * firstSheet.at(1));
    }

    void noLineOrARefusedSizeLeavesNoFileAndAFailedOpenRefusesTheLine() {
        const QString path = toPdf(u"none"_s);
        {
            QtLinePrinter lines(m_printer);
            QVERIFY_THROWS_EXCEPTION(RuntimeError, lines.setFontSize(u"twelve"_s));
            QVERIFY_THROWS_EXCEPTION(RuntimeError, lines.setFontSize(u"0"_s));
            lines.setFontSize(u"12"_s);
            QVERIFY(!lines.documentOpen());
        }
        QVERIFY(!QFile::exists(path));
        toPdf(u"no such folder/out"_s);
        QtLinePrinter lines(m_printer);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, lines.printLine(u"Varelith"_s));
        QVERIFY(!lines.documentOpen());
    }
};

QTEST_MAIN(QtLinePrinterTest)
#include "tst_qtlineprinter.moc"
