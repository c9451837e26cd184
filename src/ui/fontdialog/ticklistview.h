#pragma once

#include <QListView>

namespace varelith {

class TickListModel;

// The font list of the selection dialog: one row per font with a tick box in front.
// Clicking a tick box, or Space on the current row, toggles that row alone.
class TickListView : public QListView {
    Q_OBJECT

public:
    explicit TickListView(QWidget* parent = nullptr);

    TickListModel& tickModel() const { return *m_model; }

private:
    TickListModel* m_model;
};

} // namespace varelith
