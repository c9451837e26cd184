// How long the program takes from its start to its main window shown, then to its
// catalogue built behind it, and how long a page takes to compose once its fonts are
// loaded. Prints figures;
// run it through bench/startup.sh with FONTCONFIG_FILE pointing at a set of fonts.

#include "fontcatalogue.h"
#include "form1.h"
#include "inisettingsstore.h"
#include "interfacefacesfirst.h"
#include "japaneseinterface.h"
#include "loadaftershown.h"
#include "systemfontsource.h"

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
    JapaneseInterface::insertFontSubstitutions();
    // Every window, Qt's own dialogs included, in the installed Japanese face.
    QFont interfaceFont = QApplication::font();
    interfaceFont.setFamilies(
        {JapaneseInterface::interfaceFace(QStringLiteral("ＭＳ Ｐゴシック"))});
    QApplication::setFont(interfaceFont);
    const qint64 applicationReady = clock.nsecsElapsed();

    QTemporaryDir settingsDir;
    IniSettingsStore store(settingsDir.filePath(u"Varelith.ini"_s));
    SystemFontSource fonts;
    FontCatalogue catalogue;
    Form1 form(catalogue, fonts, store, nullptr);
    // As the program starts: the window first in the interface's faces, every font and the
    // catalogue behind its first paint.
    LoadAfterShown load(form, [&facesFirst, &form] {
        facesFirst.allFonts();
        form.Form_Load();
    });

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

        QList<double> composeOnly;
        QList<double> composeAndPaint;
        for (int run = 0; run < ComposeRuns; ++run) {
            step.restart();
            form.Showpage(Int16(1));
            composeOnly.append(milliseconds(step.nsecsElapsed()));
            form.RText1()->viewport()->repaint();
            composeAndPaint.append(milliseconds(step.nsecsElapsed()));
        }

        out << "fonts installed:                 " << catalogue.FontNum() << '\n'
            << "application object ready:        " << milliseconds(applicationReady) << " ms\n"
            << "main window first painted:       " << milliseconds(shown) << " ms\n"
            << "catalogue built (Form_Load end): " << milliseconds(loaded) << " ms\n"
            << "first page, loading its fonts:   " << milliseconds(firstPage) << " ms\n"
            << "page composed (median of " << ComposeRuns << "):    " << median(composeOnly)
            << " ms\n"
            << "page composed and painted:       " << median(composeAndPaint) << " ms\n";
        out.flush();
        form.close();
    });
    form.installEventFilter(&firstPaint);
    form.show();
    return QApplication::exec();
}
