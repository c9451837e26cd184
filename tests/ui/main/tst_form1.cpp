#include "appversion.h"
#include "catalogues.h"
#include "composedpage.h"
#include "form1.h"
#include "form2.h"
#include "japaneseinterface.h"
#include "mousepointer.h"
#include "printcommands.h"
#include "ticklistview.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

QStringList fontNames(int count) {
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names.append(u"F%1"_s.arg(n));
    return names;
}

// Counts the print commands the menu hands on.
class RecordingPrintCommands : public PrintCommands {
public:
    void printCurrentPage(const SheetSource& source, QWidget* parent) noexcept override {
        calls.append(u"current"_s);
        lastSource = &source;
        lastParent = parent;
    }
    void printAllPages(const SheetSource& source, QWidget* parent) noexcept override {
        calls.append(u"all"_s);
        lastSource = &source;
        lastParent = parent;
    }

    QStringList calls;
    const SheetSource* lastSource = nullptr;
    QWidget* lastParent = nullptr;
};

// The main window after start-up over fonts and a store of the test's own.
struct StartedWindow {
    explicit StartedWindow(const QStringList& names, const QHash<QString, QString>& stored = {},
                           PrintCommands* printCommands = nullptr)
        : fonts(names) {
        store.values = stored;
        form = std::make_unique<Form1>(catalogue, fonts, store, printCommands);
        form->Form_Load();
    }

    int flagWrites() const {
        int writes = 0;
        for (const QString& key : store.savedKeys)
            writes += key.startsWith(u"flg_Font"_s) ? 1 : 0;
        return writes;
    }

    QString viewText() const { return form->RText1()->toPlainText(); }

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

// The format of the one character at `position` of the document.
QTextCharFormat formatAt(const QTextDocument* document, int position) {
    QTextCursor cursor(const_cast<QTextDocument*>(document));
    cursor.setPosition(position);
    cursor.setPosition(position + 1, QTextCursor::KeepAnchor);
    return cursor.charFormat();
}

// The face the names are set in: the installed face standing for "System".
QString nameFace() {
    return JapaneseInterface::interfaceFace(u"System"_s);
}

QString familyOf(const QTextCharFormat& format) {
    return format.fontFamilies().toStringList().value(0);
}

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpState() {
        StartedWindow started(fontNames(25));
        Form1& form = *started.form;
        QCOMPARE(form.windowTitle(), u"Varelith"_s);
        QVERIFY(!form.windowIcon().isNull());
        QCOMPARE(started.fonts.reads, 1);
        QVERIFY(form.form2() != nullptr);
        QVERIFY(!form.form2()->isVisible());
        QCOMPARE(form.Text2()->text(), u"20"_s);
        QCOMPARE(form.RText1()->font().pointSizeF(), 20.0);
        QCOMPARE(form.lbl_Page1()->text(), u"1"_s);
        QCOMPARE(form.lbl_Page2()->text(), u"3"_s);
        QVERIFY(form.Text1()->text().isEmpty());
        QVERIFY(started.viewText().isEmpty());
        QVERIFY(!form.btn_Back()->isEnabled());
        QVERIFY(!form.btn_Next()->isEnabled());
        QVERIFY(!form.mprintone()->isEnabled());
        QVERIFY(!form.mprintall()->isEnabled());
        QCOMPARE(MousePointer::current(), MousePointer::Default);
        QCOMPARE(started.flagWrites(), 0);
    }

