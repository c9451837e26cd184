#include "catalogues.h"
#include "dialogprintcommands.h"
#include "mousepointer.h"
#include "printstandins.h"
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

class DialogPrintCommandsTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    // What reaches the file: nothing at all (no file), or the copies run on in one document
    // on one sheet, the page box read for each copy, the printer told of one copy.
    void printCommand_data() {
        QTest::addColumn<bool>("allPages");
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("copies");
        QTest::addColumn<QString>("pageBox");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("pageBoxReads");
        QTest::addColumn<QStringList>("expected");
        const QStringList page2 = QStringList{u"Varelith page2"_s} + fontLines(fontNumbers(11, 20));
        const QStringList all = QStringList{u"Varelith"_s} + fontLines(fontNumbers(1, 25));
        QTest::newRow("three copies")
            << false << false << 3 << u"2"_s << u"12"_s << 3 << page2 + page2 + page2;
        QTest::newRow("all pages whatever the page box")
            << true << false << 1 << u"2"_s << u"12"_s << 0 << all;
        QTest::newRow("current page, page box 0")
            << false << false << 1 << u"0"_s << u"12"_s << 1 << all;
        QTest::newRow("cancel") << false << true << 2 << u"1"_s << u"12"_s << 0 << QStringList();
        QTest::newRow("page box letters")
            << false << false << 2 << u"abc"_s << u"12"_s << 1 << QStringList();
        QTest::newRow("page box out of range")
            << false << false << 1 << u"40000"_s << u"12"_s << 1 << QStringList();
        QTest::newRow("size refused for every copy")
            << false << false << 2 << u"1"_s << u"big"_s << 2 << QStringList();
        QTest::newRow("no copies")
            << false << false << 0 << u"1"_s << u"12"_s << 0 << QStringList();
    }
    void printCommand() {
        QFETCH(bool, allPages);
        QFETCH(bool, cancel);
        QFETCH(int, copies);
        QFETCH(QString, pageBox);
        QFETCH(QString, size);
        QFETCH(int, pageBoxReads);
        QFETCH(QStringList, expected);
        auto dialog = std::make_unique<FilePrinterDialog>();
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        FilePrinterDialog& answers = *dialog;
        QPrinter& used = *printer;
        const QString pdf = answers.pdfPath =
            m_dir.filePath(QString::fromUtf8(QTest::currentDataTag()) + u".pdf"_s);
        answers.copies = copies;
        answers.cancel = cancel;
        DialogPrintCommands commands(std::move(dialog), std::move(printer));
        FixedSheetSource source(catalogueTicking(25, fontNumbers(1, 25)));
        source.pageBox = pageBox;
        source.pageTotal = u"3"_s;
        source.size = size;
        if (allPages)
            commands.printAllPages(source, nullptr);
        else
            commands.printCurrentPage(source, nullptr);
        QCOMPARE(answers.shown, 1);
        QCOMPARE(QFile::exists(pdf), !expected.isEmpty());
        QCOMPARE(pdfLines(pdf), expected);
        QCOMPARE(pdfSheets(pdf).size(), expected.isEmpty() ? 0 : 1);
        QCOMPARE(source.pageBoxReads, pageBoxReads);
        QCOMPARE(used.copyCount(), 1);
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }

    // The real dialog, answered once it is up: its options, then three copies, OK or Cancel.
    void theRealDialog() {
        for (bool accept : {true, false}) {
            QPrinter printer;
            printer.setOutputFileName(m_dir.filePath(u"dialog.pdf"_s));
            bool optionsHidden = false;
            QTimer::singleShot(0, this, [&] {
                auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
                if (!dialog)
                    return;
                using Dialog = QAbstractPrintDialog;
                const auto options = dialog->options();
                optionsHidden =
                    options.testFlag(Dialog::PrintToFile) &&
                    !(options & (Dialog::PrintPageRange | Dialog::PrintSelection |
                                 Dialog::PrintCurrentPage | Dialog::PrintCollateCopies));
                if (auto* copies = dialog->findChild<QSpinBox*>(u"copies"_s))
                    copies->setValue(3);
                if (accept)
                    dialog->accept();
                else
                    dialog->reject();
            });
            const std::optional<int> chosen = QtPrinterDialog().choosePrinter(printer, nullptr);
            QVERIFY(optionsHidden);
            QCOMPARE(chosen, accept ? std::optional<int>(3) : std::nullopt);
        }
    }
};

QTEST_MAIN(DialogPrintCommandsTest)
#include "tst_dialogprintcommands.moc"
