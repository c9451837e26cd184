#pragma once

#include "faceref.h"

#include <QHash>
#include <QImage>
#include <QPainterPath>
#include <QPoint>
#include <QRgb>
#include <QString>

#include <functional>

namespace varelith {

// Glyphs for the screen, filled once from their outlines and then copied: an antialiased
// outline costs tens of microseconds a glyph, its image a few. One image per face, glyph,
// axis values, size, turn, colour and quarter-pixel place, as Qt's own glyph cache keeps
// them; at most Limit of them, all dropped when full.
class GlyphImageCache {
public:
    struct Key {
        FaceRef face;
        QString variations;
        quint32 glyph = 0;
        int quarterPixels = 0; // the em in quarter pixels (device-independent)
        bool sideways = false;
        QRgb colour = 0;
        int quarterX = 0; // the origin's place within its pixel, in quarters
        int quarterY = 0;
        int devicePixelRatio100 = 100;
        friend bool operator==(const Key&, const Key&) = default;
    };
    struct Glyph {
        QImage image;   // null for a glyph with no outline
        QPoint topLeft; // from the origin's whole pixel
    };
    static constexpr int Limit = 4096;
    // How far from its origin a glyph's image reaches, in ems and at most in pixels: no
    // real glyph inks that far, and a damaged or hostile font's claim of ink miles away
    // must not ask for an image of gigabytes.
    static constexpr qreal ReachEms = 2;
    static constexpr int ReachPixels = 4096;

    // The image of `key`, filled from `outline` (font units, y downwards) on first use.
    const Glyph& glyph(const Key& key, qreal unitsPerEm,
                       const std::function<QPainterPath()>& outline);

private:
    QHash<Key, Glyph> m_glyphs;
};

size_t qHash(const GlyphImageCache::Key& key, size_t seed = 0) noexcept;

} // namespace varelith
