// How long printing all ticked fonts into a PDF file takes, for a large selection.
// Prints figures; never run by ctest. An optional argument keeps the PDFs in that folder.
#include "catalogues.h"
#include "printstandins.h"
#include "printedsheet.h"
#include "qtlineprinter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QTextStream out(stdout);

    for (const int ticked : {2000, 20000}) {
        QList<int> indexes;
        for (int n = 1; n <= ticked; ++n)
            indexes.append(n);
        FixedSheetSource source(catalogueTicking(ticked, indexes));
        source.sample = u"The quick brown fox あいうえお 永"_s;
        source.size = u"12"_s;

        const QString path = folder + u"/all-%1.pdf"_s.arg(ticked);
        QElapsedTimer timer;
        timer.start();
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QtLinePrinter lines(printer);
        PrintedSheet::Printpage(Int16(0), source, lines);
        const int sheets = lines.sheetsInDocument();
        lines.endDocument();
        const qint64 elapsed = timer.elapsed();

        out << ticked << " ticked fonts, all pages to PDF: " << elapsed << " ms, " << sheets
            << " sheets, " << QFileInfo(path).size() / 1024 << " KiB" << Qt::endl;
    }
    return 0;
}
