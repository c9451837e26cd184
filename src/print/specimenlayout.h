#pragma once

#include <QSizeF>

namespace varelith {

// Where the lines of the specimen book go, as plain numbers in the printer's units: one
// below the other from the top of a sheet's body, and a line that does not fit below the
// last one starts the next sheet. No line is ever cut: one wider than the body is scaled
// down to the body's width, one taller than a whole body to its height. A tall sample
// takes more room, so lines never overlap.
class SpecimenLayout {
public:
    // A line as set at its own size: its width and how far it reaches above and below
    // its baseline.
    struct Extent {
        qreal width = 0;
        qreal ascent = 0;
        qreal descent = 0;
    };
    // Where a line goes: its sheet (from 0), the top of its room in the body, and the
    // scale it is drawn at (1, or less for a line too large for the body).
    struct Placement {
        int sheet = 0;
        qreal top = 0;
        qreal scale = 1;
        qreal height = 0; // the room it takes, scaled
    };

    // `gap`: the space left between two lines.
    SpecimenLayout(QSizeF body, qreal gap);

    // The next line's place.
    Placement place(const Extent& extent);
    // Sheets used so far; a book without lines still has its first sheet.
    int sheetCount() const { return m_sheet + 1; }

private:
    QSizeF m_body;
    qreal m_gap;
    int m_sheet = 0;
    qreal m_nextTop = 0;
    bool m_sheetHasLines = false;
};

} // namespace varelith
