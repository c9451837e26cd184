#include "specimenprinter.h"

#include "japaneseinterface.h"
#include "missingglyphmark.h"
#include "runtimeerror.h"
#include "shaper.h"
#include "sheetfaces.h"

#include <QDeadlineTimer>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPalette>
#include <QPrinter>
#include <QRawFont>
#include <QTextLayout>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

constexpr qreal MinimumMarginMm = 15;
constexpr double NamePoints = 10;
constexpr double HeaderPoints = 9;

QFont interfaceFont(double points) {
    return QFont(JapaneseInterface::interfaceFace(u"ＭＳ Ｐゴシック"_s), int(points));
}

// Every margin at least 15 mm: more where the printer cannot print closer to the edge.
QPrinter& withMargins(QPrinter& printer) {
    const QMarginsF current = printer.pageLayout().margins(QPageLayout::Millimeter);
    printer.setFullPage(false);
    printer.setPageMargins(QMarginsF(std::max(current.left(), MinimumMarginMm),
                                     std::max(current.top(), MinimumMarginMm),
                                     std::max(current.right(), MinimumMarginMm),
                                     std::max(current.bottom(), MinimumMarginMm)),
                           QPageLayout::Millimeter);
    return printer;
}

// The header takes two of its own lines at the top of the margins' area; the body is the
// rest. The painter's origin is the top left corner of that area.
qreal headerBand(const QFont& headerFont, QPrinter& printer) {
    return QFontMetricsF(headerFont, &printer).lineSpacing() * 2;
}

// One line, as wide as the text: the sample is never broken.
void layOut(QTextLayout& layout) {
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(std::numeric_limits<qreal>::max() / 4);
    layout.endLayout();
}

// Where the glyphs of the runs leave ink, in the runs' coordinates.
QRectF inkOf(const QList<QGlyphRun>& runs) {
    QRectF ink;
    for (const QGlyphRun& run : runs) {
        const QRawFont font = run.rawFont();
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        for (qsizetype i = 0; i < glyphs.size() && i < positions.size(); ++i)
            ink |= font.boundingRect(glyphs.at(i)).translated(positions.at(i));
    }
    return ink;
}

} // namespace

const QString SpecimenPrinter::NoFontsText = u"選択されているフォントはありません"_s;

SpecimenPrinter::SpecimenPrinter(QPrinter& printer, GlyphCoverage& coverage, Shaper& shaper,
                                 Book book, QDate date, SheetFaces* faces)
    : m_printer(withMargins(printer))
    , m_coverage(coverage)
    , m_shaper(shaper)
    , m_faces(faces)
    , m_book(std::move(book))
    , m_date(date)
    , m_nameFont(interfaceFont(NamePoints))
    , m_nameMetrics(m_nameFont, &printer)
    , m_headerFont(interfaceFont(HeaderPoints))
    , m_body(0, headerBand(m_headerFont, printer), printer.width(),
             printer.height() - headerBand(m_headerFont, printer))
    // Columns are placed as lines are, across a body turned a quarter: from its right edge.
    , m_layout(m_book.vertical ? m_body.size().transposed() : m_body.size(),
               m_nameMetrics.lineSpacing() / 2) {
    m_lines.reserve(m_book.families.size());
}

SpecimenPrinter::~SpecimenPrinter() {
    if (m_painter.isActive())
        m_painter.end();
}

int SpecimenPrinter::stepCount() const {
    // A book without fonts still paints its one sheet.
    const int lines = int(m_book.families.size());
    return lines + std::max(lines, 1) + 1;
}

bool SpecimenPrinter::advance(const QDeadlineTimer& deadline) {
    const qsizetype lines = m_book.families.size();
    while (!m_complete) {
        if (m_measured < lines) {
            measure(m_measured++);
        } else if (m_painted < std::max<qsizetype>(lines, 1)) {
            if (!m_painter.isActive())
                beginDocument();
            if (lines > 0)
                paint(m_painted);
            ++m_painted;
        } else {
            m_painter.end();
            m_complete = true;
        }
        ++m_stepsDone;
        if (deadline.hasExpired())
            break;
    }
    return !m_complete;
}

qreal SpecimenPrinter::nameGap() const {
    return m_nameMetrics.height();
}

qreal SpecimenPrinter::sampleScale() const {
    // The samples are set in the coverage's own font, which is already loaded, and
    // scaled to the size asked for: the document holds the font itself, not pixels.
    return m_book.points * m_printer.logicalDpiY() / 72.0 / GlyphCoverage::OwnFontPixels;
}

