#include "glyphcoverage.h"

#include "codepoints.h"

#include <QStringView>

#include <fontconfig/fontconfig.h>

#include <cstdlib>
#include <functional>
#include <optional>

namespace varelith {

namespace {

// VS1 to VS16 and VS17 to VS256.
bool isVariationSelector(char32_t ucs4) {
    return (ucs4 >= 0xFE00 && ucs4 <= 0xFE0F) || (ucs4 >= 0xE0100 && ucs4 <= 0xE01EF);
}

bool drawsNothing(char32_t ucs4) {
    const QChar::Category category = QChar::category(ucs4);
    return category == QChar::Other_Control || category == QChar::Other_Format ||
           isVariationSelector(ucs4);
}

FaceRef faceOf(const FcPattern* pattern) {
    FaceRef ref;
    FcChar8* file = nullptr;
    if (!pattern || FcPatternGetString(pattern, FC_FILE, 0, &file) != FcResultMatch)
        return ref;
    ref.file = QString::fromUtf8(reinterpret_cast<const char*>(file));
    FcPatternGetInteger(pattern, FC_INDEX, 0, &ref.index);
    return ref;
}

int intValue(const FcPattern* pattern, const char* object, int fallback) {
    int value = fallback;
    FcPatternGetInteger(pattern, object, 0, &value);
    return value;
}

// How far a font is from the one a plain QFont of its family draws: upright first, then
// regular weight, then regular width. Between two files of one design (a Type 1 font and
// its OpenType twin) the OpenType one, which the shaper can read as well.
int distanceFromPlain(const FcPattern* pattern) {
    const int slant = intValue(pattern, FC_SLANT, FC_SLANT_ROMAN);
    const int weight = intValue(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    const int width = intValue(pattern, FC_WIDTH, FC_WIDTH_NORMAL);
    FcChar8* format = nullptr;
    const bool sfnt = FcPatternGetString(pattern, FC_FONTFORMAT, 0, &format) == FcResultMatch &&
                      (qstrcmp(reinterpret_cast<const char*>(format), "TrueType") == 0 ||
                       qstrcmp(reinterpret_cast<const char*>(format), "CFF") == 0);
    return 2 * ((slant != FC_SLANT_ROMAN ? 100000 : 0) +
                std::abs(weight - FC_WEIGHT_REGULAR) * 100 + std::abs(width - FC_WIDTH_NORMAL)) +
           (sfnt ? 0 : 1);
}

} // namespace

// The character set of each installed family's plain font, by family name without regard
// to case, as Qt matches family names. Read in one pass over fontconfig's list.
class GlyphCoverage::Faces {
public:
    explicit Faces(FcConfig* config)
        : m_config(FcConfigReference(config)) {
        // The configuration's own font sets, read in place, without a copy of any pattern;
        // the reference keeps them while this lives.
        QHash<QString, int> distance;
        for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
            const FcFontSet* fonts = m_config ? FcConfigGetFonts(m_config, set) : nullptr;
            for (int i = 0; fonts && i < fonts->nfont; ++i)
                add(fonts->fonts[i], distance);
        }
    }
    ~Faces() {
        if (m_config)
            FcConfigDestroy(m_config);
    }
    Faces(const Faces&) = delete;
    Faces& operator=(const Faces&) = delete;

    // Null for a family that is not installed. The configuration owns it.
    const FcCharSet* characters(const QString& family) const {
        const FcPattern* face = plainFace(family);
        FcCharSet* characters = nullptr;
        return face && FcPatternGetCharSet(face, FC_CHARSET, 0, &characters) == FcResultMatch
                   ? characters
                   : nullptr;
    }
    // The family's plain face; null for a family that is not installed.
    const FcPattern* plainFace(const QString& family) const {
        return m_faces.value(family.toCaseFolded());
    }

private:
    // Each family name of a font with a character set points at it, unless a font nearer
    // the plain one of that family came first.
    void add(const FcPattern* font, QHash<QString, int>& distance) {
        FcCharSet* characters = nullptr;
        if (FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) != FcResultMatch)
            return;
        const int away = distanceFromPlain(font);
        FcChar8* family = nullptr;
        for (int k = 0; FcPatternGetString(font, FC_FAMILY, k, &family) == FcResultMatch; ++k) {
            const QString key =
                QString::fromUtf8(reinterpret_cast<const char*>(family)).toCaseFolded();
            const auto known = distance.constFind(key);
            if (known != distance.constEnd() && *known <= away)
                continue;
            distance.insert(key, away);
            m_faces.insert(key, font);
        }
    }

    FcConfig* m_config;
    QHash<QString, const FcPattern*> m_faces;
};

GlyphCoverage::GlyphCoverage(FcConfig* fonts)
    : m_config(fonts) {}
