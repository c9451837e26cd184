// 字形比較: one kanji across 500 fonts with the difference highlight (the window's
// comparison, the first time with every face loaded, then with a switch changed, then the
// cells in view painted), and the variation sequences of one kanji listed in IPAmj Mincho
// (fonts-ipamj-mincho), or in the test font "Varelith Variants" where that is not installed.
// Prints figures; run it through bench/glyphcompare.sh, which points FONTCONFIG_FILE at the
// machine's Japanese fonts and the test fonts.
//
//   glyphcompare_bench [FONT_COUNT] [IPAMJ_FILE] [PNG]   (the window on 邉 kept there)

#include "comparisoncanvas.h"
#include "glyphcomparewindow.h"
#include "glyphcoverage.h"
#include "ivdcollections.h"
#include "sequencelisting.h"
#include "shaper.h"
#include "variationsequences.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QTextStream>

#include <algorithm>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 21;

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

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    const int wanted = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 500;
    const QString ipamj = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                   : u"/usr/share/fonts/truetype/ipamj/ipamjm.ttf"_s;

    // The ticked fonts as the window gets them: each family's plain face, the machine's
    // Japanese fonts first, then the test fonts.
    GlyphCoverage coverage;
    QStringList families = QFontDatabase::families();
    std::stable_partition(families.begin(), families.end(), [](const QString& family) {
        return family.contains(u"CJK"_s) || family.startsWith(u"IPA"_s) ||
               family.startsWith(u"Varelith Variants"_s);
    });
    QList<ComparedFont> fonts;
    for (const QString& family : families) {
        const FaceRef face = coverage.plainFace(family);
        if (!face.isNull() && fonts.size() < wanted)
            fonts.append({family, face});
    }
    out << "fonts compared: " << fonts.size() << "\n";

    {
        Shaper shaper;
        GlyphCompareWindow window(shaper, [&fonts] { return fonts; }, {});
        window.resize(900, 700);
        QElapsedTimer timer;
        timer.start();
        window.showCharacters(u"永"_s);
        const double first = ms(timer.nsecsElapsed());
        int differing = 0;
        int missing = 0;
        for (const GlyphComparison::Cell& cell : window.rows().at(0).cells) {
            differing += cell.differs ? 1 : 0;
            missing += cell.missing ? 1 : 0;
        }
        out << "永 in " << fonts.size() << " fonts, faces loaded the first time: " << first
            << " ms (" << differing << " differ from the first, " << missing << " lack it)\n";
        Figures again;
        QCheckBox* jp90 = window.switchBox(u"jp90"_s);
        for (int run = 0; run < Runs; ++run) {
            timer.restart();
            jp90->toggle();
            again.add(timer.nsecsElapsed());
        }
        out << "again, jp90 switched: median " << again.median() << " ms, worst " << again.worst()
            << " ms\n";
        Figures painted;
        QImage image(QSize(900, 600), QImage::Format_ARGB32_Premultiplied);
        ComparisonCanvas* canvas = window.canvas();
        canvas->resize(900, canvas->heightForWidth(900));
        for (int run = 0; run < Runs; ++run) {
            image.fill(Qt::white);
            timer.restart();
            canvas->render(&image, {}, QRegion(0, 0, 900, 600));
            painted.add(timer.nsecsElapsed());
        }
        out << "the cells in view painted (900 x 600): median " << painted.median() << " ms, worst "
            << painted.worst() << " ms\n";
    }

    const bool haveIpamj = QFileInfo::exists(ipamj);
    const QList<ComparedFont> one{
        haveIpamj
            ? ComparedFont{u"IPAmj明朝"_s, {ipamj, 0}}
            : ComparedFont{u"Varelith Variants"_s, coverage.plainFace(u"Varelith Variants"_s)}};
    const IvdCollections collections = IvdCollections::load(IvdCollections::standardFiles());
    out << (haveIpamj ? "IPAmj Mincho" : "Varelith Variants (no IPAmj Mincho installed)")
        << ", IVD data " << (collections.isEmpty() ? "absent" : "found") << "\n";
    for (const char32_t kanji : {U'葛', U'辻', U'邉'}) {
        Shaper shaper;
        VariationSequences sequences;
        QElapsedTimer timer;
        timer.start();
        const qsizetype count = SequenceListing::list(kanji, one, sequences, collections).size();
        const double first = ms(timer.nsecsElapsed());
        Figures again;
        for (int run = 0; run < Runs; ++run) {
            timer.restart();
            SequenceListing::list(kanji, one, sequences, collections);
            again.add(timer.nsecsElapsed());
        }
        out << QString::fromUcs4(&kanji, 1) << ": " << count
            << " sequences, listed with the face loaded: " << first << " ms; again: median "
            << again.median() << " ms\n";
    }
    if (argc > 3) {
        // 邉 and its sequences in the listing's font and the first of the others.
        Shaper shaper;
        QList<ComparedFont> shown = one;
        shown.append(fonts.mid(0, 5));
        GlyphCompareWindow window(
            shaper, [&shown] { return shown; }, IvdCollections::standardFiles());
        window.resize(900, 1400);
        window.showCharacters(u"邉"_s);
        window.grab().save(QString::fromLocal8Bit(argv[3]));
    }
    return 0;
}
