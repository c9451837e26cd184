#pragma once

#include "japanesecharactersets.h"

#include <QList>
#include <QString>

#include <fontconfig/fontconfig.h>

#include <array>
#include <memory>

namespace varelith {

// How much of each Japanese character set a face has, counted on the character set
// fontconfig lists for it: no font file is opened, no glyph is looked up through Qt.
class JapaneseCoverage {
public:
    using Set = JapaneseCharacterSets::Set;
    struct Count {
        qsizetype covered = 0;
        qsizetype total = 0;
        bool operator==(const Count&) const = default;
    };

    // Null: a face with no characters known, which covers none.
    explicit JapaneseCoverage(const FcCharSet* characters);

    Count count(Set set) const { return m_counts[std::size_t(set)]; }
    // The set's characters the face lacks, in code point order.
    QList<char32_t> missing(Set set) const;
    // "ひらがな", "JIS 第1水準漢字", "常用漢字"...
    static QString label(Set set);

private:
    bool has(char32_t character) const;

    std::shared_ptr<FcCharSet> m_characters;
    std::array<Count, std::size(JapaneseCharacterSets::All)> m_counts{};
};

} // namespace varelith
