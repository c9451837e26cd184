#pragma once

#include "faceref.h"
#include "variationsettings.h"

#include <QList>
#include <QPointF>
#include <QRectF>

namespace varelith {

// One glyph of a shaped run, placed in pixels relative to the run's origin: for a
// horizontal run the start of its baseline, for a vertical one the top of its centre line.
struct ShapedGlyph {
    quint32 id = 0;
    int cluster = 0;       // UTF-16 position in the shaped text of the first character it sets
    QPointF origin;        // where the glyph's outline origin goes (its baseline start)
    QRectF cell;           // the room it takes on the line: advance by the line's breadth
    bool sideways = false; // turned 90° clockwise about `origin` (Latin in a column)
    bool missing = false;  // glyph 0: the face has no glyph for the character
};

struct ShapedRun {
    enum class Direction { Horizontal, Vertical };

    FaceRef face;
    VariationSettings variations;
    qreal pixelSize = 0;
    Direction direction = Direction::Horizontal;
    QList<ShapedGlyph> glyphs;
    qreal advance = 0; // the run's length along the line, in pixels
    // Horizontal: above and below the baseline. Vertical: left and right of the centre line.
    qreal ascent = 0;
    qreal descent = 0;
    bool valid = false; // false when the face could not be loaded: nothing is drawn

    bool hasMissing() const {
        for (const ShapedGlyph& glyph : glyphs)
            if (glyph.missing)
                return true;
        return false;
    }
};

} // namespace varelith
