#include "shapedsheetview.h"

#include "composedpage.h"
#include "errortrap.h"
#include "fontconfigface.h"
#include "fontsize.h"
#include "japaneseinterface.h"
#include "missingglyphmark.h"
#include "rightedgeanchor.h"
#include "shaper.h"
#include "sheetcomposer.h"

#include <QAbstractTextDocumentLayout>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextFrame>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// The room the shaped layout adds to the document's, kept in its root frame's margins so
// that the view scrolls over the layout while the text stays as it is.
constexpr const char* ExtraRightProperty = "varelithExtraRight";
constexpr const char* ExtraBottomProperty = "varelithExtraBottom";

qreal pixels(qreal points, qreal dpi) {
    return points * dpi / 72.0;
}

} // namespace

ShapedSheetView::ShapedSheetView(QTextEdit& view, Shaper& shaper, FaceChooser faces)
    : QObject(&view)
    , m_view(view)
    , m_viewport(view.viewport())
    , m_rightAnchor(new RightEdgeAnchor(*view.horizontalScrollBar()))
    , m_shaper(shaper)
    , m_faces(std::move(faces))
    , m_paired(shaper) {
    const QString nameFace = JapaneseInterface::interfaceFace(SheetComposer::NameFamily);
    m_nameFont = QFont(nameFace);
    m_nameFont.setPointSizeF(FontSize::fromText(SheetComposer::NameSizeText));
    m_noteFont = m_nameFont;
    m_noteFont.setPointSizeF(m_nameFont.pointSizeF() * 0.75);
    m_view.viewport()->installEventFilter(this);
    // The view repaints where the document has the selection; the page shows it elsewhere.
    connect(&m_view, &QTextEdit::selectionChanged, m_viewport, qOverload<>(&QWidget::update));
}

void ShapedSheetView::pageShown(const ComposedPage& page) {
    m_sources.clear();
    // The lines as the composer made them: its sample runs carry each line's family and size.
    for (const FormatRun& run : page.runs) {
        if (run.role != FormatRun::Role::Sample)
            continue;
        const qsizetype nameStart = run.start - run.family.size();
        // From the space to the line break: the sample lies between them.
        m_sources.append({page.text.mid(nameStart, run.family.size()),
                          run.family,
                          page.text.mid(run.start + 1, run.length - 3),
                          run.sizeText,
                          page.documentPosition(int(nameStart)),
                          {}});
    }
    m_facesFound = false;
    // Clicks are mapped here before anything else watching the viewport reads them.
    m_view.viewport()->removeEventFilter(this);
    m_view.viewport()->installEventFilter(this);
    layOut();
    scrollToLine(0);
}

void ShapedSheetView::setTypesetting(const Typesetting& typesetting) {
    // A feature or a value switched keeps the place the user scrolled to (in 縦書き counted
    // from the right); a new writing mode shows the line that was in view, from its start.
    const bool newMode = typesetting.vertical != m_typesetting.vertical;
    const int shown = newMode ? lineInView() : 0;
    m_typesetting = typesetting;
    // Sizes were read when the page was shown; still, nothing may leave a menu's handler.
    trapErrors([this, newMode, shown] {
        layOut();
        if (newMode)
            scrollToLine(shown);
    });
}

void ShapedSheetView::setLatinFaces(LatinFaceChooser faces) {
    m_latinFaces = std::move(faces);
}

void ShapedSheetView::findFaces() {
    // Asked only once the page is shaped: the plain sheet has no use for them. A style's
    // note goes after the name in the document and moves the lines below it.
    int noted = 0;
    for (Source& source : m_sources) {
        const SheetLineFaces::Face face = m_faces(source.family);
        source.name += face.note;
        source.documentPosition += noted;
        source.face = face.face;
        noted += int(face.note.size());
    }
    m_facesFound = true;
}

