#pragma once

#include <QChar>
#include <QStringView>

namespace varelith {

// Walks UTF-16 text a code point at a time, calling visit(ucs4, start, length) with the
// code point's place in `text`. A surrogate pair is one code point of length 2; a lone
// surrogate is passed on as it is, with length 1, so that nothing is skipped or joined.
template <typename Visit> void forEachCodePoint(QStringView text, Visit&& visit) {
    qsizetype position = 0;
    while (position < text.size()) {
        qsizetype length = 1;
        char32_t ucs4 = text[position].unicode();
        if (text[position].isHighSurrogate() && position + 1 < text.size() &&
            text[position + 1].isLowSurrogate()) {
            ucs4 = QChar::surrogateToUcs4(text[position], text[position + 1]);
            length = 2;
        }
        visit(ucs4, position, length);
        position += length;
    }
}

} // namespace varelith
