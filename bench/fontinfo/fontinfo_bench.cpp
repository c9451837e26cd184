// The font information window as the program opens it: the main window started on the
// installed fonts and showing its first page, then the window opened for a family, its
// face switched, its waterfall drawn and a block of 2,000 characters drawn in its grid.
// Prints figures; run it through bench/fontinfo.sh, with FONTCONFIG_FILE pointing at a
// set of fonts.
//
//   fontinfo_bench [FAMILY] [SCREENSHOT.png]   (default "Noto Sans CJK JP")

#include "charactergrid.h"
#include "charactergridview.h"
#include "facelist.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontcatalogue.h"
#include "fontinfotypesetting.h"
#include "fontinfowindow.h"
#include "form1.h"
#include "glyphcoverage.h"
#include "japaneseinterface.h"
#include "memorysettingsstore.h"
#include "shapedwaterfall.h"
#include "shaper.h"
#include "systemfontsource.h"
#include "typesettingpanel.h"
#include "waterfallcanvas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTabWidget>
#include <QTextStream>

#include <algorithm>
#include <functional>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 15;

// The widget drawn whole, as the screen would show it.
void render(QWidget* widget) {
    QImage image(widget->size(), QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    widget->render(&painter);
}

QString ms(const QElapsedTimer& timer) {
    return QString::number(double(timer.nsecsElapsed()) / 1e6, 'f', 1) + u" ms"_s;
}

// Median and fastest of `Runs` timings of `step`.
void measure(QTextStream& out, const QString& what, const std::function<void(int)>& step) {
    QList<double> times;
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        step(run);
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    out << what << ": median " << QString::number(times.at(Runs / 2), 'f', 1) << " ms, fastest "
        << QString::number(times.first(), 'f', 1) << " ms" << Qt::endl;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    JapaneseInterface::setApplicationFont();
    const QString family = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"Noto Sans CJK JP"_s;
    QTextStream out(stdout);

    // The program's start as main() makes it, with the information window made as well:
    // nothing of the window is built or read yet.
    QElapsedTimer started;
    started.start();
    testing::MemorySettingsStore store;
    SystemFontSource fonts;
    FontCatalogue catalogue;
    GlyphCoverage coverage;
    // One index of the families' names, the dialog's and the window's, as in the program.
    FamilyNames names;
    Form1 mainWindow(catalogue, fonts, store, names, nullptr, &coverage);
    QElapsedTimer made;
    made.start();
    FamilyFaces faces;
    Shaper shaper;
    FontInfoWindow window(
        names, faces, shaper, [&mainWindow] { return mainWindow.sampleText(); }, nullptr, nullptr);
    FontInfoTypesetting typesetting(window, shaper);
    mainWindow.setFontInfoOpener(&window);
    const QString madeTime = ms(made);
    mainWindow.Form_Load();
    mainWindow.show();
    mainWindow.Text1()->setText(u"永和 Varelith あいう 0123 縦書き"_s);
    mainWindow.Showpage(Int16(1));
    render(&mainWindow);
    out << "the main window started, its first page shown: " << ms(started)
        << " (of which the information window made: " << madeTime << ")" << Qt::endl;

    // The first opening reads every font's names and faces; later ones find them.
    QElapsedTimer first;
    first.start();
    window.showFamily(family);
    render(&window);
    out << "family " << family << ", " << window.faceList()->count() << " faces" << Qt::endl;
    out << "first opening (the window built, every font's names and faces read, coverage "
           "included): "
        << ms(first) << Qt::endl;
    // Each other section drawn for the first time: the details hold the font's own texts
    // in any script, the coverage its counts.
    for (int section = 1; section < window.sections()->count(); ++section) {
        QElapsedTimer shown;
        shown.start();
        window.sections()->setCurrentIndex(section);
        render(&window);
        out << "  section \"" << window.sections()->tabText(section).remove(u'&')
            << "\" first shown: " << ms(shown) << Qt::endl;
    }
    window.sections()->setCurrentIndex(0);
    measure(out, u"opening for the family again, coverage included"_s, [&](int) {
        window.showFamily(family);
        render(&window);
    });
    const int count = window.faceList()->count();
    measure(out, u"switching the face"_s, [&](int run) {
        window.faceList()->setCurrentRow((run + 1) % count);
        render(&window);
    });
    window.sections()->setCurrentWidget(typesetting.panel());
    WaterfallCanvas* waterfall = &typesetting.panel()->waterfall().canvas();
    measure(out, u"waterfall, shaped"_s, [&](int) {
        waterfall->update();
        render(waterfall);
    });

    window.faceList()->setCurrentRow(0);
    window.sections()->setCurrentWidget(window.characterGrid());
    CharacterGrid* grid = window.characterGrid()->grid();
    // The face's largest block, cut to 2,000 characters, every cell drawn.
    QList<char32_t> largest;
    for (const CharacterBlocks::Block& block : window.characterGrid()->blocks())
        if (block.characters.size() > largest.size())
            largest = block.characters;
    largest = largest.mid(0, 2000);
    measure(out, u"character grid, a block of %1 characters"_s.arg(largest.size()), [&](int) {
        grid->setCharacters(window.currentFace(), largest);
        render(grid);
    });
    if (argc > 2) {
        window.sections()->setCurrentIndex(0);
        window.showFamily(family);
        window.grab().save(QString::fromLocal8Bit(argv[2]));
    }
    return 0;
}
