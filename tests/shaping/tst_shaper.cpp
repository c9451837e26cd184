#include "featuresettings.h"
#include "glyphimagecache.h"
#include "memorysettingsstore.h"
#include "shaper.h"
#include "shapingface.h"
#include "typesetting.h"
#include "variationsettings.h"
#include "verticalorientation.h"

#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPalette>
#include <QPicture>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

FaceRef testFace(const QString& file) {
    return {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + file, 0};
}
const QString Vertical = u"varelith-vertical.ttf"_s;
const QString Variable = u"varelith-variable.ttf"_s;
const QString Faces = u"varelith-faces-regular.ttf"_s;
const QString Horizontal = u"varelith-horizontal.ttf"_s;

// At 1000 pixels a pixel is a font unit of the made fonts (1000 units per em).
constexpr qreal UnitPixels = 1000;

} // namespace

// A printer as the shaper sees one: what it is asked to draw, counted.
class CountingEngine : public QPaintEngine {
public:
    CountingEngine()
        : QPaintEngine(AllFeatures) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    void drawPath(const QPainterPath&) override { ++paths; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override { ++images; }
    void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {
        ++images;
    }
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override { ++paths; }
    Type type() const override { return User; }
    int paths = 0;
    int images = 0;
};

class CountingDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return &engine; }
    int metric(PaintDeviceMetric metric) const override {
        switch (metric) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return 1200;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        default:
            return 1000;
        }
    }
    mutable CountingEngine engine;
};

