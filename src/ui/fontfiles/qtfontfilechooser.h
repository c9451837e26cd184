#pragma once

#include "fontfilechooser.h"

#include <QString>

namespace varelith {

// The desktop's file dialog, for one or more font files; it opens where the last files
// were chosen, at first in the home folder.
class QtFontFileChooser : public FontFileChooser {
public:
    QStringList chooseFontFiles(QWidget* parent) override;

    // "フォントファイル (*.ttf ...);;すべてのファイル (*)": the fonts FreeType reads, their
    // extensions in either case (files copied from older systems are often "FONT.TTF").
    static QString nameFilters();
    // The extensions of the first filter, lower case: "ttf", "otf", ...
    static QStringList extensions();

private:
    QString m_folder;
};

} // namespace varelith
