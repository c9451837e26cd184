#pragma once

#include <QObject>

#include <functional>

class QAbstractItemView;
class QAction;
class QPushButton;
class QWidget;

namespace varelith {

class FontInfoOpener;

// Opens the font information window for the selection list's current row: an entry of
// the list's context menu (Ctrl+I in the list) and a button beside the dialog's close
// button.
class FontListInfoHook : public QObject {
    Q_OBJECT

public:
    // `currentFamily`: the family of the list's current row, empty for none.
    FontListInfoHook(QAbstractItemView& list, FontInfoOpener& opener,
                     std::function<QString()> currentFamily, QWidget* buttonParent);

    QAction* action() const { return m_action; }
    QPushButton* button() const { return m_button; }

private:
    void open();

    FontInfoOpener& m_opener;
    std::function<QString()> m_currentFamily;
    QAction* m_action;
    QPushButton* m_button;
};

} // namespace varelith
