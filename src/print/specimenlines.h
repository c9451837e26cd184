#pragma once

#include "shapedrun.h"

#include <QList>
#include <QString>

namespace varelith {

// A shaped sample broken into lines (columns, in 縦書き) no longer than the room it has,
// at the places where the text may break (between Japanese characters, at a space between
// words); a word longer than the room is broken between its characters. The glyphs keep
// the places they were set at: a line is a stretch of them and of the text.
class SpecimenLines {
public:
    struct Line {
        qsizetype firstGlyph = 0;
        qsizetype endGlyph = 0;
        qsizetype textStart = 0; // the stretch of the text the line's glyphs stand for
        qsizetype textEnd = 0;
        double penStart = 0; // where the line's first glyph was set along the run
    };

    // Every glyph in one line or another, in order; an empty run gives one empty line.
    static QList<Line> wrap(const ShapedRun& run, const QString& text, double room);
    // Where a glyph starts along its run and how far it advances.
    static double penOf(const ShapedRun& run, const ShapedGlyph& glyph);
    static double advanceOf(const ShapedRun& run, const ShapedGlyph& glyph);
};

} // namespace varelith
