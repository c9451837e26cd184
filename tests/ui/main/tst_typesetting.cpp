#include "catalogues.h"
#include "familyfaces.h"
#include "familynames.h"
#include "featuredialog.h"
#include "fontfilechooser.h"
#include "fontfilemenu.h"
#include "fontinfoopener.h"
#include "form1.h"
#include "glyphcoverage.h"
#include "shapedsheetview.h"
#include "shaper.h"
#include "sheetfaces.h"
#include "sheetstylemenu.h"
#include "typesettingmenu.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTreeWidget>

#include <cmath>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

const QStringList Families{u"Varelith Vertical"_s, u"Varelith Faces"_s, u"Varelith Variable"_s};
const QString Sample = u"「かな」ABC 123。"_s;

// The file dialog, cancelled.
struct CancelledFontFiles : FontFileChooser {
    QStringList chooseFontFiles(QWidget*) override { return {}; }
};

// The main window over the made fonts, a page shown with `sample` at `size`; its file menu
// opens font files, as the program's does.
struct ShownSheet {
    // `opener` is handed in before the first page, as the program does.
    explicit ShownSheet(MemorySettingsStore& settings, const QString& size = u"20"_s,
                        const QStringList& families = Families, FontInfoOpener* opener = nullptr)
        : fonts(families)
        , store(settings) {
        form = std::make_unique<Form1>(catalogue, fonts, store, familyNames, nullptr, &coverage,
                                       nullptr, &sheetFaces, &shaper);
        form->setFontInfoOpener(opener);
        fontFiles = std::make_unique<FontFileMenu>(*form->mfile(), chooser, nullptr, form.get());
        form->Form_Load();
        form->Text2()->setText(size);
        form->Text1()->setText(Sample);
        QTest::keyClick(form->Text1(), Qt::Key_Return);
    }
    ShapedSheetView& sheet() const { return *form->shapedSheet(); }
    TypesettingMenu& menu() const { return *form->typesettingMenu(); }
    QImage painted() const { return form->RText1()->viewport()->grab().toImage(); }

    ListFontSource fonts;
    MemorySettingsStore& store;
    FontCatalogue catalogue;
    FamilyNames familyNames;
    GlyphCoverage coverage;
    FamilyFaces faces;
    SheetFaces sheetFaces{faces, coverage};
    Shaper shaper;
    std::unique_ptr<Form1> form;
    CancelledFontFiles chooser;
    std::unique_ptr<FontFileMenu> fontFiles;
};

Typesetting typesetting(bool vertical, const QString& features, const QString& axes) {
    return {vertical, FeatureSettings::fromText(features), VariationSettings::fromText(axes), {}};
}

struct OpenedFamilies : FontInfoOpener {
    void showFamily(const QString& family) override { families.append(family); }
    QStringList families;
};

// A double-click as a hand makes it, through the window system as the program gets it:
// press and release, the pointer a pixel further, press and release again.
void doubleClick(QWidget& viewport, const QPoint& at) {
    static int time = 100000;
    time += 10000; // far from the clicks before
    QWindow* window = viewport.window()->windowHandle();
    const QPoint inWindow = viewport.mapTo(viewport.window(), at);
    const QPoint global = viewport.mapToGlobal(at);
    const auto send = [&](QEvent::Type type, Qt::MouseButtons held, Qt::MouseButton button,
                          QPoint moved) {
        time += 40;
        qt_handleMouseEvent(window, inWindow + moved, global + moved, held, button, type, {}, time);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {});
    send(QEvent::MouseButtonRelease, Qt::NoButton, Qt::LeftButton, {});
    send(QEvent::MouseMove, Qt::NoButton, Qt::NoButton, {1, 0});
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {1, 0});
    send(QEvent::MouseButtonRelease, Qt::NoButton, Qt::LeftButton, {1, 0});
}

} // namespace

