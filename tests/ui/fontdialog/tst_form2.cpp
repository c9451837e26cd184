#include "catalogues.h"
#include "form2.h"
#include "ticklistmodel.h"
#include "ticklistview.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

QStringList fontNames(int count) {
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names.append(u"Font %1"_s.arg(n));
    return names;
}

// A dialog loaded over its own fonts and store, as the main window loads it.
struct LoadedDialog {
    explicit LoadedDialog(int fontCount, const QHash<QString, QString>& stored = {})
        : fonts(fontNames(fontCount)) {
        store.values = stored;
        dialog.Form_Load();
    }

    int flagWrites() const {
        int writes = 0;
        for (const QString& key : store.savedKeys)
            writes += key.startsWith(u"flg_Font"_s) ? 1 : 0;
        return writes;
    }

    ListFontSource fonts;
    MemorySettingsStore store;
    FontCatalogue catalogue;
    Form2 dialog{catalogue, fonts, store};
};

} // namespace

class TestForm2 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void windowIsTheFixedSelectionDialog() {
        LoadedDialog loaded(3);
        Form2& dialog = loaded.dialog;
        QCOMPARE(dialog.windowTitle(), u"表示フォント選択"_s);
        QCOMPARE(dialog.size(), QSize(233, 423));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMinimizeButtonHint));
        QVERIFY(!(dialog.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(dialog.windowFlags() & Qt::WindowCloseButtonHint);
        QVERIFY(!dialog.windowIcon().isNull());
        QCOMPARE(dialog.List1()->objectName(), u"List1"_s);
        QCOMPARE(dialog.List1()->geometry(), QRect(0, 0, 233, 382));
        QCOMPARE(dialog.Command1()->objectName(), u"Command1"_s);
        QCOMPARE(dialog.Command1()->text(), u"閉じる"_s);
        QCOMPARE(dialog.Command1()->geometry(), QRect(136, 392, 89, 25));
        QVERIFY(!dialog.Command1()->isDefault());
        QVERIFY(!dialog.Command1()->autoDefault());
        QCOMPARE(dialog.lbl_cnt()->objectName(), u"lbl_cnt"_s);
        for (QWidget* control :
             {static_cast<QWidget*>(dialog.List1()), static_cast<QWidget*>(dialog.Command1()),
              static_cast<QWidget*>(dialog.lbl_cnt())})
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
    }

    void loadingBuildsTheCatalogueIntoTheList() {
        LoadedDialog loaded(4, {{u"flg_Font2"_s, u"0"_s}, {u"flg_Font4"_s, u"2"_s}});
        QCOMPARE(loaded.fonts.reads, 1);
        QCOMPARE(loaded.dialog.listCount(), 4);
        const TickListModel& model = loaded.dialog.List1()->tickModel();
        QCOMPARE(model.name(0), u"Font 1"_s);
        QCOMPARE(model.name(3), u"Font 4"_s);
        const QList<bool> ticks{model.isTicked(0), model.isTicked(1), model.isTicked(2),
                                model.isTicked(3)};
        QCOMPARE(ticks, (QList<bool>{true, false, true, false}));
        QCOMPARE(loaded.dialog.lbl_cnt()->text(), u"4個中2個選択"_s);
        QCOMPARE(int(loaded.catalogue.SelNum()), 2);
        QVERIFY(loaded.dialog.List1()->isVisibleTo(&loaded.dialog));
        QVERIFY(!loaded.dialog.isVisible());
    }

    void refillIsOneResetOfTheModel() {
        ListFontSource fonts(fontNames(500));
        MemorySettingsStore store;
        FontCatalogue catalogue;
        Form2 dialog(catalogue, fonts, store);
        TickListModel& model = dialog.List1()->tickModel();
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        dialog.Form_Load();
        QCOMPARE(resets.size(), 1);
        QCOMPARE(inserts.size(), 0);
        QCOMPARE(changes.size(), 0);
        QCOMPARE(model.rowCount(), 500);
    }

    void tickingTogglesOneItemAndLeavesTheCountLine() {
        LoadedDialog loaded(3);
        TickListView* list = loaded.dialog.List1();
        loaded.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&loaded.dialog));
        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Space);
        const TickListModel& model = list->tickModel();
        QVERIFY(model.isTicked(0));
        QVERIFY(!model.isTicked(1));
        QVERIFY(model.isTicked(2));
        QVERIFY(
            list->model()->setData(list->model()->index(2, 0), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!model.isTicked(2));
        QCOMPARE(loaded.dialog.lbl_cnt()->text(), u"3個中3個選択"_s);
        QCOMPARE(int(loaded.catalogue.SelNum()), 3);
        loaded.dialog.unload();
    }

    void enterInTheListLeavesTheDialogOpen() {
        LoadedDialog loaded(3);
        loaded.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&loaded.dialog));
        QTest::keyClick(loaded.dialog.List1(), Qt::Key_Return);
        QTest::keyClick(loaded.dialog.List1(), Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(loaded.dialog.isVisible());
        QVERIFY(!loaded.dialog.isUnloaded());
        QCOMPARE(loaded.flagWrites(), 0);
        loaded.dialog.unload();
    }

    void everyWayOfClosingCommitsOnce_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("close button") << u"button"_s;
        QTest::newRow("title bar close box") << u"close"_s;
        QTest::newRow("Esc") << u"escape"_s;
        QTest::newRow("Alt+F4") << u"alt-f4"_s;
    }

    void everyWayOfClosingCommitsOnce() {
        QFETCH(QString, way);
        LoadedDialog loaded(12);
        QSignalSpy resets(&loaded.dialog, &Form2::pageFieldsReset);
        loaded.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&loaded.dialog));
        loaded.dialog.setSelected(0, false);

        if (way == u"button"_s)
            QTest::mouseClick(loaded.dialog.Command1(), Qt::LeftButton);
        else if (way == u"close"_s)
            loaded.dialog.close();
        else if (way == u"escape"_s)
            QTest::keyClick(loaded.dialog.List1(), Qt::Key_Escape);
        else
            QTest::keyClick(loaded.dialog.List1(), Qt::Key_F4, Qt::AltModifier);

        QVERIFY(loaded.dialog.isUnloaded());
        QVERIFY(!loaded.dialog.isVisible());
        QCOMPARE(loaded.flagWrites(), 12);
        QCOMPARE(loaded.store.values.value(u"flg_Font1"_s), u"0"_s);
        QCOMPARE(loaded.store.values.value(u"flg_Font2"_s), u"1"_s);
        QCOMPARE(int(loaded.catalogue.SelNum()), 11);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(resets.first(), (QVariantList{u"1"_s, u"2"_s}));

        // Whatever comes after the unload finds it done.
        loaded.dialog.close();
        loaded.dialog.unload();
        QCOMPARE(loaded.flagWrites(), 12);
        QCOMPARE(resets.size(), 1);
    }

    void unloadWhileHiddenCommitsTheRestoredFlags() {
        LoadedDialog loaded(3, {{u"flg_Font3"_s, u"0"_s}});
        loaded.dialog.unload();
        QCOMPARE(loaded.store.values.value(u"flg_Font1"_s), u"1"_s);
        QCOMPARE(loaded.store.values.value(u"flg_Font3"_s), u"0"_s);
        QCOMPARE(loaded.flagWrites(), 3);
    }

    void pageTotalFollowsTheTicks_data() {
        QTest::addColumn<int>("ticked");
        QTest::addColumn<QString>("pageTotal");
        QTest::newRow("none") << 0 << u"1"_s;
        QTest::newRow("nine") << 9 << u"1"_s;
        QTest::newRow("ten") << 10 << u"2"_s;
        QTest::newRow("twenty-five") << 25 << u"3"_s;
    }

    void pageTotalFollowsTheTicks() {
        QFETCH(int, ticked);
        QFETCH(QString, pageTotal);
        LoadedDialog loaded(30);
        for (int row = 0; row < 30; ++row)
            loaded.dialog.setSelected(row, row < ticked);
        QSignalSpy resets(&loaded.dialog, &Form2::pageFieldsReset);
        loaded.dialog.unload();
        QCOMPARE(resets.size(), 1);
        QCOMPARE(resets.first().at(1).toString(), pageTotal);
    }

    void noFontsGiveAnEmptyList() {
        LoadedDialog loaded(0);
        QCOMPARE(loaded.dialog.listCount(), 0);
        QCOMPARE(loaded.dialog.lbl_cnt()->text(), u"0個中0個選択"_s);
        QSignalSpy resets(&loaded.dialog, &Form2::pageFieldsReset);
        loaded.dialog.unload();
        QCOMPARE(loaded.flagWrites(), 0);
        QCOMPARE(resets.first(), (QVariantList{u"1"_s, u"1"_s}));
    }

    void modelRefusesRowsOutsideTheList() {
        TickListModel model;
        model.append(u"A"_s);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, model.setTicked(1, true));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, model.isTicked(-1));
        QVERIFY(!model.setData(model.index(0, 0), u"x"_s, Qt::DisplayRole));
        QVERIFY(model.flags(model.index(0, 0)) & Qt::ItemIsUserCheckable);
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
