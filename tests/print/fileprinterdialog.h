#pragma once

#include "printerdialog.h"

#include <QPrinter>

namespace varelith::testing {

// A printer dialog that the test answers: it picks a PDF file as the printer, or a named
// queue, and leaves the copies on the printer as the print system's dialog does.
class FilePrinterDialog : public PrinterDialog {
public:
    std::optional<int> choosePrinter(QPrinter& printer, QWidget*) override {
        ++shown;
        if (cancel)
            return std::nullopt;
        if (queueName.isEmpty()) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdfPath);
        } else {
            printer.setOutputFormat(QPrinter::NativeFormat);
            printer.setPrinterName(queueName);
        }
        printer.setCopyCount(copies);
        return copies;
    }

    QString pdfPath;
    QString queueName; // a print server's queue instead of the file
    int copies = 1;
    bool cancel = false;
    int shown = 0;
};

} // namespace varelith::testing