class TestTypesetting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            QFontDatabase::addApplicationFont(font.filePath());
    }

    // The text model stays the page's text: read, copied and sized alike in every mode.
    // Every mode is painted from the shaped layout, plain 横書き too: the painting changes
    // with the mode and comes back to the pixel.
    void sameTextInEveryMode_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("features");
        QTest::addColumn<QString>("axes");
        QTest::addColumn<bool>("changed");
        QTest::newRow("plain") << false << QString() << QString() << false;
        QTest::newRow("縦書き") << true << QString() << QString() << true;
        QTest::newRow("palt") << false << u"palt"_s << QString() << true;
        QTest::newRow("wght") << false << QString() << u"wght=900"_s << true;
        QTest::newRow("縦書き, features and axes")
            << true << u"+palt,-kern"_s << u"wght=100"_s << true;
    }
    void sameTextInEveryMode() {
        QFETCH(bool, vertical);
        QFETCH(QString, features);
        QFETCH(QString, axes);
        MemorySettingsStore store;
        ShownSheet shown(store);
        QTextEdit* view = shown.form->RText1();
        const QString text = view->toPlainText();
        const QSizeF plainSize = view->document()->size();
        const QImage plainPaint = shown.painted();
        QVERIFY(text.startsWith(u"Varelith Vertical "_s + Sample));
        // Plain 横書き is shaped as well: a line per font, each set in its own face.
        QCOMPARE(shown.sheet().lines().size(), Families.size());
        for (const ShapedSheetView::Line& line : shown.sheet().lines())
            QVERIFY(line.sample.valid && !line.standIn);

        shown.menu().setTypesetting(typesetting(vertical, features, axes));
        QCOMPARE(view->toPlainText(), text);
        QTEST(shown.painted() != plainPaint, "changed");
        QAccessibleTextInterface* accessible =
            QAccessible::queryAccessibleInterface(view)->textInterface();
        QCOMPARE(accessible->text(0, accessible->characterCount()), text);
        view->selectAll();
        view->copy();
        QCOMPARE(QApplication::clipboard()->text(), text);
        view->setTextCursor(QTextCursor(view->document()));

        // Back to plain, the same room and the same painting, to the pixel.
        shown.menu().setTypesetting({});
        QCOMPARE(view->document()->size(), plainSize);
        QCOMPARE(shown.painted(), plainPaint);
    }

    void notesAndColumns() {
        MemorySettingsStore store;
        ShownSheet shown(store);
        shown.menu().setTypesetting(typesetting(true, u"palt,ss02"_s, QString()));
        const QList<ShapedSheetView::Line>& lines = shown.sheet().lines();
        QCOMPARE(lines.size(), 3);
        QStringList notes;
        for (const ShapedSheetView::Line& line : lines)
            notes.append(line.name + u':' + line.note);
        QCOMPARE(notes, (QStringList{u"Varelith Vertical:ss02 非対応"_s,
                                     u"Varelith Faces:palt・ss02 非対応"_s,
                                     u"Varelith Variable:palt・ss02 非対応"_s}));
        // Right to left: each column further from the right edge than the one before, the
        // sample below its name.
        QVERIFY(lines.at(0).nameAt.x() < lines.at(1).nameAt.x());
        QVERIFY(lines.at(1).nameAt.x() < lines.at(2).nameAt.x());
        QVERIFY(lines.at(0).sampleAt.y() > lines.at(0).nameAt.y() + lines.at(0).nameRun.advance);
        // The first column is painted at the right of the view, where the page starts.
        const QImage painted = shown.painted();
        const int right = painted.width() - int(lines.at(0).sampleAt.x()) * painted.width() /
                                                shown.form->RText1()->viewport()->width();
        int ink = 0;
        for (int y = 0; y < painted.height(); ++y)
            ink += qGray(painted.pixel(std::clamp(right, 0, painted.width() - 1), y)) < 128;
        QVERIFY(ink > 0);
        // Nothing but the columns: the left half, where the document's lines would be, is bare.
        int stray = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width() / 2; ++x)
                stray += qGray(painted.pixel(x, y)) < 128;
        QCOMPARE(stray, 0);
        // Another page shown is laid out afresh: its own sample in every column, drawn.
        shown.form->Text1()->setText(u"縦書き"_s);
        QTest::keyClick(shown.form->Text1(), Qt::Key_Return);
        QCOMPARE(shown.sheet().lines().size(), 3);
        for (const ShapedSheetView::Line& line : shown.sheet().lines()) {
            QCOMPARE(line.sampleText, u"縦書き"_s);
            QCOMPARE(line.sample.glyphs.size(), 3);
        }
        QVERIFY(shown.painted() != painted);
    }

    // A click on a column or a shaped line lands on that line of the text, where the view
    // and the font information find it; the layout does not scroll away meanwhile.
    void clickFindsTheLine_data() {
        QTest::addColumn<bool>("vertical");
        QTest::newRow("縦書き") << true;
        QTest::newRow("横書き with palt") << false;
    }
    void clickFindsTheLine() {
        QFETCH(bool, vertical);
        MemorySettingsStore store;
        ShownSheet shown(store, u"60"_s);
        shown.menu().setTypesetting(typesetting(vertical, u"palt"_s, QString()));
        QTextEdit* view = shown.form->RText1();
        const int across = view->horizontalScrollBar()->value();
        QList<QPoint> points;
        for (int line = 2; line >= 0; --line) {
            const ShapedSheetView::Line& shaped = shown.sheet().lines().at(line);
            QPointF point = shaped.area.center() - QPointF(view->horizontalScrollBar()->value(),
                                                           view->verticalScrollBar()->value());
            if (vertical)
                point.setX(view->viewport()->width() - shaped.area.center().x() +
                           view->horizontalScrollBar()->maximum() - across);
            QCOMPARE(shown.sheet().lineAt(point), line);
            points.prepend(point.toPoint());
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, point.toPoint());
            QCOMPARE(view->textCursor().position(), shaped.documentPosition);
            QCOMPARE(view->horizontalScrollBar()->value(), across);
        }
        // A drag across the lines selects from line to line, the layout staying put.
        QTest::mousePress(view->viewport(), Qt::LeftButton, {}, points.at(2));
        QTest::mouseMove(view->viewport(), points.at(0));
        QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, points.at(0));
        QCOMPARE(view->textCursor().anchor(), shown.sheet().lines().at(2).documentPosition);
        QCOMPARE(view->textCursor().position(), shown.sheet().lines().at(0).documentPosition);
        QCOMPARE(view->horizontalScrollBar()->value(), across);
        QCOMPARE(shown.sheet().lineAt(QPointF(-5, -5)), -1);
    }

    // In a style, each line is shaped in the face the document draws and checks, and a
    // family without it keeps its plain face and the document's note beside the name.
    void styleFaceAndNote() {
        MemorySettingsStore store;
        ShownSheet shown(store);
        shown.form->styleMenu()->action(SheetStyle::Bold)->trigger();
        shown.menu().setTypesetting(typesetting(true, QString(), QString()));
        const QList<ShapedSheetView::Line>& lines = shown.sheet().lines();
        QCOMPARE(lines.at(0).name, u"Varelith Vertical（太字なし）"_s);
        QVERIFY(lines.at(0).sample.face.file.endsWith(u"varelith-vertical.ttf"_s));
        QCOMPARE(lines.at(1).name, u"Varelith Faces"_s);
        QVERIFY(lines.at(1).sample.face.file.endsWith(u"varelith-faces-bold.ttf"_s));
        const QTextDocument* document = shown.form->RText1()->document();
        for (int line = 0; line < 3; ++line)
            QCOMPARE(lines.at(line).documentPosition, document->findBlockByNumber(line).position());
    }

    // A family that is not installed is drawn by what stands in for it and marked missing
    // as a whole, as the document marks it; never left out.
    void familyNotInstalled_data() {
        QTest::addColumn<bool>("vertical");
        QTest::newRow("縦書き") << true;
        QTest::newRow("横書き with palt") << false;
    }
    void familyNotInstalled() {
        QFETCH(bool, vertical);
        MemorySettingsStore store;
        ShownSheet shown(store, u"20"_s, {u"Varelith Nowhere"_s});
        shown.menu().setTypesetting(typesetting(vertical, u"palt"_s, QString()));
        const ShapedSheetView::Line& line = shown.sheet().lines().at(0);
        QVERIFY(line.standIn && line.standInMissing);
        QVERIFY(line.sample.advance > 0);
        QCOMPARE(line.note, u"palt 非対応"_s);
        // The mark's tint is there, as on the document.
        const QImage painted = shown.painted();
        int tinted = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x) {
                const QColor colour = painted.pixelColor(x, y);
                tinted += colour.blue() > colour.red() + 20;
            }
        QVERIFY(tinted > 50);
    }

    // What is selected, and so copied, shows where it stands on the shaped page.
    void selectionShown_data() {
        QTest::addColumn<bool>("vertical");
        QTest::newRow("縦書き") << true;
        QTest::newRow("横書き with palt") << false;
    }
    void selectionShown() {
        QFETCH(bool, vertical);
        MemorySettingsStore store;
        ShownSheet shown(store, u"20"_s, {u"Varelith Vertical"_s});
        shown.form->Text1()->setText(u"かな"_s);
        QTest::keyClick(shown.form->Text1(), Qt::Key_Return);
        shown.menu().setTypesetting(typesetting(vertical, u"palt"_s, QString()));
        const auto tinted = [&] {
            const QImage painted = shown.painted();
            int count = 0;
            for (int y = 0; y < painted.height(); ++y)
                for (int x = 0; x < painted.width(); ++x) {
                    const QColor colour = painted.pixelColor(x, y);
                    count += colour.blue() > colour.red() + 20;
                }
            return count;
        };
        QCOMPARE(tinted(), 0);
        shown.form->RText1()->selectAll();
        QVERIFY(tinted() > 200);
    }

    // Double-clicks on line after line open each line's font, in every state the sheet
    // gets into: after paging, after a switch of mode or feature, after scrolling.
    void doubleClickOpensTheLineEveryTime_data() {
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("縦書き") << QStringList{u"縦書き"_s};
        QTest::newRow("縦書き, paged") << QStringList{u"縦書き"_s, u"page"_s};
        QTest::newRow("縦書き, scrolled") << QStringList{u"縦書き"_s, u"scroll"_s};
        QTest::newRow("縦書き, a feature switched") << QStringList{u"縦書き"_s, u"palt"_s};
        QTest::newRow("横書き with palt after 縦書き")
            << QStringList{u"縦書き"_s, u"横書き palt"_s, u"scroll"_s};
        QTest::newRow("plain after 縦書き, paged")
            << QStringList{u"縦書き"_s, u"plain"_s, u"page"_s};
    }
    void doubleClickOpensTheLineEveryTime() {
        QFETCH(QStringList, steps);
        OpenedFamilies opened;
        MemorySettingsStore store;
        ShownSheet shown(store, u"60"_s, Families, &opened);
        shown.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.form.get()));
        QTextEdit* view = shown.form->RText1();
        QScrollBar* across = view->horizontalScrollBar();
        QScrollBar* down = view->verticalScrollBar();
        for (const QString& step : steps) {
            if (step == u"page")
                QTest::keyClick(shown.form->Text1(), Qt::Key_Return);
            else if (step == u"scroll")
                down->setValue(down->value() + 40);
            else
                shown.menu().setTypesetting(
                    typesetting(step == u"縦書き" || step == u"palt",
                                step.contains(u"palt") ? u"palt"_s : QString(), QString()));
        }
        const bool vertical = shown.sheet().typesetting().vertical;
        // A point well inside the line, where the view shows it now.
        const auto pointOf = [&](int line) {
            const QRectF area = shown.sheet().lines().at(line).area;
            if (vertical)
                return QPoint(int(view->viewport()->width() - area.center().x() +
                                  across->maximum() - across->value()),
                              20);
            return QPoint(20, int(area.center().y()) - down->value());
        };
        for (int line : {2, 0, 1, 1}) {
            const QPoint point = pointOf(line);
            QVERIFY(view->viewport()->rect().contains(point));
            QCOMPARE(shown.sheet().lineAt(point), line);
            opened.families.clear();
            doubleClick(*view->viewport(), point);
            QCOMPARE(opened.families, QStringList{Families.at(line)});
        }
    }

    void widePageScrollsFromItsRight() {
        MemorySettingsStore store;
        ShownSheet shown(store, u"150"_s);
        QScrollBar* across = shown.form->RText1()->horizontalScrollBar();
        shown.menu().setTypesetting(typesetting(true, QString(), QString()));
        QVERIFY(shown.sheet().layoutSize().width() > shown.form->RText1()->viewport()->width());
        QVERIFY(across->maximum() > 0);
        QCOMPARE(across->value(), across->maximum());
        // A feature switched keeps the place scrolled to; showing the page again keeps the
        // mode and starts from the right again.
        across->setValue(0);
        shown.menu().setTypesetting(typesetting(true, u"palt"_s, QString()));
        QCOMPARE(across->value(), 0);
        QTest::keyClick(shown.form->Text1(), Qt::Key_Return);
        QVERIFY(shown.sheet().typesetting().vertical);
        QCOMPARE(across->value(), across->maximum());
    }

    // On a window as shown, where Qt decides on its scroll bars once the queued events are
    // handled: 横書き starts at the left, 縦書き at the right, a feature switched keeps the
    // first column whole at the right, and a switch of mode keeps the same line in view.
    void scrollPlaceFollowsTheMode() {
        MemorySettingsStore store;
        const QStringList five{Families.at(0), Families.at(1), Families.at(2), u"Varelith Blank"_s,
                               u"Varelith Horizontal"_s};
        ShownSheet shown(store, u"150"_s, five);
        shown.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.form.get()));
        QTextEdit* view = shown.form->RText1();
        QScrollBar* across = view->horizontalScrollBar();
        QScrollBar* down = view->verticalScrollBar();
        const auto switchTo = [&](bool vertical, const QString& features) {
            shown.menu().setTypesetting(typesetting(vertical, features, QString()));
            QCoreApplication::sendPostedEvents();
        };
        const auto area = [&](int line) {
            return shown.sheet().lines().at(line).area;
        };
        // The line at the right edge of the view in 縦書き, at its top in 横書き.
        const auto lineAtStart = [&] {
            const bool vertical = shown.sheet().typesetting().vertical;
            return shown.sheet().lineAt(vertical ? QPointF(view->viewport()->width() - 2, 20)
                                                 : QPointF(2, 2));
        };

        switchTo(true, QString());
        QVERIFY(across->maximum() > 0);
        QCOMPARE(across->value(), across->maximum());
        QCOMPARE(lineAtStart(), 0);
        switchTo(true, u"palt"_s);
        QCOMPARE(across->value(), across->maximum());
        QCOMPARE(down->value(), 0);

        // The third column at the right, then 横書き: the names in view, the third line at top.
        across->setValue(across->maximum() - qRound(area(2).left()));
        QCOMPARE(lineAtStart(), 2);
        switchTo(false, u"palt"_s);
        QCOMPARE(across->value(), 0);
        QVERIFY(down->maximum() >= qRound(area(2).top()));
        QCOMPARE(down->value(), qRound(area(2).top()));
        QCOMPARE(lineAtStart(), 2);

        // The fourth line at the top, then 縦書き: its column at the right, from the top.
        down->setValue(qRound(area(3).top()));
        switchTo(true, u"palt"_s);
        QCOMPARE(down->value(), 0);
        QCOMPARE(lineAtStart(), 3);
        QCOMPARE(across->value(), across->maximum() - qRound(area(3).left()));

        // Plain 横書き, the document's own lines: from the left, the fourth line at the top.
        switchTo(false, QString());
        QCOMPARE(across->value(), 0);
        QCOMPARE(view->cursorForPosition(QPoint(2, 2)).block().blockNumber(), 3);
        // From the document's lines back to columns, and a new page from the right again.
        switchTo(true, QString());
        QCOMPARE(lineAtStart(), 3);
        QTest::keyClick(shown.form->Text1(), Qt::Key_Return);
        QCoreApplication::sendPostedEvents();
        QCOMPARE(across->value(), across->maximum());
        QCOMPARE(lineAtStart(), 0);
    }

    // A feature switched in 縦書き that makes the columns taller than the view: Qt adds the
    // vertical scroll bar only once the queued events are handled, the view narrows, and the
    // first column must still stand whole at the right, not half under the bar.
    void featureSwitchKeepsTheFirstColumnWhole() {
        MemorySettingsStore store;
        const QStringList five{Families.at(0), Families.at(1), Families.at(2), u"Varelith Blank"_s,
                               u"Varelith Horizontal"_s};
        ShownSheet shown(store, u"60"_s, five);
        shown.form->Text1()->setText(u"かなカナ"_s);
        QTest::keyClick(shown.form->Text1(), Qt::Key_Return);
        shown.form->show();
        QVERIFY(QTest::qWaitForWindowExposed(shown.form.get()));
        QTextEdit* view = shown.form->RText1();
        QScrollBar* across = view->horizontalScrollBar();
        const auto switchTo = [&](const QString& features) {
            shown.menu().setTypesetting(typesetting(true, features, QString()));
            QCoreApplication::sendPostedEvents();
        };
        switchTo(u"palt"_s);
        const qreal noted = shown.sheet().layoutSize().height();
        switchTo(QString());
        const qreal plain = shown.sheet().layoutSize().height();
        QVERIFY(noted > plain + 10); // "palt 非対応" lengthens the columns
        // The view as tall as between the two: no vertical scroll bar until palt is switched.
        const int between = qRound((noted + plain) / 2);
        view->resize(view->width(), view->height() + between - view->viewport()->height());
        QCoreApplication::sendPostedEvents();
        QVERIFY(!view->verticalScrollBar()->isVisible());
        QVERIFY(across->maximum() > 0);
        across->setValue(across->maximum());
        const int width = view->viewport()->width();
        switchTo(u"palt"_s);
        QVERIFY(view->verticalScrollBar()->isVisible());
        QVERIFY(view->viewport()->width() < width);
        QCOMPARE(across->value(), across->maximum());
    }

    void ctrlTToggles() {
        MemorySettingsStore store;
        ShownSheet shown(store);
        shown.form->show();
        QVERIFY(QTest::qWaitForWindowActive(shown.form.get()));
        for (const QString& expected : {u"vertical"_s, u"horizontal"_s}) {
            QTest::keyClick(shown.form.get(), Qt::Key_T, Qt::ControlModifier);
            QCOMPARE(store.values.value(u"writing_Sheet"_s), expected);
            QCOMPARE(shown.menu().vertical()->isChecked(), expected == u"vertical"_s);
            QCOMPARE(shown.menu().horizontal()->isChecked(), expected != u"vertical"_s);
            QCOMPARE(shown.sheet().typesetting().vertical, expected == u"vertical"_s);
        }
    }

    // Menu items in, the stored choice out, and the next start takes it up again.
    void menuRemembered() {
        MemorySettingsStore store;
        {
            ShownSheet shown(store);
            shown.menu().featureAction(u"palt"_s)->trigger();
            shown.menu().featureAction(u"jp90"_s)->trigger();
            shown.menu().featureAction(u"jp90"_s)->trigger();
            shown.menu().axisAction(u"wght"_s, 700)->trigger();
            shown.menu().vertical()->trigger();
        }
        QCOMPARE(store.values.value(u"features_Sheet"_s), u"+palt"_s);
        QCOMPARE(store.values.value(u"axes_Sheet"_s), u"wght=700"_s);
        ShownSheet again(store);
        QVERIFY(again.sheet().typesetting().vertical);
        QVERIFY(again.menu().vertical()->isChecked());
        QVERIFY(again.menu().featureAction(u"palt"_s)->isChecked());
        QVERIFY(!again.menu().featureAction(u"jp90"_s)->isChecked());
        QVERIFY(again.menu().axisAction(u"wght"_s, 700)->isChecked());
        again.menu().axisAction(u"wght"_s, std::nanf(""))->trigger();
        QCOMPARE(store.values.value(u"axes_Sheet"_s), QString());
    }

    // The free field of その他の機能: a list that does not read changes nothing and says so.
    void freeTagField() {
        MemorySettingsStore store;
        QMenu menu;
        auto typesettingMenu = std::make_unique<TypesettingMenu>(menu, store, nullptr);
        typesettingMenu->showFeatureDialog();
        FeatureDialog* dialog = typesettingMenu->featureDialog();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QVERIFY(dialog->tagField()->text().isEmpty());
        dialog->tagField()->setText(u"+paltx"_s);
        QTest::keyClick(dialog->tagField(), Qt::Key_Return);
        QVERIFY(dialog->isVisible()); // Enter takes the field, it does not close
        QVERIFY(dialog->tagProblem()->isVisible());
        QVERIFY(!store.values.contains(u"features_Sheet"_s));
        dialog->tagField()->setText(u"+palt,-kern"_s);
        QTest::keyClick(dialog->tagField(), Qt::Key_Return);
        QVERIFY(!dialog->tagProblem()->isVisible());
        QCOMPARE(store.values.value(u"features_Sheet"_s), u"+palt,-kern"_s);
        QVERIFY(typesettingMenu->featureAction(u"palt"_s)->isChecked());
        QVERIFY(!typesettingMenu->featureAction(u"kern"_s)->isChecked());
        // The menu's switches show in the field.
        typesettingMenu->featureAction(u"palt"_s)->trigger();
        QCOMPARE(dialog->tagField()->text(), u"-kern"_s);

        // Written to the disk a moment later, once for a run of changes; at the latest as
        // the menu goes.
        QCOMPARE(store.flushes, 0);
        QTRY_COMPARE(store.flushes, 1);
        typesettingMenu->vertical()->trigger();
        typesettingMenu->featureAction(u"nlck"_s)->trigger();
        typesettingMenu.reset();
        QCOMPARE(store.flushes, 2);
    }

    // Every menu of the main window, by its object name, with its items' captions.
    void accessKeysUniqueInEveryMenu_data() {
        QTest::addColumn<QStringList>("captions");
        MemorySettingsStore store;
        ShownSheet shown(store);
        QList<QMenu*> menus;
        for (QAction* action : shown.form->menuBar()->actions())
            if (action->menu())
                menus.append(action->menu());
        QStringList bar;
        for (QAction* action : shown.form->menuBar()->actions())
            bar.append(action->text());
        QTest::newRow("menu bar") << bar;
        for (qsizetype next = 0; next < menus.size(); ++next) {
            QStringList captions;
            for (QAction* action : menus.at(next)->actions()) {
                if (action->isSeparator())
                    continue;
                captions.append(action->text());
                if (action->menu())
                    menus.append(action->menu());
            }
            QTest::newRow(qPrintable(menus.at(next)->objectName())) << captions;
        }
        QVERIFY(menus.size() >=
                10); // ファイル, 印刷, 表示, スタイル, OpenType 機能, 可変軸 and its axes, ヘルプ
    }

    // A key reaches one item of its menu: no two items share an access key.
    void accessKeysUniqueInEveryMenu() {
        QFETCH(QStringList, captions);
        QHash<QChar, QString> keyOf;
        for (const QString& caption : captions) {
            const qsizetype amp = caption.indexOf(u'&');
            if (amp < 0 || amp + 1 >= caption.size())
                continue;
            const QChar key = caption.at(amp + 1).toUpper();
            QVERIFY2(!keyOf.contains(key), qPrintable(caption + u" and "_s + keyOf.value(key)));
            keyOf.insert(key, caption);
        }
    }

    // The menu holds what Japanese setting uses most and fits a screen; その他の機能 lists every
    // feature with its name, and a feature switched there reaches the sheet.
    void otherFeatures() {
        MemorySettingsStore store;
        ShownSheet shown(store);
        QMenu* features = shown.menu().featuresMenu();
        QStringList items;
        for (QAction* action : features->actions())
            if (!action->isSeparator())
                items.append(action->text());
        QVERIFY2(items.size() <= 12 + 2, qPrintable(items.join(u", ")));
        for (const QString& tag : TypesettingMenu::menuTags()) {
            QAction* action = shown.menu().featureAction(tag);
            QVERIFY(action->text().contains(FeatureSettings::describe(tag)));
            QVERIFY(action->text().contains(u'&'));
        }
        QVERIFY(features->sizeHint().height() < 1200 - 200);

        features->findChild<QAction*>(u"mfeaturemore"_s)->trigger();
        FeatureDialog* dialog = shown.menu().featureDialog();
        QVERIFY(dialog && dialog->isVisible());
        QTreeWidget* list = dialog->featureList();
        QStringList listed;
        for (int row = 0; row < list->topLevelItemCount(); ++row) {
            const QTreeWidgetItem* item = list->topLevelItem(row);
            listed.append(item->text(0));
            QCOMPARE(item->text(1), FeatureSettings::describe(item->text(0)));
        }
        QCOMPARE(listed, FeatureSettings::knownTags());
        for (const QString& tag : TypesettingMenu::menuTags())
            QVERIFY2(listed.contains(tag), qPrintable(tag));

        // Ticked there: stored, shown in the menu and set on the sheet.
        const auto item = [list](const QString& tag) {
            return list->topLevelItem(int(FeatureSettings::knownTags().indexOf(tag)));
        };
        item(u"ss02"_s)->setCheckState(0, Qt::Checked);
        item(u"palt"_s)->setCheckState(0, Qt::Checked);
        QCOMPARE(store.values.value(u"features_Sheet"_s), u"+ss02,+palt"_s);
        QCOMPARE(shown.sheet().typesetting().features.toText(), u"+ss02,+palt"_s);
        QVERIFY(shown.menu().featureAction(u"palt"_s)->isChecked());
        shown.menu().featureAction(u"palt"_s)->trigger();
        QCOMPARE(item(u"palt"_s)->checkState(0), Qt::Unchecked);
        QCOMPARE(shown.sheet().typesetting().features.toText(), u"+ss02"_s);
    }
};

QTEST_MAIN(TestTypesetting)
#include "tst_typesetting.moc"
