#include "appversion.h"
#include "dialogprintcommands.h"
#include "dialogspecimenbook.h"
#include "duplicatefiles.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontcatalogue.h"
#include "fontconfiguration.h"
#include "fontfilemenu.h"
#include "fontfilerefusalnotice.h"
#include "fontfolderwatcher.h"
#include "fontinfoduplicates.h"
#include "fontinfofileactions.h"
#include "fontinfotypesetting.h"
#include "fontinfowindow.h"
#include "fontsetrefresh.h"
#include "form1.h"
#include "glyphcompareentries.h"
#include "glyphcomparewindow.h"
#include "glyphcoverage.h"
#include "inisettingsstore.h"
#include "interfacefacesfirst.h"
#include "ivdcollections.h"
#include "japaneseinterface.h"
#include "latinfontmenu.h"
#include "loadaftershown.h"
#include "outdatedpagenotice.h"
#include "pairingfaces.h"
#include "qtcssfilechooser.h"
#include "qtfontfilechooser.h"
#include "rejectedfamilieskepthere.h"
#include "settingsproblemnotice.h"
#include "shapedsheetview.h"
#include "shaper.h"
#include "sheetfaces.h"
#include "systemfontsource.h"
#include "tickedfonts.h"
#include "typesettingmenu.h"
#include "userfontfolder.h"
#include "variationsequences.h"
#include "windowicon.h"

#include <QApplication>
#include <QClipboard>
#include <QCommandLineParser>
#include <QDesktopServices>
#include <QFileInfo>

#include <algorithm>

