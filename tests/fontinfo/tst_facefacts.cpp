#include "facefacts.h"
#include "familyfaces.h"
#include "japanesecoverage.h"
#include "japanesewriting.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;
using Level = EmbeddingPermission::Level;

Q_DECLARE_METATYPE(EmbeddingPermission::Level)

class TestFaceFacts : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void facts_data();
    void facts();
    void axes();
    void embedding_data();
    void embedding();
    void coverage();
    void writesJapanese_data();
    void writesJapanese();
};

namespace {

FaceFacts factsOf(const QString& family, const QString& style) {
    FamilyFaces faces;
    for (const FontFace& face : faces.faces(family))
        if (face.styleName == style)
            return FaceFacts::read(face.file, face.index);
    return {};
}

} // namespace

void TestFaceFacts::facts_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("style");
    QTest::addColumn<int>("fsType");
    QTest::addColumn<QString>("features");
    const QString faces = u"Varelith Faces"_s;
    QTest::newRow("regular") << faces << u"Regular"_s << 0 << QString();
    QTest::newRow("bold, its own file") << faces << u"Bold"_s << 0 << QString();
    QTest::newRow("variable instance") << u"Varelith Variable"_s << u"Black"_s << 0 << QString();
    QTest::newRow("vertical") << u"Varelith Vertical"_s << u"Regular"_s << 4 << u"palt vert vrt2"_s;
}

void TestFaceFacts::facts() {
    QFETCH(QString, family);
    QFETCH(QString, style);
    QFETCH(int, fsType);
    QFETCH(QString, features);
    const FaceFacts facts = factsOf(family, style);
    QVERIFY(facts.readable);
    QCOMPARE(facts.format, FaceFacts::Format::TrueType);
    QCOMPARE(facts.version, u"Version 2.001"_s);
    QCOMPARE(facts.vendor, u"VRLT"_s);
    QCOMPARE(facts.designer, u"Varelith Tests"_s);
    QCOMPARE(facts.copyright, u"Copyright 2026 Varelith Tests"_s);
    QCOMPARE(facts.licence, u"SIL Open Font License, Version 1.1"_s);
    QCOMPARE(facts.licenceUrl, u"https://openfontlicense.org"_s);
    QVERIFY(facts.embedding.known());
    QCOMPARE(facts.embedding.fsType(), fsType);
    QCOMPARE(facts.features.join(u' '), features);
    QVERIFY(facts.glyphCount > 50);
}

void TestFaceFacts::axes() {
    const FaceFacts facts = factsOf(u"Varelith Variable"_s, u"Thin"_s);
    QVERIFY(facts.variable());
    QCOMPARE(facts.axes, (QList<FaceFacts::Axis>{{u"wght"_s, u"Weight"_s, 100, 400, 900},
                                                 {u"CNTR"_s, u"Contrast"_s, 0, 0, 100}}));
    QVERIFY(!factsOf(u"Varelith Faces"_s, u"Regular"_s).variable());
    QVERIFY(!FaceFacts::read(u"/nonexistent.ttf"_s, 0).readable);
}

void TestFaceFacts::embedding_data() {
    QTest::addColumn<int>("fsType");
    QTest::addColumn<Level>("level");
    QTest::addColumn<QString>("wording"); // the whole text a user reads
    const QString installable = u"インストール可能（制限なし、PDF への埋め込み可）"_s;
    const QString restricted = u"制限付き（PDF への埋め込み不可）"_s;
    const QString preview = u"プレビューと印刷のみ（PDF への埋め込みは閲覧と印刷に限る）"_s;
    const QString editable = u"編集可能（PDF への埋め込み可、文書の編集も可）"_s;
    // Every combination of bits 1 to 3. Older fonts set several: the least restrictive wins.
    QTest::newRow("installable") << 0x0000 << Level::Installable << installable;
    QTest::newRow("restricted") << 0x0002 << Level::Restricted << restricted;
    QTest::newRow("preview and print") << 0x0004 << Level::PreviewAndPrint << preview;
    QTest::newRow("restricted and preview") << 0x0006 << Level::PreviewAndPrint << preview;
    QTest::newRow("editable") << 0x0008 << Level::Editable << editable;
    QTest::newRow("restricted and editable") << 0x000A << Level::Editable << editable;
    QTest::newRow("preview and editable") << 0x000C << Level::Editable << editable;
    QTest::newRow("all three") << 0x000E << Level::Editable << editable;
    const QString noSubsetting = u"、サブセット化不可（フォント全体を埋め込む）"_s;
    const QString bitmapOnly = u"、ビットマップのみ埋め込み可"_s;
    QTest::newRow("no subsetting") << 0x0100 << Level::Installable << installable + noSubsetting;
    QTest::newRow("bitmap only") << 0x0204 << Level::PreviewAndPrint << preview + bitmapOnly;
    QTest::newRow("editable, no subsetting")
        << 0x010C << Level::Editable << editable + noSubsetting;
    // Nothing may be embedded: how it would be embedded does not matter.
    QTest::newRow("restricted, bitmap only") << 0x0302 << Level::Restricted << restricted;
}

