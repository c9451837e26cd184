#pragma once

#include "fontface.h"

#include <QFont>
#include <QList>
#include <QRawFont>
#include <QString>
#include <QTextLayout>

#include <fontconfig/fontconfig.h>

#include <memory>

class QPainter;
class QPalette;

namespace varelith {

// One face made ready to draw in itself: loaded once at a fixed pixel size without
// hinting, with the match Qt runs to set it up made against that face alone, and scaled
// to every size it is drawn at. Nothing is borrowed from another face: a character the
// face lacks is drawn as the face's own missing glyph, under the mark the sheet uses.
class FaceDrawing {
public:
    static constexpr int Pixels = 100;

    // `pattern`: the face's fontconfig pattern, for its characters and a quick load; null
    // loads it the slow way and marks nothing.
    FaceDrawing(const QString& family, const FontFace& face, const FcPattern* pattern);
    ~FaceDrawing();
    FaceDrawing(const FaceDrawing&) = delete;
    FaceDrawing& operator=(const FaceDrawing&) = delete;

    const FontFace& face() const { return m_face; }
    const QFont& font() const { return m_font; }
    const QRawFont& rawFont() const { return m_raw; }
    // Null when the face's characters are not known.
    const FcCharSet* characters() const { return m_characters; }
    // The face's pattern, owned by whoever handed it in; null when none was.
    const FcPattern* pattern() const { return m_pattern; }
    bool has(char32_t character) const;

    // The height of a line of text at `pixels`.
    qreal lineHeight(qreal pixels) const;
    // `text` on one line from `topLeft`, at `pixels`, missing characters marked in
    // `palette`'s colours.
    void drawLine(QPainter& painter, const QPointF& topLeft, qreal pixels, const QString& text,
                  const QPalette& palette) const;
    // The marks drawLine puts on `text`, as format ranges of a layout of it.
    QList<QTextLayout::FormatRange> missingMarks(const QString& text,
                                                 const QPalette& palette) const;

private:
    FontFace m_face;
    QFont m_font;
    QRawFont m_raw;
    const FcPattern* m_pattern;
    FcCharSet* m_characters = nullptr;
};

} // namespace varelith
