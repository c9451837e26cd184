#include "familyfaces.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;
using Slant = FontFace::Slant;

Q_DECLARE_METATYPE(SheetStyle)

namespace {

// "weight slant" faces: "400", "700i", "300o"; "v" marks a variable font itself.
QList<FontFace> facesOf(const QString& list) {
    QList<FontFace> faces;
    for (const QString& item : list.split(u' ', Qt::SkipEmptyParts)) {
        FontFace face;
        face.styleName = item;
        face.weight = QStringView(item).left(3).toInt();
        face.slant = item.contains(u'i')   ? Slant::Italic
                     : item.contains(u'o') ? Slant::Oblique
                                           : Slant::Upright;
        face.variable = item.contains(u'v');
        face.width = item.contains(u'c') ? 75 : 100;
        faces.append(face);
    }
    return faces;
}

} // namespace

class TestFamilyFaces : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void nearest_data();
    void nearest();
};

void TestFamilyFaces::nearest_data() {
    QTest::addColumn<QString>("faces");
    QTest::addColumn<SheetStyle>("style");
    QTest::addColumn<QString>("chosen"); // empty: none

    const QString full = u"300 400 700 400i 700i"_s;
    QTest::newRow("full family regular") << full << SheetStyle::Regular << u"400"_s;
    QTest::newRow("full family light") << full << SheetStyle::Light << u"300"_s;
    QTest::newRow("full family bold") << full << SheetStyle::Bold << u"700"_s;
    QTest::newRow("full family italic") << full << SheetStyle::Italic << u"400i"_s;
    QTest::newRow("full family bold italic") << full << SheetStyle::BoldItalic << u"700i"_s;
    // The test fonts' "Varelith Faces": no bold italic, never made up from bold or italic.
    const QString noBoldItalic = u"300 400 700 400i"_s;
    QTest::newRow("no bold italic") << noBoldItalic << SheetStyle::BoldItalic << QString();
    QTest::newRow("no bold") << u"400 400i"_s << SheetStyle::Bold << QString();
    QTest::newRow("medium is not bold") << u"400 500"_s << SheetStyle::Bold << QString();
    QTest::newRow("semibold is bold") << u"400 600"_s << SheetStyle::Bold << u"600"_s;
    QTest::newRow("bold nearest 700") << u"500 800 900"_s << SheetStyle::Bold << u"800"_s;
    QTest::newRow("no italic") << u"400 700"_s << SheetStyle::Italic << QString();
    QTest::newRow("oblique as italic") << u"400 400o"_s << SheetStyle::Italic << u"400o"_s;
    QTest::newRow("bold italic is not italic") << u"400 700i"_s << SheetStyle::Italic << QString();
    QTest::newRow("light italic is not italic") << u"400 300i"_s << SheetStyle::Italic << QString();
    QTest::newRow("only light: regular") << u"300"_s << SheetStyle::Regular << u"300"_s;
    QTest::newRow("only light: bold") << u"300"_s << SheetStyle::Bold << QString();
    QTest::newRow("only light: italic") << u"300"_s << SheetStyle::Italic << QString();
    QTest::newRow("book is not light") << u"350 400"_s << SheetStyle::Light << QString();
    QTest::newRow("light nearest 300") << u"100 200 400"_s << SheetStyle::Light << u"200"_s;
    QTest::newRow("regular upright first") << u"400i 700"_s << SheetStyle::Regular << u"700"_s;
    QTest::newRow("only italic: regular") << u"400i"_s << SheetStyle::Regular << u"400i"_s;
    QTest::newRow("normal width first") << u"400c 400"_s << SheetStyle::Regular << u"400"_s;
    QTest::newRow("variable font itself never") << u"400v 700v"_s << SheetStyle::Bold << QString();
    QTest::newRow("no faces") << QString() << SheetStyle::Regular << QString();
}

void TestFamilyFaces::nearest() {
    QFETCH(QString, faces);
    QFETCH(SheetStyle, style);
    QFETCH(QString, chosen);
    const std::optional<FontFace> face = FamilyFaces::nearest(facesOf(faces), style);
    QCOMPARE(face ? face->styleName : QString(), chosen);
}

QTEST_GUILESS_MAIN(TestFamilyFaces)
#include "tst_familyfaces.moc"