class TestShaper : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // UAX #50 as ICU gives it: U upright, R sideways, Tu/Tr transformed.
    void orientation_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("runs");
        QTest::newRow("mixed sample")
            << u"縦書き ABC 123 「かな」。"_s << u"U3 R9 Tr1 U2 Tr1 Tu1"_s;
        QTest::newRow("small kana, long vowel, parenthesis") << u"ァー（"_s << u"Tu1 Tr2"_s;
        QTest::newRow("a comma after digits") << u"2.0、1905"_s << u"R3 Tu1 R4"_s;
        QTest::newRow("kanji beyond the BMP is one character") << u"𠮷a"_s << u"U2 R1"_s;
        QTest::newRow("empty") << QString() << QString();
    }
    void orientation() {
        QFETCH(QString, text);
        static const QStringList kinds{u"U"_s, u"R"_s, u"Tu"_s, u"Tr"_s};
        QStringList runs;
        for (const VerticalOrientation::Run& run : VerticalOrientation::runs(text))
            runs.append(kinds.at(int(run.kind)) + QString::number(run.length));
        QTEST(runs.join(u' '), "runs");
    }

    // Each glyph as "name", with "^" when it is turned sideways and "?" when missing.
    void glyphs_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("glyphs");
        QTest::newRow("vertical forms in a column")
            << Vertical << u"「あ」ー。"_s << true
            << u"uni300C.vert uni3042 uni300D.vert uni30FC.vert uni3002.vert"_s;
        QTest::newRow("horizontal forms in a line")
            << Vertical << u"「あ」ー。"_s << false << u"uni300C uni3042 uni300D uni30FC uni3002"_s;
        QTest::newRow("Latin and digits sideways in a column")
            << Vertical << u"縦A1"_s << true << u"uni7E26 ^uni0041 ^uni0031"_s;
        QTest::newRow("a character the face lacks stays missing")
            << Faces << u"a永"_s << false << u"uni0061 ?.notdef"_s;
        QTest::newRow("a control character lacks nothing")
            << Faces << u"a\tb"_s << false << u"uni0061 .notdef uni0062"_s;
        // Each character by its own orientation: 、 after digits stands as after kana.
        QTest::newRow("a comma between digits stands upright")
            << Vertical << u"20、19。あ、"_s << true
            << u"^uni0032 ^uni0030 uni3001.vert ^uni0031 ^uni0039 uni3002.vert uni3042 "
               "uni3001.vert"_s;
        // Without vertical forms: Tu (、。) stands upright as it is, Tr (「」ー) is turned.
        QTest::newRow("brackets and marks without vertical forms")
            << Horizontal << u"a「、あ。ー」"_s << true
            << u"^uni0061 ^uni300C uni3001 uni3042 uni3002 ^uni30FC ^uni300D"_s;
    }
    void glyphs() {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(bool, vertical);
        Shaper shaper;
        const FaceRef face = testFace(file);
        const ShapedRun run = shaper.shape(
            face, text, vertical ? Shaper::Direction::Vertical : Shaper::Direction::Horizontal, {},
            {}, 20);
        QVERIFY(run.valid);
        QStringList glyphs;
        for (const ShapedGlyph& glyph : run.glyphs)
            glyphs.append((glyph.sideways ? u"^"_s : QString()) +
                          (glyph.missing ? u"?"_s : QString()) +
                          shaper.face(face).glyphName(glyph.id));
        QTEST(glyphs.join(u' '), "glyphs");
    }

    // Advances in font units along the line.
    void advances_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("features");
        QTest::addColumn<QString>("axes");
        QTest::addColumn<QString>("compared");
        QTest::addColumn<qreal>("difference"); // this run's advance less the compared one's
        const QString kana = u"かなカナ"_s;
        QTest::newRow("palt closes up kana")
            << Vertical << kana << false << u"palt"_s << QString() << QString() << -400.0;
        QTest::newRow("palt switched off is the default")
            << Vertical << kana << false << u"-palt"_s << QString() << QString() << 0.0;
        QTest::newRow("palt leaves a column alone")
            << Vertical << kana << true << u"+palt"_s << QString() << QString() << 0.0;
        QTest::newRow("a column advances by the vertical metrics")
            << Vertical << kana << true << QString() << QString() << u"horizontal"_s << 0.0;
        QTest::newRow("wght 900 sets wider than the default")
            << Variable << u"Aa"_s << false << QString() << u"wght=900"_s << QString() << 1.0;
        QTest::newRow("wght 100 sets narrower than the default")
            << Variable << u"Aa"_s << false << QString() << u"wght=100"_s << QString() << -1.0;
        QTest::newRow("a value beyond the axis is held to it")
            << Variable << u"Aa"_s << false << QString() << u"wght=5000"_s << u"wght=900"_s << 0.0;
        QTest::newRow("an axis the font lacks changes nothing")
            << Vertical << kana << false << QString() << u"wght=900"_s << QString() << 0.0;
    }
    void advances() {
        QFETCH(QString, file);
        QFETCH(QString, text);
        QFETCH(bool, vertical);
        QFETCH(QString, features);
        QFETCH(QString, axes);
        QFETCH(QString, compared);
        QFETCH(qreal, difference);
        Shaper shaper;
        const FaceRef face = testFace(file);
        const auto direction =
            vertical ? Shaper::Direction::Vertical : Shaper::Direction::Horizontal;
        const qreal advance = shaper
                                  .shape(face, text, direction, FeatureSettings::fromText(features),
                                         VariationSettings::fromText(axes), UnitPixels)
                                  .advance;
        const auto otherDirection =
            compared == u"horizontal"_s ? Shaper::Direction::Horizontal : direction;
        const qreal plain = shaper
                                .shape(face, text, otherDirection, {},
                                       VariationSettings::fromText(
                                           compared == u"horizontal"_s ? QString() : compared),
                                       UnitPixels)
                                .advance;
        QVERIFY(advance > 0);
        // A sign alone where the font's own deltas decide the amount.
        if (std::abs(difference) == 1.0)
            QCOMPARE((advance - plain) * difference > 0, true);
        else
            QCOMPARE(advance - plain, difference);
    }

    // Every glyph of a column, turned or not, stands on the column's centre line: a run
    // turned the wrong way would lie beside it.
    void inkCentredInColumn_data() {
        QTest::addColumn<QString>("text");
        QTest::newRow("upright kanji") << u"永縦"_s;
        QTest::newRow("sideways Latin") << u"AB"_s;
        QTest::newRow("kana and digits") << u"あア12"_s;
    }
    void inkCentredInColumn() {
        QFETCH(QString, text);
        Shaper shaper;
        const ShapedRun run =
            shaper.shape(testFace(Vertical), text, Shaper::Direction::Vertical, {}, {}, 40);
        QImage image(100, 200, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        shaper.draw(painter, run, QPointF(50, 10), QPalette());
        painter.end();
        int left = image.width();
        int right = -1;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
        QVERIFY(right >= 0);
        QVERIFY2(left < 50 && right > 50, qPrintable(u"%1..%2"_s.arg(left).arg(right)));
    }

    // On an image the glyphs come from images kept by the shaper; they must land where the
    // outlines themselves (as a printer gets them) fall, turned or not, at any place.
    void imagesMatchOutlines_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QPointF>("origin");
        QTest::newRow("column") << true << QPointF(60, 10);
        QTest::newRow("column, between pixels") << true << QPointF(60.4, 10.7);
        QTest::newRow("line, between pixels") << false << QPointF(5.3, 60.6);
    }
    void imagesMatchOutlines() {
        QFETCH(bool, vertical);
        QFETCH(QPointF, origin);
        Shaper shaper;
        const ShapedRun run = shaper.shape(
            testFace(Vertical), u"縦あA1「"_s,
            vertical ? Shaper::Direction::Vertical : Shaper::Direction::Horizontal, {}, {}, 23.3);
        const auto painted = [&](bool outlines) {
            QImage image(120, 200, QImage::Format_RGB32);
            image.fill(Qt::white);
            QPicture picture;
            QPainter painter;
            outlines ? painter.begin(&picture) : painter.begin(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::black);
            for (int twice = 0; twice < 2; ++twice) // the second time from the images kept
                shaper.draw(painter, run, origin, QPalette());
            painter.end();
            if (outlines) {
                QPainter replay(&image);
                replay.setRenderHint(QPainter::Antialiasing);
                picture.play(&replay);
            }
            return image;
        };
        const QImage images = painted(false);
        const QImage outlines = painted(true);
        int ink = 0;
        int apart = 0;
        for (int y = 0; y < images.height(); ++y)
            for (int x = 0; x < images.width(); ++x) {
                ink += qGray(outlines.pixel(x, y)) < 128;
                apart += std::abs(qGray(images.pixel(x, y)) - qGray(outlines.pixel(x, y))) > 96;
            }
        QVERIFY(ink > 200);
        QVERIFY2(apart * 50 < ink, qPrintable(u"%1 of %2"_s.arg(apart).arg(ink)));
    }

    // A printer or a PDF gets the outlines, never pictures of them.
    // An outline that claims ink far from its origin (a damaged font's, found by the font
    // fuzzer asking for 4 GB) gets an image held within its reach, or none where nothing is
    // within it; a real glyph's is whole, its ink and a pixel around it. At 40 pixels an em
    // the reach is 80 pixels either way.
    void imageHeldWithinReach_data() {
        QTest::addColumn<QRectF>("outline"); // font units, 1000 an em
        QTest::addColumn<int>("width");      // 0: no image
        QTest::newRow("a real glyph") << QRectF(50, -800, 900, 900) << 38;
        QTest::newRow("a swash past the em") << QRectF(-600, -1200, 2400, 1400) << 98;
        QTest::newRow("ink thirty ems across") << QRectF(-15000, -15000, 30000, 30000) << 161;
        QTest::newRow("ink only far away") << QRectF(5e6, 5e6, 1000, 1000) << 0;
    }
    void imageHeldWithinReach() {
        QFETCH(QRectF, outline);
        QFETCH(int, width);
        GlyphImageCache cache;
        GlyphImageCache::Key key;
        key.glyph = 1;
        key.quarterPixels = 40 * 4;
        key.colour = qRgb(0, 0, 0);
        QPainterPath path;
        path.addRect(outline);
        const GlyphImageCache::Glyph& glyph = cache.glyph(key, 1000, [&] { return path; });
        QCOMPARE(glyph.image.width(), width);
        QCOMPARE(glyph.image.isNull(), width == 0);
    }

    void printersGetOutlines() {
        Shaper shaper;
        const ShapedRun run =
            shaper.shape(testFace(Vertical), u"縦あA"_s, Shaper::Direction::Vertical, {}, {}, 100);
        CountingDevice printer;
        QPainter painter(&printer);
        painter.setPen(Qt::black);
        shaper.draw(painter, run, QPointF(500, 100), QPalette());
        painter.end();
        QCOMPARE(printer.engine.images, 0);
        QVERIFY(printer.engine.paths >= 3);
    }

    void faceFacts() {
        Shaper shaper;
        const ShapingFace& vertical = shaper.face(testFace(Vertical));
        QVERIFY(vertical.hasFeature(u"vert"_s) && vertical.hasFeature(u"palt"_s));
        QVERIFY(vertical.hasVerticalForm(U'「') && !vertical.hasVerticalForm(U'あ'));
        QVERIFY(!vertical.isVariable());
        const QList<ShapingFace::Axis> axes = shaper.face(testFace(Variable)).axes();
        QCOMPARE(axes.size(), 2);
        QCOMPARE(axes.at(0), (ShapingFace::Axis{u"wght"_s, u"Weight"_s, 100, 400, 900, false}));
        QCOMPARE(axes.at(1).name, u"Contrast"_s);
        // A named instance, as fontconfig numbers it, is that instance of the face: Thin.
        const FaceRef thin{testFace(Variable).file, 0x10000};
        QCOMPARE(shaper.face(thin).axes().value(0).defaultValue, 100.0f);
        QVERIFY(shaper.shape(thin, u"A"_s, Shaper::Direction::Horizontal, {}, {}, 20).advance <
                shaper.shape(testFace(Variable), u"A"_s, Shaper::Direction::Horizontal, {}, {}, 20)
                    .advance);
        QVERIFY(!shaper.face({u"/nonexistent.ttf"_s, 0}).isValid());
        QVERIFY(!shaper
                     .shape({u"/nonexistent.ttf"_s, 0}, u"a"_s, Shaper::Direction::Horizontal, {},
                            {}, 20)
                     .valid);
    }

    void missingFeatures_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("features");
        QTest::addColumn<QString>("note");
        QTest::newRow("has palt") << Vertical << u"+palt,-kern"_s << QString();
        QTest::newRow("lacks palt") << Faces << u"palt"_s << u"palt 非対応"_s;
        QTest::newRow("lacks two, switched off ones not told")
            << Faces << u"palt,-liga,ss02"_s << u"palt・ss02 非対応"_s;
    }
    void missingFeatures() {
        QFETCH(QString, file);
        QFETCH(QString, features);
        Shaper shaper;
        const QStringList missing =
            shaper.missingFeatures(testFace(file), FeatureSettings::fromText(features));
        QTEST(Typesetting::missingNote(missing), "note");
    }

    void tagLists_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("features"); // as written back; "!" when refused
        QTest::addColumn<QString>("axes");
        QTest::newRow("usual form") << u"+palt,-kern,ss02"_s << u"+palt,-kern,+ss02"_s << u"!"_s;
        QTest::newRow("values and spaces")
            << u"palt=0 ss01=1"_s << u"-palt,+ss01"_s << u"palt=0,ss01=1"_s;
        QTest::newRow("a later entry wins") << u"palt,-palt"_s << u"-palt"_s << u"!"_s;
        QTest::newRow("too long a tag") << u"+paltx"_s << u"!"_s << u"!"_s;
        QTest::newRow("empty") << QString() << QString() << QString();
        QTest::newRow("axes") << u"wght=700, wdth=87.5"_s << u"!"_s << u"wght=700,wdth=87.5"_s;
        QTest::newRow("an axis without a value") << u"wght"_s << u"+wght"_s << u"!"_s;
    }
    void tagLists() {
        QFETCH(QString, text);
        FeatureSettings features;
        VariationSettings axes;
        QTEST(FeatureSettings::parse(text, features) ? features.toText() : u"!"_s, "features");
        QTEST(VariationSettings::parse(text, axes) ? axes.toText() : u"!"_s, "axes");
    }

    // Each feature by the Japanese for its registered name: the ones once given another
    // feature's name, the numbered ones, and no name shared by two features.
    void featureNames_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<QString>("name");
        QTest::newRow("Expert Forms") << u"expt"_s << u"エキスパート字形"_s;
        QTest::newRow("NLC Kanji Forms") << u"nlck"_s << u"印刷標準字体（表外漢字字体表）"_s;
        QTest::newRow("Proportional Widths") << u"pwid"_s << u"プロポーショナル幅"_s;
        QTest::newRow("Alternate Half Widths") << u"halt"_s << u"代替半角字幅"_s;
        QTest::newRow("Hojo Kanji Forms") << u"hojo"_s << u"補助漢字字形（JIS X 0212）"_s;
        QTest::newRow("Stylistic Set 5") << u"ss05"_s << u"スタイルセット 5"_s;
        QTest::newRow("Character Variant 12") << u"cv12"_s << u"文字バリアント 12"_s;
        QTest::newRow("no Stylistic Set 21") << u"ss21"_s << QString();
        QTest::newRow("not registered") << u"abcd"_s << QString();
    }
    void featureNames() {
        QFETCH(QString, tag);
        QTEST(FeatureSettings::describe(tag), "name");
        QHash<QString, QString> tagOf;
        for (const QString& known : FeatureSettings::knownTags()) {
            const QString name = FeatureSettings::describe(known);
            QVERIFY2(!name.isEmpty(), qPrintable(known));
            QVERIFY2(!tagOf.contains(name), qPrintable(known + u" and "_s + tagOf.value(name)));
            tagOf.insert(name, known);
        }
        // What the information window lists of a Japanese font, each with a name.
        for (const QString& shown :
             {u"halt"_s, u"vhal"_s, u"vkrn"_s, u"vkna"_s, u"hist"_s, u"hojo"_s, u"numr"_s,
              u"dnom"_s, u"afrc"_s, u"ordn"_s, u"qwid"_s, u"twid"_s, u"mark"_s, u"mkmk"_s})
            QVERIFY2(FeatureSettings::knownTags().contains(shown), qPrintable(shown));
    }

    void typesettingRemembered() {
        testing::MemorySettingsStore store;
        QVERIFY(Typesetting::load(store).isPlain());
        Typesetting typesetting{true,
                                FeatureSettings::fromText(u"+palt,-kern"_s),
                                VariationSettings::fromText(u"wght=700"_s),
                                {}};
        typesetting.save(store);
        QCOMPARE(store.values.value(u"writing_Sheet"_s), u"vertical"_s);
        QCOMPARE(store.values.value(u"features_Sheet"_s), u"+palt,-kern"_s);
        QCOMPARE(Typesetting::load(store), typesetting);
        store.values.insert(u"features_Sheet"_s, u"+toolong"_s);
        QVERIFY(Typesetting::load(store).features.isEmpty());
    }
};

QTEST_MAIN(TestShaper)
#include "tst_shaper.moc"
