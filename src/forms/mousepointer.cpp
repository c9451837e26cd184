#include "mousepointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace varelith {

int MousePointer::s_current = MousePointer::Default;

void MousePointer::set(int pointer) {
    const bool hourglass = pointer == Hourglass;
    const bool shown = s_current == Hourglass;
    if (hourglass && !shown)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    else if (!hourglass && shown)
        QGuiApplication::restoreOverrideCursor();
    s_current = hourglass ? Hourglass : Default;
}

} // namespace varelith
