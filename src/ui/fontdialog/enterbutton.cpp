#include "enterbutton.h"

#include <QKeyEvent>

namespace varelith {

EnterButton::EnterButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent) {
    setAutoDefault(false);
    setDefault(false);
}

void EnterButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !(event->modifiers() & ~Qt::KeypadModifier)) {
        animateClick();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace varelith
