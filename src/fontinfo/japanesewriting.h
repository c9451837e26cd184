#pragma once

#include <fontconfig/fontconfig.h>

#include <memory>

namespace varelith {

// Whether a face's characters are enough to write Japanese, judged on the same character
// sets the 日本語 tab counts: nearly all kana and nearly all JIS level 1 kanji. What a font
// says of itself (its OS/2 code pages) and fontconfig's "ja" (every character of its list)
// do not count: Klee One lacks one kanji of 2,965 and is a Japanese font all the same.
class JapaneseWriting {
public:
    // At least 90% of each: a JIS X 0208 font without JIS X 0213's additions still has 169
    // of the 176 kana; a Chinese font has few kana, a kana-only font no kanji.
    static constexpr int MinimumPercent = 90;

    JapaneseWriting();
    ~JapaneseWriting();
    JapaneseWriting(const JapaneseWriting&) = delete;
    JapaneseWriting& operator=(const JapaneseWriting&) = delete;

    // Null: a face with no characters known, which writes nothing. Fast enough for every
    // installed family: the sets are intersected a block of 256 characters at a time.
    bool writes(const FcCharSet* characters) const;

private:
    struct CharSetDeleter {
        void operator()(FcCharSet* set) const { FcCharSetDestroy(set); }
    };
    using CharSet = std::unique_ptr<FcCharSet, CharSetDeleter>;
    static bool enough(const FcCharSet* characters, const CharSet& wanted);

    CharSet m_kana;
    CharSet m_level1;
};

} // namespace varelith
