// 和欧混植 on the sheet: a page of ten lines with a Latin font paired with every line's own
// (横書き and 縦書き), and the search for a Latin partner (one Japanese font beside ten
// ticked fonts), each the first time with its faces loaded, then shown again: shaped in
// both faces and painted. Prints figures; run it through bench/pairing.sh, which points
// FONTCONFIG_FILE at the machine's Japanese fonts and the test fonts.
//
//   pairing_bench [PNG]   (the last paired page painted is kept there)

#include "composedpage.h"
#include "familyfaces.h"
#include "fontcatalogue.h"
#include "glyphcoverage.h"
#include "listfontsource.h"
#include "memorysettingsstore.h"
#include "pairingfaces.h"
#include "recordingticklist.h"
#include "shapedsheetview.h"
#include "shaper.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"
#include "sheetlinefaces.h"
#include "timings.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QImage>
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
// Twenty-two characters: kana, kanji, Japanese punctuation, a word with a kerning pair and
// a ligature, digits.
const QString Sample = u"「和欧混植」の見本、AVfi Type 2026年。"_s;

QStringList installed(GlyphCoverage& coverage, const QStringList& wanted, int most) {
    QStringList names;
    for (const QString& family : wanted)
        if (!coverage.plainFace(family).isNull() && names.size() < most)
            names.append(family);
    return names;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTextStream out(stdout);
    GlyphCoverage coverage;
    FamilyFaces faces;
    PairingFaces pairingFaces(faces, coverage);

    QStringList japaneseWanted{u"Noto Sans CJK JP"_s,  u"Noto Serif CJK JP"_s, u"IPAGothic"_s,
                               u"IPAPGothic"_s,        u"IPAMincho"_s,         u"IPAPMincho"_s,
                               u"Varelith Vertical"_s, u"Varelith Kanji"_s};
    QStringList latinWanted{u"Varelith Latin"_s, u"DejaVu Sans"_s, u"DejaVu Serif"_s,
                            u"Varelith Faces"_s, u"Varelith Blank"_s};
    for (const QString& family : QFontDatabase::families()) {
        if (family.startsWith(u"試験書体"_s))
            japaneseWanted.append(family);
        if (family.startsWith(u"Bench Sans"_s))
            latinWanted.append(family);
    }
    const QStringList japanese = installed(coverage, japaneseWanted, 10);
    const QStringList latin = installed(coverage, latinWanted, 10);
    if (japanese.isEmpty() || latin.isEmpty()) {
        out << "no Japanese or no Latin fonts installed: no figures" << Qt::endl;
        return 1;
    }
    out << "Japanese fonts: " << japanese.join(u", "_s) << Qt::endl;
    out << "Latin fonts: " << latin.join(u", "_s) << Qt::endl;
    out << "sample (" << Sample.size() << " characters): " << Sample << Qt::endl;

    QImage image;
    QImage paired; // the last paired page
    const auto measure = [&](const QStringList& names, const LatinPairing& pairing, bool vertical,
                             const QString& what) {
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
        image = QImage(view.viewport()->size(), QImage::Format_ARGB32_Premultiplied);
        Shaper shaper;
        ShapedSheetView sheet(
            view, shaper, SheetLineFaces(&coverage, nullptr, [] { return SheetStyle::Regular; }));
        sheet.setLatinFaces([&pairingFaces](const QString& family, const QString& style) {
            return pairingFaces.face(family, style);
        });
        Typesetting typesetting;
        typesetting.vertical = vertical;
        typesetting.pairing = pairing;
        QElapsedTimer timer;
        timer.start();
        sheet.setTypesetting(typesetting);
        sheet.pageShown(composed);
        view.viewport()->render(&image);
        out << what << ", " << sheet.lines().size()
            << " lines at 20 pt, first with its faces loaded: " << ms(timer.nsecsElapsed()) << " ms"
            << Qt::endl;
        Timings again;
        for (int run = 0; run < Runs; ++run) {
            timer.restart();
            sheet.pageShown(composed);
            view.viewport()->render(&image);
            again.add(timer.nsecsElapsed());
        }
        paired = image.copy();
        out << what << " shown again, shaped and painted (median of " << Runs
            << "): " << again.median() << " ms, worst " << again.worst() << " ms" << Qt::endl;
        Timings plain;
        typesetting.pairing = {};
        typesetting.features = FeatureSettings::fromText(u"+kern"_s); // shaped, nothing paired
        sheet.setTypesetting(typesetting);
        for (int run = 0; run < Runs; ++run) {
            timer.restart();
            sheet.pageShown(composed);
            view.viewport()->render(&image);
            plain.add(timer.nsecsElapsed());
        }
        out << "  the same page shaped without a pairing (median): " << plain.median() << " ms"
            << Qt::endl;
    };

    LatinPairing each;
    each.mode = LatinPairing::Mode::EachLine;
    each.latinFamily = latin.first();
    each.scalePercent = 95;
    each.shiftPercent = 2;
    measure(japanese, each, false, u"横書き, 欧文 "_s + latin.first());
    measure(japanese, each, true, u"縦書き, 欧文 "_s + latin.first());
    LatinPairing partners;
    partners.mode = LatinPairing::Mode::Partners;
    partners.japaneseFamily = japanese.first();
    measure(latin, partners, false, u"partner search for "_s + japanese.first());
    if (argc > 1)
        paired.save(QString::fromLocal8Bit(argv[1]));
    return 0;
}
