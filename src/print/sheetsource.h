#pragma once

#include "featuresettings.h"
#include "variationsettings.h"

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
    // The sheet's typesetting: 横書き with nothing switched unless the window says so.
    virtual bool verticalWriting() const { return false; }
    virtual FeatureSettings features() const { return {}; }
    virtual VariationSettings variations() const { return {}; }
};

} // namespace varelith
