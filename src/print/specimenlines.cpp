#include "specimenlines.h"

#include <QSet>
#include <QTextBoundaryFinder>

namespace varelith {

double SpecimenLines::penOf(const ShapedRun& run, const ShapedGlyph& glyph) {
    return run.direction == ShapedRun::Direction::Vertical ? glyph.cell.top() : glyph.cell.left();
}

double SpecimenLines::advanceOf(const ShapedRun& run, const ShapedGlyph& glyph) {
    return run.direction == ShapedRun::Direction::Vertical ? glyph.cell.height()
                                                           : glyph.cell.width();
}

QList<SpecimenLines::Line> SpecimenLines::wrap(const ShapedRun& run, const QString& text,
                                               double room) {
    const QList<ShapedGlyph>& glyphs = run.glyphs;
    QSet<qsizetype> breaks;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (qsizetype at = finder.toNextBoundary(); at > 0 && at < text.size();
         at = finder.toNextBoundary())
        breaks.insert(at);
    const auto startsCluster = [&glyphs](qsizetype i) {
        return i == 0 || glyphs.at(i).cluster != glyphs.at(i - 1).cluster;
    };
    const auto isSpace = [&text](int cluster) {
        return cluster < text.size() && text.at(cluster).isSpace();
    };

    QList<Line> lines;
    Line line;
    qsizetype lastBreak = -1; // the last glyph on this line before which it may break
    for (qsizetype i = 0; i < glyphs.size(); ++i) {
        const ShapedGlyph& glyph = glyphs.at(i);
        if (i > line.firstGlyph && startsCluster(i) && breaks.contains(glyph.cluster))
            lastBreak = i;
        const double end = penOf(run, glyph) + advanceOf(run, glyph) - line.penStart;
        // Spaces may hang past the end: they print nothing.
        if (end <= room || i == line.firstGlyph || isSpace(glyph.cluster))
            continue;
        qsizetype at = lastBreak;
        if (at <= line.firstGlyph) {
            // No place to break on the line: between characters, at the last cluster's start.
            at = i;
            while (at > line.firstGlyph && !startsCluster(at))
                --at;
            if (at == line.firstGlyph)
                continue;
        }
        line.endGlyph = at;
        line.textEnd = glyphs.at(at).cluster;
        lines.append(line);
        line = Line{at, 0, glyphs.at(at).cluster, 0, penOf(run, glyphs.at(at))};
        lastBreak = -1;
        i = at; // the glyphs moved onto the new line are looked at again from its start
    }
    line.endGlyph = glyphs.size();
    line.textEnd = text.size();
    lines.append(line);
    return lines;
}

} // namespace varelith
