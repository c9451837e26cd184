#pragma once

#include "fontsize.h"
#include "lineprinter.h"

#include <QList>
#include <QStringList>

namespace varelith::testing {

// A line printer that keeps what was printed: each line, with a two-space mark for the
// font lines' indent, and every size accepted.
class RecordingLinePrinter : public LinePrinter {
public:
    void setFontSize(const QString& sizeText) override {
        sizes.append(FontSize::fromText(sizeText)); // refuses as the real one does
    }
    void printLine(const QString& text) override { lines.append(text); }
    void printIndentedLine(const QString& text) override {
        lines.append(QStringLiteral("  ") + text);
    }
    void endDocument() override { ++documentsEnded; }

    QStringList lines;
    QList<double> sizes;
    int documentsEnded = 0;
};

} // namespace varelith::testing
