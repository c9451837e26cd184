#pragma once

#include "printerdialog.h"

class QPrintDialog;

namespace varelith {

// The print system's own printer dialog: any printer the machine has, or a file.
class QtPrinterDialog : public PrinterDialog {
public:
    std::optional<int> choosePrinter(QPrinter& printer, QWidget* parent) override;

    // Hides what the program cannot honour: page ranges, the selection, the current page
    // (it prints whole lines, not pages of a document) and collation (its copies always
    // follow one another in one document).
    static void configure(QPrintDialog& dialog);
};

} // namespace varelith
