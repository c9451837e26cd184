#pragma once

#include <QString>

class QWidget;

namespace varelith {

// Where a CSS file is to be written: the user's choice in a file dialog, handed in so that
// tests can hand in their own.
class CssFileChooser {
public:
    virtual ~CssFileChooser() = default;
    // The file chosen, or empty when the user cancelled. `suggested` is a file name.
    virtual QString chooseCssFile(QWidget* parent, const QString& suggested) = 0;
};

} // namespace varelith
