#pragma once

#include <QList>
#include <QString>

namespace varelith {

// Which characters of a Japanese text a paired Latin font sets (和欧混植), by Unicode
// script (ICU):
//   - letters of the Latin script, and the ASCII digits, are Latin wherever they stand;
//   - anything wide or full-width (East Asian Width W or F: kana, kanji, 「」、。, and the
//     full-width forms Ａ１！ although ICU calls Ａ Latin) stays in the line's own font;
//   - other common characters (spaces, ASCII punctuation, ’ – × …) go with the Latin
//     letters when the nearest letters on both sides of them are Latin, the start or end
//     of the text counting as either side: "Hello, world!" is Latin to its last "!",
//     "年(2026)年" keeps its brackets in the Japanese font;
//   - a combining mark goes with the character it combines with;
//   - every other script (Greek, Cyrillic, Han...) stays in the line's own font.
class LatinScript {
public:
    struct Run {
        qsizetype start = 0; // UTF-16 positions in the text
        qsizetype length = 0;
        bool latin = false;
        friend bool operator==(const Run&, const Run&) = default;
    };

    // The text cut where it passes between the two fonts; a surrogate pair is never split.
    static QList<Run> runs(const QString& text);
};

} // namespace varelith
