#include "missingglyphmark.h"

#include <QPainter>
#include <QPalette>

namespace varelith {

QColor MissingGlyphMark::tint(const QPalette& palette) {
    // Light enough that the text over it, a missing-glyph box included, stays legible.
    QColor colour = palette.color(QPalette::Active, QPalette::Highlight);
    colour.setAlpha(72);
    return colour;
}

QTextCharFormat MissingGlyphMark::format(const QPalette& palette) {
    QTextCharFormat format;
    format.setBackground(tint(palette));
    format.setUnderlineStyle(QTextCharFormat::DashUnderline);
    format.setUnderlineColor(palette.color(QPalette::Active, QPalette::Highlight));
    return format;
}

void MissingGlyphMark::paint(QPainter& painter, const QRectF& box, const QPalette& palette) {
    painter.save();
    painter.fillRect(box, tint(palette));
    // A thin line in proportion to the text, whatever the device's resolution.
    painter.setPen(QPen(palette.color(QPalette::Active, QPalette::Highlight), box.height() / 40));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(box);
    painter.restore();
}

} // namespace varelith
