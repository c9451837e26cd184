#pragma once

#include <QString>

namespace varelith {

// The Japanese name of a language that family names come in, from fontconfig's code
// ("ja", "en", "zh-tw"); the code itself for a language without one here.
class LanguageName {
public:
    static QString inJapanese(const QString& code);
};

} // namespace varelith