void ShapedSheetView::layOut() {
    m_lines.clear();
    m_size = {};
    if (!m_facesFound)
        findFaces();
    const qreal dpi = m_view.viewport()->logicalDpiY();
    m_typesetting.vertical ? layOutVertical(dpi) : layOutHorizontal(dpi);
    // A column page is read from its right: its place is kept from there as its room changes.
    m_rightAnchor->setEnabled(m_typesetting.vertical);
    fitScrollRoom();
    m_view.viewport()->update();
}

int ShapedSheetView::lineInView() const {
    const QScrollBar* across = m_view.horizontalScrollBar();
    const int down = m_view.verticalScrollBar()->value();
    // Columns are counted from the right edge of the room, lines from its top.
    const qreal start = m_typesetting.vertical
                            ? contentWidth() - across->value() - m_view.viewport()->width()
                            : qreal(down);
    for (qsizetype index = 0; index < m_lines.size(); ++index) {
        const QRectF& area = m_lines.at(index).area;
        // Areas abut: the one that reaches past the view's first pixel.
        if ((m_typesetting.vertical ? area.right() : area.bottom()) > start + 1)
            return int(index);
    }
    return 0;
}

void ShapedSheetView::scrollToLine(int line) {
    QScrollBar* across = m_view.horizontalScrollBar();
    QScrollBar* down = m_view.verticalScrollBar();
    if (m_typesetting.vertical) {
        down->setValue(0);
        // The first column at the very right; another one's right edge at the view's.
        const qreal fromRight =
            line > 0 && line < m_lines.size() ? std::max(0.0, m_lines.at(line).area.left()) : 0;
        across->setValue(across->maximum() - qRound(fromRight));
        return;
    }
    across->setValue(0);
    const qreal top = line > 0 && line < m_lines.size() ? m_lines.at(line).area.top() : 0;
    down->setValue(qRound(top));
}

ShapedSheetView::Line ShapedSheetView::lineFor(const Source& source) const {
    Line line;
    line.name = source.name;
    line.sampleText = source.sample;
    line.note =
        Typesetting::missingNote(m_shaper.missingFeatures(source.face, m_typesetting.features));
    if (const QString paired = m_typesetting.pairing.note(); !paired.isEmpty())
        line.note += (line.note.isEmpty() ? QString() : u"　"_s) + paired;
    line.documentPosition = source.documentPosition;
    return line;
}

void ShapedSheetView::shapeSample(Line& line, const Source& source, const QString& text,
                                  ShapedRun::Direction direction, qreal pixelSize) {
    const LatinPairing& pairing = m_typesetting.pairing;
    if (!pairing.isActive()) {
        line.sample = m_shaper.shape(source.face, text, direction, m_typesetting.features,
                                     m_typesetting.axes, pixelSize);
        return;
    }
    PairedShaper::Faces faces{source.face, {}, pairing.scalePercent, pairing.shiftPercent};
    if (pairing.mode == LatinPairing::Mode::Partners) {
        // The one Japanese font, with the line's own font as its Latin partner.
        faces.primary = m_faces(pairing.japaneseFamily).face;
        faces.latin = source.face;
    } else if (m_latinFaces) {
        faces.latin = m_latinFaces(pairing.latinFamily, pairing.latinStyle);
    }
    const PairedRun paired = m_paired.shape(faces, text, direction, m_typesetting.features,
                                            m_typesetting.axes, pixelSize);
    line.sample = paired.primary;
    line.latin = paired.latin;
}

