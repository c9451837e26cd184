#include "composedpage.h"

#include <algorithm>

namespace varelith {

QString ComposedPage::documentText() const {
    QString document = text;
    document.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    // A text document also breaks the paragraph at a lone "\r", and would take a "\r"
    // left before a break as part of a new "\r\n": write every one as the break it is.
    document.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return document;
}

int ComposedPage::documentPosition(int position) const {
    // Every complete "\r\n" before the position is one character in the document: the
    // lines' own breaks, and any a font name or a pasted sample brings with it. A
    // position between "\r" and "\n" stays at its break.
    const int end = std::clamp(position, 0, int(text.size()));
    int pairs = 0;
    for (int i = 1; i < end; ++i) {
        if (text.at(i) == u'\n' && text.at(i - 1) == u'\r')
            ++pairs;
    }
    return position - pairs;
}

} // namespace varelith
