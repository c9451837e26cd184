#include "catalogues.h"
#include "familysetprompts.h"
#include "familysets.h"
#include "familysetsbar.h"
#include "fontfiltermodel.h"
#include "form2.h"
#include "rejectedfamilies.h"
#include "rejectedfamiliesactions.h"
#include "ticklistmodel.h"
#include "ticklistview.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

// The user's answers, taken in order; an empty one cancels.
struct AnsweringPrompts : FamilySetPrompts {
    QString askName(const QString&, const QString& suggested) override {
        suggestions.append(suggested);
        return names.isEmpty() ? QString() : names.takeFirst();
    }
    QString exportPath(const QString&) override { return path; }
    QString importPath() override { return path; }

    QStringList names;
    QStringList suggestions;
    QString path;
};

QString ticksOf(const TickListModel& ticks) {
    QString text;
    for (int row = 0; row < ticks.count(); ++row)
        text += ticks.isTicked(row) ? u'1' : u'0';
    return text;
}

void setTicks(TickListModel& ticks, const QString& pattern) {
    for (int row = 0; row < ticks.count(); ++row)
        ticks.setTicked(row, pattern.at(row) == u'1');
}

const QStringList Families{u"Bench Sans 00001"_s, u"IPA明朝"_s, u"Tom & \"Jerry\""_s, u"a, b"_s,
                           u"源ノ角ゴシック"_s};

struct Bar {
    Bar() {
        for (const QString& family : Families)
            ticks.append(family);
    }
    MemorySettingsStore store;
    FamilySets sets{store};
    TickListModel ticks;
    AnsweringPrompts prompts;
    FamilySetsBar bar{sets, ticks, prompts};
};

} // namespace