void ShapedSheetView::layOutHorizontal(qreal dpi) {
    const QFontMetricsF name(m_nameFont, m_view.viewport());
    const QFontMetricsF note(m_noteFont, m_view.viewport());
    const qreal margin = m_view.document()->documentMargin();
    qreal top = margin;
    qreal width = 0;
    for (const Source& source : std::as_const(m_sources)) {
        Line line = lineFor(source);
        // The space belongs to the sample, as in the document.
        shapeSample(line, source, u' ' + source.sample, ShapedRun::Direction::Horizontal,
                    pixels(FontSize::fromText(source.sizeText), dpi));
        if (!line.sample.valid)
            standIn(line, source, pixels(FontSize::fromText(source.sizeText), dpi));
        const qreal ascent = std::max(name.ascent(), line.sample.ascent);
        const qreal descent = std::max(name.descent(), line.sample.descent);
        qreal x = margin;
        line.nameAt = QPointF(x, top + ascent);
        x += name.horizontalAdvance(line.name);
        if (!line.note.isEmpty()) {
            x += note.averageCharWidth();
            line.noteAt = QPointF(x, top + ascent);
            x += note.horizontalAdvance(line.note);
        }
        line.sampleAt = QPointF(x, top + ascent);
        line.area = QRectF(0, top, x + line.sample.advance, ascent + descent);
        width = std::max(width, x + line.sample.advance + margin);
        top += ascent + descent;
        m_lines.append(line);
    }
    m_size = QSizeF(width, top + margin);
}

void ShapedSheetView::layOutVertical(qreal dpi) {
    if (m_nameFace.isNull())
        // Japanese notes and names are set in it too, without a fallback face.
        m_nameFace = FontconfigFace::match(m_nameFont.family(), u"ja"_s);
    const qreal namePixels = pixels(m_nameFont.pointSizeF(), dpi);
    const qreal notePixels = pixels(m_noteFont.pointSizeF(), dpi);
    const qreal margin = m_view.document()->documentMargin();
    qreal right = margin;
    qreal height = 0;
    for (const Source& source : std::as_const(m_sources)) {
        Line line = lineFor(source);
        const qreal samplePixels = pixels(FontSize::fromText(source.sizeText), dpi);
        line.nameRun = m_shaper.shape(m_nameFace, line.name, ShapedRun::Direction::Vertical, {}, {},
                                      namePixels);
        shapeSample(line, source, source.sample, ShapedRun::Direction::Vertical, samplePixels);
        if (!line.sample.valid)
            standIn(line, source, samplePixels);
        const qreal breadth = std::max(namePixels, samplePixels);
        const qreal centre = right + breadth / 2;
        qreal y = margin;
        line.nameAt = QPointF(centre, y);
        y += line.nameRun.advance;
        if (!line.note.isEmpty()) {
            line.noteRun = m_shaper.shape(m_nameFace, line.note, ShapedRun::Direction::Vertical, {},
                                          {}, notePixels);
            y += notePixels / 2;
            line.noteAt = QPointF(centre, y);
            y += line.noteRun.advance;
        }
        // A full-width space between the name and the sample, as a vertical line would have.
        y += samplePixels;
        line.sampleAt = QPointF(centre, y);
        y += line.sample.advance;
        height = std::max(height, y + margin);
        line.area = QRectF(right - samplePixels / 4, 0, breadth + samplePixels / 2, y);
        right += breadth + samplePixels / 2;
        m_lines.append(line);
    }
    m_size = QSizeF(right + margin, height);
}

void ShapedSheetView::standIn(Line& line, const Source& source, qreal pixelSize) {
    const bool vertical = line.sample.direction == ShapedRun::Direction::Vertical;
    const QString text = vertical ? source.sample : u' ' + source.sample;
    // The face's own file, read by FreeType, never a family looked up by name: a family that
    // is not installed is shown in the interface's face under the missing mark.
    QRawFont font = source.face.isNull() ? QRawFont::fromFont(m_nameFont)
                                         : QRawFont(source.face.file, std::max(1.0, pixelSize),
                                                    QFont::PreferNoHinting);
    if (!source.face.isNull() && !font.isValid())
        font = QRawFont::fromFont(m_nameFont);
    font.setPixelSize(std::max(1.0, pixelSize));
    line.standInGlyphs = font.glyphIndexesForString(text);
    const QList<QPointF> advances = font.advancesForGlyphIndexes(line.standInGlyphs);
    qreal pen = 0;
    for (const QPointF& advance : advances) {
        line.standInPositions.append(QPointF(pen, 0));
        pen += advance.x();
    }
    line.sample.advance = pen;
    line.sample.ascent = vertical ? pixelSize / 2 : font.ascent();
    line.sample.descent = vertical ? pixelSize / 2 : font.descent();
    line.standIn = font;
    line.standInMissing = source.face.isNull();
}

