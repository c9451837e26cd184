// The sheet on screen as the user switches its typesetting: a page of ten lines composed and
// painted in 横書き with and without the typesetting hooked in (it must cost nothing), in
// 縦書き the first time (its faces loaded) and again, with a feature switched on that page,
// and with the weight axis stepped. Prints figures (milliseconds, median and worst).
//
//   sheet_bench [FAMILY...]   (default: the first ten installed families that cover "ja")

#include "familynames.h"
#include "fontcatalogue.h"
#include "fontsource.h"
#include "form1.h"
#include "glyphcoverage.h"
#include "inisettingsstore.h"
#include "japaneseinterface.h"
#include "shaper.h"
#include "typesettingmenu.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTextStream>

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <functional>
#include <memory>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

constexpr int Runs = 21;
const QString Sample = u"「縦書き」の見本、かなとカナ。ABC12"_s; // twenty characters

class Families : public FontSource {
public:
    explicit Families(QStringList names)
        : m_names(std::move(names)) {}
    QStringList families() const override { return m_names; }

private:
    QStringList m_names;
};

QStringList japaneseFamilies(int count) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(":lang=ja"));
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    FcFontSet* fonts = FcFontList(nullptr, pattern, objects);
    QStringList names;
    for (int i = 0; fonts && i < fonts->nfont; ++i) {
        FcChar8* family = nullptr;
        if (FcPatternGetString(fonts->fonts[i], FC_FAMILY, 0, &family) == FcResultMatch)
            names.append(QString::fromUtf8(reinterpret_cast<const char*>(family)));
    }
    if (fonts)
        FcFontSetDestroy(fonts);
    FcObjectSetDestroy(objects);
    FcPatternDestroy(pattern);
    names.removeDuplicates();
    names.sort();
    return names.mid(0, count);
}

// One window over the families, a page shown, the settings in a folder of its own.
struct Window {
    Window(const QStringList& families, Shaper* shaper)
        : fonts(families)
        , store(dir.filePath(u"Varelith.ini"_s)) {
        form = std::make_unique<Form1>(catalogue, fonts, store, familyNames, nullptr, &coverage,
                                       nullptr, nullptr, shaper);
        form->Form_Load();
        form->resize(1000, 700);
        form->show();
        form->Text1()->setText(Sample);
        form->Text2()->setText(u"20"_s);
    }
    // Composed and the whole view painted afresh, as a user sees it.
    void showPage() {
        form->Showpage(Int16(1));
        form->RText1()->viewport()->grab();
    }
    void typeset(const Typesetting& typesetting) {
        form->typesettingMenu()->setTypesetting(typesetting);
        form->RText1()->viewport()->grab();
    }

    QTemporaryDir dir;
    Families fonts;
    IniSettingsStore store;
    FontCatalogue catalogue;
    FamilyNames familyNames;
    GlyphCoverage coverage;
    std::unique_ptr<Form1> form;
};

struct Figures {
    QList<double> runs;
    void time(const std::function<void()>& step) {
        QElapsedTimer clock;
        clock.start();
        step();
        runs.append(double(clock.nsecsElapsed()) / 1e6);
    }
    QString text() const {
        QList<double> sorted = runs;
        std::sort(sorted.begin(), sorted.end());
        return u"median %1 ms, worst %2 ms"_s.arg(sorted.at(sorted.size() / 2), 0, 'f', 2)
            .arg(sorted.last(), 0, 'f', 2);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    JapaneseInterface::insertFontSubstitutions();
    QStringList families = QApplication::arguments().mid(1);
    if (families.isEmpty())
        families = japaneseFamilies(10);
    QTextStream out(stdout);
    out << "families: " << families.join(u", "_s) << '\n';

    // 横書き, plain: the page as the document draws it, with and without the typesetting.
    Figures plainWithout;
    Figures plainWith;
    {
        Window without(families, nullptr);
        without.showPage(); // its fonts loaded
        for (int run = 0; run < Runs; ++run)
            plainWithout.time([&] { without.showPage(); });
    }
    Shaper shaper;
    Window window(families, &shaper);
    window.showPage();
    for (int run = 0; run < Runs; ++run)
        plainWith.time([&] { window.showPage(); });

    Typesetting vertical;
    vertical.vertical = true;
    Figures firstVertical;
    firstVertical.time([&] { window.typeset(vertical); });
    Figures verticalPage;
    for (int run = 0; run < Runs; ++run)
        verticalPage.time([&] { window.showPage(); });

    Typesetting palt = vertical;
    palt.features = FeatureSettings::fromText(u"+palt"_s);
    Figures featureSwitch;
    for (int run = 0; run < Runs; ++run)
        featureSwitch.time([&] { window.typeset(run % 2 ? vertical : palt); });

    Figures axisStep;
    for (int run = 0; run < Runs; ++run) {
        Typesetting weight = vertical;
        weight.axes = VariationSettings::fromText(u"wght=%1"_s.arg(100 + run % 9 * 100));
        axisStep.time([&] { window.typeset(weight); });
    }

    out << "横書き page, no typesetting hooked:   " << plainWithout.text() << '\n'
        << "横書き page, typesetting hooked:      " << plainWith.text() << '\n'
        << "縦書き, first page (faces loaded):   " << firstVertical.text() << '\n'
        << "縦書き page composed and painted:    " << verticalPage.text() << '\n'
        << "palt switched on the 縦書き page:   " << featureSwitch.text() << '\n'
        << "wght stepped on the 縦書き page:    " << axisStep.text() << '\n';
    return 0;
}
