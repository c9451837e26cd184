#pragma once

#include "specimenbookcommand.h"
#include "specimenprinter.h"

#include <memory>

class QPrinter;

namespace varelith {

class GlyphCoverage;
class PrinterDialog;
class SheetFaces;

// The specimen book through the printer dialog: the user picks a printer or a PDF file
// and the copies. The book is written as a PDF file; to a printer, the same PDF goes to
// the printer's CUPS queue as one job, once complete, with the copies (which the print
// server makes itself, collated) and the options chosen in the dialog. The work runs a
// little at a time under the hourglass; when it takes longer than a moment, a progress
// dialog appears whose cancel button stops it. Cancelled or failed, it leaves no file and
// sends nothing.
class DialogSpecimenBook : public SpecimenBookCommand {
public:
    // How long the work goes on before the progress dialog appears.
    static constexpr int ProgressDelayMs = 400;
    // How long each piece of work is at most, so that the window answers in between.
    static constexpr int SliceMs = 30;

    // The print system's own dialog over a printer kept for the whole run, so that the
    // dialog remembers the last printer chosen. Without faces every style prints as 標準.
    explicit DialogSpecimenBook(GlyphCoverage& coverage, SheetFaces* faces = nullptr);
    // A dialog service of the caller's own, over a printer of the caller's own (a fresh
    // one when none is given).
    DialogSpecimenBook(GlyphCoverage& coverage, std::unique_ptr<PrinterDialog> dialog,
                       std::unique_ptr<QPrinter> printer = nullptr, SheetFaces* faces = nullptr);
    ~DialogSpecimenBook() override;

    void printSpecimenBook(const SheetSource& source, QWidget* parent) noexcept override;
    // Where a 和欧混植 pairing's Latin font is found, as the sheet finds it.
    void setLatinFaces(std::function<FaceRef(const QString& family, const QString& style)> faces) {
        m_latinFaces = std::move(faces);
    }
    // The families opened from files this run, marked in the book as on the sheet.
    void setUninstalledFamilies(UninstalledNote::Families uninstalled) {
        m_uninstalled = std::move(uninstalled);
    }

private:
    QPrinter& printer();
    // Writes the book into `pdfFile`; whether it was written to its end, not cancelled.
    bool write(const QString& pdfFile, SpecimenPrinter::Book book, QWidget* parent);
    // Runs the work to its end or until the user cancels it; whether it ended.
    bool run(SpecimenPrinter& specimen, QWidget* parent);

    GlyphCoverage& m_coverage;
    SheetFaces* m_faces;
    std::unique_ptr<PrinterDialog> m_dialog;
    std::unique_ptr<QPrinter> m_printer;
    bool m_busy = false;
    std::function<FaceRef(const QString& family, const QString& style)> m_latinFaces;
    UninstalledNote::Families m_uninstalled;
};

} // namespace varelith
