// The font information window: opened for a family, its face switched, its waterfall
// drawn and a block of 2,000 characters drawn in its grid. Prints figures; run it
// through bench/fontinfo.sh, with FONTCONFIG_FILE pointing at a set of fonts.
//
//   fontinfo_bench [FAMILY] [SCREENSHOT.png]   (default "Noto Sans CJK JP")

#include "charactergrid.h"
#include "charactergridview.h"
#include "facelist.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontinfowindow.h"
#include "japaneseinterface.h"
#include "waterfallview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
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

// Median and fastest of `Runs` timings of `step`, in milliseconds.
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
    QFont interfaceFont = QApplication::font();
    interfaceFont.setFamilies({JapaneseInterface::interfaceFace(u"ＭＳ Ｐゴシック"_s)});
    QApplication::setFont(interfaceFont);
    const QString family = argc > 1 ? QString::fromLocal8Bit(argv[1]) : u"Noto Sans CJK JP"_s;
    QTextStream out(stdout);

    FamilyNames names;
    FamilyFaces faces;
    const QString sample = u"永和 Varelith あいう 0123 縦書き"_s;
    FontInfoWindow window(
        names, faces, [&sample] { return sample; }, nullptr, nullptr);

    // The first opening reads the font list's names and faces; later ones find them.
    QElapsedTimer first;
    first.start();
    window.setFamily(family);
    window.show();
    render(&window);
    out << "family " << family << ", " << window.faceList()->count() << " faces" << Qt::endl;
    out << "first opening (names and faces of every font read, coverage included): "
        << QString::number(double(first.nsecsElapsed()) / 1e6, 'f', 1) << " ms" << Qt::endl;
    measure(out, u"opening for the family again, coverage included"_s, [&](int) {
        window.setFamily(family);
        render(&window);
    });
    const int count = window.faceList()->count();
    measure(out, u"switching the face"_s, [&](int run) {
        window.faceList()->setCurrentRow((run + 1) % count);
        render(&window);
    });
    WaterfallView* waterfall = window.waterfall();
    measure(out, u"waterfall, 9 to 72 pt"_s, [&](int) {
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
        window.setFamily(family);
        window.grab().save(QString::fromLocal8Bit(argv[2]));
    }
    return 0;
}
