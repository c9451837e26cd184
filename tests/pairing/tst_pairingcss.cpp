#include "cssfilechooser.h"
#include "memorysettingsstore.h"
#include "pairingcss.h"
#include "pairingpresets.h"
#include "webfacefacts.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

FaceRef testFace(const QString& file) {
    return {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + file, 0};
}

struct ChosenFile : CssFileChooser {
    QString chooseCssFile(QWidget*, const QString& suggested) override {
        suggestions.append(suggested);
        return file;
    }
    QString file;
    QStringList suggestions;
};

// The code points a unicode-range value covers.
bool covers(const QString& range, char32_t ucs4) {
    static const QRegularExpression item(u"U\\+([0-9A-F]+)(?:-([0-9A-F]+))?"_s);
    for (const QString& part : range.split(u", "_s)) {
        const QRegularExpressionMatch match = item.match(part);
        if (!match.hasMatch() || match.capturedLength() != part.size())
            return false; // a malformed item covers nothing
        const uint first = match.captured(1).toUInt(nullptr, 16);
        const uint last =
            match.captured(2).isEmpty() ? first : match.captured(2).toUInt(nullptr, 16);
        if (ucs4 >= first && ucs4 <= last)
            return true;
    }
    return false;
}

// The body of each @font-face rule, in order.
QStringList fontFaceRules(const QString& css) {
    QStringList rules;
    qsizetype at = 0;
    while ((at = css.indexOf(u"@font-face {"_s, at)) >= 0) {
        const qsizetype end = css.indexOf(u'}', at);
        rules.append(css.mid(at, end - at));
        at = end;
    }
    return rules;
}

QString descriptor(const QString& rule, const QString& name) {
    const QRegularExpression pattern(u"\\b"_s + name + u": ([^;]*);"_s);
    return pattern.match(rule).captured(1);
}

} // namespace

