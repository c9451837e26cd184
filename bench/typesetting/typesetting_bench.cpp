// Typesetting with the shaper, as the sheet and the information window do it: a page of
// ten lines in 縦書き at 20 pt (the first with its faces loaded, then again), the same page
// with a feature switched, and an axis slider's step in the information window's waterfall.
// Prints figures; run it through bench/typesetting.sh, which points FONTCONFIG_FILE at the
// machine's Japanese fonts and the test fonts.
//
//   typesetting_bench [PNG]   (the last page painted is kept there)

#include "axissliders.h"
#include "glyphcoverage.h"
#include "shapedwaterfall.h"
#include "shaper.h"
#include "typesettingpanel.h"
#include "waterfallcanvas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTextStream>

#include <algorithm>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 31;
// Twenty characters: kana, kanji, the punctuation that takes vertical forms, a Latin run.
const QString Sample = u"「縦書き」の見本、かなとカナ。ABC12"_s;
constexpr qreal SamplePoints = 20;
constexpr qreal NamePoints = 10;

double ms(qint64 nanoseconds) {
    return double(nanoseconds) / 1e6;
}

struct Figures {
    QList<double> runs;
    void add(qint64 nanoseconds) { runs.append(ms(nanoseconds)); }
    double median() {
        std::sort(runs.begin(), runs.end());
        return runs.at(runs.size() / 2);
    }
    double worst() const { return *std::max_element(runs.begin(), runs.end()); }
};

// One page as the sheet sets it in 縦書き: a column per font, right to left, the name at its
// head in the interface face, the sample below it in the font, every run shaped and painted.
void page(Shaper& shaper, const QList<FaceRef>& faces, const QStringList& names,
          const FaceRef& nameFace, const FeatureSettings& features, QImage& image) {
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal pixels = SamplePoints * 96 / 72;
    qreal right = image.width() - 8;
    for (qsizetype i = 0; i < faces.size(); ++i) {
        const ShapedRun name = shaper.shape(nameFace, names.at(i), ShapedRun::Direction::Vertical,
                                            {}, {}, NamePoints * 96 / 72);
        const ShapedRun sample =
            shaper.shape(faces.at(i), Sample, ShapedRun::Direction::Vertical, features, {}, pixels);
        const qreal centre = right - pixels / 2;
        shaper.draw(painter, name, QPointF(centre, 8), QPalette(), false);
        shaper.draw(painter, sample, QPointF(centre, 16 + name.advance), QPalette());
        right -= pixels * 1.5;
    }
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    GlyphCoverage coverage;

    // Ten lines: the machine's Japanese faces first, the test fonts after them.
    QStringList names;
    QList<FaceRef> faces;
    const QStringList wanted{u"Noto Sans CJK JP"_s,  u"Noto Serif CJK JP"_s, u"IPAGothic"_s,
                             u"IPAPGothic"_s,        u"IPAMincho"_s,         u"IPAPMincho"_s,
                             u"Varelith Vertical"_s, u"Varelith Variable"_s, u"Varelith Faces"_s};
    QStringList installed = QFontDatabase::families();
    QStringList order = wanted;
    for (const QString& family : installed)
        if (family.startsWith(u"試験書体"_s))
            order.append(family);
    for (const QString& family : order) {
        const FaceRef face = coverage.plainFace(family);
        if (!face.isNull() && names.size() < 10) {
            names.append(family);
            faces.append(face);
        }
    }
    const FaceRef nameFace = coverage.plainFace(u"IPAGothic"_s).isNull()
                                 ? faces.value(0)
                                 : coverage.plainFace(u"IPAGothic"_s);
    out << "fonts on the page: " << names.join(u", "_s) << Qt::endl;
    out << "sample (" << Sample.size() << " characters): " << Sample << Qt::endl;

    QImage image(1200, 800, QImage::Format_ARGB32_Premultiplied);
    QElapsedTimer timer;
    {
        Shaper shaper;
        timer.start();
        page(shaper, faces, names, nameFace, {}, image);
        out << "縦書き page, 10 lines at 20 pt, first with its faces loaded: "
            << ms(timer.nsecsElapsed()) << " ms" << Qt::endl;
        Figures again;
        for (int run = 0; run < Runs; ++run) {
            timer.restart();
            page(shaper, faces, names, nameFace, {}, image);
            again.add(timer.nsecsElapsed());
        }
        out << "縦書き page again, shaped and painted (median of " << Runs
            << "): " << again.median() << " ms, worst " << again.worst() << " ms" << Qt::endl;

        Figures switched;
        for (int run = 0; run < Runs; ++run) {
            const FeatureSettings features =
                FeatureSettings::fromText(run % 2 ? u"+palt"_s : QString());
            timer.restart();
            page(shaper, faces, names, nameFace, features, image);
            switched.add(timer.nsecsElapsed());
        }
        // The page as last painted, kept where asked: "typesetting_bench [PNG]".
        if (argc > 1)
            image.save(QString::fromLocal8Bit(argv[1]));
        out << "縦書き page with +palt switched on and off (median of " << Runs
            << "): " << switched.median() << " ms, worst " << switched.worst() << " ms" << Qt::endl;
    }

    // The information window's waterfall of the variable test font as its weight slider
    // moves a step at a time: every size shaped again and painted.
    const FaceRef variable = coverage.plainFace(u"Varelith Variable"_s);
    if (variable.isNull()) {
        out << "no Varelith Variable installed: no slider figures" << Qt::endl;
        return 0;
    }
    for (const bool vertical : {false, true}) {
        Shaper shaper;
        TypesettingPanel panel(shaper);
        panel.setSample(u"Varelith あいう"_s);
        panel.setFace(variable);
        WaterfallCanvas& canvas = panel.waterfall().canvas();
        canvas.setDirection(vertical ? ShapedRun::Direction::Vertical
                                     : ShapedRun::Direction::Horizontal);
        canvas.resize(canvas.sizeHint());
        QImage shown(canvas.size(), QImage::Format_ARGB32_Premultiplied);
        Figures steps;
        for (int step = 0; step < Runs * 3; ++step) {
            timer.restart();
            panel.axisSliders().setValue(u"wght"_s, 400 + 5 * step);
            canvas.render(&shown);
            steps.add(timer.nsecsElapsed());
        }
        out << "weight slider step, waterfall of 9 sizes in " << (vertical ? "縦書き" : "横書き")
            << " shaped and painted (median of " << steps.runs.size() << "): " << steps.median()
            << " ms, worst " << steps.worst() << " ms" << Qt::endl;
    }
    return 0;
}
