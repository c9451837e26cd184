#include "japanesewriting.h"

#include "japanesecharactersets.h"

#include <cstdint>
#include <initializer_list>

namespace varelith {

namespace {

using Set = JapaneseCharacterSets::Set;

FcCharSet* charSetOf(std::initializer_list<Set> sets) {
    FcCharSet* made = FcCharSetCreate();
    for (const Set set : sets)
        for (const char32_t character : JapaneseCharacterSets::characters(set))
            FcCharSetAddChar(made, FcChar32(character));
    return made;
}

} // namespace

JapaneseWriting::JapaneseWriting()
    : m_kana(charSetOf({Set::Hiragana, Set::Katakana}))
    , m_level1(charSetOf({Set::JisLevel1})) {}

JapaneseWriting::~JapaneseWriting() = default;

bool JapaneseWriting::enough(const FcCharSet* characters, const CharSet& wanted) {
    const FcChar32 total = FcCharSetCount(wanted.get());
    const FcChar32 covered = FcCharSetIntersectCount(characters, wanted.get());
    return std::uint64_t(covered) * 100 >= std::uint64_t(total) * MinimumPercent;
}

bool JapaneseWriting::writes(const FcCharSet* characters) const {
    // Kana first: most fonts have none, and their one block is quickly intersected.
    return characters && m_kana && m_level1 && enough(characters, m_kana) &&
           enough(characters, m_level1);
}

} // namespace varelith
