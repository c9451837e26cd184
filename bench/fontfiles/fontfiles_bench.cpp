// Fonts that come and go while the program runs, over the fonts fontconfig sees (run it
// through bench/fontfiles.sh, with FONTCONFIG_FILE and a temporary XDG_DATA_HOME). The
// program's services wired as the program wires them, a page shown; then, each timed with
// the screen updated:
//   - a font file opened until its line is on the sheet (its page composed and painted);
//   - that font installed (copied into the user's font folder) until it is listed as
//     installed;
//   - a font another program copies into a watched folder: the rebuild alone, and from
//     the copy to the list that holds it, the watcher's quiet moment included;
//   - the font removed to the trash until it has left the list.
//
//   fontfiles_bench OPENED.ttf WATCHED.ttf
#include "familyfaces.h"
#include "familynames.h"
#include "fontcatalogue.h"
#include "fontconfiguration.h"
#include "fontfolderwatcher.h"
#include "fontsetrefresh.h"
#include "form1.h"
#include "glyphcoverage.h"
#include "inisettingsstore.h"
#include "interfacefacesfirst.h"
#include "japaneseinterface.h"
#include "rejectedfamilieskepthere.h"
#include "shaper.h"
#include "sheetfaces.h"
#include "systemfontsource.h"
#include "timings.h"
#include "userfontfolder.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTextStream>
#include <QTimer>

using namespace varelith;
using namespace Qt::StringLiterals;
using bench::ms;
using bench::Timings;

namespace {

bool listed(const FontCatalogue& catalogue, const QString& family) {
    for (int n = 1; n <= catalogue.FontNum(); ++n)
        if (catalogue.FontName(n) == family)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv) {
    InterfaceFacesFirst facesFirst;
    FontConfiguration configuration(facesFirst.allFonts(),
                                    &RejectedFamiliesKeptHere::makeConfiguration);
    FcConfig* const installed = configuration.fonts();
    QApplication application(argc, argv);
    JapaneseInterface::setApplicationFont();
    QTextStream out(stdout);
    if (argc < 3) {
        out << "usage: fontfiles_bench OPENED.ttf WATCHED.ttf\n";
        return 2;
    }
    const QString opened = QFile::decodeName(argv[1]);
    const QString watched = QFile::decodeName(argv[2]);
    QTemporaryDir settingsDir;
    IniSettingsStore store(settingsDir.filePath(u"Varelith.ini"_s));
    SystemFontSource fonts(installed);
    FontCatalogue catalogue;
    FamilyNames familyNames(installed);
    GlyphCoverage coverage(installed);
    FamilyFaces faces(installed);
    SheetFaces sheetFaces(faces, coverage);
    Shaper shaper;
    Form1 form(catalogue, fonts, store, familyNames, nullptr, &coverage, nullptr, &sheetFaces,
               &shaper);
    FontSetRefresh changes(configuration, form, catalogue, store);
    FontFolderWatcher folders;
    changes.addReader([&](FcConfig* now) {
        fonts.setFonts(now);
        coverage.setFonts(now);
        faces.setFonts(now);
        familyNames.setFonts(now);
        folders.watch(configuration.folders());
    });
    // Started as the watcher tells a change, before the refresh it sets off.
    QElapsedTimer rebuild;
    QObject::connect(&folders, &FontFolderWatcher::changed, [&rebuild] { rebuild.start(); });
    QObject::connect(&folders, &FontFolderWatcher::changed, &changes, &FontSetRefresh::refresh);
    form.show();
    form.Form_Load();
    folders.watch(configuration.folders());
    form.Text1()->setText(u"Varelith あいう Abc 0123"_s);
    form.Showpage(Int16(1));
    form.RText1()->viewport()->repaint();
    out << "fonts listed: " << catalogue.FontNum() << "\n";

    QElapsedTimer step;
    step.start();
    const QStringList families = changes.open({opened});
    form.RText1()->viewport()->repaint();
    out << "open a file to its line on the sheet: " << ms(step.nsecsElapsed()) << " ms ("
        << families.value(0) << ", page " << form.lbl_Page1()->text() << ")\n";

    const UserFontFolder userFonts;
    const QString userFolder = userFonts.path();
    step.restart();
    // As インストール does: the installed fonts looked through for the same font, the file
    // copied in, the fonts read again.
    const QString copy = userFonts.install(opened, configuration.fonts()).installedPath;
    changes.installedFrom({opened});
    out << "install it until listed as installed: " << ms(step.nsecsElapsed()) << " ms (listed: "
        << (listed(catalogue, families.value(0)) && !configuration.isOpened(opened) ? "yes" : "no")
        << ")\n";

    // Another program copies a font in; the watcher hears of it.
    Timings rebuilds;
    QElapsedTimer fromCopy;
    fromCopy.start();
    const QString appeared = QDir(userFolder).filePath(QFileInfo(watched).fileName());
    QFile::copy(watched, appeared);
    QEventLoop wait;
    QTimer::singleShot(10000, &wait, &QEventLoop::quit);
    QObject::connect(&folders, &FontFolderWatcher::changed, &wait, &QEventLoop::quit,
                     Qt::QueuedConnection);
    wait.exec();
    out << "a font copied into a watched folder, copy to listed: " << ms(fromCopy.nsecsElapsed())
        << " ms, of which the rebuild: " << ms(rebuild.nsecsElapsed()) << " ms\n";

    for (int run = 0; run < 5; ++run) {
        step.restart();
        changes.refresh();
        rebuilds.add(step.nsecsElapsed());
    }
    out << "rebuild after a change (median of 5): " << rebuilds.median() << " ms\n";

    step.restart();
    QFile::moveToTrash(copy);
    changes.refresh();
    out << "remove it to the trash until gone from the list: " << ms(step.nsecsElapsed())
        << " ms (gone: " << (listed(catalogue, families.value(0)) ? "no" : "yes") << ")\n";
    return 0;
}
