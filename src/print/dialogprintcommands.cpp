#include "dialogprintcommands.h"

#include "errortrap.h"
#include "numberconversion.h"
#include "printedsheet.h"
#include "printerdialog.h"
#include "qtlineprinter.h"
#include "qtprinterdialog.h"
#include "sheetsource.h"

#include <QPrinter>

namespace varelith {

DialogPrintCommands::DialogPrintCommands()
    : DialogPrintCommands(std::make_unique<QtPrinterDialog>()) {}

DialogPrintCommands::DialogPrintCommands(std::unique_ptr<PrinterDialog> dialog,
                                         std::unique_ptr<QPrinter> printer)
    : m_dialog(std::move(dialog))
    , m_printer(std::move(printer)) {}

DialogPrintCommands::~DialogPrintCommands() = default;

void DialogPrintCommands::printCurrentPage(const SheetSource& source, QWidget* parent) noexcept {
    print(Pages::Current, source, parent);
}

void DialogPrintCommands::printAllPages(const SheetSource& source, QWidget* parent) noexcept {
    print(Pages::All, source, parent);
}

QPrinter& DialogPrintCommands::printer() {
    // Made at the first command, not at start: finding the default printer asks the print
    // server, which need not hold up the program's start.
    if (!m_printer)
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_printer;
}

void DialogPrintCommands::print(Pages pages, const SheetSource& source, QWidget* parent) noexcept {
    trapErrors([&] {
        QPrinter& chosenPrinter = printer();
        const std::optional<int> chosenCopies = m_dialog->choosePrinter(chosenPrinter, parent);
        if (!chosenCopies)
            return; // cancelled: nothing printed
        const Int16 copies = Int16::fromInt(*chosenCopies);
        // We print every copy ourselves; the print system must not multiply them again.
        chosenPrinter.setCopyCount(1);

        // One document for all the copies, ended (and so sent) after the last one, or by
        // the line printer's destructor when a failure cuts the command short. A command
        // that printed no line opened no document and leaves no job.
        QtLinePrinter lines(chosenPrinter);
        for (int copy = 1; copy <= copies; ++copy) {
            // The page box is read again for every copy; one that does not convert ends
            // the command here.
            const Int16 page =
                pages == Pages::All ? Int16(0) : NumberConversion::toInteger(source.pageBoxText());
            PrintedSheet::Printpage(page, source, lines);
        }
        lines.endDocument();
    });
}

} // namespace varelith
