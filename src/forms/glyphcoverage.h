#pragma once

#include "faceref.h"

#include <QHash>
#include <QList>
#include <QString>

#include <fontconfig/fontconfig.h>

#include <functional>
#include <memory>

namespace varelith {

// Which characters a family's own font can draw, with no fallback to another face: the
// truth the sheet shows and the font list filters by. The font is the family's plain face
// (upright, regular weight and width), the one the sheet shapes its line in, its
// characters as fontconfig lists them, read for every installed family at the first
// question, without opening a single font file. Answers are kept per family and
// character, so asking again is a table lookup.
class GlyphCoverage {
public:
    // `fonts`: the configuration that holds every installed font, which must outlive this;
    // null for fontconfig's current one.
    explicit GlyphCoverage(FcConfig* fonts = nullptr);
    ~GlyphCoverage();
    GlyphCoverage(const GlyphCoverage&) = delete;
    GlyphCoverage& operator=(const GlyphCoverage&) = delete;

    // Reads these fonts from the next question on: the installed fonts read again. Every
    // answer, pattern and character set given before is forgotten.
    void setFonts(FcConfig* fonts);

    // The family's plain face, the one whose characters are checked here; null for a
    // family that is not installed. Text shaped from it is set in the face checked.
    FaceRef plainFace(const QString& family);

    // That face's fontconfig pattern; null for a family that is not installed. Owned by the
    // configuration this holds.
    const FcPattern* plainPattern(const QString& family);
    // The characters of that face as fontconfig lists them; null for a family that is not
    // installed. Owned by the configuration this holds.
    const FcCharSet* characters(const QString& family);

    // Whether `family` itself has a glyph for the character. Control and format
    // characters and variation selectors draw nothing and always count as covered; a
    // family that is not installed covers nothing else.
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
    // The same for one face of a family given by its fontconfig pattern, which must outlive
    // this: a bold or italic face may lack characters its family's plain one has, or have more.
    QList<Range> missingRanges(const FcPattern* face, const QString& text);

    // Whether a face defines a variation sequence (a character and the selector after it).
    // A selector draws nothing by itself; with this set, a sequence the face does not define
    // is missing as a whole, the character and its selector, for the face draws the plain
    // character instead of the variant asked for. Without it, sequences are not checked.
    using SequenceCheck =
        std::function<bool(const FaceRef& face, char32_t base, char32_t selector)>;
    void setSequenceCheck(SequenceCheck check) { m_sequenceCheck = std::move(check); }

private:
    class Faces;
    using Answers = QHash<char32_t, bool>;
    // A font's characters, looked up at the first question its answers do not hold.
    class Characters;
    static bool answer(Answers& answers, Characters& characters, char32_t ucs4);
    // `face` is asked only when the text holds a variation selector.
    QList<Range> missingIn(Answers& answers, Characters& characters, const QString& text,
                           const std::function<FaceRef()>& face);
    Characters familyCharacters(const QString& family);

    FcConfig* m_config;
    std::unique_ptr<Faces> m_faces;
    QHash<QString, Answers> m_answers;
    QHash<const FcPattern*, Answers> m_faceAnswers;
    SequenceCheck m_sequenceCheck;
};

} // namespace varelith
