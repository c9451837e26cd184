#include "cairopdfbook.h"

#include "pdfjoiner.h"
#include "runtimeerror.h"

#include <QFile>

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cmath>

namespace varelith {

namespace {

// Cairo's clusters for `glyphs` over `text`: each stretch of glyphs that share a cluster
// covers the text from its cluster up to the next stretch's. Text before the first glyph's
// cluster goes with the first stretch; clusters that go back make the whole run one.
QList<cairo_text_cluster_t> clustersOf(const QList<CairoPdfBook::Glyph>& glyphs,
                                       const QString& text) {
    QList<cairo_text_cluster_t> clusters;
    const auto bytes = [&text](qsizetype from, qsizetype to) {
        return int(QStringView(text).sliced(from, to - from).toUtf8().size());
    };
    for (qsizetype i = 0; i < glyphs.size();) {
        const int cluster = glyphs.at(i).cluster;
        qsizetype end = i;
        while (end < glyphs.size() && glyphs.at(end).cluster == cluster)
            ++end;
        const qsizetype from = clusters.isEmpty() ? 0 : cluster;
        const qsizetype to = end < glyphs.size() ? glyphs.at(end).cluster : text.size();
        if (to < from || to > text.size())
            return {{int(text.toUtf8().size()), int(glyphs.size())}};
        clusters.append({bytes(from, to), int(end - i)});
        i = end;
    }
    return clusters;
}

} // namespace

CairoPdfBook::CairoPdfBook(const QString& path, QSizeF sheet, int facesPerPart)
    : m_file(std::make_unique<QFile>(path))
    , m_facesPerPart(facesPerPart)
    , m_sheet(sheet) {
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    m_joiner = std::make_unique<PdfJoiner>(*m_file);
    beginPart();
}

void CairoPdfBook::beginPart() {
    // Written into memory as cairo goes; once abandoned, every write fails, which stops
    // cairo's work on the document at once.
    const auto write = [](void* self, const unsigned char* data, unsigned int length) {
        auto* book = static_cast<CairoPdfBook*>(self);
        if (book->m_abandoned)
            return CAIRO_STATUS_WRITE_ERROR;
        book->m_part.append(reinterpret_cast<const char*>(data), qsizetype(length));
        return CAIRO_STATUS_SUCCESS;
    };
    m_surface = cairo_pdf_surface_create_for_stream(write, this, m_sheet.width(), m_sheet.height());
    m_cairo = cairo_create(m_surface);
    check();
    cairo_pdf_surface_set_metadata(m_surface, CAIRO_PDF_METADATA_CREATOR, "Varelith");
    m_facesInPart = 0;
}

void CairoPdfBook::endPart() {
    cairo_destroy(m_cairo);
    m_cairo = nullptr;
    cairo_surface_finish(m_surface);
    const cairo_status_t status = cairo_surface_status(m_surface);
    cairo_surface_destroy(m_surface);
    m_surface = nullptr;
    if (status != CAIRO_STATUS_SUCCESS)
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    m_joiner->append(m_part);
    m_part.clear();
    m_part.squeeze();
}

CairoPdfBook::~CairoPdfBook() {
    m_abandoned = !m_finished;
    if (m_cairo)
        cairo_destroy(m_cairo);
    if (m_surface)
        cairo_surface_destroy(m_surface);
    for (cairo_font_face_t* face : std::as_const(m_faces))
        cairo_font_face_destroy(face);
    for (const QHash<QString, cairo_font_face_t*>& instances : std::as_const(m_instances))
        for (cairo_font_face_t* instance : instances)
            cairo_font_face_destroy(instance);
}

void CairoPdfBook::check() const {
    if (cairo_status(m_cairo) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_status(m_surface) != CAIRO_STATUS_SUCCESS)
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
}

void CairoPdfBook::endSheet() {
    cairo_show_page(m_cairo);
    check();
    if (m_facesInPart >= m_facesPerPart) {
        endPart();
        beginPart();
    }
}

void CairoPdfBook::finish() {
    endPart();
    m_joiner->finish();
    if (!m_file->flush())
        throw RuntimeError(RuntimeError::Kind::InvalidValue);
    m_file->close();
    m_finished = true;
}

namespace {

const cairo_user_data_key_t InstanceKey{};

// One glyph of an instance, in the user font's space: an em is 1, y downwards.
cairo_status_t renderInstanceGlyph(cairo_scaled_font_t* scaled, unsigned long glyph, cairo_t* cairo,
                                   cairo_text_extents_t* extents) {
    const auto* kept = static_cast<const std::shared_ptr<const CairoPdfBook::Instance>*>(
        cairo_font_face_get_user_data(cairo_scaled_font_get_font_face(scaled), &InstanceKey));
    if (!kept)
        return CAIRO_STATUS_USER_FONT_ERROR;
    const CairoPdfBook::Instance* instance = kept->get();
    const double em = instance->unitsPerEm;
    const QPainterPath path = instance->outline(quint32(glyph));
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element element = path.elementAt(i);
        switch (element.type) {
        case QPainterPath::MoveToElement:
            cairo_move_to(cairo, element.x / em, element.y / em);
            break;
        case QPainterPath::LineToElement:
            cairo_line_to(cairo, element.x / em, element.y / em);
            break;
        case QPainterPath::CurveToElement: {
            const QPainterPath::Element second = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            cairo_curve_to(cairo, element.x / em, element.y / em, second.x / em, second.y / em,
                           end.x / em, end.y / em);
            i += 2;
            break;
        }
        case QPainterPath::CurveToDataElement:
            break;
        }
    }
    cairo_fill(cairo);
    extents->x_advance = instance->advance(quint32(glyph)) / em;
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

cairo_font_face_t* CairoPdfBook::fontFace(const Font& font) {
    if (font.instance) {
        cairo_font_face_t*& known = m_instances[font.face][font.variations];
        if (!known) {
            known = cairo_user_font_face_create();
            cairo_user_font_face_set_render_glyph_func(known, renderInstanceGlyph);
            // The outlines live as long as cairo keeps the face, which is to the part's end.
            cairo_font_face_set_user_data(
                known, &InstanceKey, new std::shared_ptr<const Instance>(font.instance),
                [](void* kept) { delete static_cast<std::shared_ptr<const Instance>*>(kept); });
            ++m_facesInPart;
        }
        return known;
    }
    const FaceRef& face = font.face;
    cairo_font_face_t*& known = m_faces[face];
    if (!known) {
        // A face given by its file rather than an open FreeType face: cairo opens it while it
        // draws and while it embeds, and closes it again, so that a book of thousands of
        // fonts never has thousands open.
        FcPattern* pattern = FcPatternCreate();
        const QByteArray file = face.file.toLocal8Bit();
        FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(file.constData()));
        FcPatternAddInteger(pattern, FC_INDEX, face.index);
        known = cairo_ft_font_face_create_for_pattern(pattern);
        FcPatternDestroy(pattern);
        ++m_facesInPart;
    }
    return known;
}

void CairoPdfBook::releaseFace(const FaceRef& face) {
    if (cairo_font_face_t* known = m_faces.take(face))
        cairo_font_face_destroy(known);
    for (cairo_font_face_t* instance : m_instances.take(face))
        cairo_font_face_destroy(instance);
}

void CairoPdfBook::setColour(const QColor& colour) {
    cairo_set_source_rgba(m_cairo, colour.redF(), colour.greenF(), colour.blueF(), colour.alphaF());
}

void CairoPdfBook::showGlyphs(const Font& font, QPointF origin, const QList<Glyph>& glyphs,
                              const QString& text) {
    if (glyphs.isEmpty() && text.isEmpty())
        return;
    cairo_save(m_cairo);
    cairo_set_font_face(m_cairo, fontFace(font));
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, font.points, font.points);
    // Turned clockwise on the sheet, whose y runs downwards.
    if (font.sideways)
        cairo_matrix_rotate(&matrix, M_PI / 2);
    cairo_set_font_matrix(m_cairo, &matrix);
    cairo_font_options_t* options = cairo_font_options_create();
    // Outlines as they are: hinting would move them for a printer's grid it does not know.
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    // No variations in the options: a variable face at other axis values is drawn from its
    // instance's outlines (above), and cairo 1.16 loses each copy it makes of that text.
    cairo_set_font_options(m_cairo, options);
    cairo_font_options_destroy(options);
    cairo_set_source_rgb(m_cairo, 0, 0, 0);

