#include "uninstallednote.h"

using namespace Qt::StringLiterals;

namespace varelith {

QString UninstalledNote::word() {
    return u"未インストール"_s;
}

QString UninstalledNote::wordFor(const Families& uninstalled, const QString& family) {
    return uninstalled && uninstalled(family) ? word() : QString();
}

QString UninstalledNote::noteFor(const Families& uninstalled, const QString& family) {
    const QString note = wordFor(uninstalled, family);
    return note.isEmpty() ? note : u'（' + note + u'）';
}

} // namespace varelith
