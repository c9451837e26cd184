#include "titlefit.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>

namespace varelith {

namespace {

// Title bars set their text larger than the window's own face, and bold.
constexpr double TitleScale = 1.25;
// The icon and three buttons beside the title, and the bar's padding, in title-bar heights.
constexpr int DecorationHeights = 5;

} // namespace

int TitleFit::widthForTitle(const QWidget& window) {
    QFont titleFont = window.font();
    if (titleFont.pointSizeF() > 0)
        titleFont.setPointSizeF(titleFont.pointSizeF() * TitleScale);
    else
        titleFont.setPixelSize(int(titleFont.pixelSize() * TitleScale));
    titleFont.setBold(true);
    const QFontMetrics metrics(titleFont);
    return metrics.horizontalAdvance(window.windowTitle()) + DecorationHeights * metrics.height();
}

void TitleFit::makeRoomForTitle(QMessageBox& box) {
    // Qt fixes the box's size from its layout's minimum each time it is shown: a spacer
    // across the layout's whole width raises that minimum.
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid)
        return;
    grid->addItem(new QSpacerItem(widthForTitle(box), 0, QSizePolicy::Minimum), grid->rowCount(), 0,
                  1, grid->columnCount());
}

} // namespace varelith
