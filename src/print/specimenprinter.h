#pragma once

#include "featuresettings.h"
#include "glyphcoverage.h"
#include "sheetstyle.h"
#include "specimencolumn.h"
#include "specimenlayout.h"
#include "variationsettings.h"

#include <QDate>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QList>
#include <QPainter>
#include <QRawFont>
#include <QStringList>

class QDeadlineTimer;
class QPrinter;

namespace varelith {

class SheetFaces;

// The specimen book on a printer: every sheet under a header ("Varelith 見本帳", the date,
// "ページ n / N"), then one line per font, the font's name in the interface face and the
// sample in the font itself, the characters the font lacks marked as on screen. A font
// that the document cannot embed is listed all the same, its whole sample marked. In
// 縦書き each font is a column instead, right to left across the sheet (SpecimenColumn).
//
// The work goes in two passes: every line is measured first (which loads its font and sets
// its sample once), since the headers carry the page total, then painted. It advances a little at a
// time, so that the caller can show progress and stop; nothing reaches the printer before the
// second pass.
class SpecimenPrinter {
public:
    struct Book {
        QStringList families; // in the order printed
        QString sample;
        double points = 12; // the samples' size
        // Each sample in its family's face for this style, as on the sheet; a family
        // without one is printed in its plain font with the sheet's note after its name.
        SheetStyle style = SheetStyle::Regular;
        // 縦書き, and the features and axis values its columns are set with.
        bool vertical = false;
        FeatureSettings features;
        VariationSettings variations;
    };

    // What the one sheet of a book without fonts says.
    static const QString NoFontsText;

    // Without faces every style prints as Regular.
    SpecimenPrinter(QPrinter& printer, GlyphCoverage& coverage, Shaper& shaper, Book book,
                    QDate date, SheetFaces* faces = nullptr);
    // Ends the document when one is open: what was painted goes out.
    ~SpecimenPrinter();
    SpecimenPrinter(const SpecimenPrinter&) = delete;
    SpecimenPrinter& operator=(const SpecimenPrinter&) = delete;

    // Steps of the whole work (every line measured, every line painted, the document
    // ended) and how many are done.
    int stepCount() const;
    int stepsDone() const { return m_stepsDone; }
    // Goes on with the work until `deadline` has passed, one step at least; false once
    // the document is complete. Raises a RuntimeError when the printer refuses it.
    bool advance(const QDeadlineTimer& deadline);
    // Whether the document is open on the printer: the second pass has begun.
    bool painting() const { return m_painter.isActive(); }
    int sheetCount() const { return m_layout.sheetCount(); }

private:
    struct Line {
        QString name; // the family's, with the style's note when it has no such face
        SpecimenLayout::Extent extent;
        SpecimenLayout::Placement placement;
        qreal nameWidth = 0;
        // The sample as set, in its font's units from its origin on the baseline; the runs
        // keep the font loaded until the line is painted.
        QList<QGlyphRun> sample;
        QList<QRectF> marked;
        SpecimenColumn column; // 縦書き
    };

    void measure(qsizetype index);
    void measureColumn(qsizetype index);
    void paint(qsizetype index);
    void beginDocument();
    void startSheet(int sheet);
    qreal nameGap() const;
    qreal sampleScale() const;
    static bool embeddable(const QRawFont& font);

    QPrinter& m_printer;
    GlyphCoverage& m_coverage;
    Shaper& m_shaper;
    SheetFaces* m_faces;
    Book m_book;
    QDate m_date;
    QFont m_nameFont;
    // Made once: each new one for the printer would look the name font's engines up again.
    QFontMetricsF m_nameMetrics;
    QFont m_headerFont;
    QRectF m_body;
    SpecimenLayout m_layout;
    QList<Line> m_lines;
    QPainter m_painter;
    qsizetype m_measured = 0;
    qsizetype m_painted = 0;
    int m_sheet = -1;
    int m_stepsDone = 0;
    bool m_complete = false;
};

} // namespace varelith