void TestFaceFacts::embedding() {
    QFETCH(int, fsType);
    QFETCH(Level, level);
    QFETCH(QString, wording);
    const EmbeddingPermission permission{quint16(fsType)};
    QCOMPARE(permission.level(), level);
    QCOMPARE(permission.text(), wording);
    QCOMPARE(permission.text().contains(u"PDF への埋め込み不可"), level == Level::Restricted);
}

void TestFaceFacts::coverage() {
    // "Varelith Vertical": every hiragana and katakana, 永縦書字 (level 1, 常用), 弌 (level
    // 2), 俱 (JIS X 0213 level 3).
    FamilyFaces faces;
    const QList<FontFace> vertical = faces.faces(u"Varelith Vertical"_s);
    QCOMPARE(vertical.size(), 1);
    FcCharSet* characters = nullptr;
    QCOMPARE(FcPatternGetCharSet(faces.pattern(vertical.first()), FC_CHARSET, 0, &characters),
             FcResultMatch);
    const JapaneseCoverage coverage(characters);
    using Set = JapaneseCoverage::Set;
    using Count = JapaneseCoverage::Count;
    const QList<std::pair<Set, Count>> expected = {
        {Set::Hiragana, {86, 86}},   {Set::Katakana, {90, 90}},   {Set::JisLevel1, {4, 2965}},
        {Set::JisLevel2, {1, 3390}}, {Set::JisLevel3, {1, 1259}}, {Set::JisLevel4, {0, 2436}},
        {Set::Joyo, {4, 2136}}};
    for (const auto& [set, count] : expected) {
        QCOMPARE(coverage.count(set), count);
        QCOMPARE(coverage.missing(set).size(), count.total - count.covered);
    }
    QVERIFY(!coverage.missing(Set::JisLevel1).contains(U'永'));
    QVERIFY(coverage.missing(Set::JisLevel1).contains(U'亜'));
    QCOMPARE(JapaneseCoverage(nullptr).count(Set::Joyo), (Count{0, 2136}));
}

// Kana (hiragana then katakana) and JIS level 1 kanji, the first so many of each: at least
// 90% of both writes Japanese.
void TestFaceFacts::writesJapanese_data() {
    QTest::addColumn<int>("kana");
    QTest::addColumn<int>("level1");
    QTest::addColumn<bool>("writes");
    QTest::newRow("all") << 176 << 2965 << true;
    QTest::newRow("one kanji short, as Klee One") << 176 << 2964 << true;
    QTest::newRow("169 kana, as JIS X 0208 has") << 169 << 2965 << true;
    QTest::newRow("90% of both") << 159 << 2669 << true;
    QTest::newRow("a kana below") << 158 << 2965 << false;
    QTest::newRow("a kanji below") << 176 << 2668 << false;
    QTest::newRow("kanji, no kana") << 0 << 2965 << false;
    QTest::newRow("kana, no kanji") << 176 << 0 << false;
}

void TestFaceFacts::writesJapanese() {
    QFETCH(int, kana);
    QFETCH(int, level1);
    using Set = JapaneseCharacterSets::Set;
    std::unique_ptr<FcCharSet, decltype(&FcCharSetDestroy)> characters(FcCharSetCreate(),
                                                                       &FcCharSetDestroy);
    const auto add = [&characters](Set set, int count) {
        for (const char32_t character : JapaneseCharacterSets::characters(set).first(count))
            FcCharSetAddChar(characters.get(), character);
    };
    add(Set::Hiragana, std::min(kana, 86));
    add(Set::Katakana, std::max(kana - 86, 0));
    add(Set::JisLevel1, level1);
    add(Set::JisLevel2, 3390); // counts for nothing
    const JapaneseWriting japanese;
    QTEST(japanese.writes(characters.get()), "writes");
    QVERIFY(!japanese.writes(nullptr));
}

QTEST_GUILESS_MAIN(TestFaceFacts)
#include "tst_facefacts.moc"
