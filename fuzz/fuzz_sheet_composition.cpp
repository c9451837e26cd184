// A sample sheet page composed from any font names, stored flags, sample, size and page
// texts. Whether it composes at all is checked against a reading of the page rules of its
// own, and a composed page must hold exactly the lines of its fonts, with runs that cover
// every line and positions that select the same characters in the view's document.

#include "composedpage.h"
#include "fontcatalogue.h"
#include "fuzzinput.h"
#include "listfontsource.h"
#include "memorysettingsstore.h"
#include "numberconversion.h"
#include "recordingticklist.h"
#include "runtimeerror.h"
#include "sheetcomposer.h"

#include <optional>

using namespace varelith;
using namespace varelith::fuzzing;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

std::optional<int> integerOf(const QString& text) {
    try {
        return int(NumberConversion::toInteger(text));
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

QString flagText(FuzzedDataProvider& data) {
    switch (data.ConsumeIntegralInRange<int>(0, 5)) {
    case 0:
        return {}; // no stored entry: ticked
    case 1:
    case 2:
        return u"1"_s;
    case 3:
        return u"0"_s;
    case 4:
        return NumberConversion::toText(data.ConsumeIntegralInRange<int>(-3, 3));
    default:
        return takeText(data, 12);
    }
}

QString pageText(FuzzedDataProvider& data) {
    if (data.ConsumeBool())
        return takeText(data, 12);
    return NumberConversion::toText(data.ConsumeIntegralInRange<int>(-2, 12));
}

// The fonts the page must hold, or nothing when composing it must fail.
std::optional<QList<int>> expectedFonts(const FontCatalogue& catalogue,
                                        const SheetComposer::Inputs& inputs) {
    QList<int> ticked;
    for (int n = 1; n <= catalogue.FontNum(); ++n) {
        if (catalogue.FontFlg(n) == 1)
            ticked.append(n);
    }
    const int page = inputs.page;
    if (page == Int16::Min)
        return std::nullopt; // page - 1 leaves the 16-bit range
    const qsizetype skipped = page <= 1 ? 0 : qsizetype(10) * (page - 1);
    if (skipped > ticked.size())
        return std::nullopt;
    const std::optional<int> pageBox = integerOf(inputs.pageBoxText);
    const std::optional<int> pageTotal = integerOf(inputs.pageTotalText);
    if (!pageBox || !pageTotal)
        return std::nullopt;
    const int lines = *pageBox < *pageTotal ? 10 : catalogue.SelNum() % 10;
    if (skipped + lines > ticked.size())
        return std::nullopt;
    const QList<int> fonts = ticked.mid(skipped, lines);
    // Line starts and lengths are 16-bit.
    qsizetype start = 0;
    for (const int n : fonts) {
        const qsizetype length = catalogue.FontName(n).size() + inputs.sampleText.size() + 3;
        if (start > Int16::Max || length > Int16::Max)
            return std::nullopt;
        start += length;
    }
    return fonts;
}

// A stretch of the text as a text document holds it: "\r\n" one break, a lone "\r" one
// break too. (Runs never start between the halves of a break; one that ends there takes
// the break with it.)
QString asDocument(QString text) {
    return text.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
}

void checkPage(const ComposedPage& page, const QList<int>& fonts, const FontCatalogue& catalogue,
               const SheetComposer::Inputs& inputs) {
    const qsizetype lines = fonts.size();
    FUZZ_CHECK(page.fontIndexes.size() == lines);
    FUZZ_CHECK(page.lineStarts.size() == lines);
    FUZZ_CHECK(page.lineLengths.size() == lines);
    FUZZ_CHECK(page.runs.size() == 2 * lines);

    int expectedStart = 0;
    for (qsizetype line = 0; line < lines; ++line) {
        const int n = page.fontIndexes.at(line);
        FUZZ_CHECK(n == fonts.at(line));
        const QString& name = catalogue.FontName(n);
        const int start = page.lineStarts.at(line);
        const int length = page.lineLengths.at(line);
        FUZZ_CHECK(start == expectedStart);
        FUZZ_CHECK(page.text.mid(start, length) == name + u" "_s + inputs.sampleText + u"\r\n"_s);
        expectedStart = start + length;

        // The name's run starts the line, the sample's run ends it, and together they
        // leave no gap.
        const FormatRun& nameRun = page.runs.at(2 * line);
        const FormatRun& sampleRun = page.runs.at(2 * line + 1);
        FUZZ_CHECK(nameRun.role == FormatRun::Role::Name);
        FUZZ_CHECK(nameRun.family == SheetComposer::NameFamily);
        FUZZ_CHECK(nameRun.sizeText == SheetComposer::NameSizeText);
        FUZZ_CHECK(sampleRun.role == FormatRun::Role::Sample);
        FUZZ_CHECK(sampleRun.family == name);
        FUZZ_CHECK(sampleRun.sizeText == inputs.sizeText);
        FUZZ_CHECK(nameRun.start == start);
        FUZZ_CHECK(sampleRun.start == start + name.size());
        FUZZ_CHECK(sampleRun.start + sampleRun.length == start + length);
        FUZZ_CHECK(nameRun.length >= 0 && sampleRun.length >= 0);
        FUZZ_CHECK(nameRun.start + nameRun.length >= sampleRun.start);
        FUZZ_CHECK(nameRun.start + nameRun.length <= start + length);
    }
    FUZZ_CHECK(expectedStart == page.text.size());
    if (lines > 0)
        FUZZ_CHECK(page.runs.last().start + page.runs.last().length == page.text.size());

    // Every run selects in the document the characters it covers in the text.
    const QString document = page.documentText();
    FUZZ_CHECK(document == asDocument(page.text));
    FUZZ_CHECK(page.documentPosition(0) == 0);
    FUZZ_CHECK(page.documentPosition(int(page.text.size())) == document.size());
    for (const FormatRun& run : page.runs) {
        const int from = page.documentPosition(run.start);
        const int to = page.documentPosition(run.start + run.length);
        FUZZ_CHECK(0 <= from && from <= to && to <= document.size());
        FUZZ_CHECK(document.mid(from, to - from) ==
                   asDocument(page.text.mid(run.start, run.length)));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const int fontCount = data.ConsumeIntegralInRange<int>(0, 60);
    QStringList names;
    MemorySettingsStore store;
    for (int n = 1; n <= fontCount; ++n) {
        names.append(takeText(data, data.ConsumeBool() ? 24 : 2100));
        const QString flag = flagText(data);
        if (!flag.isEmpty())
            store.values.insert(FontCatalogue::flagKey(n), flag);
    }
    FontCatalogue catalogue;
    RecordingTickList list;
    catalogue.build(ListFontSource(names), store, list);

    SheetComposer::Inputs inputs;
    inputs.sampleText = takeText(data, data.ConsumeBool() ? 40 : 40000);
    inputs.sizeText = takeText(data, 16);
    inputs.pageBoxText = pageText(data);
    inputs.pageTotalText =
        data.ConsumeBool() ? NumberConversion::toText(catalogue.SelNum() / 10 + 1) : pageText(data);
    // The page walked is the page box's number when it has one, as the window passes it.
    const std::optional<int> pageBox = integerOf(inputs.pageBoxText);
    inputs.page = pageBox && data.ConsumeBool() ? Int16::fromInt(*pageBox)
                                                : Int16(data.ConsumeIntegral<std::int16_t>());

    const std::optional<QList<int>> fonts = expectedFonts(catalogue, inputs);
    try {
        const ComposedPage page = SheetComposer::compose(catalogue, inputs);
        FUZZ_CHECK(fonts.has_value());
        checkPage(page, *fonts, catalogue, inputs);
    } catch (const RuntimeError&) {
        FUZZ_CHECK(!fonts.has_value());
    }
    return 0;
}
