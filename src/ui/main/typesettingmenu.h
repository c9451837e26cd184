#pragma once

#include "typesetting.h"

#include <QObject>
#include <QPointer>

class QAction;
class QActionGroup;
class QMenu;
class QTimer;
class QWidget;

namespace varelith {

class FeatureDialog;
class SettingsStore;

// The sheet's typesetting items of the 表示 menu: 横書き / 縦書き (Ctrl+T toggles), the
// OpenType features Japanese setting uses most as check items, every other feature and a
// free tag field in the その他の機能 dialog, and values for the registered axes of every
// variable font. Starts from the stored choice and stores every change; the
// disk is written a moment later, once for a quick run of changes, and at the latest when
// the menu goes, so that a switch shows at once and the choice is never lost.
class TypesettingMenu : public QObject {
    Q_OBJECT

public:
    // Adds its items to `menu`; the その他の機能 dialog opens over `dialogParent`.
    TypesettingMenu(QMenu& menu, SettingsStore& store, QWidget* dialogParent);
    ~TypesettingMenu() override;

    const Typesetting& typesetting() const { return m_typesetting; }
    void setTypesetting(const Typesetting& typesetting);

    QAction* horizontal() const { return m_horizontal; }
    QAction* vertical() const { return m_vertical; }
    QMenu* featuresMenu() const { return m_features; }
    QMenu* axesMenu() const { return m_axes; }
    // The check item of a feature in the menu, null for another tag.
    QAction* featureAction(const QString& tag) const;
    // The tags the menu offers as check items, in menu order.
    static QStringList menuTags();
    // The item giving `tag` the value (NaN: the font's default), null when not offered.
    QAction* axisAction(const QString& tag, float value) const;

    // Shows the その他の機能 dialog, made at its first showing.
    void showFeatureDialog();
    // Null until first shown.
    FeatureDialog* featureDialog() const;

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
    QPointer<FeatureDialog> m_featureDialog;
    Typesetting m_typesetting;
    QAction* m_horizontal = nullptr;
    QAction* m_vertical = nullptr;
    QMenu* m_features = nullptr;
    QMenu* m_axes = nullptr;
    QList<QAction*> m_featureActions;
    QList<QActionGroup*> m_axisGroups;
};

} // namespace varelith
