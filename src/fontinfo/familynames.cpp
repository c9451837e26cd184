#include "familynames.h"

#include "fontconfigfonts.h"

#include <algorithm>

namespace varelith {

namespace {

void merge(QList<FamilyNames::Name>& into, const QList<FamilyNames::Name>& names) {
    for (const FamilyNames::Name& name : names) {
        const auto same = std::find_if(into.begin(), into.end(), [&](const FamilyNames::Name& n) {
            return n.text == name.text;
        });
        if (same == into.end())
            into.append(name);
        else if (FamilyNames::isJapanese(name.language))
            same->language = name.language;
    }
}

} // namespace

bool FamilyNames::isJapanese(const QString& language) {
    return language.compare(u"ja", Qt::CaseInsensitive) == 0 ||
           language.startsWith(u"ja-", Qt::CaseInsensitive) ||
           language.startsWith(u"ja_", Qt::CaseInsensitive);
}

void FamilyNames::build() {
    m_built = true;
    const FontconfigFonts installed(m_fonts);
    for (const FcPattern* font : installed.fonts()) {
        for (const FontconfigFonts::Family& family : FontconfigFonts::families(font)) {
            QList<Name> names;
            for (const int k : family.spellings)
                names.append({FontconfigFonts::string(font, FC_FAMILY, k),
                              FontconfigFonts::string(font, FC_FAMILYLANG, k)});
            for (const Name& spelling : names)
                merge(m_names[spelling.text.toCaseFolded()], names);
        }
    }
    for (QList<Name>& names : m_names)
        std::stable_partition(names.begin(), names.end(),
                              [](const Name& name) { return isJapanese(name.language); });
}

const QList<FamilyNames::Name>& FamilyNames::names(const QString& family) {
    if (!m_built)
        build();
    static const QList<Name> none;
    const auto found = m_names.constFind(family.toCaseFolded());
    return found == m_names.constEnd() ? none : *found;
}

QString FamilyNames::japaneseName(const QString& family) {
    for (const Name& name : names(family))
        if (isJapanese(name.language) && name.text.compare(family, Qt::CaseInsensitive) != 0)
            return name.text;
    return {};
}

} // namespace varelith
