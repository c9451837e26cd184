#pragma once

#include <QColor>
#include <QTextCharFormat>

class QPainter;
class QPalette;
class QRectF;

namespace varelith {

// How a character is shown that its own font has no glyph for, on screen and on paper:
// a tint behind it and a thin line in the palette's highlight colour (under it on screen,
// a frame around it on paper). No real glyph brings either, so a font whose missing-glyph
// shape is blank cannot pass a missing character off as a space.
class MissingGlyphMark {
public:
    // Merged onto the character's own format: its font and its place stay as they are.
    static QTextCharFormat format(const QPalette& palette);
    // Under the missing characters' box on a printed sheet, before their text is drawn.
    static void paint(QPainter& painter, const QRectF& box, const QPalette& palette);

private:
    static QColor tint(const QPalette& palette);
};

} // namespace varelith
