#include "comparisoncanvas.h"

#include "missingglyphmark.h"
#include "shaper.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPaintEvent>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

constexpr int GlyphBoxHeight = 100;
constexpr int NameLines = 2;
// Not the highlight colour, which marks missing glyphs: a difference must not read as one.
const QColor DifferenceColour(214, 96, 0);

} // namespace

ComparisonCanvas::ComparisonCanvas(Shaper& shaper, QWidget* parent)
    : QWidget(parent)
    , m_shaper(shaper) {
    setObjectName(u"ComparisonCanvas"_s);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int ComparisonCanvas::cellHeight() {
    return GlyphBoxHeight + NameLines * 16 + 6;
}

void ComparisonCanvas::setSections(const QList<Section>& sections,
                                   const FeatureSettings& features) {
    m_sections = sections;
    m_features = features;
    setMinimumHeight(heightForWidth(width()));
    updateGeometry();
    update();
}

int ComparisonCanvas::columnsFor(int width) const {
    return std::max(1, width / CellWidth);
}

int ComparisonCanvas::sectionHeight(int section, int columns) const {
    const qsizetype cells = m_sections.at(section).cells.size();
    return TitleHeight + int((cells + columns - 1) / columns) * cellHeight();
}

int ComparisonCanvas::heightForWidth(int width) const {
    const int columns = columnsFor(width);
    int height = 0;
    for (int section = 0; section < m_sections.size(); ++section)
        height += sectionHeight(section, columns);
    return height + 1;
}

QSize ComparisonCanvas::sizeHint() const {
    return {CellWidth * 6, heightForWidth(CellWidth * 6)};
}

QRect ComparisonCanvas::cellRect(int section, int cell) const {
    if (section < 0 || section >= m_sections.size() || cell < 0 ||
        cell >= m_sections.at(section).cells.size())
        return {};
    const int columns = columnsFor(width());
    int top = 0;
    for (int before = 0; before < section; ++before)
        top += sectionHeight(before, columns);
    top += TitleHeight + (cell / columns) * cellHeight();
    return {(cell % columns) * CellWidth, top, CellWidth, cellHeight()};
}

void ComparisonCanvas::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int height = heightForWidth(width());
    if (height != minimumHeight())
        setMinimumHeight(height);
}

void ComparisonCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), palette().base());
    const int columns = columnsFor(width());
    const QRect dirty = event->rect();
    int top = 0;
    for (int section = 0; section < m_sections.size(); ++section) {
        const int height = sectionHeight(section, columns);
        if (top + height < dirty.top() || top > dirty.bottom()) {
            top += height;
            continue;
        }
        const Section& shown = m_sections.at(section);
        QFont titleFont = font();
        titleFont.setBold(true);
        painter.setFont(titleFont);
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(QRect(6, top, width() - 12, TitleHeight), Qt::AlignLeft | Qt::AlignVCenter,
                         shown.title);
        painter.setFont(font());
        const int cellsTop = top + TitleHeight;
        // Only the rows that meet the area to paint.
        const int firstRow = std::max(0, (dirty.top() - cellsTop) / cellHeight());
        const int lastRow = (dirty.bottom() - cellsTop) / cellHeight();
        for (int row = firstRow; row <= lastRow; ++row)
            for (int column = 0; column < columns; ++column) {
                const qsizetype index = qsizetype(row) * columns + column;
                if (index >= shown.cells.size())
                    break;
                paintCell(painter, shown.cells.at(index),
                          QRect(column * CellWidth, cellsTop + row * cellHeight(), CellWidth,
                                cellHeight()));
            }
        top += height;
    }
}

void ComparisonCanvas::paintCell(QPainter& painter, const Cell& cell, const QRect& box) {
    const QRect inner = box.adjusted(3, 3, -3, -3);
    const QRect glyphBox(inner.left(), inner.top(), inner.width(), GlyphBoxHeight - 6);
    if (cell.differs) {
        QColor fill = DifferenceColour;
        fill.setAlpha(40);
        painter.fillRect(inner, fill);
        painter.setPen(QPen(DifferenceColour, 3));
        painter.drawRect(inner.adjusted(1, 1, -1, -1));
    } else {
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(inner);
    }
    if (cell.missing) {
        MissingGlyphMark::paint(painter, QRectF(glyphBox).adjusted(8, 8, -8, -8), palette());
        painter.setPen(palette().color(QPalette::Text));
        painter.drawText(glyphBox, Qt::AlignCenter, u"なし"_s);
    } else {
        const ShapedRun run = m_shaper.shape(cell.face, cell.text, ShapedRun::Direction::Horizontal,
                                             m_features, {}, GlyphPixels);
        const qreal baseline =
            glyphBox.top() + (glyphBox.height() + run.ascent - run.descent) / 2.0;
        const QPointF origin(glyphBox.left() + (glyphBox.width() - run.advance) / 2.0, baseline);
        painter.setPen(palette().color(QPalette::Text));
        m_shaper.draw(painter, run, origin, palette(), false);
    }
    painter.setPen(palette().color(QPalette::Text));
    const QFontMetrics metrics(font());
    const QRect nameBox(inner.left() + 2, glyphBox.bottom() + 2, inner.width() - 4,
                        metrics.height());
    painter.drawText(nameBox, Qt::AlignHCenter | Qt::AlignTop,
                     metrics.elidedText(cell.fontName, Qt::ElideRight, nameBox.width()));
    if (!cell.note.isEmpty())
        painter.drawText(nameBox.translated(0, metrics.height()), Qt::AlignHCenter | Qt::AlignTop,
                         metrics.elidedText(cell.note, Qt::ElideRight, nameBox.width()));
}

} // namespace varelith
