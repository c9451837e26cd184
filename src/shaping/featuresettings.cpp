#include "featuresettings.h"

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
