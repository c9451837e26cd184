#pragma once

class QLineEdit;
class QPushButton;

namespace varelith {

// Where the keyboard focus goes once "<" or ">" has paged. Composing a page disables both
// buttons for a moment, and Qt hands the focus of a disabled button to the next box in the
// tab chain (the size box, its text selected, so the next key would overwrite the size).
// The focus goes back to the button used; when that one is disabled now, to the other;
// when both are, to the page box, its text left unselected.
class PagingFocus {
public:
    static void settle(QPushButton& used, QPushButton& other, QLineEdit& pageBox);
};

} // namespace varelith
