#include "sheetdocument.h"

#include "composedpage.h"
#include "fontsize.h"
#include "glyphcoverage.h"
#include "japaneseinterface.h"
#include "missingglyphmark.h"
#include "sheetfaces.h"

#include <QTextCursor>
#include <QTextDocument>

namespace varelith {

namespace {

void markMissing(QTextCursor& cursor, const ComposedPage& page, const FormatRun& run,
                 const QList<GlyphCoverage::Range>& ranges, const QTextCharFormat& mark) {
    for (const GlyphCoverage::Range& missing : ranges) {
        const int start = run.start + int(missing.start);
        cursor.setPosition(page.documentPosition(start));
        cursor.setPosition(page.documentPosition(start + int(missing.length)),
                           QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(mark);
    }
}

void addNotes(QTextCursor& cursor, const ComposedPage& page, const QList<QTextCharFormat>& formats,
              const QList<SheetFaces::Choice>& choices,
              const UninstalledNote::Families& uninstalled) {
    // From the last line up, so that a note put in leaves the places of the lines above it
    // as the page has them.
    for (qsizetype index = page.runs.size() - 1; index > 0; --index) {
        if (page.runs.at(index - 1).role != FormatRun::Role::Name)
            continue;
        const QString note = (index < choices.size() ? choices.at(index).note : QString()) +
                             UninstalledNote::noteFor(uninstalled, page.runs.at(index).family);
        if (note.isEmpty())
            continue;
        cursor.setPosition(page.documentPosition(page.runs.at(index).start));
        cursor.insertText(note, formats.at(index - 1));
    }
}

} // namespace

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

std::unique_ptr<QTextDocument>
SheetDocument::build(const ComposedPage& page, const QFont& defaultFont, GlyphCoverage* coverage,
                     const QPalette& palette, SheetFaces* faces, SheetStyle style,
                     const UninstalledNote::Families& uninstalled) {
    const bool styled = faces && style != SheetStyle::Regular;
    // Every format first: a size the view refuses stops here, with nothing built.
    QList<QTextCharFormat> formats;
    QList<SheetFaces::Choice> choices(styled ? page.runs.size() : 0);
    formats.reserve(page.runs.size());
    for (qsizetype index = 0; index < page.runs.size(); ++index) {
        const FormatRun& run = page.runs.at(index);
        QTextCharFormat format = formatFor(run);
        if (styled && run.role == FormatRun::Role::Sample) {
            choices[index] = faces->choose(run.family, style);
            // That face alone, as the face has it: weight and slant leave nothing to fake.
            if (const std::optional<FontFace>& face = choices.at(index).face)
                format.setFont(face->font(run.family),
                               QTextCharFormat::FontPropertiesSpecifiedOnly);
        }
        formats.append(format);
    }

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
    if (coverage) {
        // Over the finished formats of the samples alone: from the space to the line break,
        // the part of a line that is set in the line's own font.
        const QTextCharFormat mark = MissingGlyphMark::format(palette);
        for (qsizetype index = 0; index < page.runs.size(); ++index) {
            const FormatRun& run = page.runs.at(index);
            if (run.role != FormatRun::Role::Sample)
                continue;
            const QString sample = page.text.mid(run.start, run.length);
            const QList<GlyphCoverage::Range> missing =
                styled ? faces->missingRanges(run.family, choices.at(index), sample)
                       : coverage->missingRanges(run.family, sample);
            markMissing(cursor, page, run, missing, mark);
        }
    }
    if (styled || uninstalled)
        addNotes(cursor, page, formats, choices, uninstalled);
    return document;
}

} // namespace varelith
