#include "printedsheet.h"

#include "errortrap.h"
#include "fontcatalogue.h"
#include "lineprinter.h"
#include "mousepointer.h"
#include "numberconversion.h"
#include "pagerules.h"
#include "sheetsource.h"

#include <QString>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

void printFontLine(int index, const SheetSource& source, LinePrinter& printer) {
    const FontCatalogue& catalogue = source.catalogue();
    // The sample text is read again for every line, as the box holds it now.
    printer.printIndentedLine(catalogue.FontName(index) + u' ' + source.sampleText());
}

void printAllTickedFonts(const SheetSource& source, LinePrinter& printer) {
    const FontCatalogue& catalogue = source.catalogue();
    // No limit of ten and no page break of our own: the lines simply follow one another.
    for (int index = 1; index <= catalogue.FontNum(); ++index) {
        if (catalogue.isTicked(index))
            printFontLine(index, source, printer);
    }
}

void printOnePage(Int16 page, const SheetSource& source, LinePrinter& printer) {
    const FontCatalogue& catalogue = source.catalogue();
    Int16 index = PageRules::pageStart(page, catalogue);
    const Int16 pageTotal = NumberConversion::toInteger(source.pageTotalText());
    const Int16 lines = PageRules::lineCount(page, pageTotal, catalogue.SelNum());
    // Each line goes out as soon as its font is found, so that running out of fonts
    // (a page below 1 on a short sheet) keeps the lines found before.
    Int16 counter(1);
    while (counter <= lines) {
        if (catalogue.isTicked(index)) {
            printFontLine(index, source, printer);
            ++counter;
        }
        ++index;
    }
}

} // namespace

QString PrintedSheet::headerLine(Int16 page) {
    if (page == 0)
        return u"Varelith"_s;
    return u"Varelith page"_s + QString::number(page.value());
}

void PrintedSheet::Printpage(Int16 page, const SheetSource& source, LinePrinter& printer) noexcept {
    MousePointer::set(MousePointer::Hourglass);
    trapErrors([&] {
        // The page setup (a top margin of one line, the indent in character cells) is the
        // line printer's own; only the size comes from the window.
        printer.setFontSize(source.sizeText());
        // The header goes out before the walk, so it is on paper even when the walk fails.
        printer.printLine(headerLine(page));
        if (page == 0)
            printAllTickedFonts(source, printer);
        else
            printOnePage(page, source, printer);
    });
    MousePointer::set(MousePointer::Default);
}

} // namespace varelith
