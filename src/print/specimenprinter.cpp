#include "specimenprinter.h"

#include "glyphcoverage.h"
#include "japaneseinterface.h"
#include "shapingface.h"
#include "sheetfaces.h"
#include "typesetting.h"

#include <QDeadlineTimer>
#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>

#include <algorithm>
#include <limits>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

using Direction = ShapedRun::Direction;

// Room between the lines of one sample, and between its columns, in ems of the sample.
constexpr double LineLeading = 0.15;
constexpr double ColumnGap = 0.3;
// The header's lines: the title, the date and the page; the book's settings; a rule.
constexpr double HeaderBand = 3.2;

QString styleName(SheetStyle style) {
    switch (style) {
    case SheetStyle::Light:
        return u"細字"_s;
    case SheetStyle::Bold:
        return u"太字"_s;
    case SheetStyle::Italic:
        return u"斜体"_s;
    case SheetStyle::BoldItalic:
        return u"太字斜体"_s;
    case SheetStyle::Regular:
        break;
    }
    return u"標準"_s;
}

// The face the interface's Japanese texts resolve to, as the sheet's names use it.
FaceRef interfaceFace(GlyphCoverage& coverage) {
    const QFont font(JapaneseInterface::interfaceFace(u"ＭＳ Ｐゴシック"_s),
                     int(SpecimenPrinter::NamePoints));
    return coverage.plainFace(QFontInfo(font).family());
}

// A variable face at the axis values, from a face of its own that lives as long as the
// document needs its outlines.
std::shared_ptr<const CairoPdfBook::Instance> instanceOf(const FaceRef& ref,
                                                         const VariationSettings& variations) {
    auto face = std::make_shared<ShapingFace>(ref);
    auto instance = std::make_shared<CairoPdfBook::Instance>();
    instance->unitsPerEm = face->unitsPerEm();
    instance->outline = [face, variations](quint32 glyph) {
        return face->outline(glyph, variations);
    };
    instance->advance = [face, variations](quint32 glyph) {
        return double(face->advance(glyph, variations));
    };
    return instance;
}

// A licence that forbids embedding (fsType 2) or allows bitmaps only (bit 9).
bool embeddingForbidden(quint16 flags) {
    return flags == 2 || (flags & 0x200) != 0;
}

} // namespace

const QString SpecimenPrinter::NoFontsText = u"選択されているフォントはありません"_s;

SpecimenPrinter::SpecimenPrinter(const QString& pdfFile, const Paper& paper,
                                 GlyphCoverage& coverage, Book book, QDate date, SheetFaces* faces)
    : m_pdfFile(pdfFile)
    , m_paper(paper)
    , m_coverage(coverage)
    , m_faces(faces)
    , m_book(std::move(book))
    , m_date(date)
    , m_interfaceFace(interfaceFace(coverage))
    , m_points(m_book.points) {
    const ShapedRun header =
        m_shaper.shape(m_interfaceFace, u"Varelith"_s, Direction::Horizontal, {}, {}, HeaderPoints);
    const double headerLine = header.valid ? header.ascent + header.descent : HeaderPoints * 1.2;
    m_linesTop = headerLine * HeaderBand;
    // One character of the sample and a name must fit a sheet: a larger size is brought
    // down to the largest that does, for every font alike.
    const QSizeF body = m_paper.body.size();
    const double along = m_book.vertical ? body.height() - m_linesTop : body.width();
    const double across = m_book.vertical ? body.width() : body.height() - m_linesTop;
    const double largest = std::min(along, across - NamePoints * 2) / 1.5;
    m_points = std::clamp(m_book.points, 1.0, std::max(largest, 1.0));
}

SpecimenPrinter::~SpecimenPrinter() = default;

int SpecimenPrinter::stepCount() const {
    // A book without fonts still prints its one sheet.
    const int fonts = int(m_book.families.size());
    return fonts + std::max(fonts, 1) + 1;
}

double SpecimenPrinter::room() const {
    return m_book.vertical ? m_paper.body.height() - m_linesTop : m_paper.body.width();
}

