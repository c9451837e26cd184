#pragma once

#include "faceref.h"
#include "variationsettings.h"

#include <QHash>
#include <QPainterPath>
#include <QSet>
#include <QString>

#include <memory>

struct hb_blob_t;
struct hb_face_t;
struct hb_font_t;

namespace varelith {

// One face loaded once from its file and index for HarfBuzz: its layout features, its
// variable axes, and its glyph outlines (kept per glyph and per set of axis values). A
// Shaper keeps one per FaceRef.
class ShapingFace {
public:
    struct Axis {
        QString tag;
        QString name; // from the font's name table (fvar/STAT), else the tag
        float minimum = 0;
        float defaultValue = 0;
        float maximum = 0;
        bool hidden = false;
        friend bool operator==(const Axis&, const Axis&) = default;
    };

    explicit ShapingFace(const FaceRef& face);
    ~ShapingFace();
    ShapingFace(const ShapingFace&) = delete;
    ShapingFace& operator=(const ShapingFace&) = delete;

    const FaceRef& ref() const { return m_ref; }
    // False for a file that cannot be read or holds no such face.
    bool isValid() const { return m_valid; }
    int unitsPerEm() const { return m_upem; }
    int glyphCount() const;
    // The glyph's name from the font (post or CFF), empty where it has none.
    QString glyphName(quint32 glyph) const;

    // The GSUB and GPOS feature tags, sorted, each once.
    QStringList features() const;
    bool hasFeature(const QString& tag) const { return m_features.contains(tag); }
    QList<Axis> axes() const { return m_axes; }
    bool isVariable() const { return !m_axes.isEmpty(); }

    // The OS/2 table's embedding bits (fsType), 0 (installable) for a font without one.
    quint16 embeddingFlags() const;

    // Whether the font has a vertical form (`vert` or `vrt2`) of the character's glyph.
    bool hasVerticalForm(char32_t ucs4) const;

    // A font at the axis values (those of other axes, and axes it lacks, left out; values
    // held to each axis's range), scaled to font units. Kept while the face lives.
    hb_font_t* font(const VariationSettings& variations);
    // The glyph's outline in font units, y downwards, origin on the baseline.
    QPainterPath outline(quint32 glyph, const VariationSettings& variations);
    // The glyph's horizontal advance in font units.
    int advance(quint32 glyph, const VariationSettings& variations);

private:
    struct Instance;
    Instance& instance(const VariationSettings& variations);
    VariationSettings effective(const VariationSettings& variations) const;

    FaceRef m_ref;
    hb_blob_t* m_blob = nullptr;
    hb_face_t* m_face = nullptr;
    bool m_valid = false;
    int m_upem = 1000;
    QSet<QString> m_features;
    QList<Axis> m_axes;
    QList<unsigned> m_verticalLookups;
    QHash<QString, std::shared_ptr<Instance>> m_instances;
};

} // namespace varelith
