#include "sequencelisting.h"

#include "ivdcollections.h"
#include "variationsequences.h"

#include <QMap>

namespace varelith {

QList<SequenceListing::Entry> SequenceListing::list(char32_t base, const QList<ComparedFont>& fonts,
                                                    VariationSequences& sequences,
                                                    const IvdCollections& collections) {
    QMap<char32_t, Entry> bySelector;
    for (qsizetype index = 0; index < fonts.size(); ++index) {
        if (fonts.at(index).face.isNull())
            continue;
        for (const Cmap14Table::Sequence& sequence :
             sequences.of(fonts.at(index).face).sequencesOf(base)) {
            auto entry = bySelector.find(sequence.selector);
            if (entry == bySelector.end()) {
                Entry made;
                const char32_t pair[] = {base, sequence.selector};
                made.text = QString::fromUcs4(pair, 2);
                made.selector = sequence.selector;
                made.selectorName = IvdCollections::selectorName(sequence.selector);
                made.collection = collections.collection(base, sequence.selector);
                made.fonts.resize(fonts.size());
                entry = bySelector.insert(sequence.selector, made);
            }
            entry->fonts[index] = {true, sequence.isDefault};
        }
    }
    return bySelector.values();
}

} // namespace varelith