// The user's settings, the installed fonts and the printers are what the program works
// from; font files named on the command line are opened beside the installed fonts.
int main(int argc, char** argv) {
    // Families switched off for other programs (無効) stay listed here: made so in the
    // configuration read next.
    varelith::RejectedFamiliesKeptHere::install();
    // Qt's font database holds the interface's faces alone for the whole run: it draws no
    // sample. The program's own readers of the installed fonts are handed every one.
    varelith::InterfaceFacesFirst facesFirst;
    // The fonts this run sees, read again when fonts are installed or removed.
    varelith::FontConfiguration configuration(
        facesFirst.allFonts(), &varelith::RejectedFamiliesKeptHere::makeConfiguration);
    FcConfig* const installed = configuration.fonts();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varelith"));
    QApplication::setOrganizationName(QStringLiteral("Varelith"));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(varelith::AppVersion::Major())
                                            .arg(varelith::AppVersion::Minor())
                                            .arg(varelith::AppVersion::Revision()));
    QCommandLineParser arguments;
    arguments.setApplicationDescription(QStringLiteral("Varelith: font sample sheets"));
    arguments.addHelpOption();
    arguments.addVersionOption();
    arguments.addPositionalArgument(
        QStringLiteral("files"), QStringLiteral("Font files to open beside the installed fonts."),
        QStringLiteral("[FILE...]"));
    arguments.process(application);
    QStringList openedAtStart;
    for (const QString& file : arguments.positionalArguments())
        openedAtStart.append(QFileInfo(file).absoluteFilePath());
    // Ties the window to its desktop entry (the app id on Wayland, task bars).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.varelith.Varelith"));
    QApplication::setWindowIcon(varelith::WindowIcon::icon());
    varelith::JapaneseInterface::installQtTranslation(application);
    // Every window, Qt's own dialogs included, in the installed Japanese face.
    varelith::JapaneseInterface::setApplicationFont();

    // A settings file that cannot be saved, or was damaged, is told once per kind, over
    // the main window.
    varelith::SettingsProblemNotice notice(&varelith::SettingsProblemNotice::showMessageBox);
    varelith::IniSettingsStore store(
        varelith::IniSettingsStore::standardFilePath(),
        [&notice](const varelith::SettingsProblem& problem) { notice.tell(problem); });
    varelith::SystemFontSource fonts(installed);
    varelith::FontCatalogue catalogue;
    varelith::DialogPrintCommands printCommands;
    // One coverage for the whole run: the sheet and the specimen book ask the same
    // questions of the same fonts.
    varelith::GlyphCoverage coverage(installed);
    // A family's faces are read at the first line drawn in a style other than 標準.
    varelith::FamilyFaces faces(installed);
    varelith::SheetFaces sheetFaces(faces, coverage);
    // One shaper too: each face is loaded for shaping once, whoever sets text in it.
    varelith::Shaper shaper;
    varelith::DialogSpecimenBook specimenBook(coverage, &sheetFaces);

    // Every family's names in every language, read once at the first question: the font
    // selection dialog's list and filter and the font information window ask the same.
    varelith::FamilyNames familyNames(installed);

    // The Latin fonts paired with the sheet's, found among the families' faces; they outlive
    // the window that sets lines in them.
    varelith::PairingFaces pairingFaces(faces, coverage);
    varelith::QtCssFileChooser cssFiles;
    specimenBook.setLatinFaces([&pairingFaces](const QString& family, const QString& style) {
        return pairingFaces.face(family, style);
    });

    varelith::Form1 mainWindow(catalogue, fonts, store, familyNames, &printCommands, &coverage,
                               &specimenBook, &sheetFaces, &shaper);
    // The font information window: nothing of it is built or read before it is asked for.
    varelith::FontInfoWindow fontInfo(
        familyNames, faces, shaper, [&mainWindow] { return mainWindow.sampleText(); },
        &QDesktopServices::openUrl, QGuiApplication::clipboard());
    mainWindow.setFontInfoOpener(&fontInfo);
    varelith::FontInfoTypesetting fontInfoTypesetting(fontInfo, shaper);
    // Files that give the same family and style, read when the 重複 tab is first filled.
    varelith::DuplicateFiles duplicates(installed);
    varelith::FontInfoDuplicates fontInfoDuplicates(fontInfo, duplicates);
    // A sample's variation sequences are checked in each face's own character map.
    varelith::VariationSequences sequences;
    coverage.setSequenceCheck(
        [&sequences](const varelith::FaceRef& face, char32_t base, char32_t selector) {
            return sequences.of(face).find(base, selector).has_value();
        });
    // 字形比較 of the ticked fonts, made when first asked for.
    varelith::GlyphCompareEntries glyphCompare(mainWindow, &fontInfo, [&] {
        return std::make_unique<varelith::GlyphCompareWindow>(
            shaper, [&] { return varelith::TickedFonts::of(catalogue, coverage); },
            varelith::IvdCollections::standardFiles());
    });
    // 表示 → 欧文フォント: the Latin font paired with the sheet's Japanese ones (和欧混植).
    varelith::LatinFontMenu latinFont(
        *mainWindow.mview(), *mainWindow.typesettingMenu(), *mainWindow.shapedSheet(), pairingFaces,
        store, cssFiles,
        [&catalogue] {
            QStringList families;
            for (int index = 1; index <= catalogue.FontNum(); ++index)
                families.append(catalogue.FontName(index));
            return families;
        },
        &mainWindow);
    // Fonts installed or removed while the program runs, and the files the user opens: every
    // reader is handed the fonts read again, then the catalogue is built anew.
    varelith::FontSetRefresh fontChanges(configuration, mainWindow, catalogue, store);
    varelith::FontFolderWatcher fontFolders;
    fontChanges.addReader([&](FcConfig* now) {
        fonts.setFonts(now);
        coverage.setFonts(now);
        faces.setFonts(now);
        familyNames.setFonts(now);
        duplicates.setFonts(now);
        fontFolders.watch(configuration.folders());
    });
    fontChanges.setFontInfoOpener(&fontInfo);
    const varelith::FontFileRefusalNotice refusals;
    fontChanges.setRefusals(
        [&](const QStringList& problems) { refusals.tell(problems, &mainWindow); });
    // Font files opened for the run: from the command line, ファイル → フォントファイルを開く,
    // or dropped on the main window or the font selection dialog.
    const auto openFiles = [&fontChanges](const QStringList& paths) {
        fontChanges.open(paths);
    };
    mainWindow.setFontFileHandler(openFiles);
    varelith::QtFontFileChooser fontFileChooser;
    const varelith::FontFileMenu fontFileMenu(*mainWindow.mfile(), fontFileChooser, openFiles,
                                              &mainWindow);
    // A family is 未インストール while every file of its faces is one opened this run.
    const auto uninstalled = [&configuration, &faces](const QString& family) {
        if (configuration.openedFiles().isEmpty())
            return false;
        const QList<varelith::FontFace> familyFaces = faces.faces(family);
        return !familyFaces.isEmpty() &&
               std::all_of(familyFaces.cbegin(), familyFaces.cend(),
                           [&configuration](const varelith::FontFace& face) {
                               return configuration.isOpened(face.file);
                           });
    };
    mainWindow.setUninstalledFamilies(uninstalled);
    // インストール and 削除 in the information window: the user's own font folder.
    const varelith::UserFontFolder userFonts;
    varelith::FontInfoFileActions fontInfoFiles(
        fontInfo, userFonts,
        [&faces](const QString& family) {
            QStringList files;
            for (const varelith::FontFace& face : faces.faces(family))
                if (!files.contains(face.file))
                    files.append(face.file);
            return files;
        },
        uninstalled, [&configuration] { return configuration.fonts(); },
        varelith::FontInfoFileActions::askInMessageBox(&fontInfo),
        varelith::FontInfoFileActions::tellInMessageBox(&fontInfo),
        [&fontChanges](const QStringList& opened, const QStringList&) {
            fontChanges.installedFrom(opened);
        },
        [&fontChanges](const QStringList&) { fontChanges.refresh(); });
    // The information window shown follows the fonts read again: an opened font installed
    // shows its installed file, a family removed shows no face.
    fontChanges.addReader([&fontInfo](FcConfig*) {
        if (fontInfo.isVisible() && !fontInfo.family().isEmpty())
            fontInfo.setFamily(fontInfo.family());
    });
    specimenBook.setUninstalledFamilies(uninstalled);
    QObject::connect(&fontFolders, &varelith::FontFolderWatcher::changed, &fontChanges,
                     &varelith::FontSetRefresh::refresh);
    varelith::OutdatedPageNotice outdatedPage(mainWindow);
    QObject::connect(&fontChanges, &varelith::FontSetRefresh::pageOutdatedChanged, &outdatedPage,
                     &varelith::OutdatedPageNotice::setOutdated);

    // The window is seen first; the catalogue comes behind its first paint, or before the
    // first key or click if one comes sooner. The files named on the command line open then.
    const varelith::LoadAfterShown load(mainWindow, [&] {
        mainWindow.Form_Load();
        fontFolders.watch(configuration.folders());
        if (!openedAtStart.isEmpty())
            fontChanges.open(openedAtStart);
    });
    mainWindow.show();
    notice.showOver(&mainWindow);
    return QApplication::exec();
}
