#pragma once

#include "sheetstyle.h"
#include "typesetting.h"

#include <QString>

namespace varelith {

class FontCatalogue;

// What the printed sheet reads from the main window, each at the moment of use.
class SheetSource {
public:
    virtual ~SheetSource() = default;
    virtual const FontCatalogue& catalogue() const = 0;
    virtual QString sampleText() const = 0;    // the sample text box
    virtual QString sizeText() const = 0;      // the size box
    virtual QString pageBoxText() const = 0;   // the page box
    virtual QString pageTotalText() const = 0; // the page total label
    // The sheet's typesetting (縦書き, features, axes): plain unless the window says so.
    virtual Typesetting typesetting() const { return {}; }
    // The face the specimen book draws each family in (the 表示 menu's スタイル).
    virtual SheetStyle sheetStyle() const { return SheetStyle::Regular; }
};

} // namespace varelith
