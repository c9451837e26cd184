#include "familynames.h"
#include "fontcatalogue.h"
#include "fontconfiguration.h"
#include "fontfolderwatcher.h"
#include "fontsetrefresh.h"
#include "form1.h"
#include "form2.h"
#include "glyphcoverage.h"
#include "memorysettingsstore.h"
#include "outdatedpagenotice.h"
#include "recordingfontinfoopener.h"
#include "systemfontsource.h"
#include "tickboxdelegate.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

#include <fontconfig/fontconfig.h>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

const QString testFonts = QStringLiteral(VARELITH_TEST_FONTS);

// Fonts installed in a folder of the test's own (the fourteen "Bench Sans" and "試験書体"
// fonts), a second one standing for the user's font folder, watched, empty at first; and
// the program's services over them, as the program wires them.
struct RunningProgram {
    RunningProgram() {
        QDir(folder.path()).mkpath(u"installed"_s);
        QDir(folder.path()).mkpath(u"user"_s);
        for (const QString& font : QDir(testFonts).entryList({u"bench*.ttf"_s}))
            QFile::copy(QDir(testFonts).filePath(font), installed(font));
        QFile config(folder.filePath(u"fonts.conf"_s));
        config.open(QIODevice::WriteOnly);
        config.write(u"<fontconfig><cachedir>%1/cache</cachedir><dir>%1/installed</dir>"
                     "<dir>%1/user</dir></fontconfig>"_s.arg(folder.path())
                         .toUtf8());
        config.close();
        const QByteArray file = QFile::encodeName(config.fileName());
        maker = [file] {
            FcConfig* made = FcConfigCreate();
            if (!FcConfigParseAndLoad(made, reinterpret_cast<const FcChar8*>(file.constData()),
                                      FcTrue) ||
                !FcConfigBuildFonts(made)) {
                FcConfigDestroy(made);
                return static_cast<FcConfig*>(nullptr);
            }
            return made;
        };
        FcConfig* initial = maker();
        configuration = std::make_unique<FontConfiguration>(initial, maker);
        FcConfigDestroy(initial);
        source.setFonts(configuration->fonts());
        names.setFonts(configuration->fonts());
        coverage.setFonts(configuration->fonts());
        form = std::make_unique<Form1>(catalogue, source, store, names, nullptr, &coverage);
        refresh = std::make_unique<FontSetRefresh>(*configuration, *form, catalogue, store);
        refresh->addReader([this](FcConfig* fonts) {
            source.setFonts(fonts);
            names.setFonts(fonts);
            coverage.setFonts(fonts);
            watcher.watch(configuration->folders());
        });
        refresh->setFontInfoOpener(&opener);
        refresh->setRefusals([this](const QStringList& told) { problems.append(told); });
        QObject::connect(&watcher, &FontFolderWatcher::changed, refresh.get(),
                         &FontSetRefresh::refresh);
        notice = std::make_unique<OutdatedPageNotice>(*form);
        QObject::connect(refresh.get(), &FontSetRefresh::pageOutdatedChanged, notice.get(),
                         &OutdatedPageNotice::setOutdated);
        form->Form_Load();
        watcher.watch(configuration->folders());
        form->Text1()->setText(u"Aa"_s);
    }
    QString installed(const QString& name) const { return folder.filePath(u"installed/"_s + name); }
    QString user(const QString& name) const { return folder.filePath(u"user/"_s + name); }

    int indexOf(const QString& family) const {
        for (int n = 1; n <= catalogue.FontNum(); ++n)
            if (catalogue.FontName(n) == family)
                return n;
        return 0;
    }
    // Each family listed, with "+" when ticked: "Bench Sans 00001+,...".
    QStringList list() const {
        QStringList families;
        for (int n = 1; n <= catalogue.FontNum(); ++n)
            families.append(catalogue.FontName(n) + (catalogue.isTicked(n) ? u"+"_s : u""_s));
        return families;
    }
    QStringList sheetLines() const {
        return form->RText1()->toPlainText().split(u'\n', Qt::SkipEmptyParts);
    }

