#pragma once

#include <optional>

class QPrinter;
class QWidget;

namespace varelith {

// The printer dialog as the print commands need it: the user picks the printer (which
// becomes `printer`) and the number of copies, or cancels.
class PrinterDialog {
public:
    virtual ~PrinterDialog() = default;
    // The copies asked for, or nothing when the user cancelled. The printer's own copy
    // count may still hold the same number afterwards; the caller resets it.
    virtual std::optional<int> choosePrinter(QPrinter& printer, QWidget* parent) = 0;
};

} // namespace varelith
