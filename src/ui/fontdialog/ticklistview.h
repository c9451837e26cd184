#pragma once

#include <QListView>

namespace varelith {

class TickListModel;

// The font list of the selection dialog: one row per font with a check box in front,
// several rows selectable at once. Clicking a check box toggles that row alone; Space,
// Shift+Space and Shift+click are passed on as requests to tick many rows (BulkTicks
// carries them out). It owns the list of fonts; what it shows of them is the model set
// on it.
class TickListView : public QListView {
    Q_OBJECT

public:
    explicit TickListView(QWidget* parent = nullptr);

    TickListModel& tickModel() const { return *m_model; }

Q_SIGNALS:
    // Space on the current row `current`.
    void selectionTickRequested(const QModelIndex& current);
    // Shift+Space on the current row, or Shift+click on a row.
    void rangeTickRequested(const QModelIndex& to);
    // A row's check box clicked: that row was ticked or unticked alone.
    void tickedAlone(const QModelIndex& row);

protected:
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;

private:
    TickListModel* m_model;
};

} // namespace varelith
