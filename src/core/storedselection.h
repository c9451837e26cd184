#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace varelith {

class SettingsStore;

// The selection as the store holds it: each stored font name with the flag stored beside
// it. A font keeps its flag wherever it moves in the platform's list, so installing or
// removing one font moves no tick. Ask for every font, in the order of the list, before
// the build rewrites any name.
class StoredSelection {
public:
    // Reads name_Font1, name_Font2, ... as far as needed, up to the first absent one and
    // at most `limit`.
    StoredSelection(const SettingsStore& store, int limit);

    // The stored flag text for the font now at `position` (1-based) called `name`:
    //   - the flag stored with that name (the first entry when the name is stored twice),
    //     or with the same name plus a foundry, "C059 [urw]", as earlier releases wrote it;
    //   - where no name is stored at `position`, the flag at `position`, as a file from
    //     before names were matched is read;
    //   - otherwise the font is new here and ticked, "1".
    // `moved` tells whether that flag is not the one stored at `position`: the font's own
    // flag then has to be stored at its new place.
    QString flagFor(int position, const QString& name, bool& moved);
    // Whether every font asked for so far had its own name stored at its own position:
    // the stored names then read as a build would write them.
    bool everyNameInPlace() const { return m_everyNameInPlace; }

private:
    bool readNextName();
    void indexNames();
    QString storedFlag(int index) const;

    const SettingsStore& m_store;
    const int m_limit;
    // Stored names in order, as far as read; complete once a name was absent.
    QStringList m_names;
    bool m_allRead = false;
    // Built at the first font whose name differs from the name stored at its position:
    // until then names and flags match by position and no lookup is needed.
    bool m_indexed = false;
    bool m_everyNameInPlace = true;
    QHash<QString, int> m_byName;
    QHash<QString, int> m_byNameWithoutFoundry;
};

} // namespace varelith
