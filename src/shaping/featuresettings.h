#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace varelith {

// The OpenType features the user switched, in the usual tag list form "+palt,-kern,ss02"
// (a bare tag means on). Features left out keep the font's and the shaper's defaults, so
// an empty list sets text exactly as plain shaping does.
class FeatureSettings {
public:
    struct Setting {
        QString tag; // four characters, as written in the font
        bool on = true;
        friend bool operator==(const Setting&, const Setting&) = default;
    };

    // Every feature with a description, ss01 to ss20 included, Japanese typesetting's
    // first: the list a user can choose from.
    static const QStringList& knownTags();
    // The Japanese for a registered feature's name (ss01 to ss20 and cv01 to cv99
    // included), the same wherever a feature is offered; empty when unknown.
    static QString describe(const QString& tag);

    // Reads a tag list: entries separated by commas or spaces, each "tag", "+tag" or
    // "-tag" (also "tag=1" / "tag=0"). Returns false, leaving `out` untouched, for an
    // entry that is no OpenType tag (one to four printable ASCII characters).
    static bool parse(const QString& text, FeatureSettings& out);
    static FeatureSettings fromText(const QString& text); // an unreadable text gives none
    QString toText() const;

    // Switches `tag` on or off; a later setting of a tag replaces the earlier one.
    void set(const QString& tag, bool on);
    void clear(const QString& tag);
    // 1 on, 0 off, -1 left at the default.
    int state(const QString& tag) const;
    // The tags switched on, in order.
    QStringList switchedOn() const;

    const QList<Setting>& settings() const { return m_settings; }
    bool isEmpty() const { return m_settings.isEmpty(); }
    friend bool operator==(const FeatureSettings&, const FeatureSettings&) = default;

private:
    QList<Setting> m_settings;
};

} // namespace varelith
