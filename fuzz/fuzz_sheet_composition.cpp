// A page from any font names, ticks, sample, size and page texts: lines of ticked fonts in
// catalogue order, and in the view's document every character the page's own, in the names'
// face at 16 points or its own font at the size asked (no document with a refused size).

#include "catalogues.h"
#include "fontsize.h"
#include "fuzzinput.h"
#include "glyphcoverage.h"
#include "japaneseinterface.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"

#include <QPalette>
#include <QTextCursor>
#include <QTextDocument>

using namespace varelith;
using namespace Qt::StringLiterals;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    QStringList names;
    for (int n = data.ConsumeIntegralInRange<int>(0, 60); n > 0; --n)
        names.append(takeText(data, data.ConsumeBool() ? 24 : 2100));
    FontCatalogue catalogue;
    testing::MemorySettingsStore store;
    testing::RecordingTickList list;
    catalogue.build(testing::ListFontSource(names), store, list);
    for (int k = 0; k < names.size(); ++k)
        list.setSelected(k, data.ConsumeBool());
    catalogue.commit(list, store); // the fonts the user ticked
    const auto field = [&] {
        return data.ConsumeBool() ? takeText(data, 16)
                                  : QString::number(data.ConsumeIntegralInRange<int>(-2, 12));
    };
    const SheetComposer::Inputs in{Int16(data.ConsumeIntegralInRange<std::int16_t>(-2, 12)),
                                   takeText(data, data.ConsumeBool() ? 40 : 40000), field(),
                                   field(), field()};
    const auto page = attempt([&] { return SheetComposer::compose(catalogue, in); });
    if (!page)
        return 0;
    const auto points = attempt([&] { return FontSize::fromText(in.sizeText); });
    static GlyphCoverage coverage;
    const auto document =
        attempt([&] { return SheetDocument::build(*page, QFont(), &coverage, QPalette()); });
    FUZZ_CHECK(document.has_value() == (points || page->runs.isEmpty()));
    QTextCursor cursor = document ? QTextCursor(document->get()) : QTextCursor();
    const QString nameFace = JapaneseInterface::interfaceFace(SheetComposer::NameFamily);
    QString text;
    int at = 0; // in the document
    for (qsizetype line = 0; line < page->fontIndexes.size(); ++line) {
        const int n = page->fontIndexes.at(line), start = int(text.size());
        FUZZ_CHECK(catalogue.isTicked(n) &&
                   n > (line > 0 ? int(page->fontIndexes.at(line - 1)) : 0) &&
                   page->lineStarts.at(line) == start);
        const QString& name = catalogue.FontName(n);
        text += name + u" "_s + in.sampleText + u"\r\n"_s;
        for (int i = start; document && i < text.size(); ++i) {
            if (text.at(i) == u'\n' && i > 0 && text.at(i - 1) == u'\r')
                continue; // "\r\n" is one break in the document
            const bool breaks = u"\r\n\u2029\uFDD0\uFDD1"_s.contains(text.at(i));
            const bool inName = i < start + name.size();
            cursor.setPosition(++at); // just after the character
            FUZZ_CHECK((*document)->characterAt(at - 1) == (breaks ? u'\u2029' : text.at(i)));
            FUZZ_CHECK(breaks || (cursor.charFormat().fontFamilies().toStringList() ==
                                      QStringList{inName ? nameFace : name} &&
                                  cursor.charFormat().fontPointSize() == (inName ? 16 : *points)));
            // Marks on the sample's characters its font lacks, never on a name.
            const bool marked = cursor.charFormat().hasProperty(QTextFormat::BackgroundBrush);
            FUZZ_CHECK(breaks || text.at(i).isSurrogate() ||
                       marked == (!inName && !coverage.hasGlyph(name, text.at(i).unicode())));
        }
    }
    FUZZ_CHECK(page->text == text && page->fontIndexes.size() <= 10 &&
               (!document || at == (*document)->characterCount() - 1));
    return 0;
}