class TestPairingCss : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void css_data() {
        QTest::addColumn<int>("scale");
        QTest::addColumn<double>("shift");
        QTest::newRow("as they are") << 100 << 0.0;
        QTest::newRow("smaller and raised") << 90 << 2.0;
        QTest::newRow("larger and lowered") << 125 << -5.0;
    }
    void css() {
        QFETCH(int, scale);
        QFETCH(double, shift);
        const PairingPreset preset{
            u"本文"_s, u"Varelith Vertical"_s, u"Varelith Latin"_s, u"Bold"_s, scale, shift};
        const WebFaceFacts japanese =
            WebFaceFacts::read(testFace(u"varelith-vertical.ttf"_s), preset.japaneseFamily);
        const WebFaceFacts latin =
            WebFaceFacts::read(testFace(u"varelith-latin-bold.ttf"_s), preset.latinFamily);
        QVERIFY(japanese.readable && latin.readable);
        const QString css = PairingCss::text(preset, japanese, latin);
        const QString family = u"\"Varelith Vertical + Varelith Latin\""_s;

        // One family of two faces: the Japanese one whole, the Latin one for its range.
        const QStringList rules = fontFaceRules(css);
        QCOMPARE(rules.size(), 2);
        QCOMPARE(descriptor(rules.at(0), u"font-family"_s), family);
        QCOMPARE(descriptor(rules.at(1), u"font-family"_s), family);
        QVERIFY(rules.at(0).contains(u"local(\"Varelith Vertical\")"_s));
        QVERIFY(descriptor(rules.at(0), u"unicode-range"_s).isEmpty());
        QVERIFY(rules.at(1).contains(u"local(\"Varelith Latin Bold\")"_s));
        QVERIFY(rules.at(1).contains(u"local(\"VarelithLatin-Bold\")"_s));
        QVERIFY(rules.at(1).contains(u"url(\"varelith-latin-bold.ttf\")"_s));

        const QString range = descriptor(rules.at(1), u"unicode-range"_s);
        QCOMPARE(range, PairingCss::latinUnicodeRange());
        for (const char32_t latinCharacter : {U'A', U'z', U'0', U' ', U'!', U'é', U'Ł'})
            QVERIFY2(covers(range, latinCharacter),
                     qPrintable(QString::number(latinCharacter, 16)));
        for (const char32_t japaneseCharacter : {U'あ', U'縦', U'Ａ', U'１', U'、', U'×', U'Α'})
            QVERIFY2(!covers(range, japaneseCharacter),
                     qPrintable(QString::number(japaneseCharacter, 16)));

        QCOMPARE(descriptor(rules.at(1), u"size-adjust"_s), QString::number(scale) + u'%');
        // size-adjust scales the overrides: the rise is counted in the Latin font's em.
        const double ascent = descriptor(rules.at(1), u"ascent-override"_s).chopped(1).toDouble();
        const double descent = descriptor(rules.at(1), u"descent-override"_s).chopped(1).toDouble();
        QVERIFY(qAbs(ascent - (latin.ascent * 100 + shift * 100 / scale)) < 0.01);
        QVERIFY(qAbs(descent - (latin.descent * 100 - shift * 100 / scale)) < 0.01);
        // The overrides only make room: a rise is told, with the rule that moves the letters.
        QCOMPARE(css.contains(u".wakan-latin"_s), shift != 0);

        QVERIFY(
            css.contains(u"font-family: "_s + family + u", \"Varelith Vertical\", sans-serif;"_s));
    }

    // Names are CSS strings, and no name ends the comment it is told in.
    void namesEscaped() {
        const PairingPreset preset{u"a */ b"_s, u"Odd \"Name\""_s, u"Back\\slash"_s, {}, 100, 0};
        WebFaceFacts japanese = WebFaceFacts::read({}, preset.japaneseFamily);
        WebFaceFacts latin = WebFaceFacts::read({}, preset.latinFamily);
        QVERIFY(!japanese.readable);
        const QString css = PairingCss::text(preset, japanese, latin);
        QVERIFY(css.contains(u"local(\"Odd \\\"Name\\\"\")"_s));
        QVERIFY(css.contains(u"local(\"Back\\\\slash\")"_s));
        QCOMPARE(css.count(u"*/"_s), css.count(u"/*"_s));
    }

    void faceFacts() {
        const WebFaceFacts bold =
            WebFaceFacts::read(testFace(u"varelith-latin-bold.ttf"_s), u"given"_s);
        QCOMPARE(bold.family, u"Varelith Latin"_s);
        QCOMPARE(bold.weight, 700);
        QVERIFY(!bold.italic);
        QCOMPARE(bold.ascent, 0.88);
        QCOMPARE(bold.descent, 0.12);
        const WebFaceFacts none = WebFaceFacts::read(testFace(u"no-such.ttf"_s), u"given"_s);
        QVERIFY(!none.readable);
        QCOMPARE(none.family, u"given"_s);
    }

    // The file chosen gets the text in UTF-8; a cancel writes nothing, a folder that is not
    // there is a failure.
    void written_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("written");
        QTest::newRow("chosen") << u"out.css"_s << int(PairingCss::Written::Yes);
        QTest::newRow("cancelled") << QString() << int(PairingCss::Written::Cancelled);
        QTest::newRow("no such folder") << u"missing/out.css"_s << int(PairingCss::Written::Failed);
    }
    void written() {
        QFETCH(QString, file);
        QTemporaryDir folder;
        ChosenFile chooser;
        chooser.file = file.isEmpty() ? QString() : folder.filePath(file);
        const QString css = u"/* 和欧混植 */\n.wakan { font-family: \"縦書き試験\"; }\n"_s;
        QTEST(int(PairingCss::write(css, u"本文.css"_s, chooser, nullptr)), "written");
        QCOMPARE(chooser.suggestions, QStringList{u"本文.css"_s});
        QFile out(chooser.file);
        if (file == u"out.css"_s) {
            QVERIFY(out.open(QIODevice::ReadOnly));
            QCOMPARE(out.readAll(), css.toUtf8());
        } else if (!file.isEmpty()) {
            QVERIFY(!out.exists());
        }
    }

    // Kept in the store, each name once and in place, and read back as kept; whatever the
    // store holds that is not a preset is passed over.
    void presets() {
        MemorySettingsStore store;
        PairingPresets presets;
        presets.put({u"本文"_s, u"縦書き試験"_s, u"Varelith Latin"_s, u"Regular"_s, 90, 2.5});
        presets.put(
            {u"見出し, \"太\""_s, u"縦書き試験"_s, u"Varelith Latin"_s, u"Bold"_s, 110, -1});
        presets.put({u"本文"_s, u"漢字試験"_s, u"Varelith Latin"_s, {}, 95, 0});
        presets.save(store);
        const PairingPresets loaded = PairingPresets::load(store);
        QCOMPARE(loaded.presets(), presets.presets());
        QCOMPARE(loaded.presets().size(), 2);
        QCOMPARE(loaded.presets().at(0).japaneseFamily, u"漢字試験"_s);
        QVERIFY(loaded.find(u"見出し, \"太\""_s));
        presets.remove(u"本文"_s);
        QVERIFY(!presets.find(u"本文"_s));
        QCOMPARE(presets.presets().size(), 1);

        store.values[PairingPresets::SettingKey] =
            u"[{\"name\":\"\",\"japanese\":\"a\",\"latin\":\"b\"},"
            u"{\"name\":\"x\",\"japanese\":\"a\",\"latin\":\"b\",\"scale\":900,\"shift\":-99},"
            u"{\"name\":\"y\",\"japanese\":\"a\"}, 5]"_s;
        const PairingPresets odd = PairingPresets::load(store);
        QCOMPARE(odd.presets().size(), 1);
        QCOMPARE(odd.presets().at(0).scalePercent, 200);
        QCOMPARE(odd.presets().at(0).shiftPercent, -50.0);
        store.values[PairingPresets::SettingKey] = u"{not json"_s;
        QVERIFY(PairingPresets::load(store).presets().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestPairingCss)
#include "tst_pairingcss.moc"
