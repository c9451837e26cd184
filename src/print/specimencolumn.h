#pragma once

#include "glyphcoverage.h"
#include "shapedrun.h"
#include "specimenlayout.h"

#include <QFont>
#include <QList>
#include <QRawFont>
#include <QRectF>

class QPainter;
class QPalette;

namespace varelith {

class Shaper;

// One font's column of the specimen book in 縦書き: the font's name at its head in the
// interface face, the sample below it, both set top to bottom by the shaper (vertical
// forms, Latin turned sideways). Both are drawn as the fonts' own glyphs, so that the
// document embeds each font and keeps its text; only a variable font set at other axis
// values than its default is drawn as outlines, which no font file of it can give.
class SpecimenColumn {
public:
    // A run as set by the shaper at GlyphCoverage::OwnFontPixels, with the font it is
    // drawn in, loaded at that size, and the scale it is printed at. What the shaper cannot
    // set is text instead, turned a quarter clockwise in `textFont`: a name the interface
    // face cannot set whole (the font may borrow, as the name does in 横書き), a sample in
    // a face HarfBuzz cannot read (a Type 1 font, drawn by Qt in the face alone, as the
    // sheet draws it). Its run then holds only its length (advance) and its room above and
    // below its baseline.
    struct Piece {
        ShapedRun run;
        QRawFont font;
        qreal scale = 1;
        QString text;
        QFont textFont;
    };

    SpecimenColumn() = default;
    // `marked`: the sample's characters to mark, as UTF-16 ranges of the sample.
    SpecimenColumn(Piece name, Piece sample, qreal gap, const QList<GlyphCoverage::Range>& marked);

    // The column as SpecimenLayout places lines, turned a quarter: its length from the
    // head down as the width, the breadth right of its centre line as the ascent and left
    // of it as the descent.
    SpecimenLayout::Extent extent() const { return m_extent; }
    // Paints the column with the head of its centre line at the painter's origin.
    void paint(QPainter& painter, Shaper& shaper, const QPalette& palette) const;
    // Frees the runs and fonts once painted: the document keeps what it needs of them.
    void release();

private:
    static void drawPiece(QPainter& painter, Shaper& shaper, const Piece& piece,
                          const QPalette& palette);

    Piece m_name;
    Piece m_sample;
    qreal m_gap = 0;
    QList<QRectF> m_marked; // in the sample's pixels
    SpecimenLayout::Extent m_extent;
};

} // namespace varelith
