#pragma once

#include <QFontDatabase>
#include <QHash>
#include <QString>

namespace varelith {

// Which writing systems each family supports, as Qt's font database knows them from
// fontconfig's languages. Asked once per family, then kept.
class FamilyWritingSystems {
public:
    // Any: every family.
    bool supports(const QString& family, QFontDatabase::WritingSystem system);

private:
    // One bit per writing system; Qt has fewer than 64.
    QHash<QString, quint64> m_systems;
};

} // namespace varelith
