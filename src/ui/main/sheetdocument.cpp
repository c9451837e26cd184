#include "sheetdocument.h"

#include "composedpage.h"
#include "fontsize.h"
#include "glyphcoverage.h"
#include "japaneseinterface.h"
#include "missingglyphmark.h"

#include <QTextCursor>
#include <QTextDocument>

namespace varelith {

QTextCharFormat SheetDocument::formatFor(const FormatRun& run) {
    QTextCharFormat format;
    // The names' face ("System") is asked for by the installed face that stands for it.
    const QString family = run.role == FormatRun::Role::Name
                               ? JapaneseInterface::interfaceFace(run.family)
                               : run.family;
    format.setFontFamilies(QStringList{family});
    format.setFontPointSize(FontSize::fromText(run.sizeText));
    if (run.role == FormatRun::Role::Sample)
        format.setFontStyleStrategy(QFont::NoFontMerging);
    return format;
}

std::unique_ptr<QTextDocument> SheetDocument::build(const ComposedPage& page,
                                                    const QFont& defaultFont,
                                                    GlyphCoverage* coverage,
                                                    const QPalette& palette) {
    // Every format first: a size the view refuses stops here, with nothing built.
    QList<QTextCharFormat> formats;
    formats.reserve(page.runs.size());
    for (const FormatRun& run : page.runs)
        formats.append(formatFor(run));

    auto document = std::make_unique<QTextDocument>();
    document->setUndoRedoEnabled(false);
    document->setDefaultFont(defaultFont);
    document->setPlainText(page.documentText());

    QTextCursor cursor(document.get());
    for (qsizetype index = 0; index < page.runs.size(); ++index) {
        const FormatRun& run = page.runs.at(index);
        cursor.setPosition(page.documentPosition(run.start));
        cursor.setPosition(page.documentPosition(run.start + run.length), QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(formats.at(index));
    }
    if (!coverage)
        return document;

    // The marks go on last, over the finished formats of the samples alone: from the
    // space to the line break, the part of a line that is set in the line's own font.
    const QTextCharFormat mark = MissingGlyphMark::format(palette);
    for (const FormatRun& run : page.runs) {
        if (run.role != FormatRun::Role::Sample)
            continue;
        const QString sample = page.text.mid(run.start, run.length);
        for (const GlyphCoverage::Range& missing : coverage->missingRanges(run.family, sample)) {
            const int start = run.start + int(missing.start);
            cursor.setPosition(page.documentPosition(start));
            cursor.setPosition(page.documentPosition(start + int(missing.length)),
                               QTextCursor::KeepAnchor);
            cursor.mergeCharFormat(mark);
        }
    }
    return document;
}

} // namespace varelith