bool SpecimenPrinter::embeddable(const QRawFont& raw) {
    // The rule the document follows: a font whose licence forbids embedding (fsType 2) or
    // allows bitmaps only (bit 9) is drawn as outlines, not embedded.
    if (!raw.isValid())
        return false;
    const QByteArray os2 = raw.fontTable("OS/2");
    if (os2.size() < 10)
        return true;
    const int fsType = (uchar(os2.at(8)) << 8) | uchar(os2.at(9));
    return fsType != 2 && (fsType & 0x200) == 0;
}

void SpecimenPrinter::measure(qsizetype index) {
    if (m_book.vertical) {
        measureColumn(index);
        return;
    }
    const QString& family = m_book.families.at(index);
    Line measured;
    const SheetFaces::Choice choice =
        m_faces ? m_faces->choose(family, m_book.style) : SheetFaces::Choice();
    measured.name = family + choice.note;
    const QList<GlyphCoverage::Range> missing =
        choice.face ? m_faces->missingRanges(family, choice, m_book.sample)
                    : m_coverage.missingRanges(family, m_book.sample);
    // Loaded here, cheaply, and found loaded by the layout below.
    const QRawFont raw =
        choice.face ? m_faces->loadOwnFont(family, choice) : m_coverage.loadOwnFont(family);
    const QFont font = SheetFaces::ownFont(family, choice);
    const bool whollyMarked = !m_book.sample.isEmpty() && !embeddable(raw);

    // Set once: the glyphs are kept for the painting, so that the text is shaped only here.
    QTextLayout sample(m_book.sample, font, &m_printer);
    layOut(sample);
    const QTextLine line = sample.lineAt(0);
    // Positions from the top of the line, as the layout gives them: moved onto the baseline.
    const QPointF baseline(0, -line.ascent());
    measured.sample = line.glyphRuns();
    for (QGlyphRun& run : measured.sample) {
        QList<QPointF> positions = run.positions();
        for (QPointF& position : positions)
            position += baseline;
        run.setPositions(positions);
    }
    const QList<GlyphCoverage::Range> marked =
        whollyMarked ? QList<GlyphCoverage::Range>{{0, m_book.sample.size()}} : missing;
    for (const GlyphCoverage::Range& range : marked) {
        const qreal from = line.cursorToX(int(range.start));
        const qreal to = line.cursorToX(int(range.start + range.length));
        measured.marked.append(QRectF(std::min(from, to), -line.ascent(), std::abs(to - from),
                                      line.ascent() + line.descent()));
    }

    // Glyphs may reach beyond the font's own ascent and descent: the line makes room.
    const QRectF ink = inkOf(measured.sample);
    const qreal scale = sampleScale();
    const QFontMetricsF& name = m_nameMetrics;
    measured.nameWidth = name.horizontalAdvance(measured.name);
    measured.extent.width = measured.nameWidth + nameGap() + line.naturalTextWidth() * scale;
    measured.extent.ascent = std::max({name.ascent(), line.ascent() * scale, -ink.top() * scale});
    measured.extent.descent =
        std::max({name.descent(), line.descent() * scale, ink.bottom() * scale});
    measured.placement = m_layout.place(measured.extent);
    m_lines.append(measured);
}

