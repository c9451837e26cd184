#include "catalogues.h"
#include "dialogprintcommands.h"
#include "printstandins.h"
#include "qtprinterdialog.h"

#include <QtPrintSupport>
#include <QtTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

// Fonts "Font 1", "Font 2", ... (flags: 1 ticked) printed to a PDF or a queue by the fields'
// command, page box, page total, size and sample; gives the copy count left on the printer.
int print(const QString& target, int copies, const QString& flags, const QStringList& fields) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    const QPrinter& used = *printer;
    DialogPrintCommands commands(std::make_unique<FilePrinterDialog>(target, copies),
                                 std::move(printer));
    FixedSheetSource source(catalogueWithFlags(flags.split(QString(), Qt::SkipEmptyParts)));
    source.pageBox = fields.at(1);
    source.pageTotal = fields.at(2);
    source.size = fields.value(3, u"12"_s);
    source.sample = fields.value(4, u"sample"_s);
    const bool all = fields.at(0) == u"all"_s;
    (commands.*(all ? &PrintCommands::printAllPages : &PrintCommands::printCurrentPage))(source,
                                                                                         nullptr);
    return used.copyCount();
}

class TestPrinting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A print command puts in one PDF nothing, not even a file, or per copy the header and
    // fonts first..last; the printer's own copy count is back at 1 (no copies of its own).
    void printCommand_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<int>("copies"); // -1: cancelled
        QTest::addColumn<QStringList>("lines");
        const auto row = [](const char* name, const QString& flags, const QString& fields,
                            int copies, const QString& header = {}, int first = 1, int last = 0) {
            QStringList lines;
            for (int copy = 0; !header.isEmpty() && copy < copies; ++copy) {
                lines.append(header);
                for (int n = first; n <= last; ++n)
                    lines.append(u"  Font %1 sample"_s.arg(n));
            }
            QTest::newRow(name) << flags << fields << copies << lines;
        };
        const QString all(25, u'1');
        row("three copies", all, u"one|2|3"_s, 3, u"Varelith page2"_s, 11, 20);
        row("all pages whatever the page box", all, u"all|2|3"_s, 1, u"Varelith"_s, 1, 25);
        row("page box 0: all pages", all, u"one|0|3"_s, 1, u"Varelith"_s, 1, 25);
        row("the last page: the remainder", all, u"one|3|3"_s, 1, u"Varelith page3"_s, 21, 25);
        row("beyond the total: the header", all, u"one|5|3"_s, 1, u"Varelith page5"_s);
        row("the total label decides the lines", all, u"one|1|1"_s, 1, u"Varelith page1"_s, 1, 5);
        row("below 1: what came before", u"111"_s, u"one|-2|1"_s, 1, u"Varelith page-2"_s, 1, 3);
        row("new sheets", QString(150, u'1'), u"all|1|16|40"_s, 1, u"Varelith"_s, 1, 150);
        row("cancel", all, u"one|1|3"_s, -1);
        row("page box letters", all, u"one|abc|3"_s, 1);
        row("size refused, every copy", all, u"one|1|3|big"_s, 2);
        row("size above 1638 refused", all, u"one|1|3|1638.5"_s, 1);
        row("size below 1 refused", all, u"one|1|3|0.5"_s, 1);
        row("a file that cannot be written", all, u"one|1|3|12|sample|no such folder/"_s, 1);
    }
    void printCommand() {
        QFETCH(QString, flags);
        QFETCH(QString, fields);
        QFETCH(int, copies);
        QFETCH(QStringList, lines);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(fields.section(u'|', 5) + u"sheet.pdf"_s);
        QCOMPARE(print(pdf, copies, flags, fields.split(u'|')), 1);
        QStringList read = pdfLines(dir.filePath(u"sheet.pdf"_s));
        QCOMPARE(QFileInfo::exists(dir.filePath(u"sheet.pdf"_s)), !lines.isEmpty());
        const qsizetype sheets = read.removeAll(u"\f"_s);
        QCOMPARE(read, lines);
        // None; one, which the copies of a page share; or, 151 lines at 40 points, over six.
        QCOMPARE(std::min<qsizetype>(sheets, 7), lines.isEmpty() ? 0 : lines.size() > 60 ? 7 : 1);
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr); // Qt's own, not our flag
    }

    // The real dialog hides what the commands cannot honour and gives the copies chosen.
    void theRealDialog() {
        QPrinter printer;
        QPrintDialog::PrintDialogOptions options;
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            options = dialog->options();
            dialog->findChild<QSpinBox*>(u"copies"_s)->setValue(3);
            dialog->accept();
        });
        QCOMPARE(QtPrinterDialog().choosePrinter(printer, nullptr), std::optional(3));
        QVERIFY(!(options & (QPrintDialog::PrintPageRange | QPrintDialog::PrintSelection |
                             QPrintDialog::PrintCurrentPage | QPrintDialog::PrintCollateCopies)));
    }

    // Two copies of page 1 to the queue of the print server that cups_print_test.sh starts;
    // the script reads what the server received.
    void throughAPrintServer() {
        if (qEnvironmentVariableIsEmpty("VARELITH_PRINT_QUEUE"))
            QSKIP("run by cups_print_test.sh with a print server of its own");
        print(qEnvironmentVariable("VARELITH_PRINT_QUEUE"), 2, QString(12, u'1'),
              {u"one"_s, u"1"_s, u"2"_s, u"14"_s, u"見本 sample"_s});
    }
};

QTEST_MAIN(TestPrinting)
#include "tst_printing.moc"
