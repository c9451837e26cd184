// Typesetting with the shaper: the sheet's page of ten lines in 縦書き at 20 pt (the first
// with its faces loaded, then again), the same page with a feature switched, and an axis
// slider's step in the information window's waterfall.
// Prints figures; run it through bench/typesetting.sh, which points FONTCONFIG_FILE at the
// machine's Japanese fonts and the test fonts.
//
//   typesetting_bench [PNG]   (the last page painted is kept there)

#include "axissliders.h"
#include "composedpage.h"
#include "fontcatalogue.h"
#include "glyphcoverage.h"
#include "listfontsource.h"
#include "memorysettingsstore.h"
#include "recordingticklist.h"
#include "shapedsheetview.h"
#include "shapedwaterfall.h"
#include "shaper.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"
#include "sheetlinefaces.h"
#include "timings.h"
#include "typesettingpanel.h"
#include "waterfallcanvas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QTextEdit>
#include <QTextStream>

#include <algorithm>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;
using bench::ms;
using bench::Timings;

namespace {

constexpr int Runs = 31;
// Twenty characters: kana, kanji, the punctuation that takes vertical forms, a Latin run.
const QString Sample = u"「縦書き」の見本、かなとカナ。ABC12"_s;

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    GlyphCoverage coverage;

    // Ten lines: the machine's Japanese faces first, the test fonts after them.
    QStringList names;
    const QStringList wanted{u"Noto Sans CJK JP"_s,  u"Noto Serif CJK JP"_s, u"IPAGothic"_s,
                             u"IPAPGothic"_s,        u"IPAMincho"_s,         u"IPAPMincho"_s,
                             u"Varelith Vertical"_s, u"Varelith Variable"_s, u"Varelith Faces"_s};
    QStringList installed = QFontDatabase::families();
    QStringList order = wanted;
    for (const QString& family : installed)
        if (family.startsWith(u"試験書体"_s))
            order.append(family);
    for (const QString& family : order) {
        if (!coverage.plainFace(family).isNull() && names.size() < 10) {
            names.append(family);
        }
    }
    out << "fonts on the page: " << names.join(u", "_s) << Qt::endl;
    out << "sample (" << Sample.size() << " characters): " << Sample << Qt::endl;

    // The sheet's first page of the ten, as the main window shows it: the composed page's
    // document in the view, the shaped view over it, its viewport painted.
    MemorySettingsStore store;
    RecordingTickList list;
    FontCatalogue catalogue;
    catalogue.build(ListFontSource(names), store, list);
    const SheetComposer::Inputs inputs{Int16(1), Sample, u"20"_s, u"1"_s,
                                       QString::number(catalogue.SelNum() / 10 + 1)};
    const ComposedPage composed = SheetComposer::compose(catalogue, inputs);
    const auto document = SheetDocument::build(composed, QFont(), &coverage, QPalette());
    QTextEdit view;
    view.resize(1200, 800);
    view.setDocument(document.get());
    QImage image(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
    Typesetting vertical;
    vertical.vertical = true;
    const SheetLineFaces lineFaces(&coverage, nullptr, [] { return SheetStyle::Regular; });
    QElapsedTimer timer;
    {
        Shaper shaper;
        ShapedSheetView sheet(view, shaper, lineFaces);
        timer.start();
        sheet.setTypesetting(vertical);
        sheet.pageShown(composed);
        view.viewport()->render(&image);
        out << "縦書き page, 10 lines at 20 pt, first with its faces loaded: "
            << ms(timer.nsecsElapsed()) << " ms" << Qt::endl;
        Timings again;
        for (int run = 0; run < Runs; ++run) {
            timer.restart();
            sheet.pageShown(composed);
            view.viewport()->render(&image);
            again.add(timer.nsecsElapsed());
        }
        out << "縦書き page shown again, shaped and painted (median of " << Runs
            << "): " << again.median() << " ms, worst " << again.worst() << " ms" << Qt::endl;

        Timings switched;
        for (int run = 0; run < Runs; ++run) {
            Typesetting typesetting = vertical;
            typesetting.features = FeatureSettings::fromText(run % 2 ? u"+palt"_s : QString());
            timer.restart();
            sheet.setTypesetting(typesetting);
            view.viewport()->render(&image);
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
    for (const bool columns : {false, true}) {
        Shaper shaper;
        TypesettingPanel panel(shaper);
        panel.setSample(u"Varelith あいう"_s);
        panel.setFace(variable);
        WaterfallCanvas& canvas = panel.waterfall().canvas();
        canvas.setDirection(columns ? ShapedRun::Direction::Vertical
                                    : ShapedRun::Direction::Horizontal);
        canvas.resize(canvas.sizeHint());
        QImage shown(canvas.size(), QImage::Format_ARGB32_Premultiplied);
        Timings steps;
        for (int step = 0; step < Runs * 3; ++step) {
            timer.restart();
            panel.axisSliders().setValue(u"wght"_s, 400 + 5 * step);
            canvas.render(&shown);
            steps.add(timer.nsecsElapsed());
        }
        out << "weight slider step, waterfall of 9 sizes in " << (columns ? "縦書き" : "横書き")
            << " shaped and painted (median of " << steps.count() << "): " << steps.median()
            << " ms, worst " << steps.worst() << " ms" << Qt::endl;
    }
    return 0;
}
