#include "familyfaces.h"

#include "fontconfigfonts.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <tuple>

namespace varelith {

namespace {

// A number of the font's; for a range (a variable font's axis), `fallback` if it lies
// within it, or else its start.
double number(const FcPattern* font, const char* object, double fallback) {
    FcValue value;
    if (FcPatternGet(font, object, 0, &value) != FcResultMatch)
        return fallback;
    switch (value.type) {
    case FcTypeInteger:
        return value.u.i;
    case FcTypeDouble:
        return value.u.d;
    case FcTypeRange: {
        double begin = fallback;
        double end = fallback;
        FcRangeGetDouble(value.u.r, &begin, &end);
        return fallback >= begin && fallback <= end ? fallback : begin;
    }
    default:
        return fallback;
    }
}

bool flag(const FcPattern* font, const char* object) {
    FcBool value = FcFalse;
    FcPatternGetBool(font, object, 0, &value);
    return value == FcTrue;
}

FontFace faceOf(const FcPattern* font, const QString& style) {
    FontFace face;
    face.file = FontconfigFonts::string(font, FC_FILE);
    int index = 0;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    face.index = index;
    face.styleName = style;
    const double weight = number(font, FC_WEIGHT, FC_WEIGHT_REGULAR);
    face.weight = std::clamp(int(std::lround(FcWeightToOpenTypeDouble(weight))), 1, 1000);
    const int slant = int(number(font, FC_SLANT, FC_SLANT_ROMAN));
    face.slant = slant >= FC_SLANT_OBLIQUE  ? FontFace::Slant::Oblique
                 : slant >= FC_SLANT_ITALIC ? FontFace::Slant::Italic
                                            : FontFace::Slant::Upright;
    face.width = int(std::lround(number(font, FC_WIDTH, FC_WIDTH_NORMAL)));
    face.variable = flag(font, FC_VARIABLE);
    // fontconfig's format names: "TrueType" and "CFF" are OpenType fonts.
    const QString format = FontconfigFonts::string(font, FC_FONTFORMAT);
    face.shapeable = format == QLatin1String("TrueType") || format == QLatin1String("CFF");
    face.namedInstance = (index >> 16) != 0;
    return face;
}

bool before(const FontFace& a, const FontFace& b) {
    const auto key = [](const FontFace& face) {
        return std::tuple(std::abs(face.width - 100), face.variable, face.weight, int(face.slant),
                          face.width);
    };
    if (key(a) != key(b))
        return key(a) < key(b);
    return a.styleName < b.styleName;
}

// A variable font itself and its default instance may share their index.
QString location(const FontFace& face) {
    return face.file + QChar(face.variable ? u'\t' : u'\n') + QString::number(face.index);
}

} // namespace

FamilyFaces::FamilyFaces(FcConfig* fonts)
    : m_config(fonts) {}
FamilyFaces::~FamilyFaces() = default;

void FamilyFaces::setFonts(FcConfig* fonts) {
    m_config = fonts;
    m_index.clear();
    m_families.clear();
    m_patterns.clear();
    m_fonts.reset();
}

void FamilyFaces::build() {
    // Only the names are read here; a family's faces are made when it is first asked for.
    m_fonts = std::make_unique<FontconfigFonts>(m_config);
    for (const FcPattern* font : m_fonts->fonts())
        for (const FontconfigFonts::Family& family : FontconfigFonts::families(font))
            for (const int k : family.spellings)
                m_index[QString::fromUtf8(FontconfigFonts::raw(font, FC_FAMILY, k)).toCaseFolded()]
                    .append({font, family.styleIndex});
}

const QList<FamilyFaces::Entry>& FamilyFaces::entries(const QString& family) {
    if (!m_fonts)
        build();
    const QString key = family.toCaseFolded();
    auto made = m_families.constFind(key);
    if (made != m_families.constEnd())
        return *made;
    QList<Entry> entries;
    for (const Listed& listed : m_index.value(key)) {
        Entry entry{
            faceOf(listed.font, FontconfigFonts::string(listed.font, FC_STYLE, listed.styleIndex)),
            listed.font};
        m_patterns.insert(location(entry.face), listed.font);
        entries.append(entry);
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return before(a.face, b.face); });
    return *m_families.insert(key, entries);
}

QList<FontFace> FamilyFaces::faces(const QString& family) {
    QList<FontFace> faces;
    for (const Entry& entry : entries(family)) {
        // A file installed twice under two names (a link made for compatibility) is one
        // face; looked for only among faces alike, so that most are never resolved.
        const FontFace& face = entry.face;
        const auto same = [&face](const FontFace& earlier) {
            return earlier.index == face.index && earlier.styleName == face.styleName &&
                   QFileInfo(earlier.file).canonicalFilePath() ==
                       QFileInfo(face.file).canonicalFilePath();
        };
        if (std::none_of(faces.cbegin(), faces.cend(), same))
            faces.append(face);
    }
    return faces;
}

std::optional<FontFace> FamilyFaces::nearest(const QString& family, SheetStyle style) {
    return nearest(faces(family), style);
}

std::optional<FontFace> FamilyFaces::nearest(const QList<FontFace>& faces, SheetStyle style) {
    struct Rule {
        bool slanted;
        int lightest;
        int heaviest;
        int aim;
    };
    const Rule rule = [style]() -> Rule {
        switch (style) {
        case SheetStyle::Light:
            return {false, 1, 300, 300};
        case SheetStyle::Bold:
            return {false, 600, 1000, 700};
        case SheetStyle::Italic:
            return {true, 301, 599, 400};
        case SheetStyle::BoldItalic:
            return {true, 600, 1000, 700};
        case SheetStyle::Regular:
            break;
        }
        return {false, 1, 1000, 400};
    }();
    const bool anyUpright = std::any_of(faces.begin(), faces.end(), [](const FontFace& face) {
        return !face.variable && face.upright();
    });
    const FontFace* best = nullptr;
    // Nearest the aim in weight, then in width; of the same face in two formats, the one
    // the shaper sets, as fontconfig itself gives it.
    const auto distance = [&rule](const FontFace& face) {
        return std::tuple(std::abs(face.weight - rule.aim), std::abs(face.width - 100),
                          !face.shapeable);
    };
    for (const FontFace& face : faces) {
        if (face.variable || face.weight < rule.lightest || face.weight > rule.heaviest)
            continue;
        // A plain font of a family with no upright face draws a slanted one.
        const bool slantAllowed = style == SheetStyle::Regular ? !anyUpright : rule.slanted;
        if (face.upright() == slantAllowed)
            continue;
        if (!best || distance(face) < distance(*best))
            best = &face;
    }
    if (!best)
        return std::nullopt;
    return *best;
}

const FcPattern* FamilyFaces::pattern(const FontFace& face) {
    return m_patterns.value(location(face));
}

QStringList FamilyFaces::languages(const FontFace& face) {
    QStringList languages;
    const FcPattern* font = pattern(face);
    FcLangSet* set = nullptr;
    if (!font || FcPatternGetLangSet(font, FC_LANG, 0, &set) != FcResultMatch)
        return languages;
    FcStrSet* tags = FcLangSetGetLangs(set);
    FcStrList* list = tags ? FcStrListCreate(tags) : nullptr;
    for (FcChar8* tag = list ? FcStrListNext(list) : nullptr; tag; tag = FcStrListNext(list))
        languages.append(QString::fromUtf8(reinterpret_cast<const char*>(tag)));
    if (list)
        FcStrListDone(list);
    if (tags)
        FcStrSetDestroy(tags);
    languages.sort();
    return languages;
}

} // namespace varelith
