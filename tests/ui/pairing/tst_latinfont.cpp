#include "catalogues.h"
#include "cssfilechooser.h"
#include "familyfaces.h"
#include "familynames.h"
#include "form1.h"
#include "glyphcoverage.h"
#include "latinfontdialog.h"
#include "latinfontmenu.h"
#include "pairingfaces.h"
#include "pairingpresets.h"
#include "shapedsheetview.h"
#include "shaper.h"
#include "sheetfaces.h"
#include "typesettingmenu.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QAction>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Sample = u"かなAVfi 123"_s;
const QString Letters = u"AVfi 123"_s;

struct ChosenFile : CssFileChooser {
    QString chooseCssFile(QWidget*, const QString&) override { return file; }
    QString file;
};

// The main window over the made fonts with its 欧文フォント item, a page shown.
struct PairedSheet {
    explicit PairedSheet(MemorySettingsStore& settings,
                         const QStringList& families = {u"Varelith Vertical"_s,
                                                        u"Varelith Kanji"_s})
        : fonts(families)
        , store(settings) {
        form = std::make_unique<Form1>(catalogue, fonts, store, familyNames, nullptr, &coverage,
                                       nullptr, &sheetFaces, &shaper);
        menu = std::make_unique<LatinFontMenu>(
            *form->mview(), *form->typesettingMenu(), *form->shapedSheet(), pairingFaces, store,
            cssFiles, [this] { return fonts.names; }, form.get());
        form->Form_Load();
        form->Text2()->setText(u"20"_s);
        form->Text1()->setText(Sample);
        QTest::keyClick(form->Text1(), Qt::Key_Return);
    }
    ShapedSheetView& sheet() const { return *form->shapedSheet(); }
    LatinFontDialog& dialog() {
        menu->showDialog();
        return *menu->dialog();
    }
    QImage painted() const { return form->RText1()->viewport()->grab().toImage(); }
    FaceRef face(const QString& file) const {
        return {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + file, 0};
    }

    ListFontSource fonts;
    MemorySettingsStore& store;
    FontCatalogue catalogue;
    FamilyNames familyNames;
    GlyphCoverage coverage;
    FamilyFaces faces;
    SheetFaces sheetFaces{faces, coverage};
    Shaper shaper;
    PairingFaces pairingFaces{faces, coverage};
    ChosenFile cssFiles;
    std::unique_ptr<Form1> form;
    std::unique_ptr<LatinFontMenu> menu;
};

void fill(LatinFontDialog& dialog, QRadioButton* mode, const QString& latin, const QString& style,
          const QString& japanese, int scale, double shift) {
    mode->setChecked(true);
    dialog.latinFamilyBox()->setEditText(latin);
    dialog.latinStyleBox()->setCurrentText(style);
    dialog.japaneseFamilyBox()->setEditText(japanese);
    dialog.scaleBox()->setValue(scale);
    dialog.shiftBox()->setValue(shift);
}

void apply(LatinFontDialog& dialog) {
    dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Apply)->click();
}

} // namespace

