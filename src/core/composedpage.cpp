#include "composedpage.h"

namespace varelith {

QString ComposedPage::documentText() const {
    QString document = text;
    document.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return document;
}

int ComposedPage::documentPosition(int position) const {
    // Lines only ever end in "\r\n", so the breaks before a position are the line starts
    // at or before it; a position between "\r" and "\n" stays within its line's break.
    int breaks = 0;
    for (qsizetype line = 0; line < lineStarts.size(); ++line) {
        const int end = int(lineStarts.at(line).value()) + lineLengths.at(line).value();
        if (end <= position)
            ++breaks;
    }
    return position - breaks;
}

} // namespace varelith