void SpecimenPrinter::measureColumn(qsizetype index) {
    const QString& family = m_book.families.at(index);
    // The face of the sheet's style, as in 横書き; the one shaped is the one checked.
    const SheetFaces::Choice choice =
        m_faces ? m_faces->choose(family, m_book.style) : SheetFaces::Choice();
    const QList<GlyphCoverage::Range> missing =
        choice.face ? m_faces->missingRanges(family, choice, m_book.sample)
                    : m_coverage.missingRanges(family, m_book.sample);
    const QRawFont raw =
        choice.face ? m_faces->loadOwnFont(family, choice) : m_coverage.loadOwnFont(family);
    const FaceRef face =
        choice.face ? FaceRef{choice.face->file, choice.face->index} : m_coverage.plainFace(family);
    const bool whollyMarked = !m_book.sample.isEmpty() && !embeddable(raw);
    constexpr qreal Pixels = GlyphCoverage::OwnFontPixels;
    // The name in the interface face, as in 横書き, only set top to bottom; it has no
    // features or axes of the sample's. The face is the one the name font resolves to
    // (already resolved for its metrics), which need not carry the name asked for.
    const QString nameFamily = QFontInfo(m_nameFont).family();
    const QString nameText = family + choice.note;
    SpecimenColumn::Piece name;
    if (m_coverage.coversText(nameFamily, nameText)) {
        name.run = m_shaper.shape(m_coverage.plainFace(nameFamily), nameText,
                                  ShapedRun::Direction::Vertical, {}, {}, Pixels);
        name.font = m_coverage.loadOwnFont(nameFamily);
        name.scale = NamePoints * m_printer.logicalDpiY() / 72.0 / Pixels;
    } else {
        name.text = nameText;
        name.textFont = m_nameFont;
        name.run.advance = m_nameMetrics.horizontalAdvance(nameText);
        name.run.ascent = m_nameMetrics.ascent();
        name.run.descent = m_nameMetrics.descent();
    }
    SpecimenColumn::Piece sample;
    sample.run = m_shaper.shape(face, m_book.sample, ShapedRun::Direction::Vertical,
                                m_book.features, m_book.variations, Pixels);
    sample.font = raw;
    sample.scale = sampleScale();
    if (!sample.run.valid && raw.isValid()) {
        sample.text = m_book.sample;
        sample.textFont = SheetFaces::ownFont(family, choice);
        const QFontMetricsF metrics(sample.textFont);
        sample.run.advance = metrics.horizontalAdvance(sample.text);
        sample.run.ascent = metrics.ascent();
        sample.run.descent = metrics.descent();
    }
    Line measured;
    measured.name = nameText;
    measured.column = SpecimenColumn(
        std::move(name), std::move(sample), nameGap(),
        whollyMarked ? QList<GlyphCoverage::Range>{{0, m_book.sample.size()}} : missing);
    measured.extent = measured.column.extent();
    measured.placement = m_layout.place(measured.extent);
    m_lines.append(measured);
}

void SpecimenPrinter::beginDocument() {
    if (!m_painter.begin(&m_printer))
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    startSheet(0);
    if (m_book.families.isEmpty()) {
        m_painter.setFont(m_nameFont);
        m_painter.drawText(QPointF(m_body.left(), m_body.top() + m_nameMetrics.ascent()),
                           NoFontsText);
    }
}

void SpecimenPrinter::startSheet(int sheet) {
    if (m_sheet >= 0 && !m_printer.newPage())
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    m_sheet = sheet;
    const QFontMetricsF metrics(m_headerFont, &m_printer);
    const QRectF band(0, 0, m_body.width(), metrics.lineSpacing());
    m_painter.setPen(Qt::black);
    m_painter.setFont(m_headerFont);
    m_painter.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, u"Varelith 見本帳"_s);
    m_painter.drawText(band, Qt::AlignHCenter | Qt::AlignVCenter,
                       m_date.toString(u"yyyy年M月d日"_s));
    m_painter.drawText(band, Qt::AlignRight | Qt::AlignVCenter,
                       u"ページ %1 / %2"_s.arg(sheet + 1).arg(m_layout.sheetCount()));
    const qreal rule = metrics.lineSpacing() * 1.25;
    m_painter.setPen(QPen(Qt::gray, metrics.lineWidth()));
    m_painter.drawLine(QPointF(0, rule), QPointF(m_body.width(), rule));
    m_painter.setPen(Qt::black);
}

void SpecimenPrinter::paint(qsizetype index) {
    Line& line = m_lines[index];
    if (line.placement.sheet != m_sheet)
        startSheet(line.placement.sheet);

    m_painter.save();
    if (m_book.vertical) {
        // The column's centre line, its room counted from the body's right edge.
        m_painter.translate(m_body.right() - line.placement.top -
                                line.extent.ascent * line.placement.scale,
                            m_body.top());
        m_painter.scale(line.placement.scale, line.placement.scale);
        line.column.paint(m_painter, m_shaper, QGuiApplication::palette());
        m_painter.restore();
        line.column.release();
        return;
    }
    m_painter.translate(m_body.left(), m_body.top() + line.placement.top);
    m_painter.scale(line.placement.scale, line.placement.scale);
    const qreal baseline = line.extent.ascent;
    m_painter.setFont(m_nameFont);
    m_painter.drawText(QPointF(0, baseline), line.name);

    // The sample from here on in its own font's units: the origin on its baseline.
    m_painter.translate(line.nameWidth + nameGap(), baseline);
    m_painter.scale(sampleScale(), sampleScale());
    const QPalette palette = QGuiApplication::palette();
    for (const QRectF& marked : std::as_const(line.marked))
        MissingGlyphMark::paint(m_painter, marked, palette);
    for (const QGlyphRun& run : std::as_const(line.sample))
        m_painter.drawGlyphRun(QPointF(0, 0), run);
    m_painter.restore();
    // The document keeps what it needs of the font until it ends.
    line.sample.clear();
    line.marked.clear();
}

} // namespace varelith
