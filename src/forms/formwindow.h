#pragma once

class QKeyEvent;
class QWidget;

namespace varelith {

// What both windows do alike as windows: where they appear and how they close.
class FormWindow {
public:
    // Moves the window's frame to the centre of the screen it is on.
    static void centreOnScreen(QWidget& window);
    // Alt+F4, which closes the window even where no window manager turns it into a close.
    static bool isCloseShortcut(const QKeyEvent& event);
};

} // namespace varelith
