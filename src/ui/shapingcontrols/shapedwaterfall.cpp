#include "shapedwaterfall.h"

#include "waterfallcanvas.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

ShapedWaterfall::ShapedWaterfall(Shaper& shaper, QWidget* parent)
    : QWidget(parent)
    , m_horizontal(new QRadioButton(u"横書き(&Y)"_s, this))
    , m_vertical(new QRadioButton(u"縦書き(&T)"_s, this))
    , m_scroll(new QScrollArea(this))
    , m_canvas(new WaterfallCanvas(shaper)) {
    setObjectName(u"ShapedWaterfall"_s);
    m_horizontal->setObjectName(u"opt_WaterfallHorizontal"_s);
    m_horizontal->setAccessibleName(u"ウォーターフォールを横書き"_s);
    m_vertical->setObjectName(u"opt_WaterfallVertical"_s);
    m_vertical->setAccessibleName(u"ウォーターフォールを縦書き"_s);
    m_horizontal->setChecked(true);
    auto* group = new QButtonGroup(this);
    group->addButton(m_horizontal);
    group->addButton(m_vertical);
    m_scroll->setObjectName(u"scr_Waterfall"_s);
    m_scroll->setWidget(m_canvas);
    m_scroll->setWidgetResizable(true);

    auto* choice = new QHBoxLayout;
    choice->addWidget(m_horizontal);
    choice->addWidget(m_vertical);
    choice->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(choice);
    layout->addWidget(m_scroll);
    // Columns run from the right: a waterfall wider than its room shows its first sizes.
    connect(m_scroll->horizontalScrollBar(), &QScrollBar::rangeChanged, this,
            [this](int, int maximum) {
                if (m_canvas->direction() == ShapedRun::Direction::Vertical)
                    m_scroll->horizontalScrollBar()->setValue(maximum);
            });
    connect(m_vertical, &QRadioButton::toggled, this, [this](bool vertical) {
        const auto direction =
            vertical ? ShapedRun::Direction::Vertical : ShapedRun::Direction::Horizontal;
        m_canvas->setDirection(direction);
        Q_EMIT directionChanged(direction);
    });
}

void ShapedWaterfall::setDirection(ShapedRun::Direction direction) {
    (direction == ShapedRun::Direction::Vertical ? m_vertical : m_horizontal)->setChecked(true);
}

} // namespace varelith
