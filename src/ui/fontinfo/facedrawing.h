#pragma once

#include "faceref.h"
#include "featuresettings.h"
#include "fontface.h"
#include "shapedrun.h"

#include <QFont>
#include <QString>

#include <fontconfig/fontconfig.h>

class QPainter;
class QPalette;
class QPointF;

namespace varelith {

class Shaper;

// One face made ready to show its text in itself: set by the Shaper from the face's own
// file and index, at any size, and drawn from its outlines. Nothing is matched by name and
// nothing is borrowed from another face: a character the face lacks is its glyph 0, under
// the mark the sheet uses.
class FaceDrawing {
public:
    // `pattern`: the face's fontconfig pattern, for its characters; null marks no character
    // as absent from the face's list (the shaped glyphs still mark what it lacks).
    FaceDrawing(Shaper& shaper, const QString& family, const FontFace& face,
                const FcPattern* pattern);
    ~FaceDrawing();
    FaceDrawing(const FaceDrawing&) = delete;
    FaceDrawing& operator=(const FaceDrawing&) = delete;

    const FontFace& face() const { return m_face; }
    FaceRef ref() const { return {m_face.file, m_face.index}; }
    // The face as Qt would name it, for interface text that may borrow it (its own names);
    // never used to draw a sample.
    QFont font() const { return m_face.font(m_family); }
    // Null when the face's characters are not known.
    const FcCharSet* characters() const { return m_characters; }
    // The face's pattern, owned by whoever handed it in; null when none was.
    const FcPattern* pattern() const { return m_pattern; }
    bool has(char32_t character) const;

    // `text` set in the face at `pixels`, left to right or in a column.
    ShapedRun shape(const QString& text, qreal pixels,
                    ShapedRun::Direction direction = ShapedRun::Direction::Horizontal,
                    const FeatureSettings& features = {}) const;
    // The height of a line of text at `pixels`: the face's ascent and descent.
    qreal lineHeight(qreal pixels) const;
    // `text` on one line from `topLeft`, at `pixels`, missing characters marked in
    // `palette`'s colours.
    void drawLine(QPainter& painter, const QPointF& topLeft, qreal pixels, const QString& text,
                  const QPalette& palette, const FeatureSettings& features = {}) const;
    // A shaped run drawn with its origin at `origin`.
    void draw(QPainter& painter, const ShapedRun& run, const QPointF& origin,
              const QPalette& palette) const;

private:
    Shaper& m_shaper;
    QString m_family;
    FontFace m_face;
    const FcPattern* m_pattern;
    FcCharSet* m_characters = nullptr;
};

} // namespace varelith
