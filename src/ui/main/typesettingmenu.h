#pragma once

#include "typesetting.h"

#include <QObject>

#include <functional>
#include <optional>

class QAction;
class QActionGroup;
class QMenu;
class QTimer;
class QWidget;

namespace varelith {

class SettingsStore;

// The sheet's typesetting items of the 表示 menu: 横書き / 縦書き (Ctrl+T toggles), the
// OpenType features as check items and a free tag field, and values for the registered
// axes of every variable font. Starts from the stored choice and stores every change; the
// disk is written a moment later, once for a quick run of changes, and at the latest when
// the menu goes, so that a switch shows at once and the choice is never lost.
class TypesettingMenu : public QObject {
    Q_OBJECT

public:
    // Asks for a tag list, starting from `current`; nothing when the user cancels.
    using TagAsker = std::function<std::optional<QString>(QWidget* parent, const QString& current)>;

    // Adds its items to `menu`. Without an asker, a text input dialog asks.
    TypesettingMenu(QMenu& menu, SettingsStore& store, QWidget* dialogParent,
                    TagAsker askTags = {});
    ~TypesettingMenu() override;

    const Typesetting& typesetting() const { return m_typesetting; }
    void setTypesetting(const Typesetting& typesetting);

    QAction* horizontal() const { return m_horizontal; }
    QAction* vertical() const { return m_vertical; }
    QMenu* featuresMenu() const { return m_features; }
    QMenu* axesMenu() const { return m_axes; }
    // The check item of a common feature, null for another tag.
    QAction* featureAction(const QString& tag) const;
    // The item giving `tag` the value (NaN: the font's default), null when not offered.
    QAction* axisAction(const QString& tag, float value) const;

    // The free field's work: false, and nothing changed, for a list that does not read.
    bool applyFeatureText(const QString& text);
    void askFeatureText();

Q_SIGNALS:
    void changed(const Typesetting& typesetting);

private:
    void buildFeatures();
    void buildAxes();
    void sync();
    void commit(const Typesetting& typesetting);

    void flushStore();

    SettingsStore& m_store;
    QTimer* m_flush;
    QWidget* m_dialogParent;
    TagAsker m_askTags;
    Typesetting m_typesetting;
    QAction* m_horizontal = nullptr;
    QAction* m_vertical = nullptr;
    QMenu* m_features = nullptr;
    QMenu* m_axes = nullptr;
    QList<QAction*> m_featureActions;
    QList<QActionGroup*> m_axisGroups;
};

} // namespace varelith