class TestFamilySetsBar : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_home.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.path()));
    }

    // Ticks saved as a set, the set exported, deleted, the ticks changed, the file
    // imported under another name: the same ticks, and the file holds one family a line.
    void exportedAndImportedSetGivesTheSameTicks_data() {
        QTest::addColumn<QString>("saved");
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("some") << u"01101"_s << u"10010"_s;
        QTest::newRow("none") << u"00000"_s << u"11111"_s;
        QTest::newRow("all") << u"11111"_s << u"00000"_s;
        QTest::newRow("last") << u"00001"_s << u"00001"_s;
    }
    void exportedAndImportedSetGivesTheSameTicks() {
        QFETCH(QString, saved);
        QFETCH(QString, meanwhile);
        QTemporaryDir folder;
        Bar bar;
        setTicks(bar.ticks, saved);
        bar.prompts.names = {u"明朝の候補"_s, u"見出し用"_s};
        bar.bar.saveTicks();
        QCOMPARE(bar.bar.currentSet(), u"明朝の候補"_s);
        bar.prompts.path = folder.filePath(u"明朝の候補.txt"_s);
        bar.bar.exportCurrent();
        bar.bar.deleteCurrent();
        QVERIFY(bar.sets.names().isEmpty());
        setTicks(bar.ticks, meanwhile);

        QFile file(bar.prompts.path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
        QCOMPARE(lines.takeLast(), QString());
        QStringList ticked;
        for (int row = 0; row < Families.size(); ++row) {
            if (saved.at(row) == u'1')
                ticked.append(Families.at(row));
        }
        QCOMPARE(lines, ticked);

        bar.bar.importSet();
        QCOMPARE(bar.prompts.suggestions.last(), u"明朝の候補"_s); // the file's name
        QCOMPARE(bar.bar.currentSet(), u"見出し用"_s);
        QCOMPARE(ticksOf(bar.ticks), saved);
        QCOMPARE(bar.sets.names(), QStringList{u"見出し用"_s});
    }

    // Switching to a set ticks its families and no others; families not installed stay
    // in the set and are told.
    void switchingTicksTheSetAlone_data() {
        QTest::addColumn<QStringList>("set");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("told");
        QTest::newRow("others unticked")
            << QStringList{Families.at(1)} << u"11111"_s << u"01000"_s << false;
        QTest::newRow("absent family")
            << QStringList{u"Gone"_s, Families.at(4)} << u"00000"_s << u"00001"_s << true;
        QTest::newRow("empty set") << QStringList{} << u"10101"_s << u"00000"_s << false;
    }
    void switchingTicksTheSetAlone() {
        QFETCH(QStringList, set);
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(bool, told);
        Bar bar;
        bar.sets.save(u"A"_s, set);
        setTicks(bar.ticks, before);
        bar.bar.cmb_Sets()->setCurrentIndex(-1);
        bar.bar.switchTo(u"A"_s);
        QCOMPARE(ticksOf(bar.ticks), after);
        QCOMPARE(bar.ticks.tickedCount(), int(after.count(u'1')));
        QCOMPARE(bar.bar.currentSet(), u"A"_s);
        QCOMPARE(bar.bar.lbl_SetMessage()->isVisibleTo(&bar.bar), told);
        QCOMPARE(bar.sets.families(u"A"_s), set);
    }

    // Renaming to a name in use is refused and told; a cancelled question changes nothing.
    void renameKeepsNamesApart() {
        Bar bar;
        bar.sets.save(u"A"_s, {Families.at(0)});
        bar.sets.save(u"B"_s, {Families.at(1)});
        bar.bar.switchTo(u"B"_s);
        bar.prompts.names = {u"A"_s};
        bar.bar.renameCurrent();
        QCOMPARE(bar.sets.names(), (QStringList{u"A"_s, u"B"_s}));
        QVERIFY(bar.bar.lbl_SetMessage()->text().contains(u"A"_s));
        bar.bar.renameCurrent(); // cancelled
        QCOMPARE(bar.sets.names(), (QStringList{u"A"_s, u"B"_s}));
        bar.prompts.names = {u"見出し用"_s};
        bar.bar.renameCurrent();
        QCOMPARE(bar.sets.names(), (QStringList{u"A"_s, u"見出し用"_s}));
        QCOMPARE(bar.bar.currentSet(), u"見出し用"_s);
        QCOMPARE(bar.sets.families(u"見出し用"_s), QStringList{Families.at(1)});
    }

    // In the dialog: families switched off are marked 無効 in the list, keep their ticks,
    // and a dialog loaded again marks them from the file; switched on, the mark goes.
    void dialogMarksFamiliesSwitchedOff() {
        ListFontSource fonts(Families);
        MemorySettingsStore store;
        FontCatalogue catalogue;
        FamilyNames familyNames;
        {
            Form2 dialog(catalogue, fonts, store, familyNames);
            dialog.Form_Load();
            QVERIFY(dialog.rejectedActions()->rejectRows({1, 2}));
            QVERIFY(dialog.List1()->model()->index(1, 0).data().toString().endsWith(u"（無効）"_s));
            QVERIFY(!dialog.List1()->model()->index(0, 0).data().toString().contains(u"無効"_s));
            QCOMPARE(dialog.listCount(), 5);
            QVERIFY(dialog.isSelected(1));
            dialog.unload();
        }
        QCOMPARE(RejectedFamilies(RejectedFamilies::standardFolder()).families(),
                 (QStringList{Families.at(1), Families.at(2)}));
        Form2 again(catalogue, fonts, store, familyNames);
        again.Form_Load();
        QAbstractItemModel* shown = again.List1()->model();
        QVERIFY(shown->index(2, 0).data().toString().endsWith(u"（無効）"_s));
        QVERIFY(again.rejectedActions()->acceptRows({1, 2, 3}));
        for (int row = 0; row < shown->rowCount(); ++row)
            QVERIFY(!shown->index(row, 0).data().toString().contains(u"無効"_s));
        QVERIFY(RejectedFamilies(RejectedFamilies::standardFolder()).families().isEmpty());
    }

    // A row's notes share one pair of brackets, 無効 first: families switched off and
    // families opened from files are each marked, a family that is both reads both, and
    // what a screen reader reads is what is shown.
    void notesShareTheRow_data() {
        QTest::addColumn<QList<int>>("rejected");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<bool>("beforeLoad");
        QTest::addColumn<QStringList>("notes"); // after each family's name, in list order
        const QString off = u"（無効）"_s;
        const QString file = u"（未インストール）"_s;
        const QString both = u"（無効・未インストール）"_s;
        QTest::newRow("none") << QList<int>() << QStringList() << true
                              << QStringList{{}, {}, {}, {}, {}};
        QTest::newRow("switched off alone")
            << QList<int>{1} << QStringList() << true << QStringList{{}, off, {}, {}, {}};
        QTest::newRow("opened alone") << QList<int>() << QStringList{Families.at(3)} << true
                                      << QStringList{{}, {}, {}, file, {}};
        QTest::newRow("both, and each")
            << QList<int>{0, 4} << QStringList{Families.at(4), Families.at(2)} << true
            << QStringList{off, {}, file, {}, both};
        QTest::newRow("opened set after loading")
            << QList<int>{4} << QStringList{Families.at(4), Families.at(0)} << false
            << QStringList{file, {}, {}, {}, both};
    }

    void notesShareTheRow() {
        QFETCH(QList<int>, rejected);
        QFETCH(QStringList, opened);
        QFETCH(bool, beforeLoad);
        QFETCH(QStringList, notes);
        ListFontSource fonts(Families);
        MemorySettingsStore store;
        FontCatalogue catalogue;
        FamilyNames familyNames;
        QStringList plain; // each row as a dialog without notes reads it
        {
            Form2 reference(catalogue, fonts, store, familyNames);
            reference.Form_Load();
            QVERIFY(reference.rejectedActions()->acceptRows({0, 1, 2, 3, 4}));
            for (int row = 0; row < reference.List1()->model()->rowCount(); ++row)
                plain.append(reference.List1()->model()->index(row, 0).data().toString());
        }
        Form2 dialog(catalogue, fonts, store, familyNames);
        const auto setOpened = [&] {
            if (!opened.isEmpty())
                dialog.setUninstalledFamilies(
                    [opened](const QString& family) { return opened.contains(family); });
        };
        if (beforeLoad)
            setOpened();
        dialog.Form_Load();
        QAbstractItemModel* shown = dialog.List1()->model();
        if (!beforeLoad)
            setOpened();
        QVERIFY(dialog.rejectedActions()->rejectRows(rejected));
        QCOMPARE(shown->rowCount(), notes.size());
        for (int row = 0; row < shown->rowCount(); ++row) {
            const QModelIndex index = shown->index(row, 0);
            QCOMPARE(index.data().toString(), plain.at(row) + notes.at(row));
            QCOMPARE(index.data(Qt::AccessibleTextRole).toString(), plain.at(row) + notes.at(row));
        }
        QVERIFY(dialog.rejectedActions()->acceptRows({0, 1, 2, 3, 4}));
    }

    // 無効にする from the context menu takes the selected rows and the current one, as rows of
    // the whole list while a filter hides some.
    void contextMenuTakesTheRowsChosen() {
        QDir(RejectedFamilies::standardFolder()).removeRecursively();
        ListFontSource fonts(Families);
        MemorySettingsStore store;
        FontCatalogue catalogue;
        FamilyNames familyNames;
        Form2 dialog(catalogue, fonts, store, familyNames);
        dialog.Form_Load();
        dialog.shownFonts()->setNameFilter(u"b"_s);
        QCOMPARE(dialog.shownFonts()->shownSourceRows(), (QList<int>{0, 3}));
        QAbstractItemModel* model = dialog.List1()->model();
        dialog.List1()->selectionModel()->select(model->index(1, 0), QItemSelectionModel::Select);
        dialog.List1()->selectionModel()->setCurrentIndex(model->index(0, 0),
                                                          QItemSelectionModel::NoUpdate);
        dialog.rejectedActions()->rejectAction()->trigger();
        QCOMPARE(RejectedFamilies(RejectedFamilies::standardFolder()).families(),
                 (QStringList{Families.at(0), Families.at(3)}));
    }

private:
    QTemporaryDir m_home;
};

QTEST_MAIN(TestFamilySetsBar)
#include "tst_familysetsbar.moc"
