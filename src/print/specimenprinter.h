#pragma once

#include "cairopdfbook.h"
#include "featuresettings.h"
#include "latinpairing.h"
#include "pairedshaper.h"
#include "shapedrun.h"
#include "shaper.h"
#include "sheetstyle.h"
#include "specimenlayout.h"
#include "specimenlines.h"
#include "uninstallednote.h"
#include "variationsettings.h"

#include <QDate>
#include <QRectF>
#include <QSizeF>
#include <QStringList>

#include <functional>
#include <memory>

class QDeadlineTimer;

namespace varelith {

class GlyphCoverage;
class SheetFaces;

// The specimen book as a PDF file: every sheet under a header ("Varelith 見本帳", the date,
// "ページ n / N", then the size, style, writing mode and the features and axes switched),
// then each font's name in the interface face and below it the sample in the font itself,
// every font at the same size, set by HarfBuzz with the sheet's features and axes, the
// characters the font lacks marked as on screen. A sample longer than the line goes on in
// the next line; in 縦書き each font is set in columns instead, right to left across the
// sheet, its name heading them. The document's text is the text typed, whatever glyphs
// set it (CairoPdfBook).
//
// The work goes in two passes, since the headers carry the page total: every font is set
// once to count the sheets, then set again and printed, a sheet at a time, straight into
// the file. Nothing of a font is kept once its lines are placed or printed, so the memory
// does not grow with the number of fonts. It advances a little at a time, so that the
// caller can show progress and stop.
class SpecimenPrinter {
public:
    struct Book {
        QStringList families; // in the order printed
        QString sample;
        double points = 12; // the samples' size
        // Each sample in its family's face for this style, as on the sheet; a family
        // without one is printed in its plain font with the sheet's note after its name.
        SheetStyle style = SheetStyle::Regular;
        // 縦書き, and the features and axis values every sample is set with.
        bool vertical = false;
        FeatureSettings features;
        VariationSettings variations;
        // 和欧混植, as on the sheet: each sample's Latin letters and digits in the pairing's
        // Latin font (its face found by `latinFaces`), or one Japanese font with each
        // font of the book as its Latin partner.
        LatinPairing pairing;
        std::function<FaceRef(const QString& family, const QString& style)> latinFaces;
        // The families opened from files this run: "（未インストール）" after the name, as on
        // the sheet.
        UninstalledNote::Families uninstalled;
    };
    // The sheet and the part of it printed on, in points.
    struct Paper {
        QSizeF sheet;
        QRectF body;
    };

    // What the one sheet of a book without fonts says.
    static const QString NoFontsText;
    static constexpr double NamePoints = 10;
    static constexpr double HeaderPoints = 9;

    // Without faces every style prints as Regular.
    SpecimenPrinter(const QString& pdfFile, const Paper& paper, GlyphCoverage& coverage, Book book,
                    QDate date, SheetFaces* faces = nullptr);
    ~SpecimenPrinter();
    SpecimenPrinter(const SpecimenPrinter&) = delete;
    SpecimenPrinter& operator=(const SpecimenPrinter&) = delete;

    // Steps of the whole work (every font set, every font printed, the document ended)
    // and how many are done.
    int stepCount() const;
    int stepsDone() const { return m_stepsDone; }
    // Goes on with the work until `deadline` has passed, one step at least; false once
    // the document is complete. Raises a RuntimeError when the file cannot be written.
    bool advance(const QDeadlineTimer& deadline);

private:
    // The header's second line: "20 pt・太字・縦書き・機能 +palt・可変軸 wght=700", the size
    // the one asked for, or less when a single character of it would not fit the sheet.
    QString settingsText() const;

    // A run set in one face, with the face it is printed in.
    struct Piece {
        ShapedRun run;
        QString text;
        CairoPdfBook::Font font;
        QList<SpecimenLines::Line> lines;
        // 和欧混植: which of the run's glyphs are set in `latinFont` instead of `font`.
        QList<bool> latin;
        CairoPdfBook::Font latinFont;
    };
    // One font's name and sample, set and broken into lines.
    struct FontSet {
        Piece name;
        Piece sample;
    };

    FontSet setFont(qsizetype index);
    // Set in `direction`, broken into lines no longer than `room`.
    Piece setText(const FaceRef& face, const QString& text, double points,
                  ShapedRun::Direction direction, double room, const FeatureSettings& features = {},
                  const VariationSettings& variations = {});
    // The sample in a pairing's two faces; one that the primary face cannot set is set as
    // setText sets it.
    Piece setPaired(const PairedShaper::Faces& faces, const QString& text, double points,
                    ShapedRun::Direction direction, double room);
    // How a face is printed at a size: embedded, or drawn as outlines, or from an instance.
    CairoPdfBook::Font fontFor(const FaceRef& face, double points,
                               const VariationSettings& variations);
    // The piece's text set by cairo in its face, for a face HarfBuzz cannot read; false when
    // cairo cannot read it either.
    bool setByCairo(Piece& piece, ShapedRun::Direction direction) const;
    // A single line of horizontal text in the interface face, never broken.
    Piece setInterfaceText(const QString& text, double points);
    SpecimenLayout::Extent extentOf(const Piece& piece) const;
    void place(const FontSet& set, bool print);
    void releaseFaces(const FontSet& set);
    void beginDocument();
    void startSheet(int sheet);
    void print(const Piece& piece, const SpecimenLines::Line& line,
               const SpecimenLayout::Placement& placement, const SpecimenLayout::Extent& extent);
    // The line's glyphs with the run's origin at `origin`, missing ones marked.
    void show(const Piece& piece, const SpecimenLines::Line& line, QPointF origin);
    double room() const;

    QString m_pdfFile;
    Paper m_paper;
    GlyphCoverage& m_coverage;
    SheetFaces* m_faces;
    Book m_book;
    QDate m_date;
    // The book's own: each face is let go once its font is done.
    Shaper m_shaper;
    FaceRef m_interfaceFace;
    double m_points;
    double m_linesTop = 0; // below the header, from the body's top
    std::unique_ptr<SpecimenLayout> m_layout;
    std::unique_ptr<CairoPdfBook> m_pdf;
    int m_sheetTotal = 1;
    qsizetype m_measured = 0;
    qsizetype m_printed = 0;
    int m_sheet = -1;
    int m_stepsDone = 0;
    bool m_complete = false;
};

} // namespace varelith
