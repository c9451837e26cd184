#pragma once

#include <QStringList>

class QWidget;

namespace varelith {

// Which font files to open: the user's choice in a file dialog, handed in so that tests
// can hand in their own.
class FontFileChooser {
public:
    virtual ~FontFileChooser() = default;
    // The files chosen, in the order given; empty when the user cancelled.
    virtual QStringList chooseFontFiles(QWidget* parent) = 0;
};

} // namespace varelith
