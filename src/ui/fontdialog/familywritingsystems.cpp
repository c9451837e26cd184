#include "familywritingsystems.h"

#include "glyphcoverage.h"
#include "japanesewriting.h"

#include <fontconfig/fontconfig.h>

#include <cstring>

namespace varelith {

static_assert(QFontDatabase::WritingSystemsCount <= 64);

namespace {

using WS = QFontDatabase;

// A language fontconfig knows for each writing system, in Qt's order; empty where it knows
// none and a character of the script is asked for instead.
constexpr const char* LanguageOf[] = {"",   "en", "el", "ru", "hy",  "he", "ar", "syr",   "div",
                                      "hi", "bn", "pa", "gu", "or",  "ta", "te", "kn",    "ml",
                                      "si", "th", "lo", "bo", "my",  "ka", "km", "zh-cn", "zh-tw",
                                      "ja", "ko", "vi", "",   "sga", "",   ""};
constexpr char32_t SampleOf[] = {
    0,      0,      0, 0, 0, 0,      0, 0, 0, 0, 0, 0, 0, 0, 0,      0x0c15, 0x0c95,
    0x0d15, 0x0d9a, 0, 0, 0, 0x1000, 0, 0, 0, 0, 0, 0, 0, 0, 0x1681, 0x16a0, 0x07ca};
static_assert(std::size(LanguageOf) == WS::WritingSystemsCount);
static_assert(std::size(SampleOf) == WS::WritingSystemsCount);

// Scripts that are drawn right only with OpenType layout tables.
bool needsOpenType(int system) {
    return (system >= WS::Syriac && system <= WS::Sinhala) || system == WS::Khmer ||
           system == WS::Nko;
}

quint64 systemsOf(const FcPattern* font) {
    if (!font)
        return 0;
    quint64 systems = 0;
    const auto add = [&systems](int system) {
        systems |= quint64(1) << system;
    };
    FcLangSet* languages = nullptr;
    if (FcPatternGetLangSet(font, FC_LANG, 0, &languages) == FcResultMatch) {
        FcChar8* capability = nullptr;
        const bool openType =
            FcPatternGetString(font, FC_CAPABILITY, 0, &capability) != FcResultMatch ||
            std::strstr(reinterpret_cast<const char*>(capability), "otlayout") != nullptr;
        bool any = false;
        for (int system = 1; system < WS::WritingSystemsCount; ++system) {
            if (!*LanguageOf[system] ||
                FcLangSetHasLang(languages, reinterpret_cast<const FcChar8*>(LanguageOf[system])) ==
                    FcLangDifferentLang)
                continue;
            if (needsOpenType(system) && !openType)
                continue;
            add(system);
            any = true;
        }
        if (!any)
            add(WS::Other);
    } else {
        // A symbol font: nothing of it is merged with the writing systems.
        add(WS::Other);
    }
    FcCharSet* characters = nullptr;
    if (FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) == FcResultMatch)
        for (int system = 1; system < WS::WritingSystemsCount; ++system)
            if (SampleOf[system] && FcCharSetHasChar(characters, FcChar32(SampleOf[system])))
                add(system);
    return systems;
}

} // namespace

FamilyWritingSystems::FamilyWritingSystems(GlyphCoverage& coverage)
    : m_coverage(coverage) {}

FamilyWritingSystems::~FamilyWritingSystems() = default;

void FamilyWritingSystems::forget() {
    m_systems.clear();
    m_japanese.reset();
    m_writesJapanese.clear();
}

bool FamilyWritingSystems::supports(const QString& family, QFontDatabase::WritingSystem system) {
    if (system == QFontDatabase::Any)
        return true;
    // Qt's answer is fontconfig's "ja", which asks for every character of fontconfig's list
    // and heeds the OS/2 code pages: Klee One, one level 1 kanji short, is not Japanese to it.
    if (system == QFontDatabase::Japanese)
        return writesJapanese(family);
    auto known = m_systems.constFind(family);
    if (known == m_systems.constEnd())
        known = m_systems.insert(family, systemsOf(m_coverage.plainPattern(family)));
    return (*known >> int(system)) & 1;
}

bool FamilyWritingSystems::writesJapanese(const QString& family) {
    const auto known = m_writesJapanese.constFind(family);
    if (known != m_writesJapanese.constEnd())
        return *known;
    if (!m_japanese)
        m_japanese = std::make_unique<JapaneseWriting>();
    return *m_writesJapanese.insert(family, m_japanese->writes(m_coverage.characters(family)));
}

} // namespace varelith
