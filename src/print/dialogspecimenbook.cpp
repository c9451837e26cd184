#include "dialogspecimenbook.h"

#include "cupsjob.h"
#include "errortrap.h"
#include "fontcatalogue.h"
#include "fontsize.h"
#include "mousepointer.h"
#include "printerdialog.h"
#include "qtprinterdialog.h"
#include "sheetsource.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QPageLayout>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

constexpr double MinimumMarginMm = 15;

SpecimenPrinter::Book bookOf(const SheetSource& source) {
    SpecimenPrinter::Book book;
    // A size the view would refuse is refused here too, before the dialog shows.
    book.points = FontSize::fromText(source.sizeText());
    book.sample = source.sampleText();
    // Set as the sheet is: its writing mode, features and axes.
    const Typesetting typesetting = source.typesetting();
    book.vertical = typesetting.vertical;
    book.features = typesetting.features;
    book.variations = typesetting.axes;
    book.pairing = typesetting.pairing;
    book.style = source.sheetStyle();
    const FontCatalogue& catalogue = source.catalogue();
    for (int index = 1; index <= catalogue.FontNum(); ++index) {
        if (catalogue.isTicked(index))
            book.families.append(catalogue.FontName(index));
    }
    return book;
}

// The paper chosen in the dialog, every margin at least 15 mm: more where the printer
// cannot print closer to the edge.
SpecimenPrinter::Paper paperOf(const QPrinter& printer) {
    QPageLayout layout = printer.pageLayout();
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    layout.setMinimumMargins({});
    layout.setUnits(QPageLayout::Millimeter);
    layout.setMargins(QMarginsF(
        std::max(margins.left(), MinimumMarginMm), std::max(margins.top(), MinimumMarginMm),
        std::max(margins.right(), MinimumMarginMm), std::max(margins.bottom(), MinimumMarginMm)));
    return {layout.fullRect(QPageLayout::Point).size(), layout.paintRect(QPageLayout::Point)};
}

} // namespace

DialogSpecimenBook::DialogSpecimenBook(GlyphCoverage& coverage, SheetFaces* faces)
    : DialogSpecimenBook(coverage, std::make_unique<QtPrinterDialog>(), nullptr, faces) {}

DialogSpecimenBook::DialogSpecimenBook(GlyphCoverage& coverage,
                                       std::unique_ptr<PrinterDialog> dialog,
                                       std::unique_ptr<QPrinter> printer, SheetFaces* faces)
    : m_coverage(coverage)
    , m_faces(faces)
    , m_dialog(std::move(dialog))
    , m_printer(std::move(printer)) {}

DialogSpecimenBook::~DialogSpecimenBook() = default;

QPrinter& DialogSpecimenBook::printer() {
    // Made at the first book, not at start: finding the default printer asks the print
    // server.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void DialogSpecimenBook::printSpecimenBook(const SheetSource& source, QWidget* parent) noexcept {
    // One book at a time: a request while one is under way is passed over.
    if (m_busy)
        return;
    m_busy = true;
    trapErrors([&] {
        SpecimenPrinter::Book book = bookOf(source);
        book.latinFaces = m_latinFaces;
        book.uninstalled = m_uninstalled;
        QPrinter& chosen = printer();
        const std::optional<int> copies = m_dialog->choosePrinter(chosen, parent);
        if (!copies)
            return; // cancelled: nothing printed, no file
        // The copies go to the print server as the job's own, never to Qt as well (n x n).
        chosen.setCopyCount(1);

        MousePointer::set(MousePointer::Hourglass);
        const QString target = chosen.outputFileName();
        if (!target.isEmpty()) {
            // Written under a name of its own beside the one chosen, and given that name
            // only when complete, so that a cancelled or failed book leaves no file.
            const QString partial = target + u".part"_s;
            trapErrors([&] {
                if (write(partial, std::move(book), parent)) {
                    QFile::remove(target);
                    QFile::rename(partial, target);
                }
            });
            QFile::remove(partial);
        } else {
            // Sent only when complete: a cancelled book never becomes a job.
            const QTemporaryDir folder;
            const QString pdf = folder.filePath(u"specimen.pdf"_s);
            trapErrors([&] {
                if (folder.isValid() && write(pdf, std::move(book), parent))
                    CupsJob::forPrinter(chosen, *copies, u"Varelith 見本帳"_s).submit(pdf);
            });
        }
        MousePointer::set(MousePointer::Default);
    });
    m_busy = false;
}

bool DialogSpecimenBook::write(const QString& pdfFile, SpecimenPrinter::Book book,
                               QWidget* parent) {
    SpecimenPrinter specimen(pdfFile, paperOf(printer()), m_coverage, std::move(book),
                             QDate::currentDate(), m_faces);
    return run(specimen, parent);
}

bool DialogSpecimenBook::run(SpecimenPrinter& specimen, QWidget* parent) {
    QProgressDialog progress(u"見本帳を作っています..."_s, u"キャンセル"_s, 0, specimen.stepCount(),
                             parent);
    progress.setObjectName(u"specimenProgress"_s);
    progress.setAccessibleName(u"見本帳を印刷"_s);
    progress.setWindowTitle(u"見本帳を印刷"_s);
    progress.setWindowModality(Qt::WindowModal);
    progress.setAutoReset(false);
    progress.setAutoClose(false);
    // The bar is moved directly: the dialog's own setValue would run the event loop from
    // inside the work.
    auto* bar = new QProgressBar(&progress);
    bar->setObjectName(u"specimenProgressBar"_s);
    bar->setAccessibleName(u"見本帳の印刷の進み具合"_s);
    bar->setRange(0, specimen.stepCount());
    progress.setBar(bar);
    progress.setMinimumDuration(ProgressDelayMs);
    QTimer::singleShot(ProgressDelayMs, &progress, [&progress] { progress.show(); });

    QEventLoop loop;
    bool cancelRequested = false;
    QObject::connect(&progress, &QProgressDialog::canceled, &loop,
                     [&cancelRequested] { cancelRequested = true; });
    QTimer slices;
    QObject::connect(&slices, &QTimer::timeout, &loop, [&] {
        // Nothing has left the program before the book is complete: a cancel is always heeded.
        if (cancelRequested) {
            loop.exit(1);
            return;
        }
        bool more = false;
        if (!trapErrors([&] { more = specimen.advance(QDeadlineTimer(SliceMs)); })) {
            loop.exit(1);
            return;
        }
        bar->setValue(specimen.stepsDone());
        if (!more)
            loop.exit(0);
    });
    slices.start(0);
    return loop.exec() == 0;
}

} // namespace varelith
