#include "featuresettings.h"

#include <QHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

bool isTag(const QString& tag) {
    if (tag.isEmpty() || tag.size() > 4)
        return false;
    for (const QChar c : tag)
        if (c.unicode() < 0x21 || c.unicode() > 0x7e)
            return false;
    return true;
}

struct Described {
    const char16_t* tag;
    const char16_t* description;
};

// The registered features a font for Japanese or Latin text commonly has, each with the
// Japanese for its registered name; Japanese typesetting first. ss01 to ss20 and cv01 to
// cv99 are numbered and follow from their tags.
constexpr Described Descriptions[]{
    {u"palt", u"プロポーショナル字幅"},
    {u"vpal", u"縦書き用プロポーショナル字幅"},
    {u"halt", u"代替半角字幅"},
    {u"vhal", u"縦書き用代替半角字幅"},
    {u"chws", u"文脈依存の半角字幅"},
    {u"vchw", u"縦書き用文脈依存の半角字幅"},
    {u"kern", u"カーニング"},
    {u"vkrn", u"縦書き用カーニング"},
    {u"fwid", u"全角幅"},
    {u"hwid", u"半角幅"},
    {u"pwid", u"プロポーショナル幅"},
    {u"twid", u"1/3 幅"},
    {u"qwid", u"1/4 幅"},
    {u"jp78", u"JIS78 字形"},
    {u"jp83", u"JIS83 字形"},
    {u"jp90", u"JIS90 字形"},
    {u"jp04", u"JIS2004 字形"},
    {u"nlck", u"印刷標準字体（表外漢字字体表）"},
    {u"trad", u"旧字体"},
    {u"expt", u"エキスパート字形"},
    {u"hojo", u"補助漢字字形（JIS X 0212）"},
    {u"ruby", u"ルビ用字形"},
    {u"hkna", u"横書き用かな"},
    {u"vkna", u"縦書き用かな"},
    {u"pkna", u"プロポーショナルかな"},
    {u"nalt", u"注釈用の代替字形（囲み文字など）"},
    {u"cpct", u"中央配置の約物"},
    {u"vert", u"縦書き用字形"},
    {u"vrt2", u"縦書き用字形と回転"},
    {u"valt", u"縦書き用代替メトリクス"},
    {u"jalt", u"行端揃え用の代替字形"},
    {u"liga", u"標準合字"},
    {u"dlig", u"任意の合字"},
    {u"hlig", u"歴史的な合字"},
    {u"clig", u"前後関係に依存する合字"},
    {u"rlig", u"必須の合字"},
    {u"calt", u"前後関係に依存する代替字形"},
    {u"salt", u"スタイルの代替字形"},
    {u"swsh", u"スワッシュ"},
    {u"hist", u"歴史的字形"},
    {u"titl", u"タイトル用字形"},
    {u"smcp", u"スモールキャップス"},
    {u"c2sc", u"大文字からスモールキャップス"},
    {u"pcap", u"プチキャップス"},
    {u"case", u"大文字用の字形"},
    {u"cpsp", u"大文字の字間調整"},
    {u"zero", u"スラッシュ付きゼロ"},
    {u"lnum", u"ライニング数字"},
    {u"onum", u"オールドスタイル数字"},
    {u"pnum", u"プロポーショナル数字"},
    {u"tnum", u"等幅数字"},
    {u"frac", u"分数"},
    {u"afrc", u"代替分数"},
    {u"numr", u"分子"},
    {u"dnom", u"分母"},
    {u"sups", u"上付き文字"},
    {u"subs", u"下付き文字"},
    {u"sinf", u"科学用の下付き文字"},
    {u"ordn", u"序数表記"},
    {u"ornm", u"装飾記号"},
    {u"aalt", u"すべての代替字形"},
    {u"locl", u"地域ごとの字形"},
    {u"ccmp", u"字形の合成と分解"},
    {u"mark", u"マークの位置調整"},
    {u"mkmk", u"マーク同士の位置調整"},
    {u"curs", u"筆記体の接続"},
    {u"dist", u"距離の調整"},
    {u"size", u"オプティカルサイズ"},
    {u"rand", u"ランダムな字形"},
};

// "ss07" gives 7, "cv12" 12 for `prefix` "cv"; 0 for another tag.
int numbered(const QString& tag, QStringView prefix, int most) {
    if (tag.size() != 4 || !tag.startsWith(prefix) || !tag.at(2).isDigit() || !tag.at(3).isDigit())
        return 0;
    const int number = tag.mid(2).toInt();
    return number <= most ? number : 0;
}

} // namespace

QString FeatureSettings::describe(const QString& tag) {
    static const QHash<QString, QString> names = [] {
        QHash<QString, QString> table;
        for (const Described& entry : Descriptions)
            table.insert(QString::fromUtf16(entry.tag), QString::fromUtf16(entry.description));
        return table;
    }();
    if (const int set = numbered(tag, u"ss", 20))
        return u"スタイルセット %1"_s.arg(set);
    if (const int variant = numbered(tag, u"cv", 99))
        return u"文字バリアント %1"_s.arg(variant);
    return names.value(tag);
}

const QStringList& FeatureSettings::knownTags() {
    static const QStringList tags = [] {
        QStringList list;
        for (const Described& entry : Descriptions)
            list.append(QString::fromUtf16(entry.tag));
        for (int set = 1; set <= 20; ++set)
            list.append(u"ss%1"_s.arg(set, 2, 10, QChar(u'0')));
        return list;
    }();
    return tags;
}

bool FeatureSettings::parse(const QString& text, FeatureSettings& out) {
    static const QRegularExpression separators(u"[,\\s]+"_s);
    FeatureSettings read;
    for (QString entry : text.split(separators, Qt::SkipEmptyParts)) {
        bool on = true;
        if (entry.startsWith(u'+') || entry.startsWith(u'-')) {
            on = entry.startsWith(u'+');
            entry.remove(0, 1);
        } else if (entry.endsWith(u"=1"_s) || entry.endsWith(u"=0"_s)) {
            on = entry.endsWith(u'1');
            entry.chop(2);
        }
        if (!isTag(entry))
            return false;
        read.set(entry, on);
    }
    out = read;
    return true;
}

FeatureSettings FeatureSettings::fromText(const QString& text) {
    FeatureSettings settings;
    parse(text, settings);
    return settings;
}

QString FeatureSettings::toText() const {
    QStringList entries;
    for (const Setting& setting : m_settings)
        entries.append((setting.on ? u"+"_s : u"-"_s) + setting.tag);
    return entries.join(u',');
}

void FeatureSettings::set(const QString& tag, bool on) {
    clear(tag);
    m_settings.append({tag, on});
}

void FeatureSettings::clear(const QString& tag) {
    m_settings.removeIf([&tag](const Setting& setting) { return setting.tag == tag; });
}

int FeatureSettings::state(const QString& tag) const {
    for (const Setting& setting : m_settings)
        if (setting.tag == tag)
            return setting.on ? 1 : 0;
    return -1;
}

QStringList FeatureSettings::switchedOn() const {
    QStringList tags;
    for (const Setting& setting : m_settings)
        if (setting.on)
            tags.append(setting.tag);
    return tags;
}

} // namespace varelith
