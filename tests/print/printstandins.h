#pragma once

#include "fontcatalogue.h"
#include "fontsize.h"
#include "lineprinter.h"
#include "printerdialog.h"
#include "sheetsource.h"

#include <QPrinter>
#include <QProcess>

namespace varelith::testing {

// A printer dialog the test answers: a PDF file or a named queue, the copies left on the
// printer as the print system's dialog leaves them.
class FilePrinterDialog : public PrinterDialog {
public:
    std::optional<int> choosePrinter(QPrinter& printer, QWidget*) override {
        ++shown;
        if (cancel)
            return std::nullopt;
        printer.setOutputFormat(queueName.isEmpty() ? QPrinter::PdfFormat : QPrinter::NativeFormat);
        if (queueName.isEmpty())
            printer.setOutputFileName(pdfPath);
        else
            printer.setPrinterName(queueName);
        printer.setCopyCount(copies);
        return copies;
    }
    QString pdfPath, queueName;
    int copies = 1;
    bool cancel = false;
    int shown = 0;
};

// The main window's fields as fixed texts, counting the page box's reads.
class FixedSheetSource : public SheetSource {
public:
    explicit FixedSheetSource(FontCatalogue catalogue)
        : fonts(std::move(catalogue)) {}
    const FontCatalogue& catalogue() const override { return fonts; }
    QString sampleText() const override { return sample; }
    QString sizeText() const override { return size; }
    QString pageBoxText() const override {
        ++pageBoxReads;
        return pageBox;
    }
    QString pageTotalText() const override { return pageTotal; }
    FontCatalogue fonts;
    QString sample = QStringLiteral("sample"), size = QStringLiteral("12");
    QString pageBox = QStringLiteral("1"), pageTotal = QStringLiteral("1");
    mutable int pageBoxReads = 0;
};

// Keeps the lines printed, the indent marked by two spaces; sizes refused as the real one.
class RecordingLinePrinter : public LinePrinter {
public:
    void setFontSize(const QString& text) override { sizes.append(FontSize::fromText(text)); }
    void printLine(const QString& text) override { lines.append(text); }
    void printIndentedLine(const QString& text) override {
        lines.append(QStringLiteral("  ") + text);
    }
    void endDocument() override { ++documentsEnded; }
    QStringList lines;
    QList<double> sizes;
    int documentsEnded = 0;
};

// The numbers first to last, as font indexes.
inline QList<int> fontNumbers(int first, int last) {
    QList<int> numbers;
    for (int n = first; n <= last; ++n)
        numbers.append(n);
    return numbers;
}

// Font lines as printed: indent, "Font N", one space, the sample.
inline QStringList fontLines(const QList<int>& indexes,
                             const QString& sample = QStringLiteral("sample"),
                             const QString& indent = {}) {
    QStringList lines;
    for (int index : indexes)
        lines.append(indent + QStringLiteral("Font %1 ").arg(index) + sample);
    return lines;
}

// A PDF read back with pdftotext -layout: per sheet, its non-empty lines as laid out; with
// `beyondTheSheet`, text put outside the sheet as well.
inline QList<QStringList> pdfSheets(const QString& path, bool beyondTheSheet = false) {
    using namespace Qt::StringLiterals;
    QStringList arguments{u"-layout"_s, u"-enc"_s, u"UTF-8"_s};
    if (beyondTheSheet)
        arguments += {u"-x"_s, u"0"_s, u"-y"_s, u"0"_s, u"-W"_s, u"100000"_s, u"-H"_s, u"100000"_s};
    QProcess process;
    process.start(u"pdftotext"_s, arguments + QStringList{path, u"-"_s});
    process.waitForFinished(60000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(u'\f');
    pages.removeLast(); // every sheet ends with a form feed
    QList<QStringList> sheets;
    for (const QString& page : pages) {
        sheets.append(QStringList());
        for (const QString& line : page.split(u'\n')) {
            if (!line.trimmed().isEmpty())
                sheets.last().append(line);
        }
    }
    return sheets;
}

// All the sheets' lines, trimmed.
inline QStringList pdfLines(const QString& path) {
    QStringList all;
    for (const QStringList& sheet : pdfSheets(path)) {
        for (const QString& line : sheet)
            all.append(line.trimmed());
    }
    return all;
}

} // namespace varelith::testing
