#pragma once

#include <span>

namespace varelith {

// The character sets Japanese users judge a font's coverage by, made when the program is
// built from the platform's EUC-JP and EUC-JIS-2004 converters and Unihan's 常用漢字
// list. Each sorted, each character once.
class JapaneseCharacterSets {
public:
    enum class Set {
        Hiragana,  // U+3041 to U+3096: 86
        Katakana,  // U+30A1 to U+30FA: 90
        JisLevel1, // JIS X 0208 level 1 kanji: 2,965
        JisLevel2, // JIS X 0208 level 2 kanji: 3,390
        JisLevel3, // JIS X 0213:2004 level 3 kanji: 1,259
        JisLevel4, // JIS X 0213 level 4 kanji: 2,436
        Joyo,      // 常用漢字 (2010): 2,136
    };
    static constexpr Set All[] = {Set::Hiragana,  Set::Katakana,  Set::JisLevel1, Set::JisLevel2,
                                  Set::JisLevel3, Set::JisLevel4, Set::Joyo};

    static std::span<const char32_t> characters(Set set);
};

} // namespace varelith
