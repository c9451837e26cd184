#pragma once

#include "fontface.h"
#include "sheetstyle.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <fontconfig/fontconfig.h>

#include <memory>
#include <optional>

namespace varelith {

class FontconfigFonts;

// The faces of each installed family, as Qt lists them under the family's name: every
// file, collection index and named instance, with the variable fonts themselves besides.
// The first question indexes every installed font by its family names (fontconfig's
// patterns, read in place); a family's faces are made the first time it is asked for,
// then kept. Any of a family's names finds it, "IPAゴシック" as well as "IPAGothic".
class FamilyFaces {
public:
    // `fonts`: the configuration that holds every installed font, which must outlive this;
    // null for fontconfig's current one.
    explicit FamilyFaces(FcConfig* fonts = nullptr);
    ~FamilyFaces();
    FamilyFaces(const FamilyFaces&) = delete;
    FamilyFaces& operator=(const FamilyFaces&) = delete;

    // Reads these fonts from the next question on: the installed fonts read again. Every
    // face and pattern given before is forgotten.
    void setFonts(FcConfig* fonts);

    // The family's faces (case ignored): normal width first, then lighter before heavier,
    // upright before italic before oblique. Empty for a family not installed.
    QList<FontFace> faces(const QString& family);
    // The face the sheet draws the family in for a style, or none if it has no such face
    // (see the static one for the rules).
    std::optional<FontFace> nearest(const QString& family, SheetStyle style);

    // The rules, on any list of faces. Variable fonts themselves never count, their named
    // instances do. Among the faces a style allows, the one nearest its weight wins, then
    // the one nearest normal width, then the first in the list.
    //   Regular: the face a plain QFont of the family draws: upright if any, nearest 400.
    //            None only for no faces at all.
    //   Light: upright, weight 300 or less, nearest 300.
    //   Bold: upright, weight 600 or more, nearest 700.
    //   Italic: italic or oblique, weight 301 to 599, nearest 400.
    //   BoldItalic: italic or oblique, weight 600 or more, nearest 700.
    static std::optional<FontFace> nearest(const QList<FontFace>& faces, SheetStyle style);

    // The face's fontconfig pattern (its character set, languages...), owned by this and
    // valid while it lives; null for a face not installed, or of a family not yet asked
    // for.
    const FcPattern* pattern(const FontFace& face);
    // The languages fontconfig finds the face covers ("ja", "en", "zh-tw"...), sorted.
    QStringList languages(const FontFace& face);

private:
    struct Entry {
        FontFace face;
        const FcPattern* pattern;
    };
    struct Listed {
        const FcPattern* font;
        int styleIndex;
    };
    void build();
    const QList<Entry>& entries(const QString& family);

    FcConfig* m_config;
    std::unique_ptr<FontconfigFonts> m_fonts;
    QHash<QString, QList<Listed>> m_index;       // by case-folded name
    QHash<QString, QList<Entry>> m_families;     // the same, made when asked for, in order
    QHash<QString, const FcPattern*> m_patterns; // by file and index
};

} // namespace varelith
