// The specimen book of every installed font into a PDF file, and a page of the sample
// sheet with missing-glyph marks composed once its fonts are loaded. Prints figures;
// run it through bench/specimen.sh with FONTCONFIG_FILE pointing at a set of fonts.
//
//   specimen_bench [PDF_FOLDER] [vertical]   (the PDF is kept there; default: a temporary
//                                            folder; "vertical": the book in 縦書き)

#include "composedpage.h"
#include "dialogspecimenbook.h"
#include "glyphcoverage.h"
#include "japaneseinterface.h"
#include "listfontsource.h"
#include "memorysettingsstore.h"
#include "printstandins.h"
#include "recordingticklist.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPalette>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTextStream>

#include <algorithm>

#include <sys/resource.h>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

constexpr int ComposeRuns = 30;
// Latin letters every font has, kana that every seventh font has, kanji that none has.
const QString Sample = u"Aa あア漢字 Varelith 0123"_s;

double milliseconds(qint64 nanoseconds) {
    return double(nanoseconds) / 1e6;
}

// The process's peak resident memory so far, in MiB.
qint64 peakMiB() {
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() / 1024;
    }
    return -1;
}

// The process's CPU time so far, user and system, in milliseconds: under other builds'
// load the wall time says little.
double cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& time) {
        return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The interface face as the program sets it up: without it every name would be looked
    // for through all the installed fonts.
    JapaneseInterface::setApplicationFont();
    QTemporaryDir temporary;
    QStringList arguments = QApplication::arguments().mid(1);
    const bool vertical = arguments.removeAll(u"vertical"_s) > 0;
    const QString folder = arguments.isEmpty() ? temporary.path() : arguments.first();
    QTextStream out(stdout);

    // The numbered families of tests/support/make-test-fonts, every one ticked.
    QStringList families = QFontDatabase::families();
    families.removeIf([](const QString& family) {
        return !family.startsWith(u"Bench Sans"_s) && !family.startsWith(u"試験書体"_s);
    });
    MemorySettingsStore store;
    RecordingTickList list;
    FontCatalogue catalogue;
    catalogue.build(ListFontSource(families), store, list);
    FixedSheetSource source(catalogue);
    source.sample = Sample;
    source.size = u"20"_s;
    source.vertical = vertical;
    const qint64 peakBefore = peakMiB();

    GlyphCoverage coverage;
    const QString pdfPath = folder + u"/specimen-%1.pdf"_s.arg(families.size());
    auto dialog = std::make_unique<FilePrinterDialog>(pdfPath, 1);
    DialogSpecimenBook book(coverage, std::move(dialog));
    QElapsedTimer timer;
    const double cpuBefore = cpuMilliseconds();
    timer.start();
    book.printSpecimenBook(source, nullptr);
    const qint64 bookTime = timer.nsecsElapsed();
    const double bookCpu = cpuMilliseconds() - cpuBefore;
    out << families.size() << " ticked fonts, specimen book in " << (vertical ? "縦書き" : "横書き")
        << " to PDF: " << milliseconds(bookTime) << " ms (CPU " << bookCpu << " ms), "
        << QFileInfo(pdfPath).size() / 1024 << " KiB, peak " << peakMiB() << " MiB (" << peakBefore
        << " MiB before)" << Qt::endl;

    // The first page of the sheet, ten fonts, their fonts loaded by a first composition.
    const SheetComposer::Inputs inputs{Int16(1), Sample, u"20"_s, u"1"_s,
                                       QString::number(catalogue.SelNum() / 10 + 1)};
    const QFont viewFont;
    const QPalette palette;
    QList<double> runs;
    int marks = 0;
    for (int run = 0; run <= ComposeRuns; ++run) {
        timer.restart();
        const ComposedPage page = SheetComposer::compose(catalogue, inputs);
        const auto document = SheetDocument::build(page, viewFont, &coverage, palette);
        if (run > 0)
            runs.append(milliseconds(timer.nsecsElapsed()));
        marks = 0;
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            for (const QTextLayout::FormatRange& range : block.textFormats())
                marks += range.format.background().style() != Qt::NoBrush ? 1 : 0;
        }
    }
    std::sort(runs.begin(), runs.end());
    out << "page with missing-glyph marks composed (median of " << ComposeRuns
        << "): " << runs.at(runs.size() / 2) << " ms, " << marks << " marked runs" << Qt::endl;
    return 0;
}
