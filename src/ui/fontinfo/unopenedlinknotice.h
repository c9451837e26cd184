#pragma once

#include <QString>

class QClipboard;
class QMessageBox;
class QWidget;

namespace varelith {

// Says that a link or a folder could not be opened (no browser or file manager is set up)
// and offers its address for the clipboard, so that the user can open it some other way.
// The box does not block: it is shown with open() over `parent`, which owns it, and goes
// when closed.
class UnopenedLinkNotice {
public:
    enum class Kind { Link, Folder };

    static QMessageBox* show(QWidget* parent, Kind kind, const QString& address,
                             QClipboard* clipboard);
};

} // namespace varelith