    void controlsAtTheirPlaces() {
        StartedWindow started(fontNames(3));
        Form1& form = *started.form;
        QCOMPARE(form.Text1()->geometry(), QRect(72, 4, 209, 18));
        QCOMPARE(form.Text2()->geometry(), QRect(328, 4, 33, 18));
        QCOMPARE(form.btn_Back()->geometry(), QRect(384, 4, 17, 17));
        QCOMPARE(form.lbl_Page1()->geometry(), QRect(408, 4, 41, 18));
        QCOMPARE(form.Label4()->geometry(), QRect(456, 4, 9, 17));
        QCOMPARE(form.lbl_Page2()->geometry(), QRect(472, 4, 25, 17));
        QCOMPARE(form.btn_Next()->geometry(), QRect(496, 4, 17, 17));
        QCOMPARE(form.Label1()->pos(), QPoint(8, 4));
        QCOMPARE(form.Label3()->pos(), QPoint(288, 4));
        QCOMPARE(form.Label1()->text(), u"表示文字列"_s);
        QCOMPARE(form.Label3()->text(), u"サイズ"_s);
        QCOMPARE(form.btn_Back()->text(), u"<"_s);
        QCOMPARE(form.btn_Next()->text(), u">"_s);
        QCOMPARE(form.lbl_Page1()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        QVERIFY(!form.Text2()->testAttribute(Qt::WA_InputMethodEnabled));
        QVERIFY(form.Text1()->testAttribute(Qt::WA_InputMethodEnabled));
        const QFont total = form.lbl_Page2()->font();
        QCOMPARE(total.family(), JapaneseInterface::interfaceFace(u"ＭＳ Ｐゴシック"_s));
        QCOMPARE(total.pointSize(), 9);
        QCOMPARE(total.weight(), QFont::Bold);
        QVERIFY(form.RText1()->isReadOnly());
        QVERIFY(form.RText1()->textInteractionFlags() & Qt::TextSelectableByMouse);
        QCOMPARE(form.RText1()->lineWrapMode(), QTextEdit::NoWrap);

        const QList<QWidget*> controls =
            form.centralWidget()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(controls.size(), 10);
        for (QWidget* control : controls) {
            QVERIFY(!control->objectName().isEmpty());
            QVERIFY2(!control->accessibleName().isEmpty(), qPrintable(control->objectName()));
            QCOMPARE(form.findChild<QWidget*>(control->objectName()), control);
        }
    }

    void openedWindowClientAreaFocusAndPlace() {
        StartedWindow started(fontNames(3));
        Form1& form = *started.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.centralWidget()->size(), QSize(521, 401));
        QCOMPARE(form.RText1()->geometry(), QRect(0, 24, 521, 379));
        QCOMPARE(QApplication::focusWidget(), form.Text1());
        const QPoint screenCentre = form.screen()->availableGeometry().center();
        QVERIFY((form.frameGeometry().center() - screenCentre).manhattanLength() <= 2);
    }

    void focusOrder() {
        StartedWindow started(fontNames(25));
        Form1& form = *started.form;
        const QList<QWidget*> focusable{form.Text1(),    form.RText1(), form.btn_Back(),
                                        form.btn_Next(), form.Text2(),  form.lbl_Page1()};
        QList<QWidget*> order;
        QWidget* widget = form.Text1();
        do {
            if (focusable.contains(widget) && !order.contains(widget))
                order.append(widget);
            widget = widget->nextInFocusChain();
        } while (widget != form.Text1());
        QCOMPARE(order, focusable);
        for (QWidget* label :
             {static_cast<QWidget*>(form.Label1()), static_cast<QWidget*>(form.lbl_Page2())})
            QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }

