#pragma once

class QMessageBox;
class QWidget;

namespace varelith {

// Room for a message box's whole title in a window manager's title bar. Qt sizes a message
// box to its text and buttons and allows only a little for the title, while a title bar
// sets it in a larger, bold face beside an icon and up to three buttons: a short prompt
// under a longer title ("ﾊﾞｰｼﾞｮﾝ情報") would have its title cut.
class TitleFit {
public:
    // The width that leaves the title whole in a title bar.
    static int widthForTitle(const QWidget& window);
    // Keeps the box at least that wide, however Qt sizes it when shown.
    static void makeRoomForTitle(QMessageBox& box);
};

} // namespace varelith