QString SpecimenPrinter::settingsText() const {
    QStringList parts{u"%1 pt"_s.arg(QString::number(m_points, 'g', 4)), styleName(m_book.style),
                      m_book.vertical ? u"縦書き"_s : u"横書き"_s};
    if (!m_book.features.isEmpty())
        parts.append(u"機能 "_s + m_book.features.toText());
    if (!m_book.variations.isEmpty())
        parts.append(u"可変軸 "_s + m_book.variations.toText());
    if (m_book.pairing.isActive())
        parts.append(m_book.pairing.note());
    return parts.join(u'・');
}

bool SpecimenPrinter::advance(const QDeadlineTimer& deadline) {
    const qsizetype fonts = m_book.families.size();
    const double across =
        m_book.vertical ? m_paper.body.width() : m_paper.body.height() - m_linesTop;
    while (!m_complete) {
        if (m_measured < fonts) {
            if (!m_layout)
                m_layout = std::make_unique<SpecimenLayout>(across, NamePoints);
            const FontSet set = setFont(m_measured++);
            place(set, false);
            releaseFaces(set);
        } else if (m_printed < std::max<qsizetype>(fonts, 1)) {
            if (!m_pdf) {
                if (m_layout)
                    m_sheetTotal = m_layout->sheetCount();
                // The same placing again, now printed.
                m_layout = std::make_unique<SpecimenLayout>(across, NamePoints);
                beginDocument();
            }
            if (fonts > 0) {
                const FontSet set = setFont(m_printed);
                place(set, true);
                releaseFaces(set);
            }
            ++m_printed;
        } else {
            m_pdf->finish();
            m_complete = true;
        }
        ++m_stepsDone;
        if (deadline.hasExpired())
            break;
    }
    return !m_complete;
}

SpecimenPrinter::Piece SpecimenPrinter::setInterfaceText(const QString& text, double points) {
    return setText(m_interfaceFace, text, points, Direction::Horizontal,
                   std::numeric_limits<double>::max());
}

SpecimenPrinter::Piece SpecimenPrinter::setText(const FaceRef& face, const QString& text,
                                                double points, Direction direction, double room,
                                                const FeatureSettings& features,
                                                const VariationSettings& variations) {
    Piece piece;
    piece.text = text;
    piece.run = m_shaper.shape(face, text, direction, features, variations, points);
    piece.font = fontFor(face, points, variations);
    const bool readable = piece.run.valid;
    bool setPlainly = false;
    if (!readable && !face.isNull()) {
        // A face HarfBuzz cannot read (a Type 1 font) is set by cairo from its character map
        // alone, with no features; in 縦書き turned sideways as a whole.
        setPlainly = setByCairo(piece, direction);
    }
    if (!readable && !setPlainly && !m_interfaceFace.isNull() && face != m_interfaceFace) {
        // A face that cannot be read at all sets nothing: its text is printed in the
        // interface face, every character marked as missing, so that it is neither lost nor
        // passed off as the font's.
        piece.run = m_shaper.shape(m_interfaceFace, text, direction, {}, {}, points);
        piece.font = {m_interfaceFace, QString(), points, false, false, nullptr};
    }
    if ((!readable && !setPlainly) || piece.font.outlinesOnly) {
        for (ShapedGlyph& glyph : piece.run.glyphs)
            glyph.missing = true;
    }
    piece.lines = SpecimenLines::wrap(piece.run, text, room);
    return piece;
}

CairoPdfBook::Font SpecimenPrinter::fontFor(const FaceRef& face, double points,
                                            const VariationSettings& variations) {
    CairoPdfBook::Font font{face, variations.toText(), points, false, false, nullptr};
    ShapingFace& shaping = m_shaper.face(face);
    if (shaping.isValid()) {
        font.outlinesOnly = embeddingForbidden(shaping.embeddingFlags());
        if (shaping.isVariable() && !variations.isEmpty())
            font.instance = instanceOf(face, variations);
    }
    return font;
}

