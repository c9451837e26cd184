#pragma once

#include "printcommands.h"

#include <memory>

class QPrinter;

namespace varelith {

class PrinterDialog;

// The print commands over the print system: the printer dialog picks the printer and the
// copies, and the printed sheet is written once per copy into one document, which is
// ended (and so sent) when the last copy is done.
class DialogPrintCommands : public PrintCommands {
public:
    // The real printer dialog over a printer kept for the whole run, so that the dialog
    // remembers the last printer chosen.
    DialogPrintCommands();
    // A dialog service of the caller's own, over a printer of the caller's own (a fresh
    // one when none is given).
    explicit DialogPrintCommands(std::unique_ptr<PrinterDialog> dialog,
                                 std::unique_ptr<QPrinter> printer = nullptr);
    ~DialogPrintCommands() override;

    void printCurrentPage(const SheetSource& source, QWidget* parent) noexcept override;
    void printAllPages(const SheetSource& source, QWidget* parent) noexcept override;

private:
    enum class Pages { Current, All };
    void print(Pages pages, const SheetSource& source, QWidget* parent) noexcept;
    QPrinter& printer();

    std::unique_ptr<PrinterDialog> m_dialog;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace varelith
