#include "formwindow.h"

#include <QKeyEvent>
#include <QScreen>
#include <QWidget>

namespace varelith {

void FormWindow::centreOnScreen(QWidget& window) {
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
