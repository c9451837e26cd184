#include "charactergrid.h"
#include "charactergridview.h"
#include "comparisoncanvas.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontcatalogue.h"
#include "fontinfowindow.h"
#include "form1.h"
#include "glyphcompareentries.h"
#include "glyphcomparewindow.h"
#include "listfontsource.h"
#include "memorysettingsstore.h"
#include "recordingfontinfoopener.h"
#include "shaper.h"
#include "sheetfontinfohook.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

ComparedFont testFont(const QString& name, const QString& file) {
    return {name, {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + file, 0}};
}
// Variants Two first: its 辻 is the reference, drawn as Variants draws 辻 without switches.
const QList<ComparedFont> TwoFonts{
    testFont(u"Varelith Variants Two"_s, u"varelith-variants-two.ttf"_s),
    testFont(u"Varelith Variants"_s, u"varelith-variants.ttf"_s)};

// How many of the box's pixels are nearly black: the glyphs are drawn in the text colour.
int inkIn(const QImage& image, const QRect& box) {
    int ink = 0;
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            ink += qGray(image.pixel(x, y)) < 80 ? 1 : 0;
    return ink;
}

// The glyph's part of a cell: the name is drawn under it.
QRect glyphBox(const ComparisonCanvas& canvas, int section, int cell) {
    const QRect box = canvas.cellRect(section, cell);
    return QRect(box.left() + 10, box.top() + 10, box.width() - 20, 80);
}

QImage rendered(ComparisonCanvas& canvas) {
    QPalette palette = canvas.palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    canvas.setPalette(palette);
    canvas.resize(ComparisonCanvas::CellWidth * 4,
                  canvas.heightForWidth(ComparisonCanvas::CellWidth * 4));
    QImage image(canvas.size(), QImage::Format_RGB32);
    canvas.render(&image);
    return image;
}

} // namespace

class TestGlyphCompareWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A switch that changes one font's glyph to another shape frames that cell; one that
    // changes it to another glyph of the same shape does not.
    void theSwitchesChangeTheHighlight_data() {
        QTest::addColumn<QString>("tag");
        QTest::addColumn<bool>("differs");
        QTest::newRow("none") << QString() << false;
        QTest::newRow("jp90") << u"jp90"_s << true;
        QTest::newRow("jp04") << u"jp04"_s << false;
    }
    void theSwitchesChangeTheHighlight() {
        QFETCH(QString, tag);
        QFETCH(bool, differs);
        Shaper shaper;
        GlyphCompareWindow window(shaper, [] { return TwoFonts; }, {});
        window.showCharacters(u"辻"_s);
        if (!tag.isEmpty())
            window.switchBox(tag)->setChecked(true);
        const ComparisonCanvas::Section& row = window.canvas()->sections().at(0);
        QCOMPARE(row.cells.size(), 2);
        QVERIFY(!row.cells.at(0).differs);
        QCOMPARE(row.cells.at(1).differs, differs);
        // The frame is drawn in the difference colour, which nothing else uses.
        const QImage image = rendered(*window.canvas());
        const QRect cell = window.canvas()->cellRect(0, 1);
        const QColor frame = image.pixelColor(cell.left() + 4, cell.center().y());
        QCOMPARE(frame.red() > 150 && frame.blue() < 60, differs);
        // The jp90 form is drawn in the cell, not the plain one.
        const int plainInk = inkIn(image, glyphBox(*window.canvas(), 0, 0));
        const int ink = inkIn(image, glyphBox(*window.canvas(), 0, 1));
        QCOMPARE(ink != plainInk, differs);
    }

    // 辻's sequences, each in the fonts that define any: a default one, the variant of
    // "Varelith Variants", Two's own; a font without the sequence gets the mark and no glyph.
    void listsTheSequencesAndMarksTheMissing() {
        Shaper shaper;
        QTemporaryDir dir;
        QFile ivd(dir.filePath(u"IVD_Sequences.txt"_s));
        QVERIFY(ivd.open(QIODevice::WriteOnly));
        ivd.write("8FBB E0101; Moji_Joho; MJ025760\n");
        ivd.close();
        GlyphCompareWindow window(shaper, [] { return TwoFonts; }, {ivd.fileName()});
        window.showCharacters(u"辻"_s);
        const QList<ComparisonCanvas::Section>& sections = window.canvas()->sections();
        QCOMPARE(sections.size(), 4);
        QVERIFY(sections.at(1).title.contains(u"VS17 (U+E0100)"_s));
        QVERIFY(sections.at(2).title.contains(u"VS18 (U+E0101)"_s));
        QVERIFY(sections.at(2).title.contains(u"Moji_Joho"_s));
        QVERIFY(!sections.at(1).title.contains(u"Moji_Joho"_s));
        QVERIFY(sections.at(3).title.contains(u"VS19 (U+E0102)"_s));
        // Two, Variants in every section.
        const QList<QList<bool>> missing{{true, false}, {true, false}, {false, true}};
        for (int s = 1; s <= 3; ++s)
            for (int c = 0; c < 2; ++c)
                QCOMPARE(sections.at(s).cells.at(c).missing, missing.at(s - 1).at(c));
        QCOMPARE(sections.at(1).cells.at(1).note, u"既定の字形"_s);

        const QImage image = rendered(*window.canvas());
        const int drawnDefault = inkIn(image, glyphBox(*window.canvas(), 1, 1));
        const int drawnVariant = inkIn(image, glyphBox(*window.canvas(), 2, 1));
        const int missingCell = inkIn(image, glyphBox(*window.canvas(), 2, 0));
        QVERIFY2(drawnDefault > 400, qPrintable(QString::number(drawnDefault)));
        // The variant is the jp90 form of "Varelith Variants", heavier than its plain 辻.
        QVERIFY2(drawnVariant > drawnDefault, qPrintable(QString::number(drawnVariant)));
        // The mark and "なし", never Two's plain 辻 in its place.
        QVERIFY2(missingCell < drawnDefault / 2, qPrintable(QString::number(missingCell)));
        const QColor tint =
            image.pixelColor(glyphBox(*window.canvas(), 2, 0).topLeft() + QPoint(4, 4));
        QVERIFY(tint != QColor(Qt::white));
    }

    // Typed with its selector, a sequence is compared as it is, without a listing after it.
    void aTypedSequenceIsCompared() {
        Shaper shaper;
        GlyphCompareWindow window(shaper, [] { return TwoFonts; }, {});
        window.showCharacters(u"辻\U000E0101葛"_s);
        QCOMPARE(window.rows().size(), 2);
        QCOMPARE(window.rows().at(0).cells.at(0).missing, true);
        QCOMPARE(window.rows().at(0).cells.at(1).missing, false);
        // 葛: its own row, then its one sequence (U+E0100) in "Varelith Variants" alone; Two,
        // which defines none for it, left out.
        const QList<ComparisonCanvas::Section>& sections = window.canvas()->sections();
        QCOMPARE(sections.size(), 3);
        QCOMPARE(sections.at(2).cells.size(), 1);
        QCOMPARE(sections.at(2).cells.at(0).fontName, u"Varelith Variants"_s);
    }

    void characterAt_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("position");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a kanji") << u"Name 辻葛"_s << 5 << u"辻"_s;
        QTest::newRow("with its selector") << u"辻\U000E0101葛"_s << 0 << u"辻\U000E0101"_s;
        QTest::newRow("second half of a pair") << u"a𠮟"_s << 2 << u"𠮟"_s;
        QTest::newRow("a space") << u"辻 葛"_s << 1 << QString();
        QTest::newRow("the selector itself") << u"辻\U000E0101"_s << 1 << QString();
        QTest::newRow("past the text") << u"辻"_s << 1 << QString();
    }
    void characterAt() {
        QFETCH(QString, text);
        QFETCH(int, position);
        QFETCH(QString, expected);
        QTextDocument document(text);
        QCOMPARE(GlyphCompareEntries::characterAt(document, position), expected);
    }

    // 表示 → 字形比較 opens the window on the sample's characters; the sheet's context menu
    // gets its entry from the information hook.
    void opensFromTheViewMenu() {
        FontCatalogue catalogue;
        const ListFontSource fonts;
        MemorySettingsStore store;
        FamilyNames familyNames;
        Form1 form(catalogue, fonts, store, familyNames, nullptr);
        RecordingFontInfoOpener opener;
        form.setFontInfoOpener(&opener);
        int made = 0;
        Shaper shaper;
        GlyphCompareEntries entries(form, nullptr, [&] {
            ++made;
            return std::make_unique<GlyphCompareWindow>(
                shaper, [] { return TwoFonts; }, QStringList());
        });
        QVERIFY(form.mview()->actions().contains(entries.menuEntry()));
        QCOMPARE(made, 0);
        form.Text1()->setText(u"辻と葛"_s);
        entries.menuEntry()->trigger();
        QCOMPARE(made, 1);
        QVERIFY(entries.window()->isVisible());
        QCOMPARE(entries.window()->rows().size(), 3);
        entries.menuEntry()->trigger();
        QCOMPARE(made, 1);

        // The sheet's context menu, filled: the entry for the character at the position.
        auto* hook = form.RText1()->findChild<SheetFontInfoHook*>();
        QVERIFY(hook);
        form.RText1()->setPlainText(u"Alpha 葛"_s);
        QMenu menu;
        Q_EMIT hook->contextMenuFilled(&menu, 6);
        QCOMPARE(menu.actions().size(), 1);
        QVERIFY(menu.actions().at(0)->isEnabled());
        menu.actions().at(0)->trigger();
        QCOMPARE(entries.window()->characterBox()->text(), u"葛"_s);
    }

    // Closing the main window ends the program while 字形比較 is still open.
    void doesNotKeepTheProgramRunning() {
        QWidget mainWindow;
        mainWindow.show();
        Shaper shaper;
        GlyphCompareWindow window(shaper, [] { return TwoFonts; }, {});
        window.showCharacters(u"辻"_s);
        // Qt ends its event loop by itself when the last window that counts has closed.
        bool keptRunning = false;
        QTimer fallback;
        fallback.setSingleShot(true);
        connect(&fallback, &QTimer::timeout, qApp, [&keptRunning] {
            keptRunning = true;
            QCoreApplication::quit();
        });
        fallback.start(2000);
        QTimer::singleShot(0, &mainWindow, &QWidget::close);
        QApplication::exec();
        QVERIFY(!keptRunning);
    }

    // The information window's character grid: its entry compares the chosen character.
    void opensFromTheCharacterGrid() {
        FamilyNames names;
        FamilyFaces faces;
        Shaper shaper;
        FontInfoWindow info(
            names, faces, shaper, [] { return u"辻"_s; }, [](const QUrl&) { return true; },
            nullptr);
        FontCatalogue catalogue;
        const ListFontSource fonts;
        MemorySettingsStore store;
        Form1 form(catalogue, fonts, store, names, nullptr);
        GlyphCompareEntries entries(form, &info, [&] {
            return std::make_unique<GlyphCompareWindow>(
                shaper, [] { return TwoFonts; }, QStringList());
        });
        info.setFamily(u"Varelith Variants"_s);
        CharacterGridView* view = info.characterGrid();
        CharacterGrid* grid = view->grid();
        for (int block = 0; block < view->blockChooser()->count(); ++block) {
            view->blockChooser()->setCurrentIndex(block);
            if (grid->characters().contains(U'辻'))
                break;
        }
        grid->setCurrent(int(grid->characters().indexOf(U'辻')));
        QCOMPARE(grid->contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(grid->actions().size(), 1);
        grid->actions().at(0)->trigger();
        QVERIFY(entries.window());
        QCOMPARE(entries.window()->characterBox()->text(), u"辻"_s);
    }
};

QTEST_MAIN(TestGlyphCompareWindow)
#include "tst_glyphcomparewindow.moc"
