#pragma once

#include "specimenbookcommand.h"

#include <memory>

class QPrinter;

namespace varelith {

class GlyphCoverage;
class PrinterDialog;
class Shaper;
class SheetFaces;
class SpecimenPrinter;

// The specimen book through the printer dialog: the user picks a printer or a PDF file
// and the copies, which the print system makes itself (collated). The work runs a little
// at a time under the hourglass; when it takes longer than a moment, a progress dialog
// appears whose cancel button stops it. Cancelled or failed, it leaves no file and sends
// nothing; once the printer has begun to take the document (a real printer, not a file),
// it can no longer be cancelled.
class DialogSpecimenBook : public SpecimenBookCommand {
public:
    // How long the work goes on before the progress dialog appears.
    static constexpr int ProgressDelayMs = 400;
    // How long each piece of work is at most, so that the window answers in between.
    static constexpr int SliceMs = 30;

    // The print system's own dialog over a printer kept for the whole run, so that the
    // dialog remembers the last printer chosen. Without faces every style prints as 標準.
    DialogSpecimenBook(GlyphCoverage& coverage, Shaper& shaper, SheetFaces* faces = nullptr);
    // A dialog service of the caller's own, over a printer of the caller's own (a fresh
    // one when none is given).
    DialogSpecimenBook(GlyphCoverage& coverage, Shaper& shaper,
                       std::unique_ptr<PrinterDialog> dialog,
                       std::unique_ptr<QPrinter> printer = nullptr, SheetFaces* faces = nullptr);
    ~DialogSpecimenBook() override;

    void printSpecimenBook(const SheetSource& source, QWidget* parent) noexcept override;

private:
    QPrinter& printer();
    // Runs the work to its end or until the user cancels it; whether it ended.
    bool run(SpecimenPrinter& specimen, QWidget* parent);

    GlyphCoverage& m_coverage;
    Shaper& m_shaper;
    SheetFaces* m_faces;
    std::unique_ptr<PrinterDialog> m_dialog;
    std::unique_ptr<QPrinter> m_printer;
    bool m_busy = false;
};

} // namespace varelith
