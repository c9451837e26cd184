#pragma once

#include "sheetstyle.h"

#include <QObject>

class QAction;
class QActionGroup;
class QMenu;

namespace varelith {

class SettingsStore;

// "スタイル(&S)" in the 表示 menu: the face every line of the sheet and of the specimen book
// is drawn in, one of five. The choice is kept in the settings store, key `style_Sheet`, from
// one run to the next; a stored value it does not know reads as 標準.
class SheetStyleMenu : public QObject {
    Q_OBJECT

public:
    static const QString SettingKey;

    SheetStyleMenu(QMenu& viewMenu, SettingsStore& store, QObject* parent = nullptr);

    SheetStyle style() const { return m_style; }
    QMenu* mstyle() const { return m_menu; }
    QAction* action(SheetStyle style) const;

    // The stored text of a style ("Bold"), and the style a stored text stands for.
    static QString storedText(SheetStyle style);
    static SheetStyle fromStoredText(const QString& text);

Q_SIGNALS:
    // After the user chose another style; it is stored by then.
    void styleChanged(SheetStyle style);

private:
    void choose(SheetStyle style);

    SettingsStore& m_store;
    QMenu* m_menu;
    QActionGroup* m_group;
    SheetStyle m_style;
};

} // namespace varelith
