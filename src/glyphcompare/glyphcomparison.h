#pragma once

#include "comparedfont.h"
#include "featuresettings.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace varelith {

class OutlineFingerprints;
class Shaper;

// One character set in every compared font with the same feature switches, and which
// fonts draw it in another shape than the first font that draws it at all: the shapes
// are compared by their outlines, never by glyph ids, which differ from font to font.
class GlyphComparison {
public:
    struct Cell {
        bool missing = false; // the font lacks the character (or the variation sequence)
        bool differs = false; // drawn, and unlike the reference cell's shape
        quint64 shape = 0;    // the drawn glyphs' outlines; 0 when missing
    };
    struct Row {
        QString text;       // the character, with its variation selector if it has one
        QList<Cell> cells;  // one per font, in the fonts' order
        int reference = -1; // the first cell drawn, which the others are compared with
    };

    GlyphComparison(Shaper& shaper, OutlineFingerprints& fingerprints);

    // The switches offered, in their order: the JIS forms, the kanji form sets, the widths.
    static const QStringList& switchTags();
    // The characters of `text` to compare, each once in the order typed: a variation
    // selector stays with the character before it; spaces, controls and selectors with no
    // character before them are left out.
    static QStringList characters(const QString& text);

    Row compare(const QString& character, const QList<ComparedFont>& fonts,
                const FeatureSettings& switches);

private:
    Cell cell(const QString& character, const ComparedFont& font, const FeatureSettings& switches);

    Shaper& m_shaper;
    OutlineFingerprints& m_fingerprints;
};

} // namespace varelith
