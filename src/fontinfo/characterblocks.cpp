#include "characterblocks.h"

#include <QHash>

#include <unicode/uchar.h>

#include <algorithm>

namespace varelith {

QList<CharacterBlocks::Block> CharacterBlocks::of(const FcCharSet* characters) {
    QList<Block> blocks;
    if (!characters)
        return blocks;
    QHash<int, qsizetype> byCode;
    // The set's pages of 256 characters with a bitmap each, walked without a lookup per
    // character.
    FcChar32 map[FC_CHARSET_MAP_SIZE];
    FcChar32 next = 0;
    for (FcChar32 page = FcCharSetFirstPage(characters, map, &next); page != FC_CHARSET_DONE;
         page = FcCharSetNextPage(characters, map, &next)) {
        for (int word = 0; word < FC_CHARSET_MAP_SIZE; ++word) {
            for (FcChar32 bits = map[word]; bits; bits &= bits - 1) {
                const char32_t character =
                    page + FcChar32(word) * 32 + FcChar32(__builtin_ctz(bits));
                const int code = int(ublock_getCode(UChar32(character)));
                auto found = byCode.constFind(code);
                if (found == byCode.constEnd()) {
                    found = byCode.insert(code, blocks.size());
                    const char* name =
                        u_getPropertyValueName(UCHAR_BLOCK, code, U_LONG_PROPERTY_NAME);
                    blocks.append({code,
                                   QString::fromLatin1(name ? name : "No_Block")
                                       .replace(QChar(u'_'), QChar(u' ')),
                                   {}});
                }
                blocks[*found].characters.append(character);
            }
        }
    }
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) {
        return a.characters.first() < b.characters.first();
    });
    return blocks;
}

QString CharacterBlocks::characterName(char32_t character) {
    char name[256];
    UErrorCode status = U_ZERO_ERROR;
    const int32_t length =
        u_charName(UChar32(character), U_EXTENDED_CHAR_NAME, name, sizeof name, &status);
    if (U_FAILURE(status) || length <= 0)
        return {};
    return QString::fromLatin1(name, length);
}

} // namespace varelith
