#include "glyphcomparison.h"

#include "codepoints.h"
#include "outlinefingerprints.h"
#include "shaper.h"
#include "shapingface.h"
#include "variationsequences.h"

#include <QPainterPath>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// Glyph ids do not depend on the size; any will do.
constexpr qreal ShapingPixels = 100;

} // namespace

GlyphComparison::GlyphComparison(Shaper& shaper, OutlineFingerprints& fingerprints)
    : m_shaper(shaper)
    , m_fingerprints(fingerprints) {}

const QStringList& GlyphComparison::switchTags() {
    static const QStringList tags{u"jp78"_s, u"jp83"_s, u"jp90"_s, u"jp04"_s, u"nlck"_s,
                                  u"trad"_s, u"expt"_s, u"hwid"_s, u"fwid"_s};
    return tags;
}

QStringList GlyphComparison::characters(const QString& text) {
    QStringList characters;
    forEachCodePoint(text, [&](char32_t ucs4, qsizetype position, qsizetype length) {
        const QString piece = text.mid(position, length);
        if (VariationSequences::isSelector(ucs4)) {
            // Joined to the character before it, unless that one already has a selector.
            if (!characters.isEmpty() && characters.last().size() <= 2 &&
                !characters.last().isEmpty())
                characters.last() += piece;
            return;
        }
        const QChar::Category category = QChar::category(ucs4);
        if (QChar::isSpace(ucs4) || category == QChar::Other_Control ||
            category == QChar::Other_Format || category == QChar::Other_Surrogate)
            characters.append(QString()); // a gap that takes no selector
        else
            characters.append(piece);
    });
    QStringList once;
    for (const QString& character : characters)
        if (!character.isEmpty() && !once.contains(character))
            once.append(character);
    return once;
}

GlyphComparison::Cell GlyphComparison::cell(const QString& character, const ComparedFont& font,
                                            const FeatureSettings& switches) {
    Cell cell;
    if (font.face.isNull()) {
        cell.missing = true;
        return cell;
    }
    const ShapedRun run = m_shaper.shape(font.face, character, ShapedRun::Direction::Horizontal,
                                         switches, {}, ShapingPixels);
    // The shaper marks a variation sequence the face does not define as well: HarfBuzz
    // draws it as the plain character, which is not the variant asked for.
    cell.missing = !run.valid || run.glyphs.isEmpty() || run.hasMissing();
    if (cell.missing)
        return cell;
    quint64 shape = 0;
    for (const ShapedGlyph& glyph : run.glyphs) {
        // A hidden selector becomes the space glyph or glyph 0: it draws nothing, and a font
        // with a space glyph must not differ by it from one without.
        const quint64 outline =
            glyph.id == 0 ? OutlineFingerprints::Empty : m_fingerprints.of(font.face, glyph.id);
        if (outline != OutlineFingerprints::Empty)
            shape = shape * 0x100000001b3ull ^ outline;
    }
    cell.shape = shape | 1;
    return cell;
}

GlyphComparison::Row GlyphComparison::compare(const QString& character,
                                              const QList<ComparedFont>& fonts,
                                              const FeatureSettings& switches) {
    Row row;
    row.text = character;
    row.cells.reserve(fonts.size());
    for (const ComparedFont& font : fonts) {
        row.cells.append(cell(character, font, switches));
        if (row.reference < 0 && !row.cells.last().missing)
            row.reference = int(row.cells.size()) - 1;
    }
    if (row.reference < 0)
        return row;
    const quint64 reference = row.cells.at(row.reference).shape;
    for (Cell& cell : row.cells)
        cell.differs = !cell.missing && cell.shape != reference;
    return row;
}

} // namespace varelith
