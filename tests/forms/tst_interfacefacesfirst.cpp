#include "interfacefacesfirst.h"

#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

// Made before the application object, as the program makes it, over the machine's fonts
// (IPA P Gothic, the program's own dependency, among them) and the tests' font set.
class TestInterfaceFacesFirst : public QObject {
    Q_OBJECT

public:
    explicit TestInterfaceFacesFirst(InterfaceFacesFirst& facesFirst)
        : m_facesFirst(facesFirst) {}

private Q_SLOTS:
    void interfaceFacesFirstThenAll() {
        QVERIFY(m_facesFirst.isActive());
        const QFont face(u"IPAPGothic"_s, 9);
        const QString text = u"表示文字列 Abc 012"_s;
        const qreal advance = QFontMetricsF(face).horizontalAdvance(text);
        QCOMPARE(QFontInfo(face).family(), u"IPAPGothic"_s);
        QVERIFY(!QFontDatabase::families().contains(u"Bench Sans 00001"_s));

        m_facesFirst.allFonts();
        QVERIFY(!m_facesFirst.isActive());
        for (const QString& family : {u"Bench Sans 00001"_s, u"Varelith Faces"_s, u"IPAGothic"_s})
            QVERIFY2(QFontDatabase::families().contains(family), qPrintable(family));
        // The same face, drawn the same: what the window showed first stays as it was.
        QCOMPARE(QFontInfo(face).family(), u"IPAPGothic"_s);
        QCOMPARE(QFontMetricsF(face).horizontalAdvance(text), advance);
        m_facesFirst.allFonts(); // a second call does nothing
        QVERIFY(QFontDatabase::families().contains(u"Bench Sans 00001"_s));
    }

private:
    InterfaceFacesFirst& m_facesFirst;
};

int main(int argc, char** argv) {
    QTemporaryDir cache;
    QFile config(cache.filePath(u"fonts.conf"_s));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write(
        u"<fontconfig><cachedir>%1</cachedir>"
        "<include ignore_missing=\"yes\">/etc/fonts/fonts.conf</include>"
        "<dir>%2</dir></fontconfig>"_s.arg(cache.path(), QStringLiteral(VARELITH_TEST_FONTS))
            .toUtf8());
    config.close();
    qputenv("FONTCONFIG_FILE", config.fileName().toLocal8Bit());
    InterfaceFacesFirst facesFirst;
    QApplication application(argc, argv);
    TestInterfaceFacesFirst test(facesFirst);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_interfacefacesfirst.moc"
