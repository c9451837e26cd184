#include "specimencolumn.h"

#include "missingglyphmark.h"
#include "shaper.h"
#include "shapingface.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>

#include <algorithm>

namespace varelith {

namespace {

// Where the piece's glyphs and cells reach, in its pixels: upright glyphs' ink, every cell.
QRectF reachOf(const SpecimenColumn::Piece& piece) {
    if (!piece.text.isEmpty()) {
        const qreal breadth = piece.run.ascent + piece.run.descent;
        return QRectF(-breadth / 2, 0, breadth, piece.run.advance);
    }
    QRectF reach;
    for (const ShapedGlyph& glyph : piece.run.glyphs) {
        reach |= glyph.cell;
        if (!glyph.sideways && piece.font.isValid())
            reach |= piece.font.boundingRect(glyph.id).translated(glyph.origin);
    }
    return reach;
}

} // namespace

SpecimenColumn::SpecimenColumn(Piece name, Piece sample, qreal gap,
                               const QList<GlyphCoverage::Range>& marked)
    : m_name(std::move(name))
    , m_sample(std::move(sample))
    , m_gap(gap) {
    if (!m_sample.text.isEmpty()) {
        // Text turned sideways: a range's place along the column from the text's advances.
        const QFontMetricsF metrics(m_sample.textFont);
        const qreal breadth = m_sample.run.ascent + m_sample.run.descent;
        for (const GlyphCoverage::Range& range : marked) {
            const qreal from = metrics.horizontalAdvance(m_sample.text.left(range.start));
            const qreal to =
                metrics.horizontalAdvance(m_sample.text.left(range.start + range.length));
            m_marked.append(QRectF(-breadth / 2, from, breadth, to - from));
        }
    } else if (!m_sample.run.valid && !marked.isEmpty()) {
        // A face that cannot be loaded sets nothing: its whole sample is marked, an em a
        // character, as a missing face is on screen.
        const qreal em = m_sample.run.pixelSize;
        const qsizetype characters = marked.constLast().start + marked.constLast().length;
        m_marked.append(QRectF(-em / 2, 0, em, em * qreal(characters)));
        m_sample.run.advance = em * qreal(characters);
    }
    for (const ShapedGlyph& glyph : m_sample.run.glyphs) {
        const bool missing = std::any_of(marked.begin(), marked.end(), [&](const auto& range) {
            return glyph.cluster >= range.start && glyph.cluster < range.start + range.length;
        });
        if (missing)
            m_marked.append(glyph.cell);
    }
    const QRectF head = reachOf(m_name);
    QRectF set = reachOf(m_sample);
    for (const QRectF& mark : std::as_const(m_marked))
        set |= mark;
    m_extent.width = m_name.run.advance * m_name.scale + m_gap +
                     std::max(m_sample.run.advance, set.bottom()) * m_sample.scale;
    m_extent.ascent = std::max(head.right() * m_name.scale, set.right() * m_sample.scale);
    m_extent.descent = std::max(-head.left() * m_name.scale, -set.left() * m_sample.scale);
}

void SpecimenColumn::paint(QPainter& painter, Shaper& shaper, const QPalette& palette) const {
    painter.save();
    painter.scale(m_name.scale, m_name.scale);
    drawPiece(painter, shaper, m_name, palette);
    painter.restore();
    painter.save();
    painter.translate(0, m_name.run.advance * m_name.scale + m_gap);
    painter.scale(m_sample.scale, m_sample.scale);
    for (const QRectF& cell : m_marked)
        MissingGlyphMark::paint(painter, cell, palette);
    drawPiece(painter, shaper, m_sample, palette);
    painter.restore();
}

void SpecimenColumn::release() {
    m_name = {};
    m_sample = {};
    m_marked.clear();
}

void SpecimenColumn::drawPiece(QPainter& painter, Shaper& shaper, const Piece& piece,
                               const QPalette& palette) {
    if (!piece.text.isEmpty()) {
        // Its baseline placed so that the text is centred on the column's line.
        painter.save();
        painter.translate(-(piece.run.ascent - piece.run.descent) / 2, 0);
        painter.rotate(90);
        painter.setFont(piece.textFont);
        painter.drawText(QPointF(), piece.text);
        painter.restore();
        return;
    }
    const QList<ShapedGlyph>& glyphs = piece.run.glyphs;
    if (!piece.font.isValid() ||
        (!piece.run.variations.isEmpty() && shaper.face(piece.run.face).isVariable())) {
        shaper.draw(painter, piece.run, QPointF(), palette, false);
        return;
    }
    // Each stretch of upright or of sideways glyphs is one glyph run; a sideways one is
    // drawn turned about its first glyph's origin, its glyphs placed along the turned line.
    for (qsizetype first = 0; first < glyphs.size();) {
        const bool sideways = glyphs.at(first).sideways;
        qsizetype end = first;
        while (end < glyphs.size() && glyphs.at(end).sideways == sideways)
            ++end;
        const QPointF start = sideways ? glyphs.at(first).origin : QPointF();
        QList<quint32> ids;
        QList<QPointF> positions;
        for (qsizetype i = first; i < end; ++i) {
            const QPointF offset = glyphs.at(i).origin - start;
            ids.append(glyphs.at(i).id);
            // A quarter turn back: down the column is along the turned baseline.
            positions.append(sideways ? QPointF(offset.y(), -offset.x()) : offset);
        }
        QGlyphRun run;
        run.setRawFont(piece.font);
        run.setGlyphIndexes(ids);
        run.setPositions(positions);
        painter.save();
        painter.translate(start);
        if (sideways)
            painter.rotate(90);
        painter.drawGlyphRun(QPointF(), run);
        painter.restore();
        first = end;
    }
}

} // namespace varelith
