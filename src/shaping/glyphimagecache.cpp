#include "glyphimagecache.h"

#include <QPainter>
#include <QtMath>

#include <algorithm>

namespace varelith {

size_t qHash(const GlyphImageCache::Key& key, size_t seed) noexcept {
    return qHashMulti(seed, key.face, key.variations, key.glyph, key.quarterPixels, key.sideways,
                      key.colour, key.quarterX, key.quarterY, key.devicePixelRatio100);
}

const GlyphImageCache::Glyph& GlyphImageCache::glyph(const Key& key, qreal unitsPerEm,
                                                     const std::function<QPainterPath()>& outline) {
    const auto known = m_glyphs.constFind(key);
    if (known != m_glyphs.constEnd())
        return *known;
    if (m_glyphs.size() >= Limit)
        m_glyphs.clear();
    Glyph made;
    const QPainterPath path = outline();
    if (!path.isEmpty()) {
        const qreal scale = key.quarterPixels / 4.0 / unitsPerEm;
        QTransform place;
        place.translate(key.quarterX / 4.0, key.quarterY / 4.0);
        if (key.sideways)
            place.rotate(90);
        place.scale(scale, scale);
        // A pixel of room around the ink for the antialiased edge, held within the reach.
        const int reach = qCeil(std::min(ReachEms * key.quarterPixels / 4.0, qreal(ReachPixels)));
        const QRect room =
            place.mapRect(path.boundingRect()).toAlignedRect().adjusted(-1, -1, 1, 1) &
            QRect(-reach, -reach, 2 * reach + 1, 2 * reach + 1);
        if (room.isEmpty())
            return *m_glyphs.insert(key, made);
        const qreal ratio = key.devicePixelRatio100 / 100.0;
        made.image = QImage(room.size() * ratio, QImage::Format_ARGB32_Premultiplied);
        made.image.setDevicePixelRatio(ratio);
        made.image.fill(Qt::transparent);
        made.topLeft = room.topLeft();
        QPainter painter(&made.image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromRgba(key.colour));
        painter.translate(-room.topLeft());
        painter.setTransform(place, true);
        painter.drawPath(path);
    }
    return *m_glyphs.insert(key, made);
}

} // namespace varelith
