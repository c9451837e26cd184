#include "japanesecoverage.h"

using namespace Qt::StringLiterals;

namespace varelith {

JapaneseCoverage::JapaneseCoverage(const FcCharSet* characters)
    // The face's set is shared, not copied: fontconfig counts its references.
    : m_characters(characters ? FcCharSetCopy(const_cast<FcCharSet*>(characters)) : nullptr,
                   [](FcCharSet* set) {
                       if (set)
                           FcCharSetDestroy(set);
                   }) {
    for (const Set set : JapaneseCharacterSets::All) {
        Count& count = m_counts[std::size_t(set)];
        const std::span<const char32_t> all = JapaneseCharacterSets::characters(set);
        count.total = qsizetype(all.size());
        for (const char32_t character : all)
            count.covered += has(character) ? 1 : 0;
    }
}

bool JapaneseCoverage::has(char32_t character) const {
    return m_characters && FcCharSetHasChar(m_characters.get(), FcChar32(character));
}

QList<char32_t> JapaneseCoverage::missing(Set set) const {
    QList<char32_t> lacking;
    for (const char32_t character : JapaneseCharacterSets::characters(set))
        if (!has(character))
            lacking.append(character);
    return lacking;
}

QString JapaneseCoverage::label(Set set) {
    switch (set) {
    case Set::Hiragana:
        return u"ひらがな"_s;
    case Set::Katakana:
        return u"カタカナ"_s;
    case Set::JisLevel1:
        return u"JIS 第1水準漢字"_s;
    case Set::JisLevel2:
        return u"JIS 第2水準漢字"_s;
    case Set::JisLevel3:
        return u"JIS 第3水準漢字"_s;
    case Set::JisLevel4:
        return u"JIS 第4水準漢字"_s;
    case Set::Joyo:
        return u"常用漢字"_s;
    }
    return {};
}

} // namespace varelith
