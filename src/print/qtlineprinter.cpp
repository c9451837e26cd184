#include "qtlineprinter.h"

#include "fontsize.h"
#include "runtimeerror.h"

#include <QFontMetricsF>
#include <QPrinter>
#include <QTextBoundaryFinder>

namespace varelith {

QtLinePrinter::QtLinePrinter(QPrinter& printer)
    : m_printer(printer) {}

QtLinePrinter::~QtLinePrinter() {
    endDocument();
}

void QtLinePrinter::setFontSize(const QString& sizeText) {
    // Refused sizes throw before anything changes.
    m_points = FontSize::fromText(sizeText);
    if (m_painter.isActive()) {
        QFont font = m_painter.font();
        font.setPointSizeF(*m_points);
        m_painter.setFont(font);
    }
}

void QtLinePrinter::printLine(const QString& text) {
    print(text, 0);
}

void QtLinePrinter::printIndentedLine(const QString& text) {
    print(text, IndentCells);
}

void QtLinePrinter::endDocument() {
    if (m_painter.isActive())
        m_painter.end();
}

void QtLinePrinter::openDocument() {
    // The painter starts in the printer's default face; only its size is ours.
    if (!m_painter.begin(&m_printer))
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    if (m_points) {
        QFont font = m_painter.font();
        font.setPointSizeF(*m_points);
        m_painter.setFont(font);
    }
    // Clipping at the printable area keeps a cut character's overhang off the margin.
    m_painter.setClipRect(printableArea());
    m_sheets = 1;
    startSheet();
}

void QtLinePrinter::startSheet() {
    m_nextLineTop = TopMarginLines * m_painter.fontMetrics().lineSpacing();
    m_sheetHasLines = false;
}

void QtLinePrinter::print(const QString& text, int indentCells) {
    if (!m_painter.isActive())
        openDocument();

    const QFontMetricsF metrics(m_painter.font(), m_painter.device());
    const QRectF area = printableArea();
    // A line that does not fit below the last one starts a new sheet; on a fresh sheet it
    // is printed even when it is taller than the sheet, or nothing would ever be printed.
    if (m_sheetHasLines && m_nextLineTop + metrics.lineSpacing() > area.height()) {
        if (!m_printer.newPage())
            throw RuntimeError(RuntimeError::Kind::InvalidValue);
        ++m_sheets;
        startSheet();
    }

    const qreal left = indentCells * metrics.averageCharWidth();
    const QString shown = clippedToWidth(text, area.width() - left);
    if (!shown.isEmpty())
        m_painter.drawText(QPointF(left, m_nextLineTop + metrics.ascent()), shown);
    m_nextLineTop += metrics.lineSpacing();
    m_sheetHasLines = true;
}

QRectF QtLinePrinter::printableArea() const {
    // The painter's origin is the top left corner of the printable area.
    return QRectF(0, 0, m_printer.width(), m_printer.height());
}

QString QtLinePrinter::clippedToWidth(const QString& text, qreal width) const {
    const QFontMetricsF metrics(m_painter.font(), m_painter.device());
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    // The longest run of whole characters (grapheme clusters) that ends inside the
    // margin; the part beyond it is never put into the document.
    QTextBoundaryFinder boundaries(QTextBoundaryFinder::Grapheme, text);
    qsizetype fitting = 0;
    qsizetype low = 0;
    qsizetype high = text.size();
    while (low < high) {
        const qsizetype middle = low + (high - low + 1) / 2;
        if (metrics.horizontalAdvance(text.left(middle)) <= width) {
            fitting = middle;
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    boundaries.setPosition(fitting);
    if (!boundaries.isAtBoundary())
        fitting = boundaries.toPreviousBoundary();
    return text.left(qMax<qsizetype>(fitting, 0));
}

} // namespace varelith
