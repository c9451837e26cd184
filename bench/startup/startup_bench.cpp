// How long the program takes from its start to its main window shown, then to its
// catalogue built behind it, and how long a page takes to compose once its fonts are
// loaded, in 標準 and in 太字 (the page holding "Varelith Faces", which has a Bold face,
// beside families without one). Prints figures; run it through bench/startup.sh with
// FONTCONFIG_FILE pointing at a set of fonts. `--shot FILE.png` saves the window showing
// the page in 太字.

#include "familyfaces.h"
#include "familynames.h"
#include "fontcatalogue.h"
#include "form1.h"
#include "glyphcoverage.h"
#include "inisettingsstore.h"
#include "interfacefacesfirst.h"
#include "japaneseinterface.h"
#include "loadaftershown.h"
#include "shaper.h"
#include "sheetfaces.h"
#include "sheetstylemenu.h"
#include "systemfontsource.h"

#include <QAction>

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

constexpr int ComposeRuns = 30;

double milliseconds(qint64 nanoseconds) {
    return double(nanoseconds) / 1e6;
}

double median(QList<double> values) {
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0.0 : values.at(values.size() / 2);
}

// The page of a catalogue with every font ticked that holds `family`; the first if none.
Int16 pageHolding(const FontCatalogue& catalogue, const QString& family) {
    for (int index = 1; index <= catalogue.FontNum(); ++index)
        if (catalogue.FontName(index) == family)
            return Int16::fromInt((index - 1) / 10 + 1);
    return Int16(1);
}

// The median time of composing `page`, and of composing and painting it.
std::pair<double, double> composeTimes(Form1& form, Int16 page) {
    QList<double> composeOnly;
    QList<double> composeAndPaint;
    QElapsedTimer step;
    for (int run = 0; run < ComposeRuns; ++run) {
        step.restart();
        form.Showpage(page);
        composeOnly.append(milliseconds(step.nsecsElapsed()));
        form.RText1()->viewport()->repaint();
        composeAndPaint.append(milliseconds(step.nsecsElapsed()));
    }
    return {median(composeOnly), median(composeAndPaint)};
}

// Notes the first paint of the main window, the moment the user sees it.
class FirstPaint : public QObject {
public:
    FirstPaint(const QElapsedTimer& clock, std::function<void()> then)
        : m_clock(clock)
        , m_then(std::move(then)) {}
    qint64 at = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (at < 0 && event->type() == QEvent::Paint) {
            at = m_clock.nsecsElapsed();
            QTimer::singleShot(0, this, m_then);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer& m_clock;
    std::function<void()> m_then;
};

} // namespace

int main(int argc, char** argv) {
    QElapsedTimer clock;
    clock.start();
    InterfaceFacesFirst facesFirst;
    QApplication application(argc, argv);
    JapaneseInterface::installQtTranslation(application);
    // Every window, Qt's own dialogs included, in the installed Japanese face.
    JapaneseInterface::setApplicationFont();
    const qint64 applicationReady = clock.nsecsElapsed();

    QTemporaryDir settingsDir;
    IniSettingsStore store(settingsDir.filePath(u"Varelith.ini"_s));
    // As the program has them: every installed font for its own readers, read at the first
    // question, not at start; Qt's font database the interface's faces alone.
    FcConfig* const installed = facesFirst.allFonts();
    SystemFontSource fonts(installed);
    FontCatalogue catalogue;
    FamilyNames familyNames(installed);
    GlyphCoverage coverage(installed);
    FamilyFaces faces(installed);
    SheetFaces sheetFaces(faces, coverage);
    Shaper shaper;
    Form1 form(catalogue, fonts, store, familyNames, nullptr, &coverage, nullptr, &sheetFaces,
               &shaper);
    // As the program starts: the window first, the catalogue behind its first paint.
    LoadAfterShown load(form, [&form] { form.Form_Load(); });

    QTextStream out(stdout);
    FirstPaint firstPaint(clock, [&] {
        const qint64 shown = firstPaint.at;
        load.loadNow();
        const qint64 loaded = clock.nsecsElapsed();
        // The first page loads its ten fonts; the pages after it find them loaded.
        form.Text1()->setText(u"Varelith あいう Abc 0123"_s);
        QElapsedTimer step;
        step.start();
        form.Showpage(Int16(1));
        form.RText1()->viewport()->repaint();
        const qint64 firstPage = step.nsecsElapsed();

        const auto [compose, composeAndPaint] = composeTimes(form, Int16(1));

        // The page holding a family with a Bold face, shown in 標準, then switched to 太字:
        // the faces are read and the bold fonts loaded; after that only composing counts.
        const Int16 stylePage = pageHolding(catalogue, u"Varelith Faces"_s);
        form.lbl_Page1()->setText(QString::number(int(stylePage)));
        form.Showpage(stylePage);
        const auto [regular, regularAndPaint] = composeTimes(form, stylePage);
        step.restart();
        FamilyFaces(installed).faces(u"Varelith Faces"_s); // on its own: the first switch's read
        const qint64 facesRead = step.nsecsElapsed();
        step.restart();
        form.styleMenu()->action(SheetStyle::Bold)->trigger();
        form.RText1()->viewport()->repaint();
        const qint64 firstBold = step.nsecsElapsed();
        const auto [bold, boldAndPaint] = composeTimes(form, stylePage);
        const QString boldLines =
            form.RText1()->toPlainText().split(u'\n').filter(u"Varelith"_s).join(u", "_s);

        out << "fonts installed:                 " << catalogue.FontNum() << '\n'
            << "application object ready:        " << milliseconds(applicationReady) << " ms\n"
            << "main window first painted:       " << milliseconds(shown) << " ms\n"
            << "catalogue built (Form_Load end): " << milliseconds(loaded) << " ms\n"
            << "first page, loading its fonts:   " << milliseconds(firstPage) << " ms\n"
            << "first page from launch (Enter as the window shows): "
            << milliseconds(loaded + firstPage) << " ms\n"
            << "page composed (median of " << ComposeRuns << "):    " << compose << " ms\n"
            << "page composed and painted:       " << composeAndPaint << " ms\n"
            << "page " << int(stylePage) << " in 標準, composed / and painted: " << regular << " / "
            << regularAndPaint << " ms\n"
            << "page " << int(stylePage)
            << " switched to 太字 (faces read, fonts loaded): " << milliseconds(firstBold)
            << " ms\n"
            << "  every family's faces read on their own: " << milliseconds(facesRead) << " ms\n"
            << "page in 太字 composed (median of " << ComposeRuns << "): " << bold << " ms\n"
            << "page in 太字 composed and painted: " << boldAndPaint << " ms\n"
            << "its lines in 太字: " << boldLines << "\n";
        out.flush();
        const QStringList arguments = QApplication::arguments();
        if (const qsizetype shot = arguments.indexOf(u"--shot"_s);
            shot > 0 && shot + 1 < arguments.size())
            form.grab().save(arguments.at(shot + 1));
        form.close();
    });
    form.installEventFilter(&firstPaint);
    form.show();
    return QApplication::exec();
}
