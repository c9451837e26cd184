#include "interfacefacesfirst.h"
#include "machineandtestfonts.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTest>

#include <fontconfig/fontconfig.h>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

bool lists(FcConfig* config, const char* family) {
    for (const FcSetName set : {FcSetSystem, FcSetApplication}) {
        const FcFontSet* fonts = FcConfigGetFonts(config, set);
        for (int i = 0; fonts && i < fonts->nfont; ++i) {
            FcChar8* name = nullptr;
            for (int k = 0;
                 FcPatternGetString(fonts->fonts[i], FC_FAMILY, k, &name) == FcResultMatch; ++k)
                if (qstrcmp(reinterpret_cast<const char*>(name), family) == 0)
                    return true;
        }
    }
    return false;
}

} // namespace

// Made before the application object, as the program makes it, over the machine's fonts
// (IPA P Gothic, the program's own dependency, among them) and the tests' font set.
class TestInterfaceFacesFirst : public QObject {
    Q_OBJECT

public:
    explicit TestInterfaceFacesFirst(InterfaceFacesFirst& facesFirst)
        : m_facesFirst(facesFirst) {}

private Q_SLOTS:
    // Qt's font database holds the interface's faces for the whole run; the whole
    // configuration is held for the program's own readers, not made current.
    void interfaceFacesForTheWholeRun() {
        QVERIFY(m_facesFirst.isActive());
        const QFont face(u"IPAPGothic"_s, 9);
        QCOMPARE(QFontInfo(face).family(), u"IPAPGothic"_s);
        FcConfig* all = m_facesFirst.allFonts();
        QVERIFY(all);
        FcConfig* current = FcConfigReference(nullptr);
        QVERIFY(current != all);
        for (const char* family : {"Bench Sans 00001", "Varelith Faces", "IPAGothic"}) {
            QVERIFY2(lists(all, family), family);
            QVERIFY2(!lists(current, family) || qstrcmp(family, "IPAGothic") == 0, family);
        }
        QVERIFY(lists(current, "IPAPGothic"));
        FcConfigDestroy(current);
        // Asked for a family it has not, Qt finds a stand-in and lists still no more.
        const QStringList interfaceFamilies = QFontDatabase::families();
        QVERIFY(!interfaceFamilies.contains(u"Bench Sans 00001"_s));
        QVERIFY(QFontInfo(QFont(u"Varelith Faces"_s)).family() != u"Varelith Faces"_s);
        QCOMPARE(QFontDatabase::families(), interfaceFamilies);
    }

private:
    InterfaceFacesFirst& m_facesFirst;
};

int main(int argc, char** argv) {
    const testing::MachineAndTestFonts fonts;
    if (!fonts.isReady())
        return 1;
    InterfaceFacesFirst facesFirst;
    QApplication application(argc, argv);
    TestInterfaceFacesFirst test(facesFirst);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_interfacefacesfirst.moc"
