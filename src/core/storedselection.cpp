#include "storedselection.h"

#include "fontcatalogue.h"
#include "settingsstore.h"

namespace varelith {

namespace {

// "C059 [urw]" -> "C059": how Qt's font list told one family's foundries apart. Empty for
// a name without a foundry.
QString withoutFoundry(const QString& name) {
    if (!name.endsWith(u']'))
        return {};
    const qsizetype open = name.lastIndexOf(QStringLiteral(" ["));
    return open > 0 ? name.left(open) : QString();
}

} // namespace

StoredSelection::StoredSelection(const SettingsStore& store, int limit)
    : m_store(store)
    , m_limit(limit) {}

bool StoredSelection::readNextName() {
    if (m_allRead || m_names.size() >= m_limit)
        return false;
    const QString key = FontCatalogue::nameKey(int(m_names.size()) + 1);
    // The default comes back for an absent key, or for a font really called "0".
    QString name = m_store.GetSetting(key, 0);
    if (name == u'0' && !m_store.contains(key)) {
        m_allRead = true;
        return false;
    }
    m_names.append(std::move(name));
    return true;
}

void StoredSelection::indexNames() {
    while (readNextName()) {
    }
    for (int n = 1; n <= m_names.size(); ++n) {
        const QString& name = m_names.at(n - 1);
        // The first entry of a name stored twice counts.
        if (!m_byName.contains(name))
            m_byName.insert(name, n);
        const QString bare = withoutFoundry(name);
        if (!bare.isEmpty() && !m_byNameWithoutFoundry.contains(bare))
            m_byNameWithoutFoundry.insert(bare, n);
    }
    m_indexed = true;
}

QString StoredSelection::storedFlag(int index) const {
    return m_store.GetSetting(FontCatalogue::flagKey(index), 1);
}

QString StoredSelection::flagFor(int position, const QString& name, bool& moved) {
    moved = false;
    if (!m_indexed) {
        // Every font so far sat where its name was stored: the flag at the same place is
        // its own.
        if (position == m_names.size() + 1 && readNextName() && m_names.last() == name)
            return storedFlag(position);
        m_everyNameInPlace = false;
        if (position > m_names.size() && m_allRead)
            return storedFlag(position); // past the stored names, as before names were read
        indexNames();
    }
    int index = m_byName.value(name);
    if (index == 0)
        index = m_byNameWithoutFoundry.value(name);
    if (index == 0 && position > m_names.size())
        index = position;
    moved = index != position;
    return index == 0 ? QStringLiteral("1") : storedFlag(index);
}

} // namespace varelith
