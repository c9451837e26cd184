#pragma once

#include "cssfilechooser.h"

namespace varelith {

// The desktop's file dialog, for a .css file.
class QtCssFileChooser : public CssFileChooser {
public:
    QString chooseCssFile(QWidget* parent, const QString& suggested) override;
};

} // namespace varelith
