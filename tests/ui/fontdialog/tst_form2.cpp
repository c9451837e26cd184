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
using Stored = QHash<QString, QString>;

namespace {

// A dialog over its own fonts and store, loaded as the main window loads it unless asked.
struct LoadedDialog {
    explicit LoadedDialog(int fontCount, const Stored& stored = {}, bool load = true)
        : fonts(numberedFonts(u"Font "_s, fontCount)) {
        store.values = stored;
        if (load)
            dialog.Form_Load();
    }
    int flagWrites() const {
        return int(std::count_if(store.savedKeys.cbegin(), store.savedKeys.cend(),
                                 [](const QString& key) { return key.startsWith(u"flg_Font"_s); }));
    }
    bool shown() {
        dialog.show();
        return QTest::qWaitForWindowExposed(&dialog);
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
    void fixedDialogAndItsControls() {
        LoadedDialog loaded(3);
        Form2& dialog = loaded.dialog;
        QCOMPARE(dialog.windowTitle(), u"表示フォント選択"_s);
        QCOMPARE(dialog.minimumSize(), QSize(233, 423));
        QCOMPARE(dialog.maximumSize(), QSize(233, 423));
        const Qt::WindowFlags buttons =
            Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
        QCOMPARE(dialog.windowFlags() & buttons, Qt::WindowCloseButtonHint);
        QVERIFY(!dialog.windowIcon().isNull());
        QCOMPARE(dialog.Command1()->text(), u"閉じる"_s);
    }

    void loadingFillsTheListThenTicksToggle() {
        LoadedDialog loaded(4, {{u"flg_Font2"_s, u"0"_s}, {u"flg_Font4"_s, u"2"_s}});
        TickListView* list = loaded.dialog.List1();
        const auto shownList = [list] {
            QStringList shown;
            for (int row = 0; row < list->tickModel().rowCount(); ++row)
                shown << list->tickModel().name(row) +
                             (list->tickModel().isTicked(row) ? u" ✓"_s : QString());
            return shown;
        };
        QCOMPARE(shownList(),
                 (QStringList{u"Font 1 ✓"_s, u"Font 2"_s, u"Font 3 ✓"_s, u"Font 4"_s}));
        QCOMPARE(loaded.dialog.lbl_cnt()->text(), u"4個中2個選択"_s);
        QCOMPARE(loaded.fonts.reads, 1);
        QVERIFY(list->isVisibleTo(&loaded.dialog));
        QVERIFY(!loaded.dialog.isVisible());

        QVERIFY(loaded.shown());
        list->setCurrentIndex(list->model()->index(1, 0));
        QTest::keyClick(list, Qt::Key_Space);
        QVERIFY(
            list->model()->setData(list->model()->index(2, 0), Qt::Unchecked, Qt::CheckStateRole));
        QCOMPARE(shownList(),
                 (QStringList{u"Font 1 ✓"_s, u"Font 2 ✓"_s, u"Font 3"_s, u"Font 4"_s}));
        QCOMPARE(loaded.dialog.lbl_cnt()->text(), u"4個中2個選択"_s); // until the next load
        loaded.dialog.unload();
    }

    void refillIsOneResetOfTheModel() {
        LoadedDialog loaded(500, {}, false);
        TickListModel& model = loaded.dialog.List1()->tickModel();
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QSignalSpy inserts(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        loaded.dialog.Form_Load();
        QCOMPARE((QList<qsizetype>{resets.size(), inserts.size(), changes.size()}),
                 (QList<qsizetype>{1, 0, 0}));
        QCOMPARE(model.rowCount(), 500);
    }

    void everyWayOfClosingCommitsOnce_data() {
        QTest::addColumn<QString>("way");
        QTest::newRow("close button") << u"button"_s;
        QTest::newRow("title bar close box") << u"close"_s;
        QTest::newRow("Esc") << u"escape"_s;
        QTest::newRow("Alt+F4") << u"alt-f4"_s;
        QTest::newRow("Enter: stays open") << u"enter"_s;
    }

    void everyWayOfClosingCommitsOnce() {
        QFETCH(QString, way);
        LoadedDialog loaded(12);
        QSignalSpy resets(&loaded.dialog, &Form2::pageFieldsReset);
        QVERIFY(loaded.shown());
        loaded.dialog.setSelected(0, false);
        if (way == u"button"_s)
            QTest::mouseClick(loaded.dialog.Command1(), Qt::LeftButton);
        else if (way == u"close"_s)
            loaded.dialog.close();
        else if (way == u"escape"_s)
            QTest::keyClick(loaded.dialog.List1(), Qt::Key_Escape);
        else if (way == u"alt-f4"_s)
            QTest::keyClick(loaded.dialog.List1(), Qt::Key_F4, Qt::AltModifier);
        else {
            QTest::keyClick(loaded.dialog.List1(), Qt::Key_Return);
            QTest::keyClick(loaded.dialog.List1(), Qt::Key_Enter, Qt::KeypadModifier);
            QVERIFY(loaded.dialog.isVisible());
            QCOMPARE(loaded.flagWrites(), 0);
            loaded.dialog.unload(); // as the main window does after the dialog
        }
        QVERIFY(loaded.dialog.isUnloaded());
        QVERIFY(!loaded.dialog.isVisible());
        QCOMPARE(loaded.flagWrites(), 12);
        QCOMPARE(loaded.store.values.value(u"flg_Font1"_s), u"0"_s);
        QCOMPARE(loaded.store.values.value(u"flg_Font2"_s), u"1"_s);
        QCOMPARE(resets.size(), 1);
        QCOMPARE(resets.first(), (QVariantList{u"1"_s, u"2"_s}));
        // Whatever comes after the unload finds it done.
        loaded.dialog.close();
        loaded.dialog.unload();
        QCOMPARE(loaded.flagWrites(), 12);
        QCOMPARE(resets.size(), 1);
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
