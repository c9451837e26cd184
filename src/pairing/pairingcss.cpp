#include "pairingcss.h"

#include "cssfilechooser.h"

#include <QFile>
#include <QSaveFile>

#include <unicode/uchar.h>
#include <unicode/uscript.h>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

QString quoted(const QString& text) {
    QString escaped;
    for (const QChar c : text) {
        if (c == u'"' || c == u'\\')
            escaped += u'\\';
        if (c == u'\n' || c == u'\r') {
            escaped += u"\\A "_s;
            continue;
        }
        escaped += c;
    }
    return u'"' + escaped + u'"';
}

// A name inside a comment must not end it.
QString commented(const QString& text) {
    QString safe = text;
    return safe.replace(u"*/"_s, u"* /"_s);
}

// "12.5", "90", "-2": no trailing zeros.
QString number(double value, int decimals = 2) {
    QString text = QString::number(value, 'f', decimals);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == u"-0"_s ? u"0"_s : text;
}

bool latinWherever(UChar32 c) {
    if (c >= 0x20 && c <= 0x7e)
        return true;
    const int width = u_getIntPropertyValue(c, UCHAR_EAST_ASIAN_WIDTH);
    if (width == U_EA_WIDE || width == U_EA_FULLWIDTH)
        return false;
    UErrorCode error = U_ZERO_ERROR;
    return uscript_getScript(c, &error) == USCRIPT_LATIN;
}

QString sources(const WebFaceFacts& face) {
    QStringList list;
    for (const QString& name : {face.fullName, face.postScriptName})
        if (!name.isEmpty() && !list.contains(u"local("_s + quoted(name) + u')'))
            list.append(u"local("_s + quoted(name) + u')');
    if (list.isEmpty())
        list.append(u"local("_s + quoted(face.family) + u')');
    if (!face.fileName.isEmpty())
        list.append(u"url("_s + quoted(face.fileName) + u')');
    return list.join(u",\n       "_s);
}

} // namespace

QString PairingCss::latinUnicodeRange() {
    QStringList ranges;
    UChar32 start = -1;
    const auto close = [&](UChar32 end) {
        ranges.append(start == end ? u"U+%1"_s.arg(qlonglong(start), 4, 16, QChar(u'0')).toUpper()
                                   : u"U+%1-%2"_s.arg(qlonglong(start), 4, 16, QChar(u'0'))
                                         .arg(qlonglong(end), 4, 16, QChar(u'0'))
                                         .toUpper());
        start = -1;
    };
    for (UChar32 c = 0x20; c <= 0xffff; ++c) {
        if (latinWherever(c)) {
            if (start < 0)
                start = c;
        } else if (start >= 0) {
            close(c - 1);
        }
    }
    if (start >= 0)
        close(0xffff);
    return ranges.join(u", "_s);
}

QString PairingCss::familyName(const PairingPreset& preset) {
    return preset.japaneseFamily + u" + "_s + preset.latinFamily;
}

QString PairingCss::text(const PairingPreset& preset, const WebFaceFacts& japanese,
                         const WebFaceFacts& latin) {
    const QString family = quoted(familyName(preset));
    const double scale = preset.scalePercent / 100.0;
    const double rise = preset.shiftPercent / 100.0;
    QString css;
    css += u"/* 和欧混植「%1」: 和文 %2、欧文 %3%4、欧文の大きさ %5%、ベースライン %6% */\n"_s.arg(
        commented(preset.name), commented(preset.japaneseFamily), commented(preset.latinFamily),
        preset.latinStyle.isEmpty() ? QString() : u' ' + commented(preset.latinStyle),
        number(preset.scalePercent), number(preset.shiftPercent));
    css +=
        u"/* local() が見つけないときは url() のファイルをこの CSS の隣に置きます。\n"
        u"   二つの規則は同じ記述子で一つのファミリーになり、欧文は unicode-range の文字だけを受け持ちます。 */\n\n"_s;
    css += u"@font-face {\n  font-family: %1;\n  src: %2;\n}\n\n"_s.arg(family, sources(japanese));
    css += u"/* 後に書いた規則が先に探されます: 範囲の文字は欧文フォントから。 */\n"_s;
    css += u"@font-face {\n  font-family: %1;\n  src: %2;\n  unicode-range: %3;\n"_s.arg(
        family, sources(latin), latinUnicodeRange());
    css += u"  size-adjust: %1%;\n"_s.arg(number(preset.scalePercent));
    // size-adjust scales the overrides too: the rise is given in the Latin font's own em.
    css += u"  ascent-override: %1%;\n  descent-override: %2%;\n}\n\n"_s.arg(
        number(std::max(0.0, latin.ascent + rise / scale) * 100),
        number(std::max(0.0, latin.descent - rise / scale) * 100));
    if (preset.shiftPercent != 0)
        css +=
            u"/* ベースライン %1%: ascent-override と descent-override は行の高さを空けるだけで、\n"
            u"   文字を動かすのは欧文を囲んだ要素の規則です (<span class=\"wakan-latin\">)。 */\n"
            u".wakan-latin {\n  position: relative;\n  top: %2em;\n}\n\n"_s.arg(
                number(preset.shiftPercent), number(-rise, 4));
    css +=
        u".wakan {\n  font-family: %1, %2, sans-serif;\n}\n"_s.arg(family, quoted(japanese.family));
    return css;
}

PairingCss::Written PairingCss::write(const QString& css, const QString& suggested,
                                      CssFileChooser& chooser, QWidget* parent, QString* file) {
    const QString chosen = chooser.chooseCssFile(parent, suggested);
    if (file)
        *file = chosen;
    if (chosen.isEmpty())
        return Written::Cancelled;
    QSaveFile out(chosen);
    if (!out.open(QIODevice::WriteOnly))
        return Written::Failed;
    const QByteArray bytes = css.toUtf8();
    if (out.write(bytes) != bytes.size() || !out.commit())
        return Written::Failed;
    return Written::Yes;
}

} // namespace varelith
