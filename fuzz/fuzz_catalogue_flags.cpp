// The catalogue build from any stored flag values, then a commit of any ticking. A build
// restores each flag as its entry reads (absent: ticked; not a whole 16-bit number: not
// ticked) and counts exactly the flags that are 1; a commit leaves only 0s and 1s that
// match the list, stores every one of them, and a rebuild from the store gives the same
// ticks back: nothing the user ticked is lost.

#include "fontcatalogue.h"
#include "fuzzinput.h"
#include "listfontsource.h"
#include "memorysettingsstore.h"
#include "numberconversion.h"
#include "recordingticklist.h"
#include "runtimeerror.h"

using namespace varelith;
using namespace varelith::fuzzing;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

QString storedFlag(FuzzedDataProvider& data) {
    static const QStringList interesting = {
        u"1"_s,     u"0"_s,     u"2"_s,      u"-1"_s,    u"1.5"_s,     u"0.5"_s,    u"2.5"_s,
        u"32767"_s, u"32768"_s, u"-32769"_s, u"1e3"_s,   u" 1 "_s,     u"\uFF11"_s, u"1,0"_s,
        u"true"_s,  u""_s,      u"1e-400"_s, u"1e400"_s, u"\u30001"_s, u"+1."_s,    u".5e1"_s};
    if (data.ConsumeBool())
        return interesting.at(data.ConsumeIntegralInRange<qsizetype>(0, interesting.size() - 1));
    return takeText(data, 24);
}

int expectedFlag(const std::optional<QString>& stored) {
    if (!stored)
        return 1;
    try {
        return NumberConversion::toInteger(*stored);
    } catch (const RuntimeError&) {
        return 0;
    }
}

void checkAgreesWithList(const FontCatalogue& catalogue, const RecordingTickList& list) {
    int ticked = 0;
    FUZZ_CHECK(list.listCount() == catalogue.FontNum());
    for (int n = 1; n <= catalogue.FontNum(); ++n) {
        FUZZ_CHECK(list.names.at(n - 1) == catalogue.FontName(n));
        FUZZ_CHECK(list.isSelected(n - 1) == (catalogue.FontFlg(n) == 1));
        ticked += catalogue.FontFlg(n) == 1 ? 1 : 0;
    }
    FUZZ_CHECK(catalogue.SelNum() == ticked);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    FuzzedDataProvider data(bytes, size);
    const int fontCount = data.ConsumeIntegralInRange<int>(0, 150);
    // Entries past the fonts stay as they are: a machine that had more fonts once.
    const int storedCount = fontCount + data.ConsumeIntegralInRange<int>(0, 20);
    QStringList names;
    QList<std::optional<QString>> stored;
    MemorySettingsStore store;
    for (int n = 1; n <= storedCount; ++n) {
        if (n <= fontCount)
            names.append(u"Font "_s + QString::number(n));
        if (data.ConsumeIntegralInRange<int>(0, 4) == 0) {
            stored.append(std::nullopt);
            continue;
        }
        stored.append(storedFlag(data));
        store.values.insert(FontCatalogue::flagKey(n), *stored.last());
    }

    FontCatalogue catalogue;
    RecordingTickList list;
    catalogue.build(ListFontSource(names), store, list);
    FUZZ_CHECK(catalogue.FontNum() == fontCount);
    FUZZ_CHECK(store.flushes == 1);
    for (int n = 1; n <= fontCount; ++n) {
        FUZZ_CHECK(catalogue.FontFlg(n) == expectedFlag(stored.at(n - 1)));
        FUZZ_CHECK(store.values.value(FontCatalogue::nameKey(n)) == names.at(n - 1));
    }
    checkAgreesWithList(catalogue, list);
    FUZZ_CHECK(list.countLine == FontCatalogue::countLine(catalogue.FontNum(), catalogue.SelNum()));

    // The user ticks and unticks at will, then closes the dialog.
    const int toggles = fontCount > 0 ? data.ConsumeIntegralInRange<int>(0, 200) : 0;
    for (int toggle = 0; toggle < toggles; ++toggle) {
        const int k = data.ConsumeIntegralInRange<int>(0, fontCount - 1);
        list.setSelected(k, !list.isSelected(k));
    }
    catalogue.commit(list, store);
    FUZZ_CHECK(store.flushes == 2);
    checkAgreesWithList(catalogue, list);
    for (int n = 1; n <= fontCount; ++n) {
        const int flag = catalogue.FontFlg(n);
        FUZZ_CHECK(flag == 0 || flag == 1);
        FUZZ_CHECK(store.values.value(FontCatalogue::flagKey(n)) == (flag == 1 ? u"1"_s : u"0"_s));
    }
    for (int n = fontCount + 1; n <= storedCount; ++n)
        FUZZ_CHECK(store.values.value(FontCatalogue::flagKey(n)) ==
                   stored.at(n - 1).value_or(QString()));

    // The next start reads back exactly what was committed.
    FontCatalogue again;
    RecordingTickList againList;
    again.build(ListFontSource(names), store, againList);
    FUZZ_CHECK(againList.ticks == list.ticks);
    FUZZ_CHECK(again.SelNum() == catalogue.SelNum());
    return 0;
}
