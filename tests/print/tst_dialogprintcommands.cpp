#include "catalogues.h"
#include "dialogprintcommands.h"
#include "fileprinterdialog.h"
#include "fixedsheetsource.h"
#include "mousepointer.h"
#include "pdftext.h"
#include "qtprinterdialog.h"

#include <QApplication>
#include <QPrintDialog>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

QStringList fontLines(int first, int last) {
    QStringList lines;
    for (int n = first; n <= last; ++n)
        lines.append(u"Font %1 sample"_s.arg(n));
    return lines;
}

} // namespace

class DialogPrintCommandsTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    // A command set whose dialog picks a fresh PDF file; `printer` keeps an eye on the
    // printer the commands use.
    struct Setup {
        FilePrinterDialog* dialog = nullptr;
        QPrinter* printer = nullptr;
        std::unique_ptr<DialogPrintCommands> commands;
        QString pdfPath;
    };

    Setup setup(const QString& name, int copies) {
        Setup made;
        auto dialog = std::make_unique<FilePrinterDialog>();
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        made.dialog = dialog.get();
        made.printer = printer.get();
        made.pdfPath = m_dir.filePath(name + u".pdf"_s);
        dialog->pdfPath = made.pdfPath;
        dialog->copies = copies;
        made.commands =
            std::make_unique<DialogPrintCommands>(std::move(dialog), std::move(printer));
        return made;
    }

    static FixedSheetSource sourceOf25OnPage(const QString& pageBox) {
        QList<int> ticked;
        for (int n = 1; n <= 25; ++n)
            ticked.append(n);
        FixedSheetSource source(catalogueTicking(25, ticked));
        source.pageBox = pageBox;
        source.pageTotal = u"3"_s;
        return source;
    }

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void copiesRunOnInOneDocument() {
        Setup made = setup(u"three"_s, 3);
        const FixedSheetSource source = sourceOf25OnPage(u"2"_s);
        made.commands->printCurrentPage(source, nullptr);

        const QStringList copy = QStringList{u"Varelith page2"_s} + fontLines(11, 20);
        QCOMPARE(PdfText::trimmed(PdfText::lines(made.pdfPath)), copy + copy + copy);
        QCOMPARE(PdfText::sheets(made.pdfPath).size(), 1); // 33 lines at 12 points fit
        QCOMPARE(source.pageBoxReads, 3);
        // The print system is told of one copy: the three are in the document already.
        QCOMPARE(made.printer->copyCount(), 1);
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }

    void allPagesUnderOneHeader_data() {
        QTest::addColumn<bool>("allPagesCommand");
        QTest::addColumn<QString>("pageBox");
        QTest::newRow("all pages") << true << u"2"_s;
        QTest::newRow("current page with page box 0") << false << u"0"_s;
    }
    void allPagesUnderOneHeader() {
        QFETCH(bool, allPagesCommand);
        QFETCH(QString, pageBox);
        Setup made = setup(u"all"_s, 1);
        const FixedSheetSource source = sourceOf25OnPage(pageBox);
        if (allPagesCommand)
            made.commands->printAllPages(source, nullptr);
        else
            made.commands->printCurrentPage(source, nullptr);
        QCOMPARE(PdfText::trimmed(PdfText::lines(made.pdfPath)),
                 QStringList{u"Varelith"_s} + fontLines(1, 25));
    }

    void nothingPrintedLeavesNoJob_data() {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QString>("pageBox");
        QTest::addColumn<QString>("size");
        QTest::newRow("cancel") << true << 2 << u"1"_s << u"12"_s;
        QTest::newRow("page box empty") << false << 2 << QString() << u"12"_s;
        QTest::newRow("page box letters") << false << 1 << u"abc"_s << u"12"_s;
        QTest::newRow("page box out of range") << false << 1 << u"40000"_s << u"12"_s;
        QTest::newRow("size refused for every copy") << false << 2 << u"1"_s << u"big"_s;
        QTest::newRow("no copies") << false << 0 << u"1"_s << u"12"_s;
    }
    void nothingPrintedLeavesNoJob() {
        QFETCH(bool, cancel);
        QFETCH(int, copies);
        QFETCH(QString, pageBox);
        QFETCH(QString, size);
        Setup made = setup(u"nothing"_s, copies);
        made.dialog->cancel = cancel;
        FixedSheetSource source = sourceOf25OnPage(pageBox);
        source.size = size;
        made.commands->printCurrentPage(source, nullptr);
        QCOMPARE(made.dialog->shown, 1);
        QVERIFY(!QFile::exists(made.pdfPath));
        QCOMPARE(MousePointer::current(), MousePointer::Default);
        if (cancel)
            QCOMPARE(source.pageBoxReads, 0);
    }

    void eachCommandIsItsOwnDocument() {
        Setup made = setup(u"twice"_s, 1);
        const FixedSheetSource first = sourceOf25OnPage(u"1"_s);
        made.commands->printCurrentPage(first, nullptr);
        const FixedSheetSource second = sourceOf25OnPage(u"3"_s);
        made.commands->printCurrentPage(second, nullptr);
        // The second command's document replaced the first's file: the first was ended.
        QCOMPARE(PdfText::trimmed(PdfText::lines(made.pdfPath)),
                 QStringList{u"Varelith page3"_s} + fontLines(21, 25));
        QCOMPARE(made.dialog->shown, 2);
    }

    void theRealDialogHidesWhatCannotBeHonoured() {
        QPrinter printer;
        QPrintDialog dialog(&printer);
        QtPrinterDialog::configure(dialog);
        QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintPageRange));
        QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintSelection));
        QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintCurrentPage));
        QVERIFY(!dialog.testOption(QAbstractPrintDialog::PrintCollateCopies));
        QVERIFY(dialog.testOption(QAbstractPrintDialog::PrintToFile));
    }

    void theRealDialogGivesTheCopies_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<int>("copies");
        QTest::newRow("three copies") << true << 3;
        QTest::newRow("cancel") << false << 3;
    }
    void theRealDialogGivesTheCopies() {
        QFETCH(bool, accept);
        QFETCH(int, copies);
        QPrinter printer;
        printer.setOutputFileName(m_dir.filePath(u"dialog.pdf"_s));
        bool answered = false;
        // The user's part, once the dialog is up: the copies, then OK or Cancel.
        QTimer::singleShot(0, this, [&] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            auto* copiesBox = dialog->findChild<QSpinBox*>(u"copies"_s);
            if (copiesBox) {
                copiesBox->setValue(copies);
                answered = true;
            }
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        });
        QtPrinterDialog printerDialog;
        const std::optional<int> chosen = printerDialog.choosePrinter(printer, nullptr);
        QVERIFY(answered);
        if (accept)
            QCOMPARE(chosen, std::optional<int>(copies));
        else
            QVERIFY(!chosen);
    }
};

QTEST_MAIN(DialogPrintCommandsTest)
#include "tst_dialogprintcommands.moc"