GlyphCoverage::~GlyphCoverage() = default;

void GlyphCoverage::setFonts(FcConfig* fonts) {
    m_config = fonts;
    m_answers.clear();
    m_faceAnswers.clear();
    m_faces.reset();
}

FaceRef GlyphCoverage::plainFace(const QString& family) {
    if (!m_faces)
        m_faces = std::make_unique<Faces>(m_config);
    return faceOf(m_faces->plainFace(family));
}

const FcPattern* GlyphCoverage::plainPattern(const QString& family) {
    if (!m_faces)
        m_faces = std::make_unique<Faces>(m_config);
    return m_faces->plainFace(family);
}

const FcCharSet* GlyphCoverage::characters(const QString& family) {
    if (!m_faces)
        m_faces = std::make_unique<Faces>(m_config);
    return m_faces->characters(family);
}

class GlyphCoverage::Characters {
public:
    explicit Characters(std::function<const FcCharSet*()> lookUp)
        : m_lookUp(std::move(lookUp)) {}
    const FcCharSet* get() {
        if (m_lookUp) {
            m_characters = m_lookUp();
            m_lookUp = nullptr;
        }
        return m_characters;
    }

private:
    std::function<const FcCharSet*()> m_lookUp;
    const FcCharSet* m_characters = nullptr;
};

bool GlyphCoverage::answer(Answers& answers, Characters& characters, char32_t ucs4) {
    if (drawsNothing(ucs4))
        return true;
    const auto known = answers.constFind(ucs4);
    if (known != answers.constEnd())
        return *known;
    const FcCharSet* own = characters.get();
    const bool has = own && FcCharSetHasChar(own, FcChar32(ucs4));
    answers.insert(ucs4, has);
    return has;
}

GlyphCoverage::Characters GlyphCoverage::familyCharacters(const QString& family) {
    return Characters([this, &family] {
        if (!m_faces)
            m_faces = std::make_unique<Faces>(m_config);
        return m_faces->characters(family);
    });
}

bool GlyphCoverage::hasGlyph(const QString& family, char32_t ucs4) {
    Characters own = familyCharacters(family);
    return answer(m_answers[family], own, ucs4);
}

bool GlyphCoverage::coversText(const QString& family, const QString& text) {
    // The family's table is looked up once for the whole text, not once per character.
    Answers& answers = m_answers[family];
    Characters own = familyCharacters(family);
    for (const char32_t ucs4 : QStringView(text).toUcs4())
        if (!answer(answers, own, ucs4))
            return false;
    // A sequence the face lacks is a missing character too.
    return !m_sequenceCheck ||
           missingIn(answers, own, text, [this, &family] { return plainFace(family); }).isEmpty();
}

QList<GlyphCoverage::Range> GlyphCoverage::missingRanges(const QString& family,
                                                         const QString& text) {
    Characters own = familyCharacters(family);
    return missingIn(m_answers[family], own, text, [this, &family] { return plainFace(family); });
}

QList<GlyphCoverage::Range> GlyphCoverage::missingRanges(const FcPattern* face,
                                                         const QString& text) {
    Characters own([face]() -> const FcCharSet* {
        FcCharSet* characters = nullptr;
        return face && FcPatternGetCharSet(face, FC_CHARSET, 0, &characters) == FcResultMatch
                   ? characters
                   : nullptr;
    });
    return missingIn(m_faceAnswers[face], own, text, [face] { return faceOf(face); });
}

QList<GlyphCoverage::Range> GlyphCoverage::missingIn(Answers& answers, Characters& own,
                                                     const QString& text,
                                                     const std::function<FaceRef()>& face) {
    QList<Range> missing;
    // Neighbouring missing characters make one range; a sequence adds its selector to the
    // range its character may already have started.
    const auto add = [&missing](qsizetype start, qsizetype end) {
        if (!missing.isEmpty() && missing.last().start + missing.last().length >= start)
            missing.last().length = end - missing.last().start;
        else
            missing.append({start, end - start});
    };
    char32_t base = 0;
    qsizetype baseStart = 0;
    std::optional<FaceRef> checked;
    forEachCodePoint(text, [&](char32_t ucs4, qsizetype position, qsizetype length) {
        if (isVariationSelector(ucs4)) {
            if (base && m_sequenceCheck) {
                if (!checked)
                    checked = face();
                if (!m_sequenceCheck(*checked, base, ucs4))
                    add(baseStart, position + length);
            }
            base = 0; // a second selector has no character of its own
            return;
        }
        base = ucs4;
        baseStart = position;
        if (!answer(answers, own, ucs4))
            add(position, position + length);
    });
    return missing;
}

} // namespace varelith
