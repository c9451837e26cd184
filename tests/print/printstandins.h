#pragma once

#include "printerdialog.h"

#include <QPrinter>
#include <QProcess>

namespace varelith::testing {

// Answers as the user would: a PDF file ("*.pdf") or a queue, and copies, left on the printer.
class FilePrinterDialog : public PrinterDialog {
public:
    std::optional<int> choosePrinter(QPrinter& printer, QWidget*) override {
        if (copies < 0) // cancelled
            return std::nullopt;
        if (target.endsWith(QStringLiteral(".pdf")))
            printer.setOutputFileName(target);
        else
            printer.setPrinterName(target);
        printer.setCopyCount(copies);
        return copies;
    }
    QString target;
    int copies = 1;
};

// A PDF read back with pdftotext: its non-empty lines, single-spaced but for an indent, which
// reads as two spaces, and "\f" where each sheet ends.
inline QStringList pdfLines(const QString& path) {
    using namespace Qt::StringLiterals;
    QProcess process;
    // At a fixed pitch a line's indent reads from the sheet's edge on every sheet: the
    // margin as one space, the indent as more.
    process.start(u"pdftotext"_s, {u"-layout"_s, u"-fixed"_s, u"10"_s, path, u"-"_s});
    process.waitForFinished(60000);
    QStringList lines;
    for (QString line : QString::fromUtf8(process.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(u'\f') && !lines.isEmpty())
            lines.append(u"\f"_s);
        line.remove(u'\f');
        if (!line.trimmed().isEmpty())
            lines.append((line.startsWith(u"  "_s) ? u"  "_s : QString()) + line.simplified());
    }
    return lines;
}

} // namespace varelith::testing
