#include "catalogues.h"
#include "dialogspecimenbook.h"
#include "familyfaces.h"
#include "familynames.h"
#include "form1.h"
#include "printstandins.h"
#include "shaper.h"
#include "sheetfaces.h"
#include "sheetstylemenu.h"

#include <QAction>
#include <QDir>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Sample = u"Aa あ漢"_s;

// The main window over the test fonts with a style stored, one page shown.
struct StyledWindow {
    StyledWindow(const QStringList& families, const QString& stored, bool withFaces = true)
        : fonts(families) {
        if (!stored.isEmpty())
            store.values.insert(SheetStyleMenu::SettingKey, stored);
        form = std::make_unique<Form1>(catalogue, fonts, store, familyNames, nullptr, &coverage,
                                       nullptr, withFaces ? &sheetFaces : nullptr);
        form->Form_Load();
        form->Text1()->setText(Sample);
        QTest::keyClick(form->Text1(), Qt::Key_Return);
    }
    QTextBlock line() const { return form->RText1()->document()->firstBlock(); }
    // The format the line's last character, a character of the sample, is drawn in.
    QTextCharFormat sampleFormat() const { return line().textFormats().last().format; }
    // "start+length" of every mark on the line.
    QStringList marks() const {
        QStringList marks;
        for (const QTextLayout::FormatRange& range : line().textFormats())
            if (range.format.hasProperty(QTextFormat::TextUnderlineStyle))
                marks.append(u"%1+%2"_s.arg(range.start).arg(range.length));
        return marks;
    }

    ListFontSource fonts;
    MemorySettingsStore store;
    FontCatalogue catalogue;
    FamilyNames familyNames;
    GlyphCoverage coverage;
    FamilyFaces faces;
    SheetFaces sheetFaces{faces, coverage};
    std::unique_ptr<Form1> form;
};

} // namespace

