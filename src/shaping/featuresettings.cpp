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

} // namespace

QString FeatureSettings::describe(const QString& tag) {
    static const QHash<QString, QString> names{{u"palt"_s, u"プロポーショナル字幅"_s},
                                               {u"vpal"_s, u"縦書き用プロポーショナル字幅"_s},
                                               {u"halt"_s, u"半角字幅"_s},
                                               {u"vhal"_s, u"縦書き用半角字幅"_s},
                                               {u"kern"_s, u"カーニング"_s},
                                               {u"vkrn"_s, u"縦書き用カーニング"_s},
                                               {u"liga"_s, u"合字"_s},
                                               {u"dlig"_s, u"任意の合字"_s},
                                               {u"vert"_s, u"縦書き用字形"_s},
                                               {u"vrt2"_s, u"縦書き用字形（回転）"_s},
                                               {u"hwid"_s, u"半角"_s},
                                               {u"fwid"_s, u"全角"_s},
                                               {u"pwid"_s, u"プロポーショナル"_s},
                                               {u"jp78"_s, u"JIS78 字形"_s},
                                               {u"jp83"_s, u"JIS83 字形"_s},
                                               {u"jp90"_s, u"JIS90 字形"_s},
                                               {u"jp04"_s, u"JIS2004 字形"_s},
                                               {u"trad"_s, u"旧字体"_s},
                                               {u"expt"_s, u"印刷標準字体"_s},
                                               {u"nlck"_s, u"表外漢字字形"_s},
                                               {u"hkna"_s, u"横書き用かな"_s},
                                               {u"vkna"_s, u"縦書き用かな"_s},
                                               {u"ruby"_s, u"ルビ用字形"_s},
                                               {u"zero"_s, u"スラッシュ付きゼロ"_s},
                                               {u"tnum"_s, u"等幅数字"_s},
                                               {u"pnum"_s, u"プロポーショナル数字"_s},
                                               {u"onum"_s, u"オールドスタイル数字"_s},
                                               {u"lnum"_s, u"ライニング数字"_s},
                                               {u"smcp"_s, u"スモールキャップス"_s},
                                               {u"frac"_s, u"分数"_s},
                                               {u"calt"_s, u"前後関係に依存する字形"_s},
                                               {u"locl"_s, u"言語ごとの字形"_s},
                                               {u"ccmp"_s, u"字形の合成と分解"_s},
                                               {u"aalt"_s, u"すべての異体字"_s},
                                               {u"sups"_s, u"上付き文字"_s},
                                               {u"subs"_s, u"下付き文字"_s}};
    if (tag.size() == 4 && tag.startsWith(u"ss"_s) && tag.mid(2).toInt() > 0)
        return u"スタイルセット %1"_s.arg(tag.mid(2).toInt());
    return names.value(tag);
}

const QStringList& FeatureSettings::commonTags() {
    static const QStringList tags = [] {
        QStringList list{u"palt"_s, u"kern"_s, u"liga"_s, u"vpal"_s, u"hwid"_s, u"fwid"_s,
                         u"pwid"_s, u"jp78"_s, u"jp83"_s, u"jp90"_s, u"jp04"_s, u"trad"_s,
                         u"expt"_s, u"nlck"_s, u"hkna"_s, u"vkna"_s, u"ruby"_s, u"zero"_s,
                         u"tnum"_s, u"pnum"_s, u"onum"_s, u"lnum"_s, u"smcp"_s, u"frac"_s};
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
