#pragma once

#include <QWidget>

class QComboBox;
class QLabel;
class QPushButton;

namespace varelith {

class FamilySetPrompts;
class FamilySets;
class TickListModel;

// Named sets of ticks above the font list: the current ticks saved as a set, a set chosen
// in the box ticking its families and no others, a set renamed, deleted, written to a
// plain text file (UTF-8, one family a line) and read from one. Only the list's ticks
// change: they reach the catalogue when the dialog closes, as any tick does. A family of
// a set that is not installed stays in the set and is told on the message line.
class FamilySetsBar : public QWidget {
    Q_OBJECT

public:
    FamilySetsBar(FamilySets& sets, TickListModel& ticks, FamilySetPrompts& prompts,
                  QWidget* parent = nullptr);

    QComboBox* cmb_Sets() const { return m_setsBox; }
    QLabel* lbl_SetMessage() const { return m_message; }
    QPushButton* btn_SaveSet() const { return m_save; }
    QPushButton* btn_RenameSet() const { return m_rename; }
    QPushButton* btn_DeleteSet() const { return m_remove; }
    QPushButton* btn_ExportSet() const { return m_export; }
    QPushButton* btn_ImportSet() const { return m_import; }

    // The set chosen in the box, or empty.
    QString currentSet() const;
    void switchTo(const QString& name);
    void saveTicks();
    void renameCurrent();
    void deleteCurrent();
    void exportCurrent();
    void importSet();

    // The ticked families, in the list's order.
    QStringList tickedFamilies() const;
    // A line under the bar; empty hides it.
    void tell(const QString& text);

private:
    void fillBox(const QString& current);
    void updateButtons();

    FamilySets& m_sets;
    TickListModel& m_ticks;
    FamilySetPrompts& m_prompts;
    QComboBox* m_setsBox;
    QPushButton* m_save;
    QPushButton* m_rename;
    QPushButton* m_remove;
    QPushButton* m_export;
    QPushButton* m_import;
    QLabel* m_message;
};

} // namespace varelith
