#include "facedrawing.h"

#include "missingglyphmark.h"
#include "singlefacematch.h"

#include <QFontDatabase>
#include <QPainter>
#include <QPalette>
#include <QStringView>

namespace varelith {

FaceDrawing::FaceDrawing(const QString& family, const FontFace& face, const FcPattern* pattern)
    : m_face(face)
    , m_font(face.font(family))
    , m_pattern(pattern) {
    m_font.setPixelSize(Pixels);
    m_font.setHintingPreference(QFont::PreferNoHinting);
    FcCharSet* characters = nullptr;
    if (pattern && FcPatternGetCharSet(pattern, FC_CHARSET, 0, &characters) == FcResultMatch)
        m_characters = FcCharSetCopy(characters);
    // Qt's own list of fonts made first, if it is still to be made: it must see them all.
    QFontDatabase::styles(family);
    if (pattern) {
        // The engine loaded here is kept in Qt's font cache, where drawing with the same
        // font finds it, at any scale.
        const SingleFaceMatch match(pattern);
        m_raw = QRawFont::fromFont(m_font);
    } else {
        m_raw = QRawFont::fromFont(m_font);
    }
}

FaceDrawing::~FaceDrawing() {
    if (m_characters)
        FcCharSetDestroy(m_characters);
}

bool FaceDrawing::has(char32_t character) const {
    return !m_characters || FcCharSetHasChar(m_characters, FcChar32(character));
}

QList<QTextLayout::FormatRange> FaceDrawing::missingMarks(const QString& text,
                                                          const QPalette& palette) const {
    QList<QTextLayout::FormatRange> marks;
    const QTextCharFormat mark = MissingGlyphMark::format(palette);
    qsizetype position = 0;
    for (const char32_t character : QStringView(text).toUcs4()) {
        const int length = character > 0xffff ? 2 : 1;
        const QChar::Category category = QChar::category(character);
        const bool drawsNothing =
            category == QChar::Other_Control || category == QChar::Other_Format;
        if (!drawsNothing && !has(character)) {
            if (!marks.isEmpty() && marks.last().start + marks.last().length == position)
                marks.last().length += length;
            else
                marks.append({int(position), length, mark});
        }
        position += length;
    }
    return marks;
}

qreal FaceDrawing::lineHeight(qreal pixels) const {
    return (m_raw.ascent() + m_raw.descent()) * pixels / Pixels;
}

void FaceDrawing::drawLine(QPainter& painter, const QPointF& topLeft, qreal pixels,
                           const QString& text, const QPalette& palette) const {
    QTextLayout layout(text, m_font);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (line.isValid())
        line.setLineWidth(1e6);
    layout.endLayout();
    painter.save();
    painter.translate(topLeft);
    painter.scale(pixels / Pixels, pixels / Pixels);
    painter.setPen(palette.color(QPalette::Text));
    layout.draw(&painter, QPointF(0, 0), missingMarks(text, palette));
    painter.restore();
}

} // namespace varelith
