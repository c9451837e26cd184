#pragma once

#include "comparedfont.h"

#include <QList>
#include <QString>

namespace varelith {

class IvdCollections;
class VariationSequences;

// The variation sequences of one character that any of the compared fonts defines, each
// with the fonts that have it, and the collection it is registered in where known.
class SequenceListing {
public:
    struct Presence {
        bool has = false;
        bool isDefault = false; // drawn with the character's own glyph
    };
    struct Entry {
        QString text; // the character followed by the selector
        char32_t selector = 0;
        QString selectorName;  // "VS17 (U+E0100)"
        QString collection;    // "Adobe-Japan1"; empty where not known
        QList<Presence> fonts; // one per font, in the fonts' order
    };

    // By ascending selector.
    static QList<Entry> list(char32_t base, const QList<ComparedFont>& fonts,
                             VariationSequences& sequences, const IvdCollections& collections);
};

} // namespace varelith
