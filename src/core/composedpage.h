#pragma once

#include "formatrun.h"
#include "int16.h"

#include <QList>
#include <QString>

namespace varelith {

// One page of the sample sheet as data: its text, where each line starts and how long it
// is, and the formats in the order they are applied (a later run wins where runs overlap).
struct ComposedPage {
    QString text;             // lines "name sample\r\n", one after another
    QList<Int16> fontIndexes; // catalogue index of each line
    QList<Int16> lineStarts;  // position of each line in text
    QList<Int16> lineLengths; // length of each line, line break included
    QList<FormatRun> runs;

    // The text as a text document holds it: each "\r\n" is one paragraph break, and so
    // is a lone "\r" that a font name or the sample brings.
    QString documentText() const;
    // A position in `text` as a position in documentText(): every complete "\r\n" before
    // it, a line's own break or one inside a name or the sample, counts one instead of two.
    int documentPosition(int position) const;
};

} // namespace varelith
