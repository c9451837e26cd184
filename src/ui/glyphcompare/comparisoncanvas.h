#pragma once

#include "faceref.h"
#include "featuresettings.h"

#include <QList>
#include <QWidget>

namespace varelith {

class Shaper;

// Sections of large cells, one cell per font, wrapped to the width: each cell draws its
// text in its own face alone, with the font's name under it. A font that lacks the text
// gets the missing-glyph mark and no glyph (never one of another font); a cell whose
// shape differs from the section's reference is framed in a colour of its own. Only the
// cells in view are shaped and drawn.
class ComparisonCanvas : public QWidget {
    Q_OBJECT

public:
    struct Cell {
        QString fontName;
        FaceRef face;
        QString text;
        QString note; // a second line under the name: "既定の字形"
        bool missing = false;
        bool differs = false;
    };
    struct Section {
        QString title;
        QList<Cell> cells;
    };

    static constexpr int CellWidth = 120;
    static constexpr int GlyphPixels = 72;
    static constexpr int TitleHeight = 26;

    explicit ComparisonCanvas(Shaper& shaper, QWidget* parent = nullptr);

    void setSections(const QList<Section>& sections, const FeatureSettings& features);
    const QList<Section>& sections() const { return m_sections; }

    // The cell's place in this widget; empty for one that does not exist.
    QRect cellRect(int section, int cell) const;
    static int cellHeight();

    QSize sizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int columnsFor(int width) const;
    int sectionHeight(int section, int columns) const;
    void paintCell(QPainter& painter, const Cell& cell, const QRect& box);

    Shaper& m_shaper;
    QList<Section> m_sections;
    FeatureSettings m_features;
};

} // namespace varelith
