#pragma once

#include "featuresettings.h"

#include <QHash>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QListWidgetItem;

namespace varelith {

// The OpenType features a face has, each a check item: ticked where the feature is
// applied. Features the shaper applies by itself (kern, liga...) start ticked, the others
// not; what the user changed is given in the usual form, "+palt,-kern". A switch the
// user made is kept when the face changes and the new face has the feature too.
class FeatureSwitches : public QWidget {
    Q_OBJECT
public:
    explicit FeatureSwitches(QWidget* parent = nullptr);

    // The features of the chosen face, as their four-letter tags.
    void setFeatures(const QStringList& tags);
    QStringList features() const;
    // The switches that differ from the shaper's own choice: "+palt,-kern".
    FeatureSettings settings() const;
    // Switches the feature on or off, as the user would.
    void setSwitched(const QString& tag, bool on);
    // Whether the shaper applies the feature by itself: in horizontal text kern, liga and
    // their like; in a column vert and vrt2 instead.
    static bool onByDefault(const QString& tag, bool vertical);
    // Ticks follow the defaults of the direction set; the user's own switches stay.
    void setVertical(bool vertical);

Q_SIGNALS:
    void settingsChanged(const FeatureSettings& settings);

private:
    void itemChanged(QListWidgetItem* item);

    QListWidget* m_list;
    // The user's switches, by tag: on or off.
    QHash<QString, bool> m_switched;
    bool m_filling = false;
    bool m_vertical = false;
};

} // namespace varelith
