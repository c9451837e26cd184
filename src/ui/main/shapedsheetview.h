#pragma once

#include "faceref.h"
#include "pairedshaper.h"
#include "shapedrun.h"
#include "sheetlinefaces.h"
#include "typesetting.h"

#include <QFont>
#include <QObject>
#include <QPointF>
#include <QRawFont>

#include <functional>
#include <optional>

class QPainter;
class QTextEdit;

namespace varelith {

struct ComposedPage;
class RightEdgeAnchor;
class Shaper;

// The sheet as the user sees it, in every mode: each sample set by the Shaper from the face
// fontconfig gives for its family and style, and drawn from that face; 横書き one line per
// font, 縦書き one column per font, right to left, the name at its head. Qt's text layout
// and font matching draw no sample: a line is as long as the face's own advances make it,
// and its marks and notes come from the face it is set in. The view's document stays the
// page's text model, so what a screen reader reads and what is copied are the same in
// every mode; only the painting of the view's viewport, and the room it scrolls over,
// follow the shaped layout; a click or a context menu on a line reaches the view, and
// whoever watches it, as one on that line of the document.
class ShapedSheetView : public QObject {
    Q_OBJECT

public:
    // The face a line's sample is set in, for the family it names, and the note its name
    // gets in the document.
    using FaceChooser = std::function<SheetLineFaces::Face(const QString& family)>;
    // The face of a paired Latin font: its family and its style's name (empty: plain).
    using LatinFaceChooser = std::function<FaceRef(const QString& family, const QString& style)>;

    ShapedSheetView(QTextEdit& view, Shaper& shaper, FaceChooser faces);

    // After the view got the page's document: lays the page out for the typesetting.
    void pageShown(const ComposedPage& page);
    void setTypesetting(const Typesetting& typesetting);
    const Typesetting& typesetting() const { return m_typesetting; }
    // Where the Latin font of a pairing is found; without it, a pairing of one Latin font
    // for every line sets nothing in it.
    void setLatinFaces(LatinFaceChooser faces);

    struct Line {
        QString name; // with the style's note, as the document has it
        // The features switched on that the face lacks, "palt 非対応", and the pairing
        // (和欧混植) the sample is set in: painted beside the name, never in the document.
        QString note;
        QString sampleText;
        ShapedRun nameRun; // 縦書き only: the name set in the column
        ShapedRun noteRun;
        ShapedRun sample;
        // 和欧混植: the sample's Latin glyphs, placed from the sample's own origin; `sample`
        // then holds the rest, and both measure the whole sample.
        ShapedRun latin;
        // Horizontal: baseline starts from the top left of the page. Vertical: the top of
        // the column's centre line, x counted leftwards from the page's right edge.
        QPointF nameAt;
        QPointF noteAt;
        QPointF sampleAt;
        // A face HarfBuzz cannot read (a Type 1 or bitmap font) is drawn from its own file
        // by its character map, unshaped, turned sideways in a column; a family that is not
        // installed is marked missing as a whole, in the interface's face.
        std::optional<QRawFont> standIn;
        QList<quint32> standInGlyphs;
        QList<QPointF> standInPositions;
        bool standInMissing = false;
        QRectF area;          // the room the line takes, counted as its points are
        int documentPosition; // where the line starts in the view's document
    };
    const QList<Line>& lines() const { return m_lines; }
    // The room the layout takes, margins included.
    QSizeF layoutSize() const { return m_size; }
    // The line shown at a point of the view's viewport, -1 for none.
    int lineAt(const QPointF& viewportPoint) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Source {
        QString name;
        QString family;
        QString sample;
        QString sizeText;
        int documentPosition;
        FaceRef face;
    };
    void findFaces();
    // The line's texts, its note of missing features and its place in the document.
    Line lineFor(const Source& source) const;
    // The sample in its face, or in the pairing's two.
    void shapeSample(Line& line, const Source& source, const QString& text,
                     ShapedRun::Direction direction, qreal pixelSize);
    void standIn(Line& line, const Source& source, qreal pixelSize);
    void paintStandIn(QPainter& painter, const Line& line, const QPointF& at);
    void layOut();
    // The line at the start of the view: at its top in 横書き, at its right in 縦書き.
    int lineInView() const;
    // Shows the line at the start of the view: 横書き from the left, the line at the top;
    // 縦書き from the top, the line's column at the right.
    void scrollToLine(int line);
    void layOutHorizontal(qreal dpi);
    void layOutVertical(qreal dpi);
    void fitScrollRoom();
    void paint();
    void paintSelection(QPainter& painter) const;
    bool remapMouse(QEvent* event);
    qreal contentWidth() const;

    QTextEdit& m_view;
    QWidget* m_viewport;
    RightEdgeAnchor* m_rightAnchor;
    Shaper& m_shaper;
    FaceChooser m_faces;
    LatinFaceChooser m_latinFaces;
    PairedShaper m_paired;
    Typesetting m_typesetting;
    QList<Source> m_sources;
    QList<Line> m_lines;
    QSizeF m_size;
    QFont m_nameFont;
    QFont m_noteFont;
    FaceRef m_nameFace;
    bool m_facesFound = false;
    bool m_remapping = false;
};

} // namespace varelith
