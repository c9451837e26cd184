#pragma once

#include "fontcatalogue.h"
#include "printerdialog.h"
#include "sheetsource.h"

#include <QPrinter>
#include <QProcess>

namespace varelith::testing {

// Answers as the user would: a PDF file ("*.pdf") or a queue, and copies, left on the printer.
class FilePrinterDialog : public PrinterDialog {
public:
    FilePrinterDialog(QString pdfOrQueue, int copiesAsked)
        : target(std::move(pdfOrQueue))
        , copies(copiesAsked) {}
    std::optional<int> choosePrinter(QPrinter& printer, QWidget*) override {
        if (copies < 0)
            return std::nullopt;
        target.endsWith(QStringLiteral(".pdf")) ? printer.setOutputFileName(target)
                                                : printer.setPrinterName(target);
        printer.setCopyCount(copies);
        return copies;
    }
    QString target;
    int copies; // below 0: cancelled
};

// The main window's fields as fixed texts.
class FixedSheetSource : public SheetSource {
public:
    explicit FixedSheetSource(FontCatalogue catalogue)
        : fonts(std::move(catalogue)) {}
    const FontCatalogue& catalogue() const override { return fonts; }
    QString sampleText() const override { return sample; }
    QString sizeText() const override { return size; }
    QString pageBoxText() const override { return pageBox; }
    QString pageTotalText() const override { return pageTotal; }
    Typesetting typesetting() const override {
        Typesetting set;
        set.vertical = vertical;
        set.features = features;
        set.axes = axes;
        return set;
    }
    SheetStyle sheetStyle() const override { return style; }
    FontCatalogue fonts;
    bool vertical = false;
    FeatureSettings features;
    VariationSettings axes;
    QString sample = QStringLiteral("sample"), size = QStringLiteral("12");
    QString pageBox = QStringLiteral("1"), pageTotal = QStringLiteral("1");
    SheetStyle style = SheetStyle::Regular;
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