void ShapedSheetView::paintStandIn(QPainter& painter, const Line& line, const QPointF& at) {
    painter.save();
    painter.translate(at);
    const QRawFont& font = *line.standIn;
    if (line.sample.direction == ShapedRun::Direction::Vertical) {
        // Turned a quarter clockwise, its ascent and descent centred on the column's line.
        painter.translate(-(font.ascent() - font.descent()) / 2, 0);
        painter.rotate(90);
    }
    if (line.standInMissing)
        MissingGlyphMark::paint(
            painter, QRectF(0, -font.ascent(), line.sample.advance, font.ascent() + font.descent()),
            m_view.palette());
    QGlyphRun glyphs;
    glyphs.setRawFont(font);
    glyphs.setGlyphIndexes(line.standInGlyphs);
    glyphs.setPositions(line.standInPositions);
    painter.drawGlyphRun(QPointF(), glyphs);
    painter.restore();
}

void ShapedSheetView::fitScrollRoom() {
    QTextDocument* document = m_view.document();
    QTextFrame* root = document->rootFrame();
    QTextFrameFormat format = root->frameFormat();
    const qreal oldRight = document->property(ExtraRightProperty).toReal();
    const qreal oldBottom = document->property(ExtraBottomProperty).toReal();
    if (oldRight != 0 || oldBottom != 0) {
        format.setRightMargin(format.rightMargin() - oldRight);
        format.setBottomMargin(format.bottomMargin() - oldBottom);
        root->setFrameFormat(format);
        document->setProperty(ExtraRightProperty, 0.0);
        document->setProperty(ExtraBottomProperty, 0.0);
    }
    const QSizeF text = document->documentLayout()->documentSize();
    const qreal right = std::max(0.0, m_size.width() - text.width());
    const qreal bottom = std::max(0.0, m_size.height() - text.height());
    if (right != 0 || bottom != 0) {
        format.setRightMargin(format.rightMargin() + right);
        format.setBottomMargin(format.bottomMargin() + bottom);
        root->setFrameFormat(format);
        document->setProperty(ExtraRightProperty, right);
        document->setProperty(ExtraBottomProperty, bottom);
    }
}

qreal ShapedSheetView::contentWidth() const {
    // Columns are placed from the right edge of all the room the view scrolls over.
    return std::max<qreal>(m_view.document()->documentLayout()->documentSize().width(),
                           m_view.viewport()->width());
}

int ShapedSheetView::lineAt(const QPointF& viewportPoint) const {
    QPointF point = viewportPoint + QPointF(m_view.horizontalScrollBar()->value(),
                                            m_view.verticalScrollBar()->value());
    if (m_typesetting.vertical)
        point.setX(contentWidth() - point.x());
    for (qsizetype index = 0; index < m_lines.size(); ++index)
        if (m_lines.at(index).area.contains(point))
            return int(index);
    return -1;
}

bool ShapedSheetView::eventFilter(QObject* watched, QEvent* event) {
    // Only the viewport kept, not asked of the view: it sees events while the view is
    // being destroyed.
    if (watched != m_viewport || m_remapping)
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::Paint) {
        trapErrors([this] { paint(); });
        return true;
    }
    return remapMouse(event);
}

