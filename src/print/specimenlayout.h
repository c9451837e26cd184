#pragma once

namespace varelith {

// Where the lines of the specimen book go, as plain numbers in points: one after the other
// from the start of a sheet's body (its top in 横書き, its right edge in 縦書き, where a
// line is a column), and a line that does not fit after the last one starts the next sheet.
// Lines are never scaled: every sample is printed at the book's one size. A font's name
// stays on the sheet of its sample's first line; a sample longer than a sheet goes on
// over the next ones. Fonts are kept apart by a gap.
class SpecimenLayout {
public:
    // A line's room across the writing: before its baseline (above it, or right of a
    // column's centre line) and after it.
    struct Extent {
        double before = 0;
        double after = 0;
        double depth() const { return before + after; }
    };
    // Where a line goes: its sheet (from 0) and the start of its room in the body.
    struct Placement {
        int sheet = 0;
        double start = 0;
    };

    // `depth`: the body's room for lines; `fontGap`: the space left between two fonts.
    SpecimenLayout(double depth, double fontGap);

    // A font's name, then the first line of its sample.
    Placement placeName(const Extent& name, const Extent& firstLine);
    // The next line of the sample, with `leading` left before it.
    Placement placeLine(const Extent& line, double leading);
    // Sheets used so far; a book without lines still has its first sheet.
    int sheetCount() const { return m_sheet + 1; }

private:
    Placement place(double depth, double before, double keptWith);

    double m_depth;
    double m_fontGap;
    int m_sheet = 0;
    double m_next = 0;
    bool m_sheetHasLines = false;
};

} // namespace varelith
