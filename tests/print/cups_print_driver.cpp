// Prints the first page through the main window's "現在のページ" entry to a print server's
// queue, the printer dialog answered by the test: the queue and the copies given on the
// command line. Writes one copy's expected lines to the file given as well.
#include "catalogues.h"
#include "dialogprintcommands.h"
#include "fontcatalogue.h"
#include "form1.h"
#include "listfontsource.h"
#include "memorysettingsstore.h"
#include "printstandins.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QTextStream>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() != 4) {
        QTextStream(stderr) << "usage: cups_print_driver QUEUE COPIES EXPECTED_FILE\n";
        return 2;
    }
    const QString sample = u"見本 sample"_s;
    const QStringList names = numberedFonts(u"Font "_s, 12);

    auto dialog = std::make_unique<FilePrinterDialog>();
    FilePrinterDialog* answers = dialog.get();
    answers->queueName = arguments.at(1);
    answers->copies = arguments.at(2).toInt();
    DialogPrintCommands printCommands(std::move(dialog));

    MemorySettingsStore store; // no stored flags: every font ticked
    ListFontSource fonts(names);
    FontCatalogue catalogue;
    Form1 form(catalogue, fonts, store, &printCommands);
    form.Form_Load();
    form.Text1()->setText(sample);
    form.Text2()->setText(u"14"_s);
    form.Showpage(Int16(1)); // the first composition enables the print entries
    form.mprintone()->trigger();

    if (answers->shown != 1) {
        QTextStream(stderr) << "the print entry did not show the printer dialog\n";
        return 1;
    }
    QFile expected(arguments.at(3));
    if (!expected.open(QIODevice::WriteOnly | QIODevice::Text))
        return 1;
    QTextStream out(&expected);
    out << "Varelith page1\n";
    for (int n = 1; n <= 10; ++n)
        out << names.at(n - 1) << ' ' << sample << '\n';
    return 0;
}
