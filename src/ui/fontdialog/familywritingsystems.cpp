#include "familywritingsystems.h"

#include "glyphcoverage.h"
#include "japanesewriting.h"

namespace varelith {

static_assert(QFontDatabase::WritingSystemsCount <= 64);

FamilyWritingSystems::FamilyWritingSystems(GlyphCoverage& coverage)
    : m_coverage(coverage) {}

FamilyWritingSystems::~FamilyWritingSystems() = default;

bool FamilyWritingSystems::supports(const QString& family, QFontDatabase::WritingSystem system) {
    if (system == QFontDatabase::Any)
        return true;
    // Qt's answer is fontconfig's "ja", which asks for every character of fontconfig's list
    // and heeds the OS/2 code pages: Klee One, one level 1 kanji short, is not Japanese to it.
    if (system == QFontDatabase::Japanese)
        return writesJapanese(family);
    auto known = m_systems.constFind(family);
    if (known == m_systems.constEnd()) {
        quint64 systems = 0;
        for (const QFontDatabase::WritingSystem supported : QFontDatabase::writingSystems(family))
            systems |= quint64(1) << int(supported);
        known = m_systems.insert(family, systems);
    }
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
