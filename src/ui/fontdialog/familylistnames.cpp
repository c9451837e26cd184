#include "familylistnames.h"

using namespace Qt::StringLiterals;

namespace varelith {

QString FamilyListNames::displayText(const QString& family) {
    const QString japanese = m_names.japaneseName(family);
    return japanese.isEmpty() ? family : family + u" — "_s + japanese;
}

QStringList FamilyListNames::everyName(const QString& family) {
    QStringList names{family};
    for (const FamilyNames::Name& name : m_names.names(family))
        if (!names.contains(name.text))
            names.append(name.text);
    return names;
}

} // namespace varelith
