#include "dialogspecimenbook.h"

#include "errortrap.h"
#include "fontcatalogue.h"
#include "fontsize.h"
#include "mousepointer.h"
#include "qtprinterdialog.h"
#include "sheetsource.h"
#include "specimenprinter.h"

#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QPrinter>
#include <QProgressBar>
#include <QProgressDialog>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

SpecimenPrinter::Book bookOf(const SheetSource& source) {
    SpecimenPrinter::Book book;
    // A size the view would refuse is refused here too, before the dialog shows.
    book.points = FontSize::fromText(source.sizeText());
    book.sample = source.sampleText();
    // In 横書き the book is set as it always was; features and axes come with 縦書き.
    const Typesetting typesetting = source.typesetting();
    book.vertical = typesetting.vertical;
    if (book.vertical) {
        book.features = typesetting.features;
        book.variations = typesetting.axes;
    }
    book.style = source.sheetStyle();
    const FontCatalogue& catalogue = source.catalogue();
    for (int index = 1; index <= catalogue.FontNum(); ++index) {
        if (catalogue.isTicked(index))
            book.families.append(catalogue.FontName(index));
    }
    return book;
}

} // namespace

DialogSpecimenBook::DialogSpecimenBook(GlyphCoverage& coverage, Shaper& shaper, SheetFaces* faces)
    : DialogSpecimenBook(coverage, shaper, std::make_unique<QtPrinterDialog>(), nullptr, faces) {}

DialogSpecimenBook::DialogSpecimenBook(GlyphCoverage& coverage, Shaper& shaper,
                                       std::unique_ptr<PrinterDialog> dialog,
                                       std::unique_ptr<QPrinter> printer, SheetFaces* faces)
    : m_coverage(coverage)
    , m_shaper(shaper)
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
        QPrinter& chosen = printer();
        if (!m_dialog->choosePrinter(chosen, parent))
            return; // cancelled: nothing printed, no file
        // The copies stay as chosen: the print system makes them, each one whole.
        chosen.setCollateCopies(true);

        // A file is written under a name of its own beside the one chosen and takes that
        // name only when complete, so that a cancelled or failed book leaves no file.
        const QString target = chosen.outputFileName();
        const QString partial = target.isEmpty() ? QString() : target + u".part"_s;
        if (!partial.isEmpty())
            chosen.setOutputFileName(partial);
        bool complete = false;
        MousePointer::set(MousePointer::Hourglass);
        trapErrors([&] {
            SpecimenPrinter specimen(chosen, m_coverage, m_shaper, std::move(book),
                                     QDate::currentDate(), m_faces);
            complete = run(specimen, parent);
        });
        MousePointer::set(MousePointer::Default);
        if (!partial.isEmpty()) {
            chosen.setOutputFileName(target);
            if (complete) {
                QFile::remove(target);
                QFile::rename(partial, target);
            }
            QFile::remove(partial);
        }
    });
    m_busy = false;
}

bool DialogSpecimenBook::run(SpecimenPrinter& specimen, QWidget* parent) {
    const bool toFile = !printer().outputFileName().isEmpty();
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
        // A file can be dropped at any time; a printer has the document once it is open.
        if (cancelRequested && (toFile || !specimen.painting())) {
            loop.exit(1);
            return;
        }
        const bool wasPainting = specimen.painting();
        bool more = false;
        if (!trapErrors([&] { more = specimen.advance(QDeadlineTimer(SliceMs)); })) {
            loop.exit(1);
            return;
        }
        if (!toFile && !wasPainting && specimen.painting())
            progress.setCancelButton(nullptr);
        bar->setValue(specimen.stepsDone());
        if (!more)
            loop.exit(0);
    });
    slices.start(0);
    return loop.exec() == 0;
}

} // namespace varelith