    void storedSize_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("viewPoints");
        QTest::newRow("12") << u"12"_s << 12.0;
        QTest::newRow("10.5") << u"10.5"_s << 10.5;
        QTest::newRow("letters") << u"abc"_s << 20.0;
        QTest::newRow("zero") << u"0"_s << 20.0;
        QTest::newRow("too large") << u"5000"_s << 20.0;
        QTest::newRow("empty") << QString() << 20.0;
    }

    void storedSize() {
        QFETCH(QString, stored);
        QFETCH(double, viewPoints);
        StartedWindow started(fontNames(3), {{u"size_Font"_s, stored}});
        QCOMPARE(started.form->Text2()->text(), stored);
        QCOMPARE(started.form->RText1()->font().pointSizeF(), viewPoints);
        QCOMPARE(started.form->lbl_Page2()->text(), u"1"_s);
    }

    void viewFollowsTheClientArea_data() {
        QTest::addColumn<int>("clientHeight");
        QTest::addColumn<int>("viewHeight");
        QTest::newRow("taller") << 600 << 578;
        QTest::newRow("exactly 22") << 22 << 0;
        QTest::newRow("below 22") << 10 << 0;
    }

    void viewFollowsTheClientArea() {
        QFETCH(int, clientHeight);
        QFETCH(int, viewHeight);
        StartedWindow started(fontNames(3));
        Form1& form = *started.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const int menuHeight = form.height() - form.centralWidget()->height();
        form.resize(700, clientHeight + menuHeight);
        QTRY_COMPARE(form.centralWidget()->height(), clientHeight);
        QCOMPARE(form.RText1()->geometry(), QRect(0, 24, 700, viewHeight));
    }

    void buttonsFollowThePage_data() {
        QTest::addColumn<int>("fonts");
        QTest::addColumn<QString>("page");
        QTest::addColumn<bool>("back");
        QTest::addColumn<bool>("next");
        QTest::newRow("total 1, page 1") << 5 << u"1"_s << false << false;
        QTest::newRow("total 3, page 1") << 25 << u"1"_s << false << true;
        QTest::newRow("total 3, page 2") << 25 << u"2"_s << true << true;
        QTest::newRow("total 3, page 3") << 25 << u"3"_s << true << false;
    }

    void buttonsFollowThePage() {
        QFETCH(int, fonts);
        QFETCH(QString, page);
        QFETCH(bool, back);
        QFETCH(bool, next);
        StartedWindow started(fontNames(fonts));
        started.showPage(page);
        QVERIFY(!started.viewText().isEmpty());
        QCOMPARE(started.form->btn_Back()->isEnabled(), back);
        QCOMPARE(started.form->btn_Next()->isEnabled(), next);
        QVERIFY(started.form->mprintone()->isEnabled());
        QVERIFY(started.form->mprintall()->isEnabled());
    }

    void buttonsStepThePageBox_data() {
        QTest::addColumn<QString>("pageBox");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<QString>("newPageBox");
        QTest::addColumn<QString>("firstLine");
        QTest::addColumn<int>("lines");
        QTest::newRow("> from 2") << u"2"_s << true << u"3"_s << u"F21 x"_s << 10;
        QTest::newRow("< from 3") << u"3"_s << false << u"2"_s << u"F11 x"_s << 10;
        QTest::newRow("> from 2.5") << u"2.5"_s << true << u"3.5"_s << u"F31 x"_s << 5;
        QTest::newRow("< from 2.5") << u"2.5"_s << false << u"1.5"_s << u"F11 x"_s << 10;
    }

    void buttonsStepThePageBox() {
        QFETCH(QString, pageBox);
        QFETCH(bool, forward);
        QFETCH(QString, newPageBox);
        QFETCH(QString, firstLine);
        QFETCH(int, lines);
        StartedWindow started(fontNames(35));
        Form1& form = *started.form;
        QCOMPARE(form.lbl_Page2()->text(), u"4"_s);
        form.lbl_Page1()->setText(pageBox);
        form.Text1()->setText(u"x"_s); // the buttons follow the page box
        QPushButton* button = forward ? form.btn_Next() : form.btn_Back();
        QVERIFY(button->isEnabled());
        button->click();
        QCOMPARE(form.lbl_Page1()->text(), newPageBox);
        const QStringList shown = started.viewText().split(u'\n', Qt::SkipEmptyParts);
        QCOMPARE(shown.value(0), firstLine);
        QCOMPARE(shown.size(), lines);
    }

    void buttonsStopOnAPageBoxThatIsNoNumber() {
        StartedWindow started(fontNames(25));
        Form1& form = *started.form;
        form.lbl_Page1()->setText(u"2"_s);
        form.Text1()->setText(u"x"_s);
        form.lbl_Page1()->setText(u"two"_s);
        form.btn_Next()->click();
        QCOMPARE(form.lbl_Page1()->text(), u"two"_s);
        form.lbl_Page1()->setText(u"40000"_s);
        form.btn_Next()->click();
        QCOMPARE(form.lbl_Page1()->text(), u"40001"_s); // written, then out of range
        QVERIFY(started.viewText().isEmpty());
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }

    void enterWithAnEmptyBoxComposesNothing_data() {
        QTest::addColumn<QString>("emptied");
        QTest::newRow("sample") << u"Text1"_s;
        QTest::newRow("size") << u"Text2"_s;
        QTest::newRow("page") << u"lbl_Page1"_s;
    }

    void enterWithAnEmptyBoxComposesNothing() {
        QFETCH(QString, emptied);
        StartedWindow started(fontNames(5));
        Form1& form = *started.form;
        form.Text1()->setText(u"x"_s);
        form.findChild<QLineEdit*>(emptied)->clear();
        for (QLineEdit* box : {form.Text1(), form.Text2(), form.lbl_Page1()})
            QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(started.viewText().isEmpty());
        QVERIFY(!form.mprintone()->isEnabled());
    }

    void enterInThePageBoxChecksTheRange_data() {
        QTest::addColumn<QString>("page");
        QTest::newRow("0") << u"0"_s;
        QTest::newRow("-1") << u"-1"_s;
        QTest::newRow("above the total") << u"4"_s;
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("spaces only") << u"   "_s;
        QTest::newRow("beyond 16 bits") << u"99999"_s;
    }

    void enterInThePageBoxChecksTheRange() {
        QFETCH(QString, page);
        StartedWindow started(fontNames(25));
        started.showPage(page);
        QVERIFY(started.viewText().isEmpty());
        QVERIFY(!started.form->mprintone()->isEnabled());
        QCOMPARE(started.form->lbl_Page1()->text(), page);
        QCOMPARE(MousePointer::current(), MousePointer::Default);
    }

    void enterInTheSampleBoxPassesAnyPage() {
        StartedWindow started(fontNames(25));
        Form1& form = *started.form;
        form.Text1()->setText(u"x"_s);
        form.lbl_Page1()->setText(u"2"_s);
        QTest::keyClick(form.Text1(), Qt::Key_Return);
        QVERIFY(started.viewText().startsWith(u"F11 x\n"_s));
        QCOMPARE(form.Text1()->text(), u"x"_s);
        form.Text2()->setText(u"9"_s);
        QTest::keyClick(form.Text2(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(familyOf(formatAt(form.RText1()->document(), 4)), u"F11"_s);
        QCOMPARE(formatAt(form.RText1()->document(), 4).fontPointSize(), 9.0);
        // Above the total: the composition is tried, fails and keeps the page shown.
        form.lbl_Page1()->setText(u"7"_s);
        QTest::keyClick(form.Text1(), Qt::Key_Return);
        QVERIFY(started.viewText().startsWith(u"F11 x\n"_s));
        QVERIFY(form.btn_Back()->isEnabled());
        QVERIFY(form.btn_Next()->isEnabled());
    }

    void otherKeysReachTheBoxes() {
        StartedWindow started(fontNames(5));
        Form1& form = *started.form;
        form.lbl_Page1()->clear();
        QTest::keyClicks(form.lbl_Page1(), u"ab1"_s);
        QCOMPARE(form.lbl_Page1()->text(), u"ab1"_s);
        QTest::keyClicks(form.Text1(), u"Qy"_s);
        QCOMPARE(form.Text1()->text(), u"Qy"_s);
    }

    void fullPageTextLineStartsAndFormats() {
        QStringList names{u"DejaVu Sans"_s};
        names += fontNames(11).mid(1);
        StartedWindow started(names);
        Form1& form = *started.form;
        started.showPage(u"1"_s, u"abc"_s);
        const QTextDocument* document = form.RText1()->document();
        QStringList expected;
        for (const QString& name : names.first(10))
            expected.append(name + u" abc"_s);
        QCOMPARE(started.viewText(), expected.join(u'\n') + u'\n');

        int start = 0;
        for (int line = 0; line < 10; ++line) {
            const QTextBlock block = document->findBlockByNumber(line);
            QCOMPARE(block.text(), expected.at(line));
            QCOMPARE(block.position(), start);
            start += int(expected.at(line).size()) + 1;
        }

        // "DejaVu Sans abc": the name alone in the name format, from the space on the
        // line's own font at the size text.
        for (int position = 0; position < 11; ++position) {
            const QTextCharFormat name = formatAt(document, position);
            QCOMPARE(familyOf(name), nameFace());
            QCOMPARE(name.fontPointSize(), 16.0);
            QVERIFY(name.fontStyleStrategy() != QFont::NoFontMerging);
        }
        for (int position = 11; position < 15; ++position) {
            const QTextCharFormat sample = formatAt(document, position);
            QCOMPARE(familyOf(sample), u"DejaVu Sans"_s);
            QCOMPARE(sample.fontPointSize(), 20.0);
            QCOMPARE(sample.fontStyleStrategy(), QFont::NoFontMerging);
        }
        QCOMPARE(familyOf(formatAt(document, 16)), nameFace());
        QCOMPARE(form.RText1()->textCursor().position(), 0);
        QVERIFY(!form.RText1()->textCursor().hasSelection());
    }

    void emptySampleKeepsNameAndSpace() {
        StartedWindow started({u"Mono"_s, u"Sans"_s});
        Form1& form = *started.form;
        form.Showpage(Int16(1));
        QCOMPARE(started.viewText(), u"Mono \nSans \n"_s);
        const QTextDocument* document = form.RText1()->document();
        QCOMPARE(familyOf(formatAt(document, 3)), nameFace());
        QCOMPARE(familyOf(formatAt(document, 4)), u"Mono"_s);
        QCOMPARE(familyOf(formatAt(document, 9)), nameFace());
        QCOMPARE(familyOf(formatAt(document, 10)), u"Sans"_s);
        QVERIFY(form.mprintall()->isEnabled());
    }

    void noTickedFontShowsAnEmptyPage() {
        StartedWindow started(
            fontNames(3),
            {{u"flg_Font1"_s, u"0"_s}, {u"flg_Font2"_s, u"0"_s}, {u"flg_Font3"_s, u"0"_s}});
        started.showPage(u"1"_s);
        QVERIFY(started.viewText().isEmpty());
        QVERIFY(started.form->mprintone()->isEnabled());
        QVERIFY(started.form->RText1()->isVisibleTo(started.form.get()));
    }

    void failedCompositionKeepsThePreviousPage_data() {
        QTest::addColumn<int>("fonts");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("pageBox");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("sampleLength");
        QTest::addColumn<bool>("back");
        QTest::addColumn<bool>("next");
        QTest::newRow("beyond the total") << 25 << 5 << u"1"_s << u"20"_s << 3 << false << true;
        QTest::newRow("page 0, under ten fonts")
            << 5 << 0 << u"0"_s << u"20"_s << 3 << true << true;
        QTest::newRow("size letters") << 25 << 1 << u"1"_s << u"big"_s << 3 << false << true;
        QTest::newRow("size 0") << 25 << 1 << u"1"_s << u"0"_s << 3 << false << true;
        QTest::newRow("size too large") << 25 << 1 << u"1"_s << u"1639"_s << 3 << false << true;
        QTest::newRow("sample too long") << 25 << 1 << u"1"_s << u"20"_s << 33000 << false << true;
        QTest::newRow("page box no number")
            << 25 << 1 << u"one"_s << u"20"_s << 3 << false << false;
    }

    void failedCompositionKeepsThePreviousPage() {
        QFETCH(int, fonts);
        QFETCH(int, page);
        QFETCH(QString, pageBox);
        QFETCH(QString, size);
        QFETCH(int, sampleLength);
        QFETCH(bool, back);
        QFETCH(bool, next);
        StartedWindow started(fontNames(fonts));
        Form1& form = *started.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        started.showPage(u"1"_s, u"abc"_s);
        const QString before = started.viewText();
        const QTextDocument* shownDocument = form.RText1()->document();
        QVERIFY(!before.isEmpty());

        form.Text1()->setText(QString(sampleLength, u'y'));
        form.Text2()->setText(size);
        form.lbl_Page1()->setText(pageBox);
        form.Showpage(Int16::fromInt(page));

        QCOMPARE(form.RText1()->document(), shownDocument);
        QCOMPARE(started.viewText(), before);
        QVERIFY(form.RText1()->isVisible());
        QCOMPARE(MousePointer::current(), MousePointer::Default);
        QCOMPARE(form.btn_Back()->isEnabled(), back);
        QCOMPARE(form.btn_Next()->isEnabled(), next);
        QVERIFY(form.mprintone()->isEnabled());
    }

    void composingTwiceGivesTheSamePage() {
        StartedWindow started(fontNames(15));
        started.showPage(u"2"_s, u"zz"_s);
        const QString first = started.form->RText1()->document()->toHtml();
        QTest::keyClick(started.form->Text1(), Qt::Key_Return);
        QCOMPARE(started.form->RText1()->document()->toHtml(), first);
    }

    void sampleChangeSetsTheButtons() {
        StartedWindow started(fontNames(25));
        Form1& form = *started.form;
        form.Text1()->setText(u"a"_s);
        QVERIFY(!form.btn_Back()->isEnabled());
        QVERIFY(form.btn_Next()->isEnabled());
        form.btn_Next()->click();
        QVERIFY(started.viewText().startsWith(u"F11 a\n"_s));
        QVERIFY(form.btn_Back()->isEnabled());
        form.Text1()->clear();
        QVERIFY(!form.btn_Back()->isEnabled());
        QVERIFY(!form.btn_Next()->isEnabled());
        QVERIFY(form.mprintone()->isEnabled()); // nothing disables them again
        form.lbl_Page1()->setText(u"#"_s);
        form.Text1()->setText(u"b"_s); // the page box does not convert: nothing changes
        QVERIFY(!form.btn_Back()->isEnabled());
        QVERIFY(!form.btn_Next()->isEnabled());
    }

    void printEntriesHandTheWindowOn() {
        RecordingPrintCommands print;
        StartedWindow started(fontNames(3), {}, &print);
        Form1& form = *started.form;
        form.mprintone_Click();
        form.mprintall_Click();
        QCOMPARE(print.calls, (QStringList{u"current"_s, u"all"_s}));
        QCOMPARE(print.lastSource, static_cast<const SheetSource*>(&form));
        QCOMPARE(print.lastParent, &form);
        form.Text1()->setText(u"s"_s);
        form.Text2()->setText(u"11"_s);
        QCOMPARE(form.sampleText(), u"s"_s);
        QCOMPARE(form.sizeText(), u"11"_s);
        QCOMPARE(form.pageBoxText(), u"1"_s);
        QCOMPARE(form.pageTotalText(), u"1"_s);
        QCOMPARE(&form.catalogue(), &started.catalogue);

        StartedWindow withoutPrinter(fontNames(3));
        withoutPrinter.form->mprintone_Click();
        withoutPrinter.form->mprintall_Click();
    }

    void menuTree() {
        StartedWindow started(fontNames(3));
        Form1& form = *started.form;
        const QList<QAction*> bar = form.menuBar()->actions();
        QCOMPARE(bar.size(), 2);
        QCOMPARE(bar.at(0)->text(), u"ファイル(&F)"_s);
        QCOMPARE(bar.at(1)->text(), u"ヘルプ(&H)"_s);
        QStringList file;
        for (QAction* action : bar.at(0)->menu()->actions())
            file.append(action->isSeparator() ? u"-"_s : action->text());
        QCOMPARE(file, (QStringList{u"表示フォント選択(&O)"_s, u"-"_s, u"印刷"_s, u"-"_s,
                                    u"終了(&X)"_s}));
        QStringList print;
        for (QAction* action : form.findChild<QMenu*>(u"mprint"_s)->actions())
            print.append(action->text());
        QCOMPARE(print, (QStringList{u"現在のページ"_s, u"全てのページ"_s}));
        QCOMPARE(bar.at(1)->menu()->actions().value(0)->text(), u"バージョン情報(&A)"_s);
        for (const QString& name : {u"moption"_s, u"sep"_s, u"mprintone"_s, u"mprintall"_s,
                                    u"sep2"_s, u"mend"_s, u"mabout"_s})
            QVERIFY2(form.findChild<QAction*>(name), qPrintable(name));
        for (const QString& name : {u"mfile"_s, u"mprint"_s, u"mhelp"_s})
            QVERIFY2(form.findChild<QMenu*>(name), qPrintable(name));
    }

    void dialogShownFirstWithoutRebuildThenLoadedAnew() {
        StartedWindow started(fontNames(25));
        Form1& form = *started.form;
        form.lbl_Page1()->setText(u"3"_s);
        QTimer::singleShot(0, &form, [&form] {
            QVERIFY(form.form2()->isVisible());
            QVERIFY(form.form2()->isModal());
            form.form2()->setSelected(0, false);
            form.form2()->Command1()->click();
        });
        form.moption_Click();
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
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
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
        QCOMPARE(box->text(), AppVersion::prompt());
        QCOMPARE(box->text(), u"Varelith Ver.1.00"_s);
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Ok));

        QString shownTitle;
        QTimer::singleShot(0, started.form.get(), [&shownTitle] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(shown);
            shownTitle = shown->windowTitle();
            shown->button(QMessageBox::Ok)->click();
        });
        started.form->mabout_Click();
        QCOMPARE(shownTitle, u"ﾊﾞｰｼﾞｮﾝ情報"_s);
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
