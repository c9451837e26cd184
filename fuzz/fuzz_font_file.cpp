// A font file from any bytes, read as the program reads a file the user opens: its faces as
// fontconfig lists them, each face's facts, its Japanese coverage, and a line shaped and
// drawn in both writing modes with every feature the face has switched on and its axes at
// their ends, and its variation sequences. A refused file says why; a read one holds
// together: counts within their sets, glyphs placed within the text they set, sequences
// listed as they are found.

#include "cmap14table.h"
#include "facefacts.h"
#include "fontconfigfonts.h"
#include "fontfile.h"
#include "fuzzinput.h"
#include "japanesecoverage.h"
#include "shaper.h"
#include "shapingface.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

// Kana, kanji, brackets for their vertical forms, Latin and digits sideways, a ligature.
const QString Sample = u"あア永「縦」、。Aa fi 12"_s;

void shapeAndDraw(Shaper& shaper, ShapingFace& face, const FaceRef& ref) {
    FeatureSettings features;
    for (const QString& tag : face.features())
        features.set(tag, true);
    VariationSettings variations;
    for (const ShapingFace::Axis& axis : face.axes())
        variations.set(axis.tag, axis.maximum);
    QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    for (const auto direction : {Shaper::Direction::Horizontal, Shaper::Direction::Vertical}) {
        const ShapedRun run = shaper.shape(ref, Sample, direction, features, variations, 24);
        FUZZ_CHECK(run.valid == face.isValid());
        for (const ShapedGlyph& glyph : run.glyphs)
            FUZZ_CHECK(glyph.cluster >= 0 && glyph.cluster < Sample.size());
        shaper.draw(painter, run, QPointF(8, 32), QPalette());
    }
}

// A character's sequences ascend by selector, each among the face's, each found again as
// listed; a default one names no glyph of its own; an unlisted selector finds none.
void checkSequences(const FaceRef& ref) {
    const Cmap14Table table = Cmap14Table::read(ref);
    const QList<char32_t>& selectors = table.selectors();
    FUZZ_CHECK(std::is_sorted(selectors.cbegin(), selectors.cend()));
    for (const char32_t base : {U'辻', U'葛', U'\U00020B9F', U'A'}) {
        const QList<Cmap14Table::Sequence> sequences = table.sequencesOf(base);
        for (qsizetype i = 0; i < sequences.size(); ++i) {
            const Cmap14Table::Sequence& sequence = sequences.at(i);
            FUZZ_CHECK(selectors.contains(sequence.selector));
            FUZZ_CHECK(!sequence.isDefault || sequence.glyph == 0);
            FUZZ_CHECK(i == 0 || sequences.at(i - 1).selector < sequence.selector);
            FUZZ_CHECK(table.find(base, sequence.selector) == sequence);
        }
        for (const char32_t selector : selectors)
            if (std::none_of(sequences.cbegin(), sequences.cend(),
                             [selector](const auto& s) { return s.selector == selector; }))
                FUZZ_CHECK(!table.find(base, selector));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    static const QString path =
        QDir::temp().filePath(u"fuzz_font_file-%1.otf"_s.arg(QCoreApplication::applicationPid()));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(bytes), qint64(size));
    }
    const FontFile font = FontFile::read(path);
    FUZZ_CHECK(font.isReadable() != font.problem().contains(u"fuzz_font_file"_s));
    FUZZ_CHECK(font.isReadable() || font.faces().isEmpty());
    Shaper shaper; // a new one for every input: faces are kept by file and index
    for (const FcPattern* pattern : font.faces()) {
        int index = 0;
        FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
        const FaceRef ref{path, index};
        const FaceFacts facts = FaceFacts::read(path, index);
        FUZZ_CHECK(!facts.readable || facts.glyphCount >= 0);
        FcCharSet* characters = nullptr;
        FcPatternGetCharSet(pattern, FC_CHARSET, 0, &characters);
        const JapaneseCoverage coverage(characters);
        for (const auto set : JapaneseCharacterSets::All) {
            const JapaneseCoverage::Count count = coverage.count(set);
            FUZZ_CHECK(count.covered >= 0 && count.covered <= count.total);
            FUZZ_CHECK(coverage.missing(set).size() == count.total - count.covered);
        }
        for (const FontconfigFonts::Family& family : FontconfigFonts::families(pattern))
            FUZZ_CHECK(!family.spellings.isEmpty());
        shapeAndDraw(shaper, shaper.face(ref), ref);
        checkSequences(ref);
    }
    return 0;
}
