#include "bulkticks.h"
#include "catalogues.h"
#include "fontfilterbar.h"
#include "form2.h"
#include "listsummaryline.h"
#include "recordingfontinfoopener.h"
#include "ticklistview.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <fontconfig/fontconfig.h>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

// A dialog over its own fonts and store, loaded as the main window loads it.
struct LoadedDialog {
    // `installed`: the fonts' configuration, when it is not fontconfig's current one.
    LoadedDialog(QStringList names, const QHash<QString, QString>& stored = {},
                 FcConfig* installed = nullptr)
        : fonts(std::move(names))
        , familyNames(installed) {
        store.values = stored;
        dialog.Form_Load();
    }
    QString ticks() const {
        QString ticks;
        for (int row = 0; row < dialog.listCount(); ++row)
            ticks += dialog.isSelected(row) ? u'1' : u'0';
        return ticks;
    }
    ListFontSource fonts;
    MemorySettingsStore store;
    FontCatalogue catalogue;
    FamilyNames familyNames;
    Form2 dialog{catalogue, fonts, store, familyNames};
};

class TestForm2 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyWayOfClosingCommitsOnce() {
        // A key to 閉じる or to the list; no key: a click on 閉じる, or the close box.
        using Way = std::tuple<const char*, bool, Qt::Key, Qt::KeyboardModifier>;
        // clang-format off
        for (const auto& [way, onButton, key, modifier] : {Way{"click", true, Qt::Key_unknown, {}},
                 Way{"close box", false, Qt::Key_unknown, {}}, Way{"Esc", false, Qt::Key_Escape, {}},
                 Way{"Alt+F4", false, Qt::Key_F4, Qt::AltModifier}, Way{"Enter on 閉じる", true, Qt::Key_Return, {}},
                 Way{"Enter in the list, then the main window", false, Qt::Key_Enter, Qt::KeypadModifier}}) {
            // clang-format on
            LoadedDialog loaded(numberedFonts(u"Font "_s, 12));
            loaded.dialog.show(); // a dialog's default button takes Enter only when shown
            loaded.dialog.setSelected(0, false);
            QWidget* target =
                onButton ? static_cast<QWidget*>(loaded.dialog.Command1()) : loaded.dialog.List1();
            if (key != Qt::Key_unknown)
                QTest::keyClick(target, key, modifier);
            else
                onButton ? QTest::mouseClick(target, Qt::LeftButton) : void(loaded.dialog.close());
            QTRY_COMPARE(loaded.dialog.isUnloaded(), key != Qt::Key_Enter); // the list keeps Enter
            loaded.dialog.unload(); // as the main window does after every showing
            // names, then every flag with its name once
            QCOMPARE(loaded.store.savedKeys.size(), 12 + 2 * 12);
            QCOMPARE(loaded.store.values.value(u"flg_Font1"_s), u"0"_s);
        }
    }

    // Name filter, writing system, sample text (empty: off) over a list of installed and absent
    // fonts; the ticks after "すべて解除", which unticks exactly the rows shown.
    void filtersHideRowsAndBulkTicksTakeTheRowsShown() {
        // clang-format off
        for (const QStringList& filter : QList<QStringList>{{{}, {}, {}, u"00000"_s}, {u"ipa"_s, {}, {}, u"11011"_s},
                 {u"ＳＡＮＳ ０"_s, {}, {}, u"01111"_s}, {{}, u"ラテン文字"_s, {}, u"10111"_s}, {{}, u"日本語"_s, {}, u"11111"_s},
                 {{}, {}, u"あいう"_s, u"11100"_s}, {{}, {}, u"Abc 1"_s, u"00100"_s}, {u"14"_s, {}, u"かき"_s, u"11110"_s}}) {
            // clang-format on
            LoadedDialog loaded({u"Bench Sans 00001"_s, u"DejaVu Sans"_s, u"ＩＰＡ Ｐゴシック"_s,
                                 u"試験書体 00007"_s, u"試験書体 00014"_s});
            FontFilterBar& bar = *loaded.dialog.filterBar();
            loaded.dialog.setSampleText(filter[2]);
            bar.txt_Filter()->setText(filter[0]);
            bar.cmb_Script()->setCurrentText(filter[1]);
            bar.chk_Sample()->setChecked(!filter[2].isEmpty());
            QCOMPARE(loaded.ticks(), u"11111"_s); // hiding rows ticks nothing
            loaded.dialog.bulkTicks()->untickShownAction()->trigger();
            QCOMPARE(loaded.ticks(), filter[3]);
            QCOMPARE(
                loaded.dialog.lbl_Shown()->text(),
                u"表示中 %1 / 選択 %2"_s.arg(filter[3].count(u'0')).arg(filter[3].count(u'1')));
        }
    }

    // 日本語 shows the families whose own characters make Japanese, as the 日本語 tab of the
    // font information counts them, whatever fontconfig's languages say.
    void japaneseByItsCharacters_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("shown");
        // Every kana and every level 1 kanji but one: no "ja" for fontconfig, as Klee One.
        QTest::newRow("one kanji short") << u"Varelith Kanji"_s << true;
        QTest::newRow("by its Japanese name") << u"漢字試験"_s << true;
        QTest::newRow("kana and four kanji") << u"Varelith Vertical"_s << false;
        QTest::newRow("kana and two kanji") << u"試験書体 00007"_s << false;
        QTest::newRow("Latin") << u"DejaVu Sans"_s << false;
        QTest::newRow("not installed") << u"Varelith Nowhere"_s << false;
    }
    void japaneseByItsCharacters() {
        QFETCH(QString, family);
        QFETCH(bool, shown);
        LoadedDialog loaded({family});
        FontFilterBar& bar = *loaded.dialog.filterBar();
        bar.cmb_Script()->setCurrentText(u"日本語"_s);
        QCOMPARE(loaded.dialog.List1()->model()->rowCount(), shown ? 1 : 0);
        bar.cmb_Script()->setCurrentText(u"すべて"_s);
        QCOMPARE(loaded.dialog.List1()->model()->rowCount(), 1);
    }

    // Every access key of the dialog's buttons, boxes and captions reaches one control: a
    // key twice reaches the first alone.
    void accessKeysUnique() {
        LoadedDialog loaded(numberedFonts(u"Font "_s, 3));
        QStringList texts;
        for (const QAbstractButton* button : loaded.dialog.findChildren<QAbstractButton*>())
            texts.append(button->text());
        for (const QLabel* label : loaded.dialog.findChildren<QLabel*>())
            if (label->buddy())
                texts.append(label->text());
        QHash<QChar, QString> owners;
        for (const QString& text : std::as_const(texts)) {
            const qsizetype at = text.indexOf(u'&');
            if (at < 0 || at + 1 >= text.size() || text.at(at + 1) == u'&')
                continue;
            const QChar key = text.at(at + 1).toUpper();
            QVERIFY2(!owners.contains(key),
                     qPrintable(u"%1 and %2"_s.arg(owners.value(key), text)));
            owners.insert(key, text);
        }
        QVERIFY(owners.size() >= 10); // the sets bar's among them
    }

    // As the program runs: fontconfig's current configuration holds the interface's faces
    // alone, and the dialog's filters read the installed fonts from the configuration handed
    // in with the names.
    void filtersReadTheInstalledFonts() {
        FcConfig* installed = FcConfigReference(nullptr);
        FcConfig* interfaceOnly = FcConfigCreate();
        QVERIFY(FcConfigSetCurrent(interfaceOnly));
        {
            LoadedDialog loaded({u"Varelith Kanji"_s, u"Varelith Vertical"_s}, {}, installed);
            FontFilterBar& bar = *loaded.dialog.filterBar();
            bar.cmb_Script()->setCurrentText(u"日本語"_s);
            QCOMPARE(loaded.dialog.List1()->model()->rowCount(), 1);
        }
        FcConfigSetCurrent(installed);
        FcConfigDestroy(interfaceOnly);
        FcConfigDestroy(installed);
    }

    // Found by any of its names, in any language; shown with its Japanese name beside the
    // catalogue's, which is still what is stored.
    void namesInEveryLanguage_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QString>("shown");
        const QString faces = u"Varelith Faces — 試験ファミリー"_s;
        const QString vertical = u"Varelith Vertical — 縦書き試験"_s;
        QTest::newRow("none") << QString() << faces + u'|' + vertical + u"|Bench Sans 00001"_s;
        QTest::newRow("Japanese name") << u"ファミリー"_s << faces;
        QTest::newRow("in both names") << u"試験"_s << faces + u'|' + vertical;
        QTest::newRow("full-width Latin") << u"ＶＡＲＥＬＩＴＨ Ｖ"_s << vertical;
        QTest::newRow("only a Latin name") << u"bench"_s << u"Bench Sans 00001"_s;
    }

    void namesInEveryLanguage() {
        QFETCH(QString, filter);
        LoadedDialog loaded({u"Varelith Faces"_s, u"Varelith Vertical"_s, u"Bench Sans 00001"_s});
        loaded.dialog.filterBar()->txt_Filter()->setText(filter);
        QStringList shown;
        const QAbstractItemModel* rows = loaded.dialog.List1()->model();
        for (int row = 0; row < rows->rowCount(); ++row)
            shown.append(rows->index(row, 0).data().toString());
        QTEST(shown.join(u'|'), "shown");
        QCOMPARE(loaded.store.values.value(u"name_Font1"_s), u"Varelith Faces"_s);
    }

    void spaceShiftSpaceThenTheCountLineAndTheCut() {
        LoadedDialog loaded(numberedFonts(u"Font "_s, 4),
                            {{u"flg_Font2"_s, u"0"_s}, {u"flg_Font4"_s, u"2"_s}});
        TickListView* list = loaded.dialog.List1();
        list->setCurrentIndex(list->model()->index(0, 0));
        QTest::keyClick(list, Qt::Key_Space);
        list->setCurrentIndex(list->model()->index(3, 0));
        QTest::keyClick(list, Qt::Key_Space, Qt::ShiftModifier); // 0 to 3 take 0's tick
        QCOMPARE(loaded.ticks(), u"0000"_s);
        list->selectAll();
        QTest::keyClick(list, Qt::Key_Space); // all take the current row's tick turned over
        QCOMPARE(loaded.ticks(), u"1111"_s);
        QAccessibleInterface* count =
            QAccessible::queryAccessibleInterface(loaded.dialog.lbl_cnt());
        QCOMPARE(count->text(QAccessible::Name), u"4個中2個選択"_s);
        QCOMPARE(count->text(QAccessible::Description), u"選択数"_s);
        QVERIFY(!loaded.dialog.lbl_Limit()->isVisibleTo(&loaded.dialog));
        loaded.fonts.names = numberedFonts(u"Font "_s, 32769);
        loaded.dialog.Setfont();
        QCOMPARE(count->text(QAccessible::Name), u"32767個中32765個選択"_s);
        QVERIFY(loaded.dialog.lbl_Limit()->isVisibleTo(&loaded.dialog));
        QCOMPARE(loaded.dialog.lbl_Limit()->text(),
                 u"フォントが 32769 個あります。最初の 32767 個だけを表示しています。"_s);
    }

    void centredEachTimeShown_data() {
        QTest::addColumn<bool>("withFontInfo"); // the button that widens the dialog
        QTest::newRow("close button only") << false;
        QTest::newRow("with フォント情報") << true;
    }

    // The frame's centre is the centre of the screen's free area, every time it shows.
    void centredEachTimeShown() {
        QFETCH(bool, withFontInfo);
        LoadedDialog loaded(numberedFonts(u"Font "_s, 12));
        RecordingFontInfoOpener opener;
        if (withFontInfo)
            loaded.dialog.setFontInfoOpener(&opener);
        for (int showing = 1; showing <= 2; ++showing) {
            loaded.dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&loaded.dialog));
            const QPoint centre = loaded.dialog.screen()->availableGeometry().center();
            const QRect frame = loaded.dialog.frameGeometry();
            QVERIFY2((frame.center() - centre).manhattanLength() <= 1,
                     qPrintable(u"showing %1: frame %2,%3 %4x%5, centre %6,%7"_s.arg(showing)
                                    .arg(frame.x())
                                    .arg(frame.y())
                                    .arg(frame.width())
                                    .arg(frame.height())
                                    .arg(centre.x())
                                    .arg(centre.y())));
            loaded.dialog.hide();
            loaded.dialog.move(0, 0); // moved away while hidden, as a user might
        }
    }

    // The current row of the filtered list, not the row at its place in the whole list,
    // opens by the button and by the list's Ctrl+I; Enter still closes only on 閉じる.
    void fontInfoForTheCurrentRow() {
        LoadedDialog loaded(numberedFonts(u"Font "_s, 12));
        RecordingFontInfoOpener opener;
        loaded.dialog.setFontInfoOpener(&opener);
        auto* button = loaded.dialog.findChild<QPushButton*>(u"btn_FontInfo"_s);
        QVERIFY(button && button->text().contains(u'&'));
        loaded.dialog.filterBar()->txt_Filter()->setText(u"1"_s); // Font 1, Font 10, 11, 12
        TickListView* list = loaded.dialog.List1();
        list->setCurrentIndex(list->model()->index(2, 0));
        button->click();
        loaded.dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&loaded.dialog));
        list->setFocus();
        QTest::keyClick(list, Qt::Key_I, Qt::ControlModifier);
        QCOMPARE(opener.shown, (QStringList{u"Font 11"_s, u"Font 11"_s}));
        QVERIFY(!button->autoDefault());
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
