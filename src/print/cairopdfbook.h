#pragma once

#include "faceref.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <functional>
#include <memory>

class QFile;

namespace varelith {
class PdfJoiner;
}

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_font_face cairo_font_face_t;

namespace varelith {

// A PDF document written by cairo, a few hundred fonts at a time: each part is finished
// by cairo (its fonts subset and embedded) and joined to the file (PdfJoiner) before the
// next begins, and each font is opened from its file only while cairo needs it, so that
// neither the memory nor cairo's work for each font grows with the number of fonts. Text is the
// fonts' own glyphs, embedded as subsets, with the characters each glyph stands for: a glyph
// reached by a substitution (a vertical form) or shared by two characters still reads back as the
// text typed. Units are points, y downwards, from the sheet's top left corner. Raises a
// RuntimeError when cairo cannot write the file.
class CairoPdfBook {
public:
    struct Glyph {
        quint32 id = 0;
        QPointF origin;  // from the run's origin
        int cluster = 0; // UTF-16 position in the run's text of the first character it sets
    };
    // The glyphs of an instance that no font file holds (a variable font at other axis values
    // than its default, which cairo would embed at its default): outlines in font units, y
    // downwards, and advances. Such a face is embedded as a font of these outlines (Type 3),
    // its text kept.
    struct Instance {
        std::function<QPainterPath(quint32)> outline;
        std::function<double(quint32)> advance;
        double unitsPerEm = 1000;
    };
    // A face at a size; `sideways` turns its glyphs a quarter clockwise about their origins.
    struct Font {
        FaceRef face;
        QString variations; // "wght=700", applied to a variable face
        double points = 12;
        bool sideways = false;
        // A face whose licence forbids embedding is drawn as outlines, without text.
        bool outlinesOnly = false;
        std::shared_ptr<const Instance> instance; // drawn from these outlines when set
    };

    CairoPdfBook(const QString& path, QSizeF sheet, int facesPerPart = FacesPerPart);
    // A book not finished is abandoned: nothing more is written to its file.
    ~CairoPdfBook();
    CairoPdfBook(const CairoPdfBook&) = delete;
    CairoPdfBook& operator=(const CairoPdfBook&) = delete;

    // Fonts in one part of the document at most, give or take a sheet's: enough that the
    // fonts used throughout (the interface face) are embedded rarely, few enough that
    // cairo's lists of the part's fonts, which it searches from the start, stay short.
    static constexpr int FacesPerPart = 400;

    // Ends the sheet being drawn; the next drawing goes on a new one.
    void endSheet();
    // Ends the document: the fonts' subsets are written and the file is complete.
    void finish();

    // The glyphs at `origin`, standing for `text`: glyphs in the order of their clusters,
    // which never go back (left to right, or top to bottom). A glyph with `cluster` beyond
    // the text's end is not allowed.
    void showGlyphs(const Font& font, QPointF origin, const QList<Glyph>& glyphs,
                    const QString& text);
    // Text set by cairo from the face's character map alone, left to right from its origin,
    // for a face HarfBuzz cannot read (a Type 1 font), which FreeType still draws: its
    // glyphs, where each one ends along the line, and the face's ascent and descent. No
    // glyphs when FreeType cannot read it either.
    struct PlainRun {
        QList<Glyph> glyphs;
        QList<double> ends;
        double ascent = 0;
        double descent = 0;
    };
    static PlainRun setPlainly(const Font& font, const QString& text);
    void fillRect(const QRectF& rect, const QColor& colour);
    void strokeRect(const QRectF& rect, const QColor& colour, double width);
    void line(QPointF from, QPointF to, const QColor& colour, double width);

    // Faces are opened again from their files when cairo needs them; a face no longer drawn
    // can be let go (the document keeps what it needs to embed it).
    void releaseFace(const FaceRef& face);

private:
    void beginPart();
    void endPart();
    cairo_font_face_t* fontFace(const Font& font);
    void check() const;
    void setColour(const QColor& colour);

    std::unique_ptr<QFile> m_file;
    std::unique_ptr<PdfJoiner> m_joiner;
    QByteArray m_part; // the part being written by cairo
    int m_facesPerPart;
    int m_facesInPart = 0;
    QSizeF m_sheet;
    bool m_finished = false;
    bool m_abandoned = false;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cairo = nullptr;
    QHash<FaceRef, cairo_font_face_t*> m_faces;
    QHash<FaceRef, QHash<QString, cairo_font_face_t*>> m_instances; // by axis values
};

} // namespace varelith
