#pragma once

#include "fontcatalogue.h"
#include "sheetsource.h"

namespace varelith::testing {

// The main window's fields as fixed texts over a catalogue of the test's own, counting
// how often the page box was read.
class FixedSheetSource : public SheetSource {
public:
    explicit FixedSheetSource(FontCatalogue fonts)
        : fontCatalogue(std::move(fonts)) {}

    const FontCatalogue& catalogue() const override { return fontCatalogue; }
    QString sampleText() const override { return sample; }
    QString sizeText() const override { return size; }
    QString pageBoxText() const override {
        ++pageBoxReads;
        return pageBox;
    }
    QString pageTotalText() const override { return pageTotal; }

    FontCatalogue fontCatalogue;
    QString sample = QStringLiteral("sample");
    QString size = QStringLiteral("12");
    QString pageBox = QStringLiteral("1");
    QString pageTotal = QStringLiteral("1");
    mutable int pageBoxReads = 0;
};

} // namespace varelith::testing
