#include "variationsettings.h"

#include <QRegularExpression>

#include <cmath>

using namespace Qt::StringLiterals;

namespace varelith {

const QStringList& VariationSettings::registeredTags() {
    static const QStringList tags{u"wght"_s, u"wdth"_s, u"opsz"_s, u"slnt"_s, u"ital"_s};
    return tags;
}

bool VariationSettings::parse(const QString& text, VariationSettings& out) {
    static const QRegularExpression separators(u"[,\\s]+"_s);
    VariationSettings read;
    for (const QString& entry : text.split(separators, Qt::SkipEmptyParts)) {
        const QString tag = entry.section(u'=', 0, 0);
        bool ok = false;
        const float value = entry.section(u'=', 1).toFloat(&ok);
        if (!ok || !std::isfinite(value) || tag.isEmpty() || tag.size() > 4)
            return false;
        read.set(tag, value);
    }
    out = read;
    return true;
}

VariationSettings VariationSettings::fromText(const QString& text) {
    VariationSettings settings;
    parse(text, settings);
    return settings;
}

QString VariationSettings::toText() const {
    QStringList entries;
    for (const Value& value : m_values)
        entries.append(value.tag + u'=' + QString::number(value.value));
    return entries.join(u',');
}

void VariationSettings::set(const QString& tag, float value) {
    clear(tag);
    m_values.append({tag, value});
}

void VariationSettings::clear(const QString& tag) {
    m_values.removeIf([&tag](const Value& value) { return value.tag == tag; });
}

bool VariationSettings::has(const QString& tag) const {
    for (const Value& value : m_values)
        if (value.tag == tag)
            return true;
    return false;
}

float VariationSettings::value(const QString& tag, float fallback) const {
    for (const Value& value : m_values)
        if (value.tag == tag)
            return value.value;
    return fallback;
}

} // namespace varelith
