#include "familywritingsystems.h"

namespace varelith {

static_assert(QFontDatabase::WritingSystemsCount <= 64);

bool FamilyWritingSystems::supports(const QString& family, QFontDatabase::WritingSystem system) {
    if (system == QFontDatabase::Any)
        return true;
    auto known = m_systems.constFind(family);
    if (known == m_systems.constEnd()) {
        quint64 systems = 0;
        for (const QFontDatabase::WritingSystem supported : QFontDatabase::writingSystems(family))
            systems |= quint64(1) << int(supported);
        known = m_systems.insert(family, systems);
    }
    return (*known >> int(system)) & 1;
}

} // namespace varelith
