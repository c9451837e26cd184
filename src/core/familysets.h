#pragma once

#include <QString>
#include <QStringList>

namespace varelith {

class SettingsStore;

// Named sets of ticked families ("明朝の候補", "見出し用"), kept in the settings store under
// keys of their own beside the catalogue's: set_Count, and for n = 1..set_Count set_Name n
// and set_Fonts n (the families, one a line). Sets keep the order they were first saved
// in; a name is used once. A set deleted leaves its last keys behind, past set_Count,
// where nothing reads them, as the catalogue leaves its own.
class FamilySets {
public:
    explicit FamilySets(SettingsStore& store);

    QStringList names() const { return m_names; }
    bool contains(const QString& name) const { return m_names.contains(name); }
    // The families of the set, or none for a name not kept.
    QStringList families(const QString& name) const;

    // Saves the families under the name, replacing a set of that name. An empty name
    // (blanks only) is refused.
    bool save(const QString& name, const QStringList& families);
    // Refused when the old name is not kept, the new one is empty or names another set.
    bool rename(const QString& oldName, const QString& newName);
    bool remove(const QString& name);

    // The families as a plain UTF-8 text, one a line, for a colleague's copy.
    static QByteArray toText(const QStringList& families);
    // The families of such a text: a byte-order mark, CR before LF, blanks around a name,
    // empty lines and a name given twice are left out.
    static QStringList fromText(const QByteArray& text);

    static QString countKey();
    static QString nameKey(int index);
    static QString familiesKey(int index);

private:
    void load();
    // Writes every set and the count, and the store to disk once.
    void store();

    SettingsStore& m_store;
    QStringList m_names;
    QList<QStringList> m_families;
};

} // namespace varelith
