#include "catalogues.h"
#include "composedpage.h"
#include "familyfaces.h"
#include "familynames.h"
#include "form1.h"
#include "glyphcoverage.h"
#include "interfacefacesfirst.h"
#include "machineandtestfonts.h"
#include "recordingticklist.h"
#include "shapedsheetview.h"
#include "shaper.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"
#include "sheetfaces.h"
#include "sheetstylemenu.h"
#include "typesettingmenu.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTextEdit>

#include <fontconfig/fontconfig.h>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

const QStringList Families{u"Varelith Vertical"_s, u"Varelith Faces"_s, u"Varelith Variable"_s};

struct ShownSheet {
    ShownSheet(FcConfig* installed, const QStringList& families, const QString& sample,
               const QString& size)
        : fonts(families)
        , familyNames(installed)
        , coverage(installed)
        , faces(installed) {
        form = std::make_unique<Form1>(catalogue, fonts, store, familyNames, nullptr, &coverage,
                                       nullptr, &sheetFaces, &shaper);
        form->Form_Load();
        form->Text2()->setText(size);
        form->Text1()->setText(sample);
        QTest::keyClick(form->Text1(), Qt::Key_Return);
    }
    ShapedSheetView& sheet() const { return *form->shapedSheet(); }

    ListFontSource fonts;
    MemorySettingsStore store;
    FontCatalogue catalogue;
    FamilyNames familyNames;
    GlyphCoverage coverage;
    FamilyFaces faces;
    SheetFaces sheetFaces{faces, coverage};
    Shaper shaper;
    std::unique_ptr<Form1> form;
};

bool qtKnowsATestFamily() {
    for (const QString& family : QFontDatabase::families())
        if (family.startsWith(u"Varelith"_s) || family.startsWith(u"Bench Sans"_s))
            return true;
    return false;
}

// The advance HarfBuzz's own command-line shaper gives the text in the file's first face,
// in pixels: at a size of 1000 its advances are thousandths of the size.
qreal harfBuzzAdvance(const QString& file, const QString& text, qreal pixels) {
    QProcess shape;
    shape.start(u"hb-shape"_s, {u"--output-format=json"_s, u"--no-glyph-names"_s,
                                u"--font-size=1000"_s, file, text});
    if (!shape.waitForFinished(20000) || shape.exitCode() != 0)
        return -1;
    qreal sum = 0;
    for (const QJsonValue& glyph : QJsonDocument::fromJson(shape.readAllStandardOutput()).array())
        sum += glyph.toObject().value(u"ax"_s).toDouble();
    return sum * pixels / 1000;
}

} // namespace

