#pragma once

#include "lineprinter.h"

#include <QFont>
#include <QPainter>

#include <optional>

class QPrinter;

namespace varelith {

// Lines of text on a QPrinter, in the printer's default face at the size last set.
//
// Page setup: each sheet keeps one empty line at its top (a line of the size in force
// when the sheet begins), and the font lines' indent is a move to print column 3, that
// is two character cells of the print face. A line that would pass the bottom of the
// printable area goes onto a new sheet; a line too wide is cut at the right margin.
class QtLinePrinter : public LinePrinter {
public:
    static constexpr int IndentCells = 2;
    static constexpr int TopMarginLines = 1;

    explicit QtLinePrinter(QPrinter& printer);
    // Ends an open document, so that a failure part-way still sends what was printed.
    ~QtLinePrinter() override;

    QtLinePrinter(const QtLinePrinter&) = delete;
    QtLinePrinter& operator=(const QtLinePrinter&) = delete;

    void setFontSize(const QString& sizeText) override;
    void printLine(const QString& text) override;
    void printIndentedLine(const QString& text) override;
    void endDocument() override;

    bool documentOpen() const { return m_painter.isActive(); }
    int sheetsInDocument() const { return m_sheets; }

private:
    void print(const QString& text, int indentCells);
    void openDocument();
    void startSheet();
    QRectF printableArea() const;
    QString clippedToWidth(const QString& text, qreal width) const;

    QPrinter& m_printer;
    QPainter m_painter;
    std::optional<double> m_points; // none: the face's own size
    qreal m_nextLineTop = 0;
    bool m_sheetHasLines = false;
    int m_sheets = 0;
};

} // namespace varelith
