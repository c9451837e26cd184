#pragma once

#include "faceref.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <memory>

class QFile;

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_font_face cairo_font_face_t;

namespace varelith {

// A PDF document written by cairo, page by page, straight into its file: what is drawn on
// a finished page leaves memory, and each font is opened from its file only while cairo
// needs it (at most a few at a time), so the memory does not grow with the number of
// fonts. Text is the fonts' own glyphs, embedded as subsets, with the characters each
// glyph stands for: a glyph reached by a substitution (a vertical form) or shared by two
// characters still reads back as the text typed. Units are points, y downwards, from the
// sheet's top left corner. Raises a RuntimeError when cairo cannot write the file.
class CairoPdfBook {
public:
    struct Glyph {
        quint32 id = 0;
        QPointF origin;  // from the run's origin
        int cluster = 0; // UTF-16 position in the run's text of the first character it sets
    };
    // A face at a size; `sideways` turns its glyphs a quarter clockwise about their origins.
    struct Font {
        FaceRef face;
        QString variations; // "wght=700", applied to a variable face
        double points = 12;
        bool sideways = false;
        // A face whose licence forbids embedding is drawn as outlines, without text.
        bool outlinesOnly = false;
    };

    CairoPdfBook(const QString& path, QSizeF sheet);
    // A book not finished is abandoned: nothing more is written to its file.
    ~CairoPdfBook();
    CairoPdfBook(const CairoPdfBook&) = delete;
    CairoPdfBook& operator=(const CairoPdfBook&) = delete;

    // Ends the sheet being drawn; the next drawing goes on a new one.
    void endSheet();
    // Ends the document: the fonts' subsets are written and the file is complete.
    void finish();

    // The glyphs at `origin`, standing for `text`: glyphs in the order of their clusters,
    // which never go back (left to right, or top to bottom). A glyph with `cluster` beyond
    // the text's end is not allowed.
    void showGlyphs(const Font& font, QPointF origin, const QList<Glyph>& glyphs,
                    const QString& text);
    void fillRect(const QRectF& rect, const QColor& colour);
    void strokeRect(const QRectF& rect, const QColor& colour, double width);
    void line(QPointF from, QPointF to, const QColor& colour, double width);

    // Faces are opened again from their files when cairo needs them; a face no longer drawn
    // can be let go (the document keeps what it needs to embed it).
    void releaseFace(const FaceRef& face);

private:
    cairo_font_face_t* fontFace(const FaceRef& face);
    void check() const;
    void setColour(const QColor& colour);

    std::unique_ptr<QFile> m_file;
    bool m_finished = false;
    bool m_abandoned = false;
    cairo_surface_t* m_surface = nullptr;
    cairo_t* m_cairo = nullptr;
    QHash<FaceRef, cairo_font_face_t*> m_faces;
};

} // namespace varelith