// No sample on the sheet is drawn through Qt's font matching. As in the program, Qt's font
// database holds the interface's faces alone for the whole run, over the machine's fonts and
// the tests' set; the sheet's readers are handed every installed font. A line set by Qt
// would come out in another face, at another length.
class TestSheetEngine : public QObject {
    Q_OBJECT

public:
    explicit TestSheetEngine(const InterfaceFacesFirst& facesFirst)
        : m_installed(facesFirst.allFonts()) {}

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(m_installed);
        m_interfaceFamilies = QFontDatabase::families();
        QVERIFY(!m_interfaceFamilies.isEmpty());
        QVERIFY(!qtKnowsATestFamily());
    }

    // Every mode, plain 横書き included: a line per font, set in the face fontconfig gives
    // for the family and style, and painted there.
    void everyModeShapedFromItsFace_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("features");
        QTest::addColumn<QString>("axes");
        QTest::addColumn<bool>("bold");
        QTest::newRow("plain 横書き") << false << QString() << QString() << false;
        QTest::newRow("太字 横書き") << false << QString() << QString() << true;
        QTest::newRow("palt") << false << u"palt"_s << QString() << false;
        QTest::newRow("wght") << false << QString() << u"wght=900"_s << false;
        QTest::newRow("縦書き") << true << QString() << QString() << false;
    }
    void everyModeShapedFromItsFace() {
        QFETCH(bool, vertical);
        QFETCH(QString, features);
        QFETCH(QString, axes);
        QFETCH(bool, bold);
        ShownSheet shown(m_installed, Families, u"ABCabc"_s, u"20"_s);
        if (bold)
            shown.form->styleMenu()->action(SheetStyle::Bold)->trigger();
        shown.form->typesettingMenu()->setTypesetting(
            {vertical, FeatureSettings::fromText(features), VariationSettings::fromText(axes), {}});
        const QList<ShapedSheetView::Line>& lines = shown.sheet().lines();
        QCOMPARE(lines.size(), Families.size());
        const QImage painted = shown.form->RText1()->viewport()->grab().toImage();
        for (qsizetype index = 0; index < lines.size(); ++index) {
            const ShapedSheetView::Line& line = lines.at(index);
            QVERIFY(line.sample.valid && !line.standIn);
            QVERIFY(line.sample.face.file.startsWith(QStringLiteral(VARELITH_TEST_FONTS)));
            // The space before the sample belongs to a line, not to a column.
            QCOMPARE(line.sample.glyphs.size(), vertical ? 6 : 7);
            QVERIFY(!line.sample.hasMissing());
        }
        // The faces for the style: Faces' own bold file, the others their plain one.
        QCOMPARE(lines.at(1).sample.face.file.endsWith(u"varelith-faces-bold.ttf"_s), bold);
        int ink = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                ink += qGray(painted.pixel(x, y)) < 128;
        QVERIFY(ink > 100);
        // Qt's database still the interface's faces alone, after a page in the mode.
        QVERIFY(!qtKnowsATestFamily());
        QCOMPARE(QFontDatabase::families(), m_interfaceFamilies);
    }

    // Plain 横書き: a line's sample is as long as HarfBuzz's own shaper makes the text in
    // the face (the space before it included), not Qt's whole-pixel advances.
    void lineLengthIsHarfBuzzs_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("size");
        QTest::newRow("kerned Latin, 40 pt")
            << u"DejaVu Sans"_s << u"AVATAR To WAVE fi"_s << u"40"_s;
        QTest::newRow("Latin, 13.5 pt") << u"DejaVu Sans"_s << u"Varelith 0123"_s << u"13.5"_s;
        QTest::newRow("kana, 20 pt") << u"Varelith Vertical"_s << u"「かな」ABC"_s << u"20"_s;
        QTest::newRow("faces, 37 pt") << u"Varelith Faces"_s << u"ABCabc"_s << u"37"_s;
    }
    void lineLengthIsHarfBuzzs() {
        QFETCH(QString, family);
        QFETCH(QString, sample);
        QFETCH(QString, size);
        ShownSheet shown(m_installed, {family}, sample, size);
        QCOMPARE(shown.sheet().lines().size(), 1);
        const ShapedSheetView::Line& line = shown.sheet().lines().first();
        QVERIFY(line.sample.valid);
        const qreal pixels = size.toDouble() * shown.form->RText1()->viewport()->logicalDpiY() / 72;
        const qreal expected = harfBuzzAdvance(line.sample.face.file, u' ' + sample, pixels);
        QVERIFY2(expected > 0, "hb-shape (libharfbuzz-bin) did not run");
        QVERIFY2(std::abs(line.sample.advance - expected) < 0.05,
                 qPrintable(u"%1 against %2"_s.arg(line.sample.advance).arg(expected)));
    }

    // A face HarfBuzz cannot read (a Type 1 font) is drawn from its own file, by its
    // character map, at its own advances: never from a family Qt looks up by name, which
    // Qt's database does not hold.
    void typeOneDrawnFromItsFile_data() {
        QTest::addColumn<bool>("vertical");
        QTest::newRow("横書き") << false;
        QTest::newRow("縦書き") << true;
    }
    void typeOneDrawnFromItsFile() {
        QFETCH(bool, vertical);
        const QString file = u"/usr/share/fonts/type1/urw-base35/NimbusMonoPS-Regular.t1"_s;
        if (!QFile::exists(file))
            QSKIP("no URW Type 1 fonts (Debian package fonts-urw-base35)");
        MemorySettingsStore store;
        store.values.insert(FontCatalogue::flagKey(1), u"1"_s);
        FontCatalogue catalogue;
        RecordingTickList list;
        catalogue.build(ListFontSource({u"Nimbus Mono PS"_s}), store, list);
        const QString sample = u"Type 1"_s;
        const ComposedPage page =
            SheetComposer::compose(catalogue, {Int16(1), sample, u"40"_s, u"1"_s, u"1"_s});
        QTextEdit view;
        view.resize(600, 400);
        std::unique_ptr<QTextDocument> document = SheetDocument::build(page, QFont(), nullptr, {});
        document->setParent(&view);
        view.setDocument(document.release());
        Shaper shaper;
        ShapedSheetView sheet(view, shaper, [&file](const QString&) {
            return SheetLineFaces::Face{FaceRef{file, 0}, {}};
        });
        sheet.setTypesetting({vertical, {}, {}, {}});
        sheet.pageShown(page);
        QCOMPARE(sheet.lines().size(), 1);
        const ShapedSheetView::Line& line = sheet.lines().first();
        QVERIFY(line.standIn && !line.standInMissing);
        QCOMPARE(line.standIn->familyName(), u"Nimbus Mono PS"_s);
        // A monospaced face: 600 units of its 1000 for every character, the space before the
        // sample included in a line.
        const qreal pixels = 40 * view.viewport()->logicalDpiY() / 72.0;
        const qreal characters = qreal(sample.size() + (vertical ? 0 : 1));
        QVERIFY2(std::abs(line.sample.advance - characters * 0.6 * pixels) < 1,
                 qPrintable(QString::number(line.sample.advance)));
        const QImage painted = view.viewport()->grab().toImage();
        int ink = 0;
        for (int y = 0; y < painted.height(); ++y)
            for (int x = 0; x < painted.width(); ++x)
                ink += qGray(painted.pixel(x, y)) < 128;
        QVERIFY(ink > 100);
        QVERIFY(!QFontDatabase::families().contains(u"Nimbus Mono PS"_s));
    }

private:
    FcConfig* m_installed;
    QStringList m_interfaceFamilies;
};

int main(int argc, char** argv) {
    const testing::MachineAndTestFonts fonts;
    if (!fonts.isReady())
        return 1;
    InterfaceFacesFirst facesFirst;
    QApplication application(argc, argv);
    TestSheetEngine test(facesFirst);
    return QTest::qExec(&test, argc, argv);
}
#include "tst_sheetengine.moc"
