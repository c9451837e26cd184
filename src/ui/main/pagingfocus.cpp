#include "pagingfocus.h"

#include <QLineEdit>
#include <QPushButton>

namespace varelith {

void PagingFocus::settle(QPushButton& used, QPushButton& other, QLineEdit& pageBox) {
    if (used.isEnabled()) {
        used.setFocus(Qt::OtherFocusReason);
    } else if (other.isEnabled()) {
        other.setFocus(Qt::OtherFocusReason);
    } else {
        // Not a tab into the box, which would select its text.
        pageBox.setFocus(Qt::OtherFocusReason);
        pageBox.deselect();
    }
}

} // namespace varelith
