#pragma once

#include <QCache>
#include <QFont>
#include <QHash>
#include <QList>
#include <QRawFont>
#include <QString>

namespace varelith {

// Which characters a family's own font can draw, with no fallback to another face: the
// truth the sheet shows and the font list filters by. The first question about a family
// loads its font once; answers are kept per family and character, so asking again is a
// table lookup.
class GlyphCoverage {
public:
    // The font a family's character map is read from: the family alone (no fallback), at a
    // fixed pixel size without hinting. Loading a font costs a search through every
    // installed font; text set in this font, scaled to any size, finds the font already
    // loaded by the coverage instead of loading it once more.
    static QFont ownFont(const QString& family);
    static constexpr int OwnFontPixels = 100;

    // Whether `family` itself has a glyph for the character. Control and format
    // characters draw nothing and always count as covered; a family that is not
    // installed covers nothing else.
    bool hasGlyph(const QString& family, char32_t ucs4);
    // Whether `family` has a glyph for every character of `text`.
    bool coversText(const QString& family, const QString& text);
    // The characters of `text` that `family` lacks, as UTF-16 ranges in `text` (a
    // surrogate pair is one character of length 2), in order.
    struct Range {
        qsizetype start;
        qsizetype length;
        bool operator==(const Range&) const = default;
    };
    QList<Range> missingRanges(const QString& family, const QString& text);

private:
    using Answers = QHash<char32_t, bool>;
    const QRawFont* rawFont(const QString& family);
    bool answer(Answers& answers, const QString& family, char32_t ucs4);

    QHash<QString, Answers> m_answers;
    // Loaded fonts are few at a time: a page needs ten, a filter one after another.
    QCache<QString, QRawFont> m_fonts{256};
};

} // namespace varelith