class TestLatinFont : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            QFontDatabase::addApplicationFont(font.filePath());
    }

    // Every line's Latin letters and digits in the Latin font chosen, at its scale, the kana
    // in the line's own font; sideways in 縦書き; the text read and copied unchanged; なし
    // gives back the sheet as it was.
    void eachLinePaired_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("file");
        QTest::newRow("横書き, Bold") << false << u"Bold"_s << u"varelith-latin-bold.ttf"_s;
        QTest::newRow("縦書き, Regular") << true << u"Regular"_s << u"varelith-latin-regular.ttf"_s;
    }
    void eachLinePaired() {
        QFETCH(bool, vertical);
        QFETCH(QString, style);
        QFETCH(QString, file);
        MemorySettingsStore store;
        PairedSheet shown(store);
        QTextEdit* view = shown.form->RText1();
        const QString text = view->toPlainText();
        const QImage plain = shown.painted();
        if (vertical)
            shown.form->typesettingMenu()->vertical()->trigger();
        const QImage unpaired = shown.painted();

        LatinFontDialog& dialog = shown.dialog();
        QVERIFY(dialog.isVisible());
        fill(dialog, dialog.eachLineButton(), u"Varelith Latin"_s, style, QString(), 80, 5);
        QCOMPARE(dialog.latinStyleBox()->currentText(), style);
        apply(dialog);

        const QList<ShapedSheetView::Line>& lines = shown.sheet().lines();
        QCOMPARE(lines.size(), 2);
        const ShapedRun::Direction direction =
            vertical ? ShapedRun::Direction::Vertical : ShapedRun::Direction::Horizontal;
        for (const ShapedSheetView::Line& line : lines) {
            QCOMPARE(line.latin.face, shown.face(file));
            QCOMPARE(line.latin.pixelSize, line.sample.pixelSize * 0.8);
            const ShapedRun alone = shown.shaper.shape(shown.face(file), Letters, direction, {}, {},
                                                       line.latin.pixelSize);
            QCOMPARE(line.latin.glyphs.size(), alone.glyphs.size());
            for (qsizetype i = 0; i < alone.glyphs.size(); ++i) {
                QCOMPARE(line.latin.glyphs.at(i).id, alone.glyphs.at(i).id);
                QCOMPARE(line.latin.glyphs.at(i).sideways, vertical);
            }
            // The kana in the line's own face (after the space before the sample, in 横書き).
            QVERIFY(line.sample.face != shown.face(file));
            QCOMPARE(line.sample.glyphs.size(), vertical ? 2 : 3);
            for (const ShapedGlyph& glyph : line.sample.glyphs)
                QVERIFY(!glyph.missing && !glyph.sideways);
            QVERIFY(line.note.contains(u"欧文 Varelith Latin "_s + style + u" 80% +5%"_s));
        }
        QCOMPARE(lines.at(0).sample.face, shown.face(u"varelith-vertical.ttf"_s));
        QCOMPARE(lines.at(1).sample.face, shown.face(u"varelith-kanji.ttf"_s));
        QVERIFY(shown.painted() != unpaired);
        // Noted beside the name, never in the text read, copied or found.
        QCOMPARE(view->toPlainText(), text);
        QAccessibleTextInterface* accessible =
            QAccessible::queryAccessibleInterface(view)->textInterface();
        QCOMPARE(accessible->text(0, accessible->characterCount()), text);

        dialog.noneButton()->setChecked(true);
        apply(dialog);
        QVERIFY(shown.sheet().lines().isEmpty() ||
                shown.sheet().lines().at(0).latin.glyphs.isEmpty());
        QCOMPARE(shown.painted(), vertical ? unpaired : plain);
    }

    // One Japanese font beside each ticked font as its Latin partner, a line each.
    void partnerSearch() {
        MemorySettingsStore store;
        const QStringList latinFonts{u"Varelith Latin"_s, u"Varelith Faces"_s, u"Varelith Blank"_s};
        PairedSheet shown(store, latinFonts);
        LatinFontDialog& dialog = shown.dialog();
        fill(dialog, dialog.partnersButton(), QString(), QString(), u"Varelith Vertical"_s, 100, 0);
        apply(dialog);
        const QList<ShapedSheetView::Line>& lines = shown.sheet().lines();
        QCOMPARE(lines.size(), latinFonts.size());
        const QStringList files{u"varelith-latin-regular.ttf"_s, u"varelith-faces-regular.ttf"_s,
                                u"varelith-blank.ttf"_s};
        for (qsizetype index = 0; index < lines.size(); ++index) {
            const ShapedSheetView::Line& line = lines.at(index);
            QCOMPARE(line.name, latinFonts.at(index));
            QCOMPARE(line.note, u"和文 Varelith Vertical"_s);
            QCOMPARE(line.sample.face, shown.face(u"varelith-vertical.ttf"_s));
            QCOMPARE(line.latin.face, shown.face(files.at(index)));
            QVERIFY(!line.latin.glyphs.isEmpty());
        }
        // The same letters, a partner's own widths: each line measures differently.
        QVERIFY(lines.at(0).latin.advance != lines.at(1).latin.advance);
        // Stored: the next start pairs the same way.
        QCOMPARE(Typesetting::load(store).pairing, dialog.pairing());
    }

    // A pairing kept under a name and chosen again in another showing; written out as CSS
    // naming both families, the Latin one for its unicode-range.
    void presetsAndCss() {
        MemorySettingsStore store;
        QTemporaryDir folder;
        {
            PairedSheet shown(store);
            LatinFontDialog& dialog = shown.dialog();
            fill(dialog, dialog.eachLineButton(), u"Varelith Latin"_s, u"Bold"_s,
                 u"Varelith Vertical"_s, 90, 2.5);
            QVERIFY(!dialog.savePreset()); // no name yet
            dialog.presetBox()->setEditText(u"本文"_s);
            QVERIFY(dialog.savePreset());
            QVERIFY(store.flushes > 0);
        }
        PairedSheet shown(store);
        LatinFontDialog& dialog = shown.dialog();
        QCOMPARE(dialog.presetBox()->count(), 1);
        QCOMPARE(dialog.latinFamilyBox()->currentText(), QString());
        QVERIFY(dialog.choosePreset(u"本文"_s));
        QCOMPARE(dialog.latinFamilyBox()->currentText(), u"Varelith Latin"_s);
        QCOMPARE(dialog.latinStyleBox()->currentText(), u"Bold"_s);
        QCOMPARE(dialog.japaneseFamilyBox()->currentText(), u"Varelith Vertical"_s);
        QCOMPARE(dialog.scaleBox()->value(), 90);
        QCOMPARE(dialog.shiftBox()->value(), 2.5);
        QVERIFY(dialog.eachLineButton()->isChecked());

        shown.cssFiles.file = folder.filePath(u"本文.css"_s);
        QCOMPARE(dialog.exportCss(), PairingCss::Written::Yes);
        QFile css(shown.cssFiles.file);
        QVERIFY(css.open(QIODevice::ReadOnly));
        const QString written = QString::fromUtf8(css.readAll());
        QVERIFY(written.contains(u"font-family: \"Varelith Vertical + Varelith Latin\";"_s));
        QVERIFY(written.contains(u"local(\"Varelith Latin Bold\")"_s));
        QVERIFY(written.contains(u"local(\"Varelith Vertical\")"_s));
        QVERIFY(written.contains(u"unicode-range: "_s + PairingCss::latinUnicodeRange() + u';'));
        QVERIFY(written.contains(u"size-adjust: 90%;"_s));

        dialog.removePreset();
        QVERIFY(PairingPresets::load(store).presets().isEmpty());
    }

    // The item sits in 表示 with an access key no other item there has.
    void menuItem() {
        MemorySettingsStore store;
        PairedSheet shown(store);
        QMenu* view = shown.form->mview();
        QVERIFY(view->actions().contains(shown.menu->action()));
        QCOMPARE(shown.menu->action()->text(), u"欧文フォント(&E)..."_s);
        QStringList keys;
        for (const QAction* action : view->actions())
            if (const qsizetype at = action->text().indexOf(u'&'); at >= 0)
                keys.append(action->text().mid(at + 1, 1).toUpper());
        QCOMPARE(keys.count(u"E"_s), 1);
        QVERIFY(!shown.menu->dialog());
        shown.menu->action()->trigger();
        LatinFontDialog* dialog = shown.menu->dialog();
        QVERIFY(dialog && dialog->isVisible());
        // Closed without applying, it opens again on what the sheet has.
        dialog->partnersButton()->setChecked(true);
        dialog->scaleBox()->setValue(150);
        dialog->reject();
        shown.menu->action()->trigger();
        QVERIFY(dialog->noneButton()->isChecked());
        QCOMPARE(dialog->scaleBox()->value(), 100);
    }
};

QTEST_MAIN(TestLatinFont)
#include "tst_latinfont.moc"
