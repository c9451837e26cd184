#include "catalogues.h"
#include "form1.h"
#include "form2.h"
#include "japaneseinterface.h"
#include "mousepointer.h"
#include "printcommands.h"
#include "sheetcomposer.h"
#include "ticklistview.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;
using Stored = QHash<QString, QString>;

namespace {

// `names` followed by "F<n>" up to `count` names in all.
QStringList fontNames(int count, QStringList names = {}) {
    for (int n = int(names.size()) + 1; n <= count; ++n)
        names.append(u"F%1"_s.arg(n));
    return names;
}

// Records each print command with the source and parent handed to it.
using PrintCall = std::tuple<QString, const SheetSource*, QWidget*>;
struct RecordingPrintCommands : PrintCommands {
    void printCurrentPage(const SheetSource& source, QWidget* parent) noexcept override {
        calls.append({u"current"_s, &source, parent});
    }
    void printAllPages(const SheetSource& source, QWidget* parent) noexcept override {
        calls.append({u"all"_s, &source, parent});
    }
    QList<PrintCall> calls;
};

// The size box, the page box and the sample box typed into in that order, then each of
// `actions`: Enter in the sample (T), size (S, on the keypad) or page box (P), a click on
// "<" or ">", or the sample box cleared (c). Then what the window shows.
struct Scenario {
    int fonts;
    const char *size, *page, *sample, *actions;
    const char* firstLine; // of the view; "": nothing shown
    int lines;
    bool back, next;
    const char* pageAfter = ""; // "": as typed
};

// A page shown, then the sample, size and page box set to these and Showpage(page) called.
struct Failure {
    int fonts, page;
    const char *pageBox, *size;
    int sampleLength;
    bool back, next;
};

// The main window after start-up over fonts and a store of the test's own.
struct StartedWindow {
    explicit StartedWindow(const QStringList& names, const Stored& stored = {},
                           PrintCommands* printCommands = nullptr)
        : fonts(names) {
        store.values = stored;
        form = std::make_unique<Form1>(catalogue, fonts, store, printCommands);
        form->Form_Load();
    }
    int flagWrites() const {
        return int(std::count_if(store.savedKeys.cbegin(), store.savedKeys.cend(),
                                 [](const QString& key) { return key.startsWith(u"flg_Font"_s); }));
    }
    QString viewText() const { return form->RText1()->toPlainText(); }
    bool shown() {
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }
    // Sample, page box and Enter in the page box: the usual way to show a page.
    void showPage(const QString& pageBox, const QString& sample = u"x"_s) {
        form->Text1()->setText(sample);
        form->lbl_Page1()->setText(pageBox);
        QTest::keyClick(form->lbl_Page1(), Qt::Key_Return);
    }

    ListFontSource fonts;
    MemorySettingsStore store;
    FontCatalogue catalogue;
    std::unique_ptr<Form1> form;
};

QTextCharFormat formatAt(QTextDocument* document, int position) {
    QTextCursor cursor(document);
    cursor.setPosition(position + 1); // the format of the character before the cursor
    return cursor.charFormat();
}

QString familyOf(const QTextCharFormat& format) {
    return format.fontFamilies().toStringList().value(0);
}

// The installed face standing for the names' face, "System".
QString nameFace() {
    return JapaneseInterface::interfaceFace(SheetComposer::NameFamily);
}

} // namespace

Q_DECLARE_METATYPE(Scenario)
Q_DECLARE_METATYPE(Failure)