class TestSheetStyle : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            QFontDatabase::addApplicationFont(font.filePath());
    }

    // The face the sample is drawn in, as the font database resolves it, and what was asked
    // of it: a weight or slant asked beyond the face's own is one Qt fakes.
    void eachStyleDrawsTheFamilysOwnFace_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("face"); // "style name/weight/italic"
        QTest::addColumn<QStringList>("marks");
        const QString faces = u"Varelith Faces"_s;
        const QString latin = u"Bench Sans 00001"_s;
        const auto row = [](const char* name, const QString& stored, const QString& family,
                            const QString& note, const QString& face, int marked) {
            const int at = int(family.size() + note.size()) + 1 + int(Sample.size()) - marked;
            QTest::newRow(name) << stored << family << note << face
                                << QStringList{u"%1+%2"_s.arg(at).arg(marked)};
        };
        row("nothing stored", {}, faces, {}, u"Regular/400/0"_s, 1);
        row("unknown value", u"Heavy"_s, faces, {}, u"Regular/400/0"_s, 1);
        row("太字", u"Bold"_s, faces, {}, u"Bold/700/0"_s, 1);
        row("太字, no Bold face", u"Bold"_s, latin, u"（太字なし）"_s, u"Regular/400/0"_s, 2);
        row("細字", u"Light"_s, faces, {}, u"Light/300/0"_s, 1);
        row("細字, no Light face", u"Light"_s, latin, u"（細字なし）"_s, u"Regular/400/0"_s, 2);
        row("斜体", u"Italic"_s, faces, {}, u"Italic/400/1"_s, 1);
        row("斜体 by an oblique face", u"Italic"_s, u"DejaVu Sans"_s, {}, u"Oblique/400/1"_s, 2);
        row("太字斜体, none", u"BoldItalic"_s, faces, u"（太字斜体なし）"_s, u"Regular/400/0"_s, 1);
    }

    void eachStyleDrawsTheFamilysOwnFace() {
        QFETCH(QString, stored);
        QFETCH(QString, family);
        QFETCH(QString, note);
        StyledWindow window({family}, stored);
        const SheetStyle style = SheetStyleMenu::fromStoredText(stored);
        QVERIFY(window.form->styleMenu()->action(style)->isChecked());
        // The catalogue's name, the note in the name's format, then the sample.
        QCOMPARE(window.line().text(), family + note + u' ' + Sample);
        const QList<QTextLayout::FormatRange> formats = window.line().textFormats();
        QCOMPARE(formats.first().length, family.size() + note.size());
        const QFont asked = window.sampleFormat().font();
        const QFontInfo drawn(asked);
        QTEST(u"%1/%2/%3"_s.arg(drawn.styleName()).arg(drawn.weight()).arg(int(drawn.italic())),
              "face");
        // Asked for no more than the face has: Qt has nothing to thicken or slant.
        QCOMPARE(asked.weight(), drawn.weight());
        QCOMPARE(asked.italic(), drawn.italic());
        QTEST(window.marks(), "marks");
    }

    // Chosen in the menu: stored, and the page shown again in the new face at once; 標準
    // then gives the very document a window without styles gives.
    void choosingAStyleStoresItAndShowsThePageAgain() {
        StyledWindow window({u"Varelith Faces"_s, u"Bench Sans 00001"_s}, {});
        const int flushes = window.store.flushes;
        window.form->styleMenu()->action(SheetStyle::Bold)->trigger();
        QCOMPARE(window.store.values.value(SheetStyleMenu::SettingKey), u"Bold"_s);
        QCOMPARE(window.store.flushes, flushes + 1);
        QCOMPARE(QFontInfo(window.sampleFormat().font()).styleName(), u"Bold"_s);
        QCOMPARE(window.line().next().text(), u"Bench Sans 00001（太字なし） "_s + Sample);

        window.form->styleMenu()->action(SheetStyle::Regular)->trigger();
        const StyledWindow plain({u"Varelith Faces"_s, u"Bench Sans 00001"_s}, {}, false);
        for (QTextBlock block = window.line(), other = plain.line(); other.isValid();
             block = block.next(), other = other.next()) {
            QCOMPARE(block.text(), other.text());
            QCOMPARE(block.textFormats(), other.textFormats());
        }
    }

    // The marks follow the face drawn, not the family's plain face.
    void marksFollowTheFaceDrawn() {
        FamilyFaces faces;
        GlyphCoverage coverage;
        SheetFaces sheetFaces(faces, coverage);
        const QString latin = u"Bench Sans 00001"_s;
        const SheetFaces::Choice kana{faces.nearest(u"Varelith Vertical"_s, SheetStyle::Regular),
                                      {}};
        QCOMPARE(sheetFaces.missingRanges(latin, {}, u"Aあ"_s).size(), 1);
        QCOMPARE(sheetFaces.missingRanges(latin, kana, u"Aあ"_s).size(), 0);
    }

    // The specimen book in 太字: the Bold face embedded, the note after a name without it,
    // the style in the header; in 縦書き too. A family opened from a file is marked after
    // the style's note.
    void specimenBookInTheStyle_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("mark"); // after Bench Sans 00001, opened from a file
        QTest::newRow("横書き") << false << QString();
        QTest::newRow("縦書き") << true << QString();
        QTest::newRow("横書き, opened from a file") << false << u"（未インストール）"_s;
        QTest::newRow("縦書き, opened from a file") << true << u"（未インストール）"_s;
    }

    void specimenBookInTheStyle() {
        QFETCH(bool, vertical);
        QFETCH(QString, mark);
        MemorySettingsStore store;
        RecordingTickList list;
        FixedSheetSource source{FontCatalogue()};
        source.fonts.build(ListFontSource({u"Varelith Faces"_s, u"Bench Sans 00001"_s}), store,
                           list);
        source.sample = u"Abc"_s;
        source.style = SheetStyle::Bold;
        source.vertical = vertical;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"book.pdf"_s);
        GlyphCoverage coverage;
        FamilyFaces faces;
        SheetFaces sheetFaces(faces, coverage);
        Shaper shaper;
        DialogSpecimenBook book(coverage, std::make_unique<FilePrinterDialog>(pdf, 1), nullptr,
                                &sheetFaces);
        if (!mark.isEmpty())
            book.setUninstalledFamilies(
                [](const QString& family) { return family == u"Bench Sans 00001"_s; });
        book.printSpecimenBook(source, nullptr);
        const auto run = [](const QString& program, const QStringList& arguments) {
            QProcess process;
            process.start(program, arguments);
            process.waitForFinished();
            return QString::fromUtf8(process.readAllStandardOutput());
        };
        const QString text = run(u"pdftotext"_s, {u"-raw"_s, pdf, u"-"_s})
                                 .section(u'\n', 1)
                                 .remove(QRegularExpression(u"\\s"_s));
        if (vertical) // the columns read by pdftotext in an order of its own
            QVERIFY2(text.contains(u"BenchSans00001"_s) && text.contains(u"太字なし"_s) &&
                         text.count(u"未インストール"_s) == int(!mark.isEmpty()),
                     qPrintable(text));
        else
            QCOMPARE(text, u"12pt・太字・横書きVarelithFacesAbcBenchSans00001（太字なし）"_s +
                               mark + u"Abc"_s);
        QVERIFY(run(u"pdffonts"_s, {pdf}).contains(u"VarelithFaces-Bold"_s));
    }
};

QTEST_MAIN(TestSheetStyle)
#include "tst_sheetstyle.moc"
