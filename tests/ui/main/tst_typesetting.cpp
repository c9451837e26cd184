#include "catalogues.h"
#include "familyfaces.h"
#include "familynames.h"
#include "featuredialog.h"
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

// The main window over the made fonts, a page shown with `sample` at `size`.
struct ShownSheet {
    explicit ShownSheet(MemorySettingsStore& settings, const QString& size = u"20"_s,
                        const QStringList& families = Families)
        : fonts(families)
        , store(settings) {
        form = std::make_unique<Form1>(catalogue, fonts, store, familyNames, nullptr, &coverage,
                                       nullptr, &sheetFaces, &shaper);
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
};

Typesetting typesetting(bool vertical, const QString& features, const QString& axes) {
    return {vertical, FeatureSettings::fromText(features), VariationSettings::fromText(axes)};
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
    void sameTextInEveryMode_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("features");
        QTest::addColumn<QString>("axes");
        QTest::addColumn<bool>("shaped");
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

        shown.menu().setTypesetting(typesetting(vertical, features, axes));
        QTEST(shown.sheet().isActive(), "shaped");
        QCOMPARE(view->toPlainText(), text);
        QCOMPARE(shown.painted() != plainPaint, shown.sheet().isActive());
        QAccessibleTextInterface* accessible =
            QAccessible::queryAccessibleInterface(view)->textInterface();
        QCOMPARE(accessible->text(0, accessible->characterCount()), text);
        view->selectAll();
        view->copy();
        QCOMPARE(QApplication::clipboard()->text(), text);
        view->setTextCursor(QTextCursor(view->document()));

        // Back to plain, the view is the document's again, to the pixel.
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

    // A double-click on a column opens that column's font, as on a line of 横書き.
    void fontInfoFromAColumn() {
        struct Opened : FontInfoOpener {
            void showFamily(const QString& family) override { families.append(family); }
            QStringList families;
        } opened;
        MemorySettingsStore store;
        ShownSheet shown(store);
        shown.form->setFontInfoOpener(&opened);
        QTest::keyClick(shown.form->Text1(), Qt::Key_Return);
        shown.menu().setTypesetting(typesetting(true, QString(), QString()));
        QTextEdit* view = shown.form->RText1();
        for (int line : {2, 0}) {
            const QRectF area = shown.sheet().lines().at(line).area;
            const QPoint point(int(view->viewport()->width() - area.center().x() +
                                   view->horizontalScrollBar()->maximum() -
                                   view->horizontalScrollBar()->value()),
                               int(area.top() + 10));
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, point);
        }
        QCOMPARE(opened.families, (QStringList{Families.at(2), Families.at(0)}));
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
        QVERIFY(shown.sheet().isActive());
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
            QCOMPARE(shown.sheet().isActive(), expected == u"vertical"_s);
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
        QVERIFY(again.sheet().isActive());
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
