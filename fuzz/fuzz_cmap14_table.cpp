// A font's variation sequences read from any bytes: nothing is read outside them (the
// sanitizers watch), and what the table answers agrees with itself: a character's
// sequences ascend by selector, each selector is among the table's, find() gives the first
// one listed for its selector, and a default sequence names no glyph of its own.

#include "cmap14table.h"
#include "fuzzinput.h"

#include <algorithm>
#include <vector>

using namespace varelith;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const char32_t base = data.ConsumeIntegralInRange<char32_t>(0, 0x10FFFF);
    const std::vector<uint8_t> rest = data.ConsumeRemainingBytes<uint8_t>();
    const Cmap14Table table = Cmap14Table::fromCmap(
        QByteArray(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size())));
    const QList<char32_t> selectors = table.selectors();
    FUZZ_CHECK(std::is_sorted(selectors.cbegin(), selectors.cend()));
    FUZZ_CHECK(std::adjacent_find(selectors.cbegin(), selectors.cend()) == selectors.cend());
    const QList<Cmap14Table::Sequence> sequences = table.sequencesOf(base);
    for (qsizetype i = 0; i < sequences.size(); ++i) {
        const Cmap14Table::Sequence& sequence = sequences.at(i);
        FUZZ_CHECK(selectors.contains(sequence.selector));
        FUZZ_CHECK(!sequence.isDefault || sequence.glyph == 0);
        const bool first = i == 0 || sequences.at(i - 1).selector < sequence.selector;
        FUZZ_CHECK(i == 0 || sequences.at(i - 1).selector <= sequence.selector);
        if (first)
            FUZZ_CHECK(table.find(base, sequence.selector) == sequence);
    }
    // A selector the character has no sequence for is not found.
    for (const char32_t selector : selectors)
        if (std::none_of(sequences.cbegin(), sequences.cend(),
                         [selector](const auto& s) { return s.selector == selector; }))
            FUZZ_CHECK(!table.find(base, selector));
    return 0;
}
