#include "familyfaces.h"
#include "familynames.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;
using Slant = FontFace::Slant;

Q_DECLARE_METATYPE(SheetStyle)

namespace {

// "weight slant" faces: "400", "700i", "300o"; "v" marks a variable font itself, "t" a
// Type 1 font, "c" a condensed one.
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
        face.shapeable = !item.contains(u't');
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
    void installedFaces_data();
    void installedFaces();
    void names_data();
    void names();
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
    // A family of slanted faces alone draws its plain lines slanted, but has no upright
    // style: 太字 and 細字 find nothing.
    const QString onlyItalic = u"300i 400i 700i"_s;
    QTest::newRow("only italic: regular of three")
        << onlyItalic << SheetStyle::Regular << u"400i"_s;
    QTest::newRow("only italic: bold") << onlyItalic << SheetStyle::Bold << QString();
    QTest::newRow("only italic: light") << onlyItalic << SheetStyle::Light << QString();
    QTest::newRow("only italic: italic") << onlyItalic << SheetStyle::Italic << u"400i"_s;
    QTest::newRow("only italic: bold italic") << onlyItalic << SheetStyle::BoldItalic << u"700i"_s;
    QTest::newRow("only oblique: bold") << u"400o 700o"_s << SheetStyle::Bold << QString();
    QTest::newRow("normal width first") << u"400c 400"_s << SheetStyle::Regular << u"400"_s;
    QTest::newRow("variable font itself never") << u"400v 700v"_s << SheetStyle::Bold << QString();
    // URW's fonts come as Type 1 and as OpenType: the one the shaper sets, listed first or not.
    QTest::newRow("OpenType over Type 1") << u"400t 700t 400 700"_s << SheetStyle::Bold << u"700"_s;
    QTest::newRow("Type 1 when alone") << u"400t 700t"_s << SheetStyle::Bold << u"700t"_s;
    QTest::newRow("weight before format") << u"700t 800"_s << SheetStyle::Bold << u"700t"_s;
    QTest::newRow("no faces") << QString() << SheetStyle::Regular << QString();
}

void TestFamilyFaces::nearest() {
    QFETCH(QString, faces);
    QFETCH(SheetStyle, style);
    QFETCH(QString, chosen);
    const std::optional<FontFace> face = FamilyFaces::nearest(facesOf(faces), style);
    QCOMPARE(face ? face->styleName : QString(), chosen);
}

void TestFamilyFaces::installedFaces_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("faces");  // "style weight slant", lightest first
    QTest::addColumn<QString>("chosen"); // for 標準, 細字, 太字, 斜体, 太字斜体
    QTest::newRow("four faces, no bold italic")
        << u"Varelith Faces"_s << u"Light 300 0, Regular 400 0, Italic 400 1, Bold 700 0"_s
        << u"Regular Light Bold Italic -"_s;
    QTest::newRow("by its Japanese name")
        << u"試験ファミリー"_s << u"Light 300 0, Regular 400 0, Italic 400 1, Bold 700 0"_s
        << u"Regular Light Bold Italic -"_s;
    // Named instances count, the variable font itself is listed last and never chosen.
    QTest::newRow("variable") << u"Varelith Variable"_s
                              << u"Thin 100 0, Regular 400 0, Black 900 0,  400 0"_s
                              << u"Regular Thin Black - -"_s;
    QTest::newRow("one face") << u"Varelith Vertical"_s << u"Regular 400 0"_s
                              << u"Regular - - - -"_s;
    QTest::newRow("not installed") << u"Varelith Nowhere"_s << QString() << u"- - - - -"_s;
}

void TestFamilyFaces::installedFaces() {
    QFETCH(QString, family);
    QFETCH(QString, faces);
    QFETCH(QString, chosen);
    FamilyFaces installed;
    QStringList listed;
    for (const FontFace& face : installed.faces(family)) {
        listed.append(u"%1 %2 %3"_s.arg(face.styleName).arg(face.weight).arg(int(face.slant)));
        QVERIFY(installed.pattern(face));
        QVERIFY(face.file.endsWith(u".ttf"));
    }
    QCOMPARE(listed.join(u", "), faces);
    QStringList styles;
    for (const SheetStyle style : {SheetStyle::Regular, SheetStyle::Light, SheetStyle::Bold,
                                   SheetStyle::Italic, SheetStyle::BoldItalic}) {
        const std::optional<FontFace> face = installed.nearest(family, style);
        styles.append(face ? face->styleName : u"-"_s);
    }
    QCOMPARE(styles.join(u' '), chosen);
}

void TestFamilyFaces::names_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("names"); // "text:language", Japanese first
    QTest::addColumn<QString>("japanese");
    QTest::newRow("Japanese name first")
        << u"Varelith Faces"_s << u"試験ファミリー:ja Varelith Faces:en"_s << u"試験ファミリー"_s;
    QTest::newRow("any case finds it")
        << u"varelith vertical"_s << u"縦書き試験:ja Varelith Vertical:en"_s << u"縦書き試験"_s;
    QTest::newRow("by the Japanese name, none other")
        << u"縦書き試験"_s << u"縦書き試験:ja Varelith Vertical:en"_s << QString();
    QTest::newRow("no Japanese name") << u"Varelith Blank"_s << u"Varelith Blank:en"_s << QString();
    QTest::newRow("not installed") << u"Varelith Nowhere"_s << QString() << QString();
}

void TestFamilyFaces::names() {
    QFETCH(QString, family);
    QFETCH(QString, names);
    QFETCH(QString, japanese);
    FamilyNames all;
    QStringList listed;
    for (const FamilyNames::Name& name : all.names(family))
        listed.append(name.text + u':' + name.language);
    QCOMPARE(listed.join(u' '), names);
    QCOMPARE(all.japaneseName(family), japanese);
}

QTEST_GUILESS_MAIN(TestFamilyFaces)
#include "tst_familyfaces.moc"