    QList<cairo_glyph_t> placed;
    placed.reserve(glyphs.size());
    for (const Glyph& glyph : glyphs)
        placed.append({glyph.id, origin.x() + glyph.origin.x(), origin.y() + glyph.origin.y()});
    if (font.outlinesOnly) {
        cairo_glyph_path(m_cairo, placed.constData(), int(placed.size()));
        cairo_fill(m_cairo);
    } else {
        const QByteArray utf8 = text.toUtf8();
        const QList<cairo_text_cluster_t> clusters = clustersOf(glyphs, text);
        cairo_show_text_glyphs(m_cairo, utf8.constData(), int(utf8.size()), placed.constData(),
                               int(placed.size()), clusters.constData(), int(clusters.size()),
                               cairo_text_cluster_flags_t(0));
    }
    cairo_restore(m_cairo);
    check();
}

CairoPdfBook::PlainRun CairoPdfBook::setPlainly(const Font& font, const QString& text) {
    PlainRun run;
    FcPattern* pattern = FcPatternCreate();
    const QByteArray file = font.face.file.toLocal8Bit();
    FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(file.constData()));
    FcPatternAddInteger(pattern, FC_INDEX, font.face.index);
    cairo_font_face_t* face = cairo_ft_font_face_create_for_pattern(pattern);
    FcPatternDestroy(pattern);
    cairo_matrix_t size;
    cairo_matrix_init_scale(&size, font.points, font.points);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_scaled_font_t* scaled = cairo_scaled_font_create(face, &size, &identity, options);
    cairo_font_options_destroy(options);
    cairo_glyph_t* glyphs = nullptr;
    int glyphCount = 0;
    cairo_text_cluster_t* clusters = nullptr;
    int clusterCount = 0;
    cairo_text_cluster_flags_t flags{};
    const QByteArray utf8 = text.toUtf8();
    if (cairo_scaled_font_status(scaled) == CAIRO_STATUS_SUCCESS &&
        cairo_scaled_font_text_to_glyphs(scaled, 0, 0, utf8.constData(), int(utf8.size()), &glyphs,
                                         &glyphCount, &clusters, &clusterCount,
                                         &flags) == CAIRO_STATUS_SUCCESS) {
        cairo_font_extents_t extents;
        cairo_scaled_font_extents(scaled, &extents);
        run.ascent = extents.ascent;
        run.descent = extents.descent;
        // Cairo's clusters count UTF-8 bytes: each glyph gets the UTF-16 place of its own.
        qsizetype glyph = 0;
        qsizetype byte = 0;
        for (int k = 0; k < clusterCount; ++k) {
            const int utf16 = int(QString::fromUtf8(utf8.left(byte)).size());
            for (int g = 0; g < clusters[k].num_glyphs && glyph < glyphCount; ++g, ++glyph) {
                cairo_text_extents_t advance;
                cairo_scaled_font_glyph_extents(scaled, &glyphs[glyph], 1, &advance);
                run.glyphs.append({quint32(glyphs[glyph].index),
                                   QPointF(glyphs[glyph].x, glyphs[glyph].y), utf16});
                run.ends.append(glyphs[glyph].x + advance.x_advance);
            }
            byte += clusters[k].num_bytes;
        }
    }
    cairo_glyph_free(glyphs);
    cairo_text_cluster_free(clusters);
    cairo_scaled_font_destroy(scaled);
    cairo_font_face_destroy(face);
    return run;
}

void CairoPdfBook::fillRect(const QRectF& rect, const QColor& colour) {
    setColour(colour);
    cairo_rectangle(m_cairo, rect.x(), rect.y(), rect.width(), rect.height());
    cairo_fill(m_cairo);
}

void CairoPdfBook::strokeRect(const QRectF& rect, const QColor& colour, double width) {
    setColour(colour);
    cairo_set_line_width(m_cairo, width);
    cairo_rectangle(m_cairo, rect.x(), rect.y(), rect.width(), rect.height());
    cairo_stroke(m_cairo);
}

void CairoPdfBook::line(QPointF from, QPointF to, const QColor& colour, double width) {
    setColour(colour);
    cairo_set_line_width(m_cairo, width);
    cairo_move_to(m_cairo, from.x(), from.y());
    cairo_line_to(m_cairo, to.x(), to.y());
    cairo_stroke(m_cairo);
}

} // namespace varelith
