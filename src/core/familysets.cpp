#include "familysets.h"

#include "settingsstore.h"

#include <QSet>

namespace varelith {

using namespace Qt::StringLiterals;

namespace {

// A family name holds no line end, so one joins them.
const QChar Separator = u'\n';

QStringList withoutRepeats(const QStringList& names) {
    QStringList kept;
    QSet<QString> seen;
    for (const QString& name : names) {
        if (!name.isEmpty() && !seen.contains(name)) {
            seen.insert(name);
            kept.append(name);
        }
    }
    return kept;
}

} // namespace

FamilySets::FamilySets(SettingsStore& store)
    : m_store(store) {
    load();
}

QString FamilySets::countKey() {
    return u"set_Count"_s;
}

QString FamilySets::nameKey(int index) {
    return u"set_Name"_s + QString::number(index);
}

QString FamilySets::familiesKey(int index) {
    return u"set_Fonts"_s + QString::number(index);
}

void FamilySets::load() {
    bool isNumber = false;
    const int count = m_store.GetSetting(countKey(), 0).toInt(&isNumber);
    if (!isNumber)
        return;
    for (int n = 1; n <= count; ++n) {
        if (!m_store.contains(nameKey(n)))
            continue;
        const QString name = m_store.GetSetting(nameKey(n), 0);
        // A hand-edited file may name a set twice; the first one counts.
        if (name.trimmed().isEmpty() || m_names.contains(name))
            continue;
        const QString families = m_store.GetSetting(familiesKey(n), 0);
        m_names.append(name);
        m_families.append(m_store.contains(familiesKey(n))
                              ? withoutRepeats(families.split(Separator))
                              : QStringList());
    }
}

void FamilySets::store() {
    for (qsizetype i = 0; i < m_names.size(); ++i) {
        m_store.SaveSetting(nameKey(int(i) + 1), m_names.at(i));
        m_store.SaveSetting(familiesKey(int(i) + 1), m_families.at(i).join(Separator));
    }
    m_store.SaveSetting(countKey(), QString::number(m_names.size()));
    m_store.flush();
}

QStringList FamilySets::families(const QString& name) const {
    const qsizetype at = m_names.indexOf(name);
    return at < 0 ? QStringList() : m_families.at(at);
}

bool FamilySets::save(const QString& name, const QStringList& families) {
    if (name.trimmed().isEmpty())
        return false;
    const qsizetype at = m_names.indexOf(name);
    if (at < 0) {
        m_names.append(name);
        m_families.append(withoutRepeats(families));
    } else {
        m_families[at] = withoutRepeats(families);
    }
    store();
    return true;
}

bool FamilySets::rename(const QString& oldName, const QString& newName) {
    const qsizetype at = m_names.indexOf(oldName);
    if (at < 0 || newName.trimmed().isEmpty() || (newName != oldName && contains(newName)))
        return false;
    m_names[at] = newName;
    store();
    return true;
}

bool FamilySets::remove(const QString& name) {
    const qsizetype at = m_names.indexOf(name);
    if (at < 0)
        return false;
    m_names.removeAt(at);
    m_families.removeAt(at);
    store();
    return true;
}

QByteArray FamilySets::toText(const QStringList& families) {
    QByteArray text;
    for (const QString& family : families)
        text += family.toUtf8() + '\n';
    return text;
}

QStringList FamilySets::fromText(const QByteArray& text) {
    QString whole = QString::fromUtf8(text);
    if (whole.startsWith(QChar(0xFEFF)))
        whole.remove(0, 1);
    QStringList names;
    for (const QString& line : whole.split(Separator))
        names.append(line.trimmed());
    return withoutRepeats(names);
}

} // namespace varelith