SpecimenPrinter::Piece SpecimenPrinter::setPaired(const PairedShaper::Faces& faces,
                                                  const QString& text, double points,
                                                  Direction direction, double room) {
    const PairedRun paired = PairedShaper(m_shaper).shape(faces, text, direction, m_book.features,
                                                          m_book.variations, points);
    if (!paired.primary.valid)
        return setText(faces.primary, text, points, direction, room, m_book.features,
                       m_book.variations);
    Piece piece;
    piece.text = text;
    piece.font = fontFor(faces.primary, points, m_book.variations);
    piece.latinFont = fontFor(faces.latin, paired.latin.pixelSize, m_book.variations);
    // One run of both faces' glyphs in the text's order, each glyph told by its face, so
    // that the lines break across both.
    piece.run = paired.primary;
    piece.run.glyphs.clear();
    const QList<ShapedGlyph>& primary = paired.primary.glyphs;
    const QList<ShapedGlyph>& latin = paired.latin.glyphs;
    for (qsizetype p = 0, l = 0; p < primary.size() || l < latin.size();) {
        const bool fromLatin = p == primary.size() ||
                               (l < latin.size() && latin.at(l).cluster < primary.at(p).cluster);
        ShapedGlyph glyph = fromLatin ? latin.at(l++) : primary.at(p++);
        if ((fromLatin ? piece.latinFont : piece.font).outlinesOnly)
            glyph.missing = true;
        piece.run.glyphs.append(glyph);
        piece.latin.append(fromLatin);
    }
    piece.lines = SpecimenLines::wrap(piece.run, text, room);
    return piece;
}

bool SpecimenPrinter::setByCairo(Piece& piece, Direction direction) const {
    const CairoPdfBook::PlainRun plain = CairoPdfBook::setPlainly(piece.font, piece.text);
    if (plain.glyphs.isEmpty())
        return false;
    ShapedRun run;
    run.face = piece.font.face;
    run.pixelSize = piece.font.points;
    run.direction = direction;
    run.valid = true;
    const bool vertical = direction == Direction::Vertical;
    run.ascent = vertical ? piece.font.points / 2 : plain.ascent;
    run.descent = vertical ? piece.font.points / 2 : plain.descent;
    // Sideways, the baseline centres the face's ascent and descent on the column's line.
    const double sidewaysBaseline = -(plain.ascent - plain.descent) / 2;
    double pen = 0;
    for (qsizetype i = 0; i < plain.glyphs.size(); ++i) {
        const CairoPdfBook::Glyph& glyph = plain.glyphs.at(i);
        const double advance = plain.ends.at(i) - pen;
        ShapedGlyph shaped{glyph.id, glyph.cluster, glyph.origin, {}, vertical, glyph.id == 0};
        if (vertical) {
            shaped.origin = QPointF(sidewaysBaseline, glyph.origin.x());
            shaped.cell = QRectF(-piece.font.points / 2, pen, piece.font.points, advance);
        } else {
            shaped.cell = QRectF(pen, -plain.ascent, advance, plain.ascent + plain.descent);
        }
        run.glyphs.append(shaped);
        pen = plain.ends.at(i);
    }
    run.advance = pen;
    piece.run = run;
    return true;
}

