#pragma once

#include "shapedrun.h"

#include <QWidget>

class QRadioButton;
class QScrollArea;

namespace varelith {

class Shaper;
class WaterfallCanvas;

// The waterfall with its choice of 横書き or 縦書き above it; a waterfall larger than its
// room scrolls.
class ShapedWaterfall : public QWidget {
    Q_OBJECT
public:
    explicit ShapedWaterfall(Shaper& shaper, QWidget* parent = nullptr);

    WaterfallCanvas& canvas() { return *m_canvas; }
    void setDirection(ShapedRun::Direction direction);

Q_SIGNALS:
    void directionChanged(ShapedRun::Direction direction);

private:
    QRadioButton* m_horizontal;
    QRadioButton* m_vertical;
    QScrollArea* m_scroll;
    WaterfallCanvas* m_canvas;
};

} // namespace varelith
