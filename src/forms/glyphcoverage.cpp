#include "glyphcoverage.h"

#include <QStringView>

namespace varelith {

namespace {

bool drawsNothing(char32_t ucs4) {
    const QChar::Category category = QChar::category(ucs4);
    return category == QChar::Other_Control || category == QChar::Other_Format;
}

} // namespace

QFont GlyphCoverage::ownFont(const QString& family) {
    QFont font(family);
    font.setPixelSize(OwnFontPixels);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoFontMerging);
    return font;
}

const QRawFont* GlyphCoverage::rawFont(const QString& family) {
    if (const QRawFont* cached = m_fonts.object(family))
        return cached;
    auto* raw = new QRawFont(QRawFont::fromFont(ownFont(family)));
    // Qt answers a family it does not know with another face: that face's glyphs are not
    // this family's.
    if (raw->isValid() && raw->familyName().compare(family, Qt::CaseInsensitive) != 0)
        *raw = QRawFont();
    m_fonts.insert(family, raw);
    return m_fonts.object(family);
}

bool GlyphCoverage::answer(Answers& answers, const QString& family, char32_t ucs4) {
    if (drawsNothing(ucs4))
        return true;
    const auto known = answers.constFind(ucs4);
    if (known != answers.constEnd())
        return *known;
    // Only a character never asked about loads the font (again, if the cache let it go).
    const QRawFont* raw = rawFont(family);
    const bool has = raw && raw->isValid() && raw->supportsCharacter(uint(ucs4));
    answers.insert(ucs4, has);
    return has;
}

bool GlyphCoverage::hasGlyph(const QString& family, char32_t ucs4) {
    return answer(m_answers[family], family, ucs4);
}

bool GlyphCoverage::coversText(const QString& family, const QString& text) {
    // The family's table is looked up once for the whole text, not once per character.
    Answers& answers = m_answers[family];
    for (const char32_t ucs4 : QStringView(text).toUcs4())
        if (!answer(answers, family, ucs4))
            return false;
    return true;
}

QList<GlyphCoverage::Range> GlyphCoverage::missingRanges(const QString& family,
                                                         const QString& text) {
    QList<Range> missing;
    Answers& answers = m_answers[family];
    qsizetype position = 0;
    while (position < text.size()) {
        qsizetype length = 1;
        char32_t ucs4 = text.at(position).unicode();
        if (text.at(position).isHighSurrogate() && position + 1 < text.size() &&
            text.at(position + 1).isLowSurrogate()) {
            ucs4 = QChar::surrogateToUcs4(text.at(position), text.at(position + 1));
            length = 2;
        }
        if (!answer(answers, family, ucs4)) {
            // Neighbouring missing characters make one range.
            if (!missing.isEmpty() && missing.last().start + missing.last().length == position)
                missing.last().length += length;
            else
                missing.append({position, length});
        }
        position += length;
    }
    return missing;
}

} // namespace varelith
