#pragma once

#include <QObject>

class QScrollBar;

namespace varelith {

// Keeps a scroll bar's place counted from its end while the room it scrolls over changes:
// a column page is read from its right, and its first column must stay in view when the
// columns grow or the view narrows (a scroll bar appearing beside it, which Qt decides only
// after the layout, once the events queued meanwhile are handled).
class RightEdgeAnchor : public QObject {
    Q_OBJECT

public:
    explicit RightEdgeAnchor(QScrollBar& bar);

    // Off, the bar keeps its place from its start, as Qt keeps it.
    void setEnabled(bool enabled);

private:
    QScrollBar& m_bar;
    bool m_enabled = false;
    int m_fromEnd = 0; // the room between the place shown and the end of the bar
};

} // namespace varelith
