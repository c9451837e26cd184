#include "familywritingsystems.h"
#include "glyphcoverage.h"
#include "interfacefacesfirst.h"
#include "machineandtestfonts.h"

#include <QApplication>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

// The font list's script filter over fonts Qt's font database does not hold: as in the
// program, Qt knows the interface's faces alone, and the filter reads the languages of each
// family's face from the whole configuration it is handed.
class TestFamilyWritingSystems : public QObject {
    Q_OBJECT

public:
    explicit TestFamilyWritingSystems(const InterfaceFacesFirst& facesFirst)
        : m_coverage(facesFirst.allFonts()) {}

private Q_SLOTS:
    void supports_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<int>("system");
        QTest::addColumn<bool>("supported");
        using WS = QFontDatabase;
        // ASCII alone meets none of the languages Qt asks fontconfig about ("en" wants more).
        QTest::newRow("ASCII font: another script")
            << u"Bench Sans 00001"_s << int(WS::Other) << true;
        QTest::newRow("ASCII font: no Greek") << u"Bench Sans 00001"_s << int(WS::Greek) << false;
        QTest::newRow("DejaVu Sans: Latin") << u"DejaVu Sans"_s << int(WS::Latin) << true;
        QTest::newRow("DejaVu Sans: Greek") << u"DejaVu Sans"_s << int(WS::Greek) << true;
        QTest::newRow("DejaVu Sans: Cyrillic") << u"DejaVu Sans"_s << int(WS::Cyrillic) << true;
        QTest::newRow("DejaVu Sans: no Korean") << u"DejaVu Sans"_s << int(WS::Korean) << false;
        QTest::newRow("DejaVu Sans: not Japanese")
            << u"DejaVu Sans"_s << int(WS::Japanese) << false;
        QTest::newRow("Noto Sans CJK JP: Korean")
            << u"Noto Sans CJK JP"_s << int(WS::Korean) << true;
        QTest::newRow("Noto Sans CJK JP: Japanese")
            << u"Noto Sans CJK JP"_s << int(WS::Japanese) << true;
        QTest::newRow("a family not installed") << u"Varelith Nowhere"_s << int(WS::Latin) << false;
        QTest::newRow("any system, any family") << u"Varelith Nowhere"_s << int(WS::Any) << true;
    }
    void supports() {
        QFETCH(QString, family);
        QFETCH(int, system);
        FamilyWritingSystems systems(m_coverage);
        QTEST(systems.supports(family, QFontDatabase::WritingSystem(system)), "supported");
        // Qt's database never held the family asked of.
        QVERIFY(!QFontDatabase::families().contains(u"Bench Sans 00001"_s));
    }

private:
    GlyphCoverage m_coverage;
};

int main(int argc, char** argv) {
    const testing::MachineAndTestFonts fonts;
    if (!fonts.isReady())
        return 1;
    InterfaceFacesFirst facesFirst;
    QApplication application(argc, argv);
    TestFamilyWritingSystems test(facesFirst);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_familywritingsystems.moc"
