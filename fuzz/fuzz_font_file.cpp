// A font file from any bytes, read as the program reads a file the user opens: its faces as
// fontconfig lists them, each face's facts, its Japanese coverage, and a line shaped and
// drawn in both writing modes with every feature the face has switched on and its axes at
// their ends. A refused file says why; a read one holds together: counts within their
// sets, glyphs placed within the text they set.

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
    }
    return 0;
}
