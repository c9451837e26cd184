#include "sheetcomposer.h"

#include "fontcatalogue.h"
#include "numberconversion.h"
#include "pagerules.h"

namespace varelith {

const QString SheetComposer::NameFamily = QStringLiteral("System");
const QString SheetComposer::NameSizeText = QStringLiteral("16");

ComposedPage SheetComposer::compose(const FontCatalogue& catalogue, const Inputs& inputs) {
    ComposedPage page;
    const Int16 start = PageRules::pageStart(inputs.page, catalogue);

    // The line count compares the page box with the page total label, total second.
    const Int16 pageBox = NumberConversion::toInteger(inputs.pageBoxText);
    const Int16 pageTotal = NumberConversion::toInteger(inputs.pageTotalText);
    const Int16 lines = PageRules::lineCount(pageBox, pageTotal, catalogue.SelNum());

    page.fontIndexes = PageRules::pageFonts(start, lines, catalogue);
    const QString lineTail = QStringLiteral(" ") + inputs.sampleText + QStringLiteral("\r\n");
    for (const Int16 index : std::as_const(page.fontIndexes)) {
        const QString& name = catalogue.FontName(index);
        page.lineStarts.append(Int16::fromInt(page.text.size()));
        page.text += name;
        page.text += lineTail;
        page.lineLengths.append(Int16::fromInt(name.size() + lineTail.size()));
    }

    // The name's run also takes the space and the sample's first two characters; the
    // sample's run comes second and wins there, leaving the name format on the name alone.
    const int sampleLength = int(inputs.sampleText.size());
    for (qsizetype line = 0; line < page.fontIndexes.size(); ++line) {
        const QString& name = catalogue.FontName(page.fontIndexes.at(line));
        const int lineStart = page.lineStarts.at(line);
        const int lineLength = page.lineLengths.at(line);
        const int nameLength = int(name.size());
        page.runs.append({lineStart, lineLength - sampleLength, NameFamily, NameSizeText,
                          FormatRun::Role::Name});
        page.runs.append({lineStart + nameLength, lineLength - nameLength, name, inputs.sizeText,
                          FormatRun::Role::Sample});
    }
    return page;
}

} // namespace varelith