class TestForm1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUp_data() {
        QTest::addColumn<Stored>("stored");
        QTest::addColumn<double>("viewPoints");
        const auto size = [](const QString& text) {
            return Stored{{u"size_Font"_s, text}};
        };
        QTest::newRow("no stored size") << Stored{} << 20.0;
        QTest::newRow("10.5") << size(u"10.5"_s) << 10.5;
        QTest::newRow("letters") << size(u"abc"_s) << 20.0;
        QTest::newRow("zero") << size(u"0"_s) << 20.0;
        QTest::newRow("too large") << size(u"5000"_s) << 20.0;
        QTest::newRow("empty") << size(QString()) << 20.0;
    }

    void startUp() {
        QFETCH(Stored, stored);
        QFETCH(double, viewPoints);
        StartedWindow started(fontNames(25), stored);
        Form1& form = *started.form;
        QCOMPARE(form.Text2()->text(), stored.value(u"size_Font"_s, u"20"_s));
        QCOMPARE(form.RText1()->font().pointSizeF(), viewPoints);
        QCOMPARE(form.windowTitle(), u"Varelith"_s);
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(started.fonts.reads, 1);
        QVERIFY(form.form2() && !form.form2()->isVisible());
        QCOMPARE((QStringList{form.Text1()->text(), form.lbl_Page1()->text(),
                              form.lbl_Page2()->text(), started.viewText()}),
                 (QStringList{QString(), u"1"_s, u"3"_s, QString()}));
        QCOMPARE((QList<bool>{form.btn_Back()->isEnabled(), form.btn_Next()->isEnabled(),
                              form.mprintone()->isEnabled(), form.mprintall()->isEnabled()}),
                 QList<bool>(4, false));
        QCOMPARE(MousePointer::current(), MousePointer::Default);
        QCOMPARE(started.flagWrites(), 0);
    }

    void namesOfTheControls_data() {
        QTest::addColumn<QString>("name"); // accessible name, a menu entry's text
        QTest::newRow("Label1") << u"表示文字列"_s;
        QTest::newRow("Text1") << u"表示文字列"_s;
        QTest::newRow("Label3") << u"サイズ"_s;
        QTest::newRow("Text2") << u"サイズ"_s;
        QTest::newRow("btn_Back") << u"<"_s;
        QTest::newRow("lbl_Page1") << u"ページ"_s;
        QTest::newRow("Label4") << u"/"_s;
        QTest::newRow("lbl_Page2") << u"総ページ数"_s;
        QTest::newRow("btn_Next") << u">"_s;
        QTest::newRow("RText1") << u"見本"_s;
        QTest::newRow("mfile") << u"ファイル"_s;
        QTest::newRow("moption") << u"表示フォント選択(&O)"_s;
        QTest::newRow("mprint") << u"印刷"_s;
        QTest::newRow("mprintone") << u"現在のページ"_s;
        QTest::newRow("mprintall") << u"全てのページ"_s;
        QTest::newRow("mend") << u"終了(&X)"_s;
        QTest::newRow("mhelp") << u"ヘルプ"_s;
        QTest::newRow("mabout") << u"バージョン情報(&A)"_s;
        QTest::newRow("List1") << u"フォント一覧"_s;
        QTest::newRow("Command1") << u"閉じる"_s;
    }

    void namesOfTheControls() {
        QFETCH(QString, name);
        StartedWindow started(fontNames(3));
        const QString objectName = QString::fromLatin1(QTest::currentDataTag());
        const QObject* object = started.form->findChild<QObject*>(objectName);
        if (!object) // the font selection dialog's, loaded at start-up
            object = started.form->form2()->findChild<QObject*>(objectName);
        QVERIFY(object);
        QCOMPARE(object->property(object->isWidgetType() ? "accessibleName" : "text"), name);
    }

    void openedCentredWithFocusThenResized() {
        StartedWindow started(fontNames(3));
        Form1& form = *started.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.centralWidget()->size(), QSize(521, 401));
        QCOMPARE(form.RText1()->geometry(), QRect(0, 24, 521, 379));
        QCOMPARE(QApplication::focusWidget(), form.Text1());
        const QPoint screenCentre = form.screen()->availableGeometry().center();
        QVERIFY((form.frameGeometry().center() - screenCentre).manhattanLength() <= 2);
        const int menuHeight = form.height() - form.centralWidget()->height();
        // The view takes the client height less 22 pixels, and none below that.
        for (const auto& [client, view] : {std::pair{600, 578}, {22, 0}, {10, 0}}) {
            form.resize(700, client + menuHeight);
            QTRY_COMPARE(form.centralWidget()->height(), client);
            QCOMPARE(form.RText1()->geometry(), QRect(0, 24, 700, view));
        }
    }

    void typingAndEnterOrButtons_data() {
        QTest::addColumn<Scenario>("s");
        // Page box Enter: the buttons follow the page against the total.
        QTest::newRow("total 1, page 1") << Scenario{5, "20", "1", "x", "P", "F1 x", 5, 0, 0};
        QTest::newRow("total 3, page 1") << Scenario{25, "20", "1", "x", "P", "F1 x", 10, 0, 1};
        QTest::newRow("total 3, page 2") << Scenario{25, "20", "2", "x", "P", "F11 x", 10, 1, 1};
        QTest::newRow("total 3, page 3") << Scenario{25, "20", "3", "x", "P", "F21 x", 5, 1, 0};
        // The buttons step the page box as a number and show the page it rounds to.
        QTest::newRow("> from 2") << Scenario{35, "20", "2", "x", ">", "F21 x", 10, 1, 1, "3"};
        QTest::newRow("< from 3") << Scenario{35, "20", "3", "x", "<", "F11 x", 10, 1, 1, "2"};
        QTest::newRow("> from 2.5") << Scenario{35, "20", "2.5", "x", ">", "F31 x", 5, 1, 0, "3.5"};
        QTest::newRow("< from 2.5")
            << Scenario{35, "20", "2.5", "x", "<", "F11 x", 10, 1, 1, "1.5"};
        // Enter with an empty box, in any box, shows nothing.
        QTest::newRow("empty sample") << Scenario{25, "20", "1", "", "TSP", "", 0, 0, 0};
        QTest::newRow("empty size") << Scenario{25, "", "1", "x", "TSP", "", 0, 0, 1};
        QTest::newRow("empty page box") << Scenario{25, "20", "", "x", "TSP", "", 0, 0, 0};
        // Page box Enter shows pages 1 to the total only.
        QTest::newRow("page box 0") << Scenario{25, "20", "0", "x", "P", "", 0, 1, 1};
        QTest::newRow("page box -1") << Scenario{25, "20", "-1", "x", "P", "", 0, 1, 1};
        QTest::newRow("above the total") << Scenario{25, "20", "4", "x", "P", "", 0, 1, 1};
        QTest::newRow("letters") << Scenario{25, "20", "abc", "x", "P", "", 0, 0, 0};
        QTest::newRow("spaces only") << Scenario{25, "20", "   ", "x", "P", "", 0, 0, 0};
        QTest::newRow("beyond 16 bits") << Scenario{25, "20", "99999", "x", "P", "", 0, 0, 0};
        // The sample and size boxes hand on any page that converts.
        QTest::newRow("sample box, 0") << Scenario{25, "20", "0", "x", "T", "F1 x", 10, 1, 1};
        QTest::newRow("size box, 0") << Scenario{25, "9", "0", "x", "S", "F1 x", 10, 1, 1};
        // An emptied sample turns both buttons off and leaves the page.
        QTest::newRow("sample cleared") << Scenario{25, "20", "2", "x", "Pc", "F11 x", 10, 0, 0};
    }

    void typingAndEnterOrButtons() {
        QFETCH(Scenario, s);
        StartedWindow started(fontNames(s.fonts));
        Form1& form = *started.form;
        for (const auto& [box, text] : {std::pair{form.Text2(), s.size},
                                        {form.lbl_Page1(), s.page},
                                        {form.Text1(), s.sample}}) {
            box->clear();
            QTest::keyClicks(box, QString::fromUtf8(text));
        }
        for (const char* action = s.actions; *action; ++action) {
            if (*action == 'c')
                form.Text1()->clear();
            else if (*action == '<' || *action == '>')
                (*action == '<' ? form.btn_Back() : form.btn_Next())->click();
            else if (*action == 'S')
                QTest::keyClick(form.Text2(), Qt::Key_Enter, Qt::KeypadModifier);
            else
                QTest::keyClick(*action == 'T' ? form.Text1() : form.lbl_Page1(), Qt::Key_Return);
        }
        QCOMPARE(form.lbl_Page1()->text(), QString::fromUtf8(*s.pageAfter ? s.pageAfter : s.page));
        const QStringList shown = started.viewText().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(shown.value(0), QString::fromUtf8(s.firstLine));
        QCOMPARE(shown.size(), s.lines);
        if (s.lines > 0) // the fourth character is the sample's, at the size box's size
            QCOMPARE(formatAt(form.RText1()->document(), 3).fontPointSize(), std::atof(s.size));
        QCOMPARE(form.btn_Back()->isEnabled(), s.back);
        QCOMPARE(form.btn_Next()->isEnabled(), s.next);
        QCOMPARE(form.mprintone()->isEnabled(), s.lines > 0);
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }

    void fullPageTextLineStartsAndFormats() {
        const QStringList names = fontNames(11, {u"DejaVu Sans"_s});
        StartedWindow started(names);
        started.showPage(u"1"_s, u"abc"_s);
        const ComposedPage page = SheetComposer::compose(
            started.catalogue, {Int16(1), u"abc"_s, u"20"_s, u"1"_s, u"2"_s});
        QTextDocument* document = started.form->RText1()->document();
        QCOMPARE(document->blockCount(), 11); // ten lines, each ending in a break
        for (int line = 0, start = 0; line < 10; ++line) {
            const QTextBlock block = document->findBlockByNumber(line);
            QCOMPARE(block.text(), names.at(line) + u" abc"_s);
            QCOMPARE(block.position(), start);
            QCOMPARE(page.documentPosition(page.lineStarts.at(line)), start);
            start += block.length();
        }
        // "DejaVu Sans abc": the name in the names' face at 16 points, from the space on in
        // the line's own font at the size box's 20 points, without substitution.
        for (int position = 0; position < 15; ++position) {
            const QTextCharFormat format = formatAt(document, position);
            const bool inName = position < 11;
            QCOMPARE(familyOf(format), inName ? nameFace() : u"DejaVu Sans"_s);
            QCOMPARE(format.fontPointSize(), inName ? 16.0 : 20.0);
            QCOMPARE(format.fontStyleStrategy() == QFont::NoFontMerging, !inName);
        }
        QCOMPARE(familyOf(formatAt(document, 16)), nameFace());
        QCOMPARE(started.form->RText1()->textCursor().position(), 0);
    }

    void emptySampleKeepsNameAndSpace() {
        StartedWindow started({u"Mono"_s, u"Sans"_s});
        started.form->Text2()->setText(u"10.5"_s);
        started.form->Showpage(Int16(1));
        QCOMPARE(started.viewText(), u"Mono \nSans \n"_s);
        QTextDocument* document = started.form->RText1()->document();
        QCOMPARE((QStringList{familyOf(formatAt(document, 3)), familyOf(formatAt(document, 4)),
                              familyOf(formatAt(document, 9)), familyOf(formatAt(document, 10))}),
                 (QStringList{nameFace(), u"Mono"_s, nameFace(), u"Sans"_s}));
        QCOMPARE(formatAt(document, 4).fontPointSize(), 10.5);
    }

    void failedCompositionKeepsThePreviousPage_data() {
        QTest::addColumn<Failure>("f");
        QTest::newRow("beyond the total") << Failure{25, 5, "1", "20", 3, false, true};
        QTest::newRow("page 0, under ten fonts") << Failure{5, 0, "0", "20", 3, true, true};
        QTest::newRow("size letters") << Failure{25, 1, "1", "big", 3, false, true};
        QTest::newRow("size below 1") << Failure{25, 1, "1", "0.5", 3, false, true};
        QTest::newRow("size above 1638") << Failure{25, 1, "1", "1638.5", 3, false, true};
        QTest::newRow("sample too long") << Failure{25, 1, "1", "20", 33000, false, true};
        QTest::newRow("page box letters") << Failure{25, 1, "one", "20", 3, false, false};
    }

    void failedCompositionKeepsThePreviousPage() {
        QFETCH(Failure, f);
        StartedWindow started(fontNames(f.fonts));
        Form1& form = *started.form;
        QVERIFY(started.shown());
        started.showPage(u"1"_s, u"abc"_s);
        const QString before = started.viewText();
        const QTextDocument* shownDocument = form.RText1()->document();
        QVERIFY(!before.isEmpty());
        form.Text1()->setText(QString(f.sampleLength, u'y'));
        form.Text2()->setText(QString::fromUtf8(f.size));
        form.lbl_Page1()->setText(QString::fromUtf8(f.pageBox));
        form.Showpage(Int16::fromInt(f.page));
        QCOMPARE(form.RText1()->document(), shownDocument);
        QCOMPARE(started.viewText(), before);
        QVERIFY(form.RText1()->isVisible());
        QCOMPARE(MousePointer::current(), MousePointer::Default);
        QCOMPARE(form.btn_Back()->isEnabled(), f.back);
        QCOMPARE(form.btn_Next()->isEnabled(), f.next);
    }

    void printEntriesAfterTheFirstPage() {
        RecordingPrintCommands print;
        StartedWindow started(fontNames(3), {}, &print);
        Form1& form = *started.form;
        form.mprintone()->trigger();
        form.mprintall()->trigger();
        QVERIFY(print.calls.isEmpty());
        started.showPage(u"1"_s, u"s"_s);
        form.mprintone()->trigger();
        form.mprintall()->trigger();
        QCOMPARE(print.calls,
                 (QList<PrintCall>{{u"current"_s, &form, &form}, {u"all"_s, &form, &form}}));
        form.Text2()->setText(u"11"_s);
        QCOMPARE((QStringList{form.sampleText(), form.sizeText(), form.pageBoxText(),
                              form.pageTotalText()}),
                 (QStringList{u"s"_s, u"11"_s, u"1"_s, u"1"_s}));
        QCOMPARE(&form.catalogue(), &started.catalogue);
        StartedWindow withoutPrinter(fontNames(3));
        withoutPrinter.form->mprintone_Click();
        withoutPrinter.form->mprintall_Click();
    }

    void dialogShownFirstWithoutRebuildThenLoadedAnew() {
        StartedWindow started(fontNames(25));
        Form1& form = *started.form;
        form.lbl_Page1()->setText(u"3"_s);
        bool shownModal = false;
        QTimer::singleShot(0, &form, [&form, &shownModal] {
            shownModal = form.form2()->isVisible() && form.form2()->isModal();
            form.form2()->setSelected(0, false);
            form.form2()->Command1()->click();
        });
        form.moption_Click();
        QVERIFY(shownModal);
        QCOMPARE(started.fonts.reads, 1); // shown as built at start
        QVERIFY(form.form2() == nullptr);
        QCOMPARE(started.flagWrites(), 25);
        QCOMPARE(form.lbl_Page1()->text(), u"1"_s);
        QCOMPARE(form.lbl_Page2()->text(), u"3"_s);

        QTimer::singleShot(0, &form, [&form] {
            for (int row = 0; row < 25; ++row)
                form.form2()->setSelected(row, row < 10);
            QTest::keyClick(form.form2()->List1(), Qt::Key_Escape);
        });
        form.moption_Click();
        QCOMPARE(started.fonts.reads, 2); // loaded anew
        QCOMPARE(started.flagWrites(), 50);
        QCOMPARE(form.lbl_Page2()->text(), u"2"_s);
        form.close();
        QCOMPARE(started.flagWrites(), 50); // not loaded any more: nothing to commit
    }

    void quittingWithoutTheDialogCommitsOnce_data() {
        QTest::addColumn<bool>("byMenu");
        QTest::newRow("close box") << false;
        QTest::newRow("終了") << true;
    }

    void quittingWithoutTheDialogCommitsOnce() {
        QFETCH(bool, byMenu);
        StartedWindow started(fontNames(4), {{u"flg_Font2"_s, u"0"_s}});
        Form1& form = *started.form;
        QVERIFY(started.shown());
        if (byMenu)
            form.findChild<QAction*>(u"mend"_s)->trigger();
        else
            form.close();
        QVERIFY(!form.isVisible());
        QVERIFY(form.form2() == nullptr);
        QCOMPARE(started.flagWrites(), 4);
        QCOMPARE(started.store.values.value(u"flg_Font2"_s), u"0"_s);
        form.close();
        QCOMPARE(started.flagWrites(), 4);
    }

    void versionBox() {
        StartedWindow started(fontNames(1));
        const std::unique_ptr<QMessageBox> box = started.form->makeVersionBox();
        QCOMPARE(box->windowTitle(), u"ﾊﾞｰｼﾞｮﾝ情報"_s);
        QCOMPARE(box->text(), u"Varelith Ver.1.00"_s);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QString shownTitle;
        QTimer::singleShot(0, started.form.get(), [&shownTitle] {
            if (auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                shownTitle = shown->windowTitle();
                shown->button(QMessageBox::Ok)->click();
            }
        });
        started.form->mabout_Click();
        QCOMPARE(shownTitle, u"ﾊﾞｰｼﾞｮﾝ情報"_s);
    }

    void pageTotalReadableUpToFiveDigits() {
        JapaneseInterface::insertFontSubstitutions();
        FontCatalogue catalogue;
        const ListFontSource fonts;
        MemorySettingsStore store;
        const Form1 form(catalogue, fonts, store, nullptr);
        const QRect total = form.lbl_Page2()->geometry(), next = form.btn_Next()->geometry();
        QVERIFY(form.lbl_Page2()->fontMetrics().horizontalAdvance(u"32767"_s) <= total.width());
        QVERIFY(form.Label4()->geometry().right() < total.left() && total.right() < next.left());
        QVERIFY(next.right() < 521); // within the strip at its designed width
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
