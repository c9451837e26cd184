#pragma once

#include <QObject>

class QAction;
class QModelIndex;

namespace varelith {

class FontFilterModel;
class TickListModel;
class TickListView;

// Ticking many fonts at once: every row shown ticked, unticked or inverted (also as the
// list's context menu), Space over every selected row, and a range from the last row
// ticked alone to the row Shift+clicked or Shift+Spaced, which all take that row's tick.
// Rows hidden by the filter keep their ticks.
class BulkTicks : public QObject {
    Q_OBJECT

public:
    BulkTicks(TickListView& view, FontFilterModel& shown, TickListModel& ticks,
              QObject* parent = nullptr);

    QAction* tickShownAction() const { return m_tickShown; }
    QAction* untickShownAction() const { return m_untickShown; }
    QAction* invertShownAction() const { return m_invertShown; }

    void tickShown();
    void untickShown();
    void invertShown();
    // Space: every selected row, and the current one, takes the current row's tick
    // turned the other way.
    void tickSelection(const QModelIndex& current);
    // Shift+click, Shift+Space: from the last row ticked alone to `to`, every shown row
    // takes that row's tick; with no such row shown, `to` is ticked alone.
    void tickRange(const QModelIndex& to);
    // A row ticked or unticked alone (its box clicked): where the next range starts.
    void tickedAlone(const QModelIndex& row);

private:
    QAction* makeAction(const QString& text, const QString& name, void (BulkTicks::*work)());

    TickListView& m_view;
    FontFilterModel& m_shown;
    TickListModel& m_ticks;
    QAction* m_tickShown;
    QAction* m_untickShown;
    QAction* m_invertShown;
    // A row of the font list, not of the rows shown: it stays when the filter changes.
    int m_anchorRow = -1;
};

} // namespace varelith
