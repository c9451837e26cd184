#include "rightedgeanchor.h"

#include <QScrollBar>

namespace varelith {

RightEdgeAnchor::RightEdgeAnchor(QScrollBar& bar)
    : QObject(&bar)
    , m_bar(bar) {
    connect(&bar, &QScrollBar::valueChanged, this, [this](int value) {
        if (m_enabled)
            m_fromEnd = m_bar.maximum() - value;
    });
    // A new range is told before the value is held to it: the place is set from the end first.
    connect(&bar, &QScrollBar::rangeChanged, this, [this](int, int maximum) {
        if (m_enabled)
            m_bar.setValue(maximum - m_fromEnd);
    });
}

void RightEdgeAnchor::setEnabled(bool enabled) {
    m_enabled = enabled;
    m_fromEnd = m_bar.maximum() - m_bar.value();
}

} // namespace varelith