SpecimenPrinter::FontSet SpecimenPrinter::setFont(qsizetype index) {
    const QString& family = m_book.families.at(index);
    const SheetFaces::Choice choice =
        m_faces ? m_faces->choose(family, m_book.style) : SheetFaces::Choice();
    const FaceRef face =
        choice.face ? FaceRef{choice.face->file, choice.face->index} : m_coverage.plainFace(family);
    const Direction direction = m_book.vertical ? Direction::Vertical : Direction::Horizontal;
    FontSet set;
    const LatinPairing& pairing = m_book.pairing;
    if (pairing.isActive()) {
        // As on the sheet: the line's own face with the Latin font, or the one Japanese face
        // with the line's own as its Latin partner.
        PairedShaper::Faces faces{face, {}, pairing.scalePercent, pairing.shiftPercent};
        if (pairing.mode == LatinPairing::Mode::Partners) {
            const SheetFaces::Choice japanese =
                m_faces ? m_faces->choose(pairing.japaneseFamily, m_book.style)
                        : SheetFaces::Choice();
            faces.primary = japanese.face ? FaceRef{japanese.face->file, japanese.face->index}
                                          : m_coverage.plainFace(pairing.japaneseFamily);
            faces.latin = face;
        } else if (m_book.latinFaces) {
            faces.latin = m_book.latinFaces(pairing.latinFamily, pairing.latinStyle);
        }
        set.sample = setPaired(faces, m_book.sample, m_points, direction, room());
    } else {
        set.sample = setText(face, m_book.sample, m_points, direction, room(), m_book.features,
                             m_book.variations);
    }
    // The name in the interface face, set as the sample is in 縦書き; a name the interface
    // face cannot set whole (another script) is set in the font itself when that can.
    // As on the sheet, a font that lacks a feature switched on says so beside its name.
    const QString missing =
        Typesetting::missingNote(m_shaper.missingFeatures(face, m_book.features));
    const QString name = family + choice.note +
                         UninstalledNote::noteFor(m_book.uninstalled, family) +
                         (missing.isEmpty() ? QString() : u"（%1）"_s.arg(missing));
    const auto nameIn = [&](const FaceRef& in) {
        return setText(in, name, NamePoints, direction, std::numeric_limits<double>::max());
    };
    set.name = nameIn(m_interfaceFace);
    if (set.name.run.hasMissing() && face != m_interfaceFace) {
        Piece own = nameIn(face);
        if (own.run.valid && !own.run.hasMissing() && !own.font.outlinesOnly)
            set.name = std::move(own);
    }
    return set;
}

SpecimenLayout::Extent SpecimenPrinter::extentOf(const Piece& piece) const {
    // A column is an em wide about its centre line, whatever the run reports.
    if (piece.run.direction == Direction::Vertical)
        return {piece.font.points / 2, piece.font.points / 2};
    return {piece.run.ascent, piece.run.descent};
}

void SpecimenPrinter::place(const FontSet& set, bool print) {
    const SpecimenLayout::Extent name = extentOf(set.name);
    const SpecimenLayout::Extent sample = extentOf(set.sample);
    const double em = set.sample.font.points;
    SpecimenLayout::Placement placement = m_layout->placeName(name, sample);
    if (print)
        this->print(set.name, set.name.lines.constFirst(), placement, name);
    const double leading = em * (m_book.vertical ? ColumnGap : LineLeading);
    for (qsizetype i = 0; i < set.sample.lines.size(); ++i) {
        placement = m_layout->placeLine(sample, i == 0 ? leading / 2 : leading);
        if (print)
            this->print(set.sample, set.sample.lines.at(i), placement, sample);
    }
}

void SpecimenPrinter::releaseFaces(const FontSet& set) {
    for (const FaceRef& face :
         {set.name.font.face, set.sample.font.face, set.sample.latinFont.face}) {
        if (face == m_interfaceFace || face.isNull())
            continue;
        m_shaper.release(face);
        if (m_pdf)
            m_pdf->releaseFace(face);
    }
}

void SpecimenPrinter::beginDocument() {
    m_pdf = std::make_unique<CairoPdfBook>(m_pdfFile, m_paper.sheet);
    startSheet(0);
    if (m_book.families.isEmpty()) {
        const Piece none = setInterfaceText(NoFontsText, NamePoints);
        show(none, none.lines.constFirst(),
             m_paper.body.topLeft() + QPointF(0, m_linesTop + none.run.ascent));
    }
}

