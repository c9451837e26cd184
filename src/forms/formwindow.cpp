#include "formwindow.h"

#include <QKeyEvent>
#include <QLayout>
#include <QScreen>
#include <QWidget>

namespace varelith {

void FormWindow::centreOnScreen(QWidget& window) {
    // Placed at the size it shows at: a layout changed since its last pass (a button
    // added to a row) is laid out now, the innermost first, or the window would widen
    // after being placed and sit off centre.
    const QList<QWidget*> inside = window.findChildren<QWidget*>();
    for (auto widget = inside.crbegin(); widget != inside.crend(); ++widget)
        if (QLayout* layout = (*widget)->layout())
            layout->activate();
    if (QLayout* layout = window.layout())
        layout->activate();
    if (QScreen* shownOn = window.screen()) {
        QRect frame = window.frameGeometry();
        frame.moveCenter(shownOn->availableGeometry().center());
        window.move(frame.topLeft());
    }
}

bool FormWindow::isCloseShortcut(const QKeyEvent& event) {
    return event.key() == Qt::Key_F4 && event.modifiers() == Qt::AltModifier;
}

} // namespace varelith
