#pragma once

#include <QList>
#include <QString>

#include <fontconfig/fontconfig.h>

namespace varelith {

// The characters of a face's character set by Unicode block, as ICU assigns them: the
// blocks the face has characters in, each with those characters, in code point order.
class CharacterBlocks {
public:
    struct Block {
        int code = 0; // ICU's UBlockCode
        QString name; // "CJK 統合漢字"; ICU's English name for a block not named in Japanese
        QList<char32_t> characters;
    };

    // Null: no blocks.
    static QList<Block> of(const FcCharSet* characters);
    // "CJK UNIFIED IDEOGRAPH-6C38"; ICU's name, or its "<control-0009>" kind of label.
    static QString characterName(char32_t character);
};

} // namespace varelith