void SpecimenPrinter::startSheet(int sheet) {
    if (m_sheet >= 0)
        m_pdf->endSheet();
    m_sheet = sheet;
    const QRectF& body = m_paper.body;
    // The header reads across the sheet in either mode.
    const auto header = [this](const QString& text) {
        return setInterfaceText(text, HeaderPoints);
    };
    const Piece title = header(u"Varelith 見本帳"_s);
    const double lineHeight = m_linesTop / HeaderBand;
    const double baseline = body.top() + title.run.ascent;
    show(title, title.lines.constFirst(), QPointF(body.left(), baseline));
    const Piece date = header(m_date.toString(u"yyyy年M月d日"_s));
    show(date, date.lines.constFirst(),
         QPointF(body.center().x() - date.run.advance / 2, baseline));
    const Piece page = header(u"ページ %1 / %2"_s.arg(sheet + 1).arg(m_sheetTotal));
    show(page, page.lines.constFirst(), QPointF(body.right() - page.run.advance, baseline));
    const Piece settings = header(settingsText());
    show(settings, settings.lines.constFirst(), QPointF(body.left(), baseline + lineHeight * 1.2));
    const double rule = body.top() + lineHeight * 2.6;
    m_pdf->line(QPointF(body.left(), rule), QPointF(body.right(), rule), Qt::gray, 0.5);
}

void SpecimenPrinter::print(const Piece& piece, const SpecimenLines::Line& line,
                            const SpecimenLayout::Placement& placement,
                            const SpecimenLayout::Extent& extent) {
    if (placement.sheet != m_sheet)
        startSheet(placement.sheet);
    const QRectF& body = m_paper.body;
    // The line's glyphs were set from the run's origin: the line's first one goes at the
    // start of the line.
    const QPointF origin =
        m_book.vertical
            ? QPointF(body.right() - placement.start - extent.before,
                      body.top() + m_linesTop -
                          (piece.run.direction == Direction::Vertical ? line.penStart : 0))
            : QPointF(body.left() - line.penStart,
                      body.top() + m_linesTop + placement.start + extent.before);
    show(piece, line, origin);
}

void SpecimenPrinter::show(const Piece& piece, const SpecimenLines::Line& line, QPointF origin) {
    const QList<ShapedGlyph>& glyphs = piece.run.glyphs;
    const QColor highlight =
        QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
    QColor tint = highlight;
    tint.setAlpha(72);
    for (qsizetype i = line.firstGlyph; i < line.endGlyph; ++i) {
        if (!glyphs.at(i).missing)
            continue;
        const QRectF cell = glyphs.at(i).cell.translated(origin);
        m_pdf->fillRect(cell, tint);
        m_pdf->strokeRect(cell, highlight, piece.font.points / 40);
    }
    // Each stretch of upright or of sideways glyphs is one run of text: the sideways ones
    // in the face turned a quarter; so is each stretch of a pairing's one face.
    const auto latinAt = [&piece](qsizetype i) {
        return i < piece.latin.size() && piece.latin.at(i);
    };
    for (qsizetype first = line.firstGlyph; first < line.endGlyph;) {
        const bool sideways = glyphs.at(first).sideways;
        const bool latin = latinAt(first);
        qsizetype end = first;
        while (end < line.endGlyph && glyphs.at(end).sideways == sideways && latinAt(end) == latin)
            ++end;
        const qsizetype textStart =
            first == line.firstGlyph ? line.textStart : glyphs.at(first).cluster;
        const qsizetype textEnd =
            std::max(textStart, end == line.endGlyph ? line.textEnd : glyphs.at(end).cluster);
        QList<CairoPdfBook::Glyph> shown;
        for (qsizetype i = first; i < end; ++i) {
            const ShapedGlyph& glyph = glyphs.at(i);
            // A control character has no glyph to lack: its text goes with its neighbours'.
            if (glyph.id == 0 && !glyph.missing)
                continue;
            shown.append(
                {glyph.id, glyph.origin,
                 int(std::clamp<qsizetype>(glyph.cluster - textStart, 0, textEnd - textStart))});
        }
        if (!shown.isEmpty()) {
            CairoPdfBook::Font font = latin ? piece.latinFont : piece.font;
            font.sideways = sideways;
            m_pdf->showGlyphs(font, origin, shown, piece.text.mid(textStart, textEnd - textStart));
        }
        first = end;
    }
}

} // namespace varelith
