#pragma once

#include <QList>
#include <QString>

namespace varelith {

// Values for variable axes, "wght=700,wdth=87.5". An axis a font does not have is passed
// over for that font; a value beyond a font's range is held to the range by the shaper.
class VariationSettings {
public:
    struct Value {
        QString tag;
        float value = 0;
        friend bool operator==(const Value&, const Value&) = default;
    };

    // The registered axes the sheet offers, in menu order.
    static const QStringList& registeredTags();

    static bool parse(const QString& text, VariationSettings& out);
    static VariationSettings fromText(const QString& text); // an unreadable text gives none
    QString toText() const;

    void set(const QString& tag, float value);
    void clear(const QString& tag);
    bool has(const QString& tag) const;
    float value(const QString& tag, float fallback) const;

    const QList<Value>& values() const { return m_values; }
    bool isEmpty() const { return m_values.isEmpty(); }
    friend bool operator==(const VariationSettings&, const VariationSettings&) = default;

private:
    QList<Value> m_values;
};

} // namespace varelith