    QTemporaryDir folder;
    FontConfiguration::Maker maker;
    std::unique_ptr<FontConfiguration> configuration;
    SystemFontSource source;
    FamilyNames names;
    GlyphCoverage coverage;
    MemorySettingsStore store;
    FontCatalogue catalogue;
    RecordingFontInfoOpener opener;
    QStringList problems;
    // Quick to settle: a test waits for what a user would see a moment later.
    FontFolderWatcher watcher{std::chrono::milliseconds(50)};
    std::unique_ptr<Form1> form;
    std::unique_ptr<FontSetRefresh> refresh;
    std::unique_ptr<OutdatedPageNotice> notice;
};

} // namespace

class TestFontSetRefresh : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Opened files: each good one joins the list ticked, its line's page shown and its
    // information opened; each bad one is told by name and changes nothing.
    void openFiles_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("refused");
        const QString seeds = QStringLiteral(VARELITH_FONT_SEEDS);
        const QString latin = testFonts + u"/varelith-latin-regular.ttf"_s;
        QTest::newRow("one font") << QStringList{latin} << QStringList{u"Varelith Latin"_s}
                                  << u"2"_s << 0;
        QTest::newRow("a font and a truncated one")
            << QStringList{seeds + u"/truncated"_s, latin} << QStringList{u"Varelith Latin"_s}
            << u"2"_s << 1;
        QTest::newRow("not a font, ten thousand faces")
            << QStringList{seeds + u"/not-a-font"_s, seeds + u"/ten-thousand-faces"_s}
            << QStringList{} << u"1"_s << 2;
        QTest::newRow("missing") << QStringList{u"/nonexistent/x.otf"_s} << QStringList{} << u"1"_s
                                 << 1;
        QTest::newRow("collection, every face") << QStringList{seeds + u"/collection-of-two"_s}
                                                << QStringList{u"Varelith Faces"_s} << u"2"_s << 0;
        // One of the installed files, the family unticked: ticked again, listed once, not
        // counted as opened.
        QTest::newRow("an installed file") << QStringList{u"installed:bench00001.ttf"_s}
                                           << QStringList{u"Bench Sans 00001"_s} << u"1"_s << 0;
        QTest::newRow("WOFF") << QStringList{seeds + u"/woff-light"_s}
                              << QStringList{u"Varelith Faces"_s} << u"2"_s << 0;
    }
    void openFiles() {
        QFETCH(QStringList, files);
        QFETCH(QStringList, opened);
        RunningProgram program;
        for (QString& file : files)
            if (file.startsWith(u"installed:"_s))
                file = program.installed(file.mid(10));
        program.form->Showpage(Int16(1));
        // One the user unticked stays so.
        program.form->form2()->setSelected(0, false);
        program.catalogue.commit(*program.form->form2(), program.store);
        const QStringList before = program.list();

        QCOMPARE(program.refresh->open(files), opened);
        QTEST(int(program.problems.size()), "refused");
        for (qsizetype k = 0; k < program.problems.size(); ++k)
            QVERIFY2(program.problems.at(k).contains(QFileInfo(files.at(k)).fileName()),
                     qPrintable(program.problems.at(k)));
        QStringList expected;
        for (const QString& listed : before)
            if (!opened.contains(listed))
                expected.append(listed);
        for (const QString& family : opened)
            expected.append(family + u"+"_s);
        std::sort(expected.begin(), expected.end(), [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
        QCOMPARE(program.list(), expected);
        QTEST(program.form->lbl_Page1()->text(), "page");
        if (!opened.isEmpty()) {
            QVERIFY(program.sheetLines().contains(opened.constFirst() + u" Aa"_s));
            QCOMPARE(program.opener.shown, QStringList{opened.constFirst()});
            QCOMPARE(program.store.values.value(
                         FontCatalogue::flagKey(program.indexOf(opened.constFirst()))),
                     u"1"_s);
        } else {
            QVERIFY(program.opener.shown.isEmpty());
        }
        for (const QString& file : program.configuration->openedFiles())
            QVERIFY(!file.contains(u"/installed/"_s));
    }

    // Fonts another program puts in or takes out of a watched folder come and go without
    // a restart, every tick staying with its name; the page shown says it is out of date
    // until the next page is shown.
    void watchedFolder() {
        RunningProgram program;
        program.form->show();
        program.form->Showpage(Int16(1));
        const int unticked = program.indexOf(u"Bench Sans 00005"_s);
        program.form->form2()->setSelected(unticked - 1, false);
        program.catalogue.commit(*program.form->form2(), program.store);
        const QStringList page = program.sheetLines();

        QVERIFY(
            QFile::copy(testFonts + u"/varelith-blank.ttf"_s, program.user(u"aaa-blank.ttf"_s)));
        QTRY_VERIFY(program.indexOf(u"Varelith Blank"_s) > 0);
        QVERIFY(program.list().contains(u"Varelith Blank+"_s));
        QVERIFY(program.list().contains(u"Bench Sans 00005"_s));
        QVERIFY(program.list().contains(u"Bench Sans 00003+"_s));
        QVERIFY(program.refresh->isPageOutdated());
        QVERIFY(program.form->statusBar()->isVisible());
        QCOMPARE(program.sheetLines(), page);

        // Every index after it moves.
        QVERIFY(QFile::remove(program.installed(u"bench00003.ttf"_s)));
        QTRY_COMPARE(program.indexOf(u"Bench Sans 00003"_s), 0);
        QVERIFY(program.list().contains(u"Bench Sans 00005"_s));
        QCOMPARE(program.form->form2()->lbl_cnt()->text(),
                 FontCatalogue::countLine(program.catalogue.FontNum(), program.catalogue.SelNum()));
        QCOMPARE(program.sheetLines(), page);

        // The page shown again is the current one; the notice goes.
        QTest::mouseClick(program.notice->showAgain(), Qt::LeftButton);
        QVERIFY(!program.refresh->isPageOutdated());
        QVERIFY(!program.form->statusBar()->isVisible());
        QVERIFY(!program.sheetLines().join(u'\n').contains(u"Bench Sans 00003"_s));
        QVERIFY(program.sheetLines().join(u'\n').contains(u"Bench Sans 00012"_s));
        QVERIFY(!program.sheetLines().join(u'\n').contains(u"Bench Sans 00005"_s));
    }

    // A change the program followed itself (an install's own refresh) is not followed
    // again when the watcher hears of it.
    void ownChangeFollowedOnce() {
        RunningProgram program;
        int refreshes = 0;
        program.refresh->addReader([&refreshes](FcConfig*) { ++refreshes; });
        QVERIFY(QFile::copy(testFonts + u"/varelith-blank.ttf"_s, program.user(u"blank.ttf"_s)));
        program.refresh->refresh();
        QCOMPARE(refreshes, 1);
        QTest::qWait(300);
        QCOMPARE(refreshes, 1);
    }

    // An opened file that was installed is the installed family from then on: no longer
    // counted as opened, listed once.
    void installedFromOpened() {
        RunningProgram program;
        const QString latin = testFonts + u"/varelith-latin-regular.ttf"_s;
        program.refresh->open({latin});
        QVERIFY(program.configuration->isOpened(latin));
        QVERIFY(QFile::copy(latin, program.user(u"latin.ttf"_s)));
        program.refresh->installedFrom({latin});
        QVERIFY(!program.configuration->isOpened(latin));
        QCOMPARE(program.list().count(u"Varelith Latin+"_s), 1);
        QVERIFY(program.configuration->openedFiles().isEmpty());
    }
};

QTEST_MAIN(TestFontSetRefresh)
#include "tst_fontsetrefresh.moc"
