#include "appversion.h"

#include "varelith_version.h"

namespace varelith {

int AppVersion::Major() {
    return VARELITH_VERSION_MAJOR;
}

int AppVersion::Minor() {
    return VARELITH_VERSION_MINOR;
}

int AppVersion::Revision() {
    return VARELITH_VERSION_PATCH;
}

QString AppVersion::prompt(int major, int minor, int revision) {
    return QStringLiteral("Varelith Ver.") + QString::number(major) + QLatin1Char('.') +
           QString::number(minor) + QString::number(revision);
}

QString AppVersion::prompt() {
    return prompt(Major(), Minor(), Revision());
}

} // namespace varelith
