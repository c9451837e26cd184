#pragma once

#include <QPushButton>

namespace varelith {

// A push button that Enter presses while it has the focus, as a focused button does on
// every desktop, without being a default button: Enter elsewhere in the window leaves it
// alone.
class EnterButton : public QPushButton {
    Q_OBJECT

public:
    explicit EnterButton(const QString& text, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace varelith
