#include "catalogues.h"
#include "familynames.h"
#include "form1.h"
#include "form2.h"
#include "glyphcoverage.h"
#include "japaneseinterface.h"
#include "loadaftershown.h"
#include "shapedsheetview.h"
#include "shaper.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

// The main window after start-up over fonts of the test's own: "F1", "F2", ... or `names`.
struct StartedWindow {
    // With `shaper`, the sheet is painted as the program paints it, by the shaper.
    explicit StartedWindow(int count, const QStringList& names = {}, bool load = true,
                           Shaper* shaper = nullptr)
        : fonts(names.isEmpty() ? numberedFonts(u"F"_s, count) : names) {
        form = std::make_unique<Form1>(catalogue, fonts, store, familyNames, nullptr, &coverage,
                                       nullptr, nullptr, shaper);
        if (load)
            form->Form_Load();
    }
    // Each step: "t=text", "z=text" or "p=text" types into the sample, size or page box;
    // T, Z or P is Enter there; < and > click the buttons, <k and >k press Space on them.
    void run(const QString& steps) {
        const QHash<QChar, QLineEdit*> boxes{
            {u't', form->Text1()}, {u'z', form->Text2()}, {u'p', form->lbl_Page1()}};
        for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
            QLineEdit* box = boxes.value(step.at(0).toLower());
            QPushButton* button = step.startsWith(u'<') ? form->btn_Back() : form->btn_Next();
            if (step.contains(u'=')) {
                box->clear();
                QTest::keyClicks(box, step.mid(2));
            } else if (box) {
                QTest::keyClick(box, Qt::Key_Return);
            } else {
                button->setFocus(Qt::TabFocusReason); // as a click or Tab would
                step.endsWith(u'k') ? QTest::keyClick(button, Qt::Key_Space)
                                    : QTest::mouseClick(button, Qt::LeftButton);
            }
            QTextDocument* document = form->RText1()->document();
            if (shown.isEmpty() || shown.constLast() != document)
                shown.append(document);
        }
    }
    // "page box|first line of the view|lines|enabled buttons|focus", as "3|F21 x|5|<|btn_Back".
    QString state() const {
        const QStringList lines = form->RText1()->toPlainText().split(u'\n', Qt::SkipEmptyParts);
        return QStringList{form->lbl_Page1()->text(), lines.value(0), QString::number(lines.size()),
                           (form->btn_Back()->isEnabled() ? u"<"_s : QString()) +
                               (form->btn_Next()->isEnabled() ? u">"_s : QString()),
                           QApplication::focusWidget()->objectName()}
            .join(u'|');
    }

    ListFontSource fonts;
    MemorySettingsStore store;
    FontCatalogue catalogue;
    FamilyNames familyNames;
    GlyphCoverage coverage;
    std::unique_ptr<Form1> form;
    // Every document the view showed, held weakly: gone once it is shown no more.
    QList<QPointer<QTextDocument>> shown;
};

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            QFontDatabase::addApplicationFont(font.filePath());
    }

    void userScenarios_data() {
        QTest::addColumn<int>("fonts");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("state");
        const auto row = [](const char* name, int fonts, const QString& steps,
                            const QString& state) {
            QTest::newRow(name) << fonts << steps << state;
        };
        row("last page", 25, u"p=3 t=x P"_s, u"3|F21 x|5|<|Text1"_s);
        row("> mid-sheet, Space", 35, u"t=x >k"_s, u"2|F11 x|10|<>|btn_Next"_s);
        row("< to the start, Space", 25, u"p=2 t=x <k"_s, u"1|F1 x|10|>|btn_Next"_s);
        row("< onto the only page", 5, u"p=2 t=x <"_s, u"1|F1 x|5||lbl_Page1"_s);
        row("> from 2.5", 35, u"p=2.5 t=x >"_s, u"3.5|F31 x|5|<|btn_Back"_s);
        row("empty sample", 25, u"T Z P"_s, u"1||0||Text1"_s);
        row("empty size", 25, u"z= t=x T Z P"_s, u"1||0|>|Text1"_s);
        row("above the total", 25, u"p=4 t=x P"_s, u"4||0|<>|Text1"_s);
        row("sample box, page 0", 25, u"p=0 t=x T"_s, u"0|F1 x|10|<>|Text1"_s);
        row("size box, new size", 25, u"t=x z=9 Z"_s, u"1|F1 x|10|>|Text1"_s);
        row("sample cleared", 25, u"p=2 t=x P t="_s, u"2|F11 x|10||Text1"_s);
        // A page that cannot be composed leaves the page shown before.
        row("beyond the total", 25, u"t=x P p=5 T"_s, u"5|F1 x|10|<>|Text1"_s);
        row("size letters", 25, u"t=x P z=big T"_s, u"1|F1 x|10|>|Text1"_s);
        row("size above 1638", 25, u"t=x P z=1638.5 T"_s, u"1|F1 x|10|>|Text1"_s);
        row("size below 1", 25, u"t=x P z=0.5 T"_s, u"1|F1 x|10|>|Text1"_s);
        row("three hundred pages", 25, u"t=x "_s + u"T > < "_s.repeated(100),
            u"1|F1 x|10|>|btn_Next"_s);
    }

    void userScenarios() {
        QFETCH(int, fonts);
        QFETCH(QString, steps);
        StartedWindow started(fonts);
        Form1& form = *started.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        started.run(steps);
        QTEST(started.state(), "state");
        QVERIFY(!form.lbl_Page1()->hasSelectedText() && !form.Text2()->hasSelectedText());
        const QList<QTextLayout::FormatRange> formats =
            form.RText1()->document()->firstBlock().textFormats();
        if (!formats.isEmpty()) // the sample at the size it was shown at
            QCOMPARE(formats.last().format.fontPointSize(), steps.contains(u"z=9"_s) ? 9.0 : 20.0);
        for (QAction* entry : {form.mprintone(), form.mprintall(), form.mprintbook()})
            QCOMPARE(entry->isEnabled(), !formats.isEmpty());
        // However many pages were shown, one document is left: memory stays flat. Each page
        // shown before is deleted, not merely let go of by the view.
        QCOMPARE(form.RText1()->findChildren<QTextDocument*>().size(), 1);
        for (const QPointer<QTextDocument>& document : std::as_const(started.shown))
            QVERIFY(document.isNull() || document == form.RText1()->document());
        QCOMPARE(QGuiApplication::overrideCursor(), nullptr); // Qt's own, not our flag
    }

    // The program's start: the window shown before its load, which runs behind the first
    // paint or, sooner, before the first input is acted on.
    void loadAfterShown_data() {
        QTest::addColumn<QString>("first"); // what reaches the window first
        QTest::addColumn<QString>("state"); // "size box|page total|first line of the view"
        QTest::newRow("its first paint") << u"paint"_s << u"20|3|"_s;
        QTest::newRow("Enter in the sample box") << u"t=x T"_s << u"20|3|F1 x"_s;
        QTest::newRow("a close") << u"close"_s << u"20|3|"_s;
    }

    void loadAfterShown() {
        QFETCH(QString, first);
        StartedWindow started(25, {}, false);
        Form1& form = *started.form;
        LoadAfterShown load(form, [&form] { form.Form_Load(); });
        if (first == u"paint"_s) {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QTRY_VERIFY(load.isLoaded());
        } else if (first == u"close"_s) {
            form.close();
            QCOMPARE(started.store.GetSetting(u"name_Font25"_s, 0),
                     u"F25"_s); // built, then committed
        } else {
            started.run(first);
        }
        QVERIFY(load.isLoaded());
        QTEST(QStringList({form.Text2()->text(), form.lbl_Page2()->text(),
                           form.RText1()->toPlainText().section(u'\n', 0, 0)})
                  .join(u'|'),
              "state");
    }

    void missingGlyphsMarked_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("marked"); // the sample's characters that show the mark
        QTest::newRow("Latin, kana") << u"Bench Sans 00001"_s << u"Aa あア漢字"_s << u"あア漢字"_s;
        QTest::newRow("kana, kanji") << u"試験書体 00007"_s << u"Aa あア永漢字縦"_s << u"漢字"_s;
        QTest::newRow("kana, its own")
            << u"試験書体 00007"_s << u"あいアイ 永縦 Abc"_s << QString();
        // A blank missing-glyph shape must not pass for a space.
        QTest::newRow("blank .notdef") << u"Varelith Blank"_s << u"Ab あ 字"_s << u"あ字"_s;
    }

    void missingGlyphsMarked() {
        QFETCH(QString, family);
        QFETCH(QString, sample);
        QVERIFY2(QFontDatabase::families().contains(family), "the tests' font set is missing");
        StartedWindow started(1, {family});
        started.form->Text1()->setText(sample); // typed through the input method
        started.run(u"T"_s);
        const QTextBlock line = started.form->RText1()->document()->firstBlock();
        QCOMPARE(line.text(), family + u' ' + sample);
        QString marked;
        for (const QTextLayout::FormatRange& range : line.textFormats()) {
            if (range.format.background().style() == Qt::NoBrush)
                continue;
            QVERIFY2(range.start > family.size(), "a name is never marked");
            QCOMPARE(range.format.fontFamilies().toStringList(), QStringList{family});
            marked += line.text().mid(range.start, range.length);
        }
        QTEST(marked, "marked");
        // Drawn, the sample is set by the shaper in the family's plain face, the face whose
        // characters the document's marks come from: the glyphs it lacks are those marked.
        Shaper shaper;
        StartedWindow drawn(1, {family}, true, &shaper);
        drawn.form->Text1()->setText(sample);
        drawn.run(u"T"_s);
        const ShapedSheetView::Line& shaped = drawn.form->shapedSheet()->lines().first();
        QCOMPARE(shaped.sample.face, drawn.coverage.plainFace(family));
        QVERIFY(shaped.sample.valid);
        QString missing;
        for (const ShapedGlyph& glyph : shaped.sample.glyphs)
            if (glyph.missing)
                missing += (u' ' + sample).at(glyph.cluster);
        QTEST(missing, "marked");
    }

    void versionBoxAndPageTotal() {
        StartedWindow started(25);
        const std::unique_ptr<QMessageBox> box = started.form->makeVersionBox();
        box->show();
        QVERIFY(QTest::qWaitForWindowExposed(box.get()));
        // The title as a title bar sets it, larger, beside an icon and three buttons.
        const int title = box->fontMetrics().horizontalAdvance(box->windowTitle());
        QVERIFY(box->width() >= title * 5 / 4 + 4 * 24);

        QAccessibleInterface* total =
            QAccessible::queryAccessibleInterface(started.form->lbl_Page2());
        QCOMPARE(total->text(QAccessible::Name), u"3"_s);
        QCOMPARE(total->text(QAccessible::Description), u"総ページ数"_s);
        for (int row = 0; row < 25; ++row)
            started.form->form2()->setSelected(row, row < 10);
        started.form->form2()->unload(); // the ticks committed, the page fields reset
        QCOMPARE(total->text(QAccessible::Name), u"2"_s);
    }

    void pageTotalReadableUpToFiveDigits() {
        JapaneseInterface::insertFontSubstitutions();
        FontCatalogue catalogue;
        const ListFontSource fonts;
        MemorySettingsStore store;
        FamilyNames familyNames;
        const Form1 form(catalogue, fonts, store, familyNames, nullptr);
        const QRect total = form.lbl_Page2()->geometry(), next = form.btn_Next()->geometry();
        QVERIFY(form.lbl_Page2()->fontMetrics().horizontalAdvance(u"32767"_s) <= total.width());
        QVERIFY(form.Label4()->geometry().right() < total.left() && total.right() < next.left());
        QVERIFY(next.right() < 521); // within the strip at its designed width
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
