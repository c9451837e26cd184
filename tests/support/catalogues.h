#pragma once

#include "fontcatalogue.h"
#include "listfontsource.h"
#include "memorysettingsstore.h"
#include "recordingticklist.h"

namespace varelith::testing {

// `count` font names: the prefix followed by 1, 2, ... ("Font 1", "Font 2", ...).
inline QStringList numberedFonts(const QString& prefix, int count) {
    QStringList names;
    for (int n = 1; n <= count; ++n)
        names.append(prefix + QString::number(n));
    return names;
}

// A catalogue of `flags.size()` fonts named "Font 1", "Font 2", ... whose stored flags
// are the given texts (an empty text: no stored entry).
inline FontCatalogue catalogueWithFlags(const QStringList& flags) {
    MemorySettingsStore store;
    const QStringList names = numberedFonts(QStringLiteral("Font "), int(flags.size()));
    for (int n = 1; n <= flags.size(); ++n) {
        if (!flags.at(n - 1).isEmpty())
            store.values.insert(FontCatalogue::flagKey(n), flags.at(n - 1));
    }
    FontCatalogue catalogue;
    RecordingTickList list;
    catalogue.build(ListFontSource(names), store, list);
    return catalogue;
}

// `count` fonts of which exactly those at the given indexes (1-based) are ticked.
inline FontCatalogue catalogueTicking(int count, const QList<int>& tickedIndexes) {
    QStringList flags;
    for (int n = 1; n <= count; ++n)
        flags.append(tickedIndexes.contains(n) ? QStringLiteral("1") : QStringLiteral("0"));
    return catalogueWithFlags(flags);
}

} // namespace varelith::testing