bool ShapedSheetView::remapMouse(QEvent* event) {
    const QEvent::Type type = event->type();
    const bool mouse = type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                       type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove;
    if (!mouse && type != QEvent::ContextMenu)
        return false;
    const QPointF at = mouse ? static_cast<QMouseEvent*>(event)->position()
                             : QPointF(static_cast<QContextMenuEvent*>(event)->pos());
    // The start of the line under the pointer, where the document shows it; past the end of
    // the text where no line is.
    const int line = lineAt(at);
    QTextCursor cursor(m_view.document());
    if (line >= 0)
        cursor.setPosition(m_lines.at(line).documentPosition);
    else
        cursor.movePosition(QTextCursor::End);
    const QPoint mapped = m_view.cursorRect(cursor).center();
    // The view would scroll to the document's place of the line; the layout's stays.
    const int across = m_view.horizontalScrollBar()->value();
    const int down = m_view.verticalScrollBar()->value();
    m_remapping = true;
    if (mouse) {
        // Only the place in the viewport changes. The event made here is written into the
        // device's record of the last press, from which Qt decides whether the next press
        // is the second of a double-click: with a time of 0 none ever was, and with another
        // place on the screen a hand's slightest move between the clicks broke it.
        const auto* original = static_cast<QMouseEvent*>(event);
        QMouseEvent moved(type, mapped, mapped, original->globalPosition(), original->button(),
                          original->buttons(), original->modifiers(), original->pointingDevice());
        moved.setTimestamp(original->timestamp());
        QCoreApplication::sendEvent(m_view.viewport(), &moved);
    } else {
        const auto* original = static_cast<QContextMenuEvent*>(event);
        QContextMenuEvent moved(original->reason(), mapped, original->globalPos(),
                                original->modifiers());
        QCoreApplication::sendEvent(m_view.viewport(), &moved);
    }
    m_remapping = false;
    m_view.horizontalScrollBar()->setValue(across);
    m_view.verticalScrollBar()->setValue(down);
    return true;
}

// The document's selection, line by line: the text a copy takes, shown where it stands.
void ShapedSheetView::paintSelection(QPainter& painter) const {
    const QTextCursor cursor = m_view.textCursor();
    if (!cursor.hasSelection())
        return;
    QColor tint = m_view.palette().color(QPalette::Highlight);
    tint.setAlpha(64);
    const qreal width = contentWidth();
    for (qsizetype index = 0; index < m_lines.size(); ++index) {
        const Line& line = m_lines.at(index);
        const int end = index + 1 < m_lines.size() ? m_lines.at(index + 1).documentPosition
                                                   : m_view.document()->characterCount();
        if (cursor.selectionStart() >= end || cursor.selectionEnd() <= line.documentPosition)
            continue;
        QRectF area = line.area;
        if (m_typesetting.vertical)
            area.moveLeft(width - line.area.right());
        painter.fillRect(area, tint);
    }
}

void ShapedSheetView::paint() {
    QWidget* viewport = m_view.viewport();
    QPainter painter(viewport);
    const QPalette& palette = m_view.palette();
    painter.fillRect(viewport->rect(), palette.base());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(-m_view.horizontalScrollBar()->value(), -m_view.verticalScrollBar()->value());
    painter.setPen(palette.text().color());
    paintSelection(painter);
    if (!m_typesetting.vertical) {
        for (const Line& line : std::as_const(m_lines)) {
            painter.setFont(m_nameFont);
            painter.drawText(line.nameAt, line.name);
            if (!line.note.isEmpty()) {
                painter.save();
                painter.setFont(m_noteFont);
                painter.setPen(palette.placeholderText().color());
                painter.drawText(line.noteAt, line.note);
                painter.restore();
            }
            line.standIn
                ? paintStandIn(painter, line, line.sampleAt)
                : m_paired.draw(painter, {line.sample, line.latin}, line.sampleAt, palette);
        }
        return;
    }
    const qreal width = contentWidth();
    for (const Line& line : std::as_const(m_lines)) {
        const auto at = [width](const QPointF& point) {
            return QPointF(width - point.x(), point.y());
        };
        m_shaper.draw(painter, line.nameRun, at(line.nameAt), palette, false);
        if (!line.note.isEmpty()) {
            painter.save();
            painter.setPen(palette.placeholderText().color());
            m_shaper.draw(painter, line.noteRun, at(line.noteAt), palette, false);
            painter.restore();
        }
        line.standIn
            ? paintStandIn(painter, line, at(line.sampleAt))
            : m_paired.draw(painter, {line.sample, line.latin}, at(line.sampleAt), palette);
    }
}

} // namespace varelith
