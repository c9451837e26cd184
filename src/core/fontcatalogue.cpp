#include "fontcatalogue.h"

#include "fontsource.h"
#include "numberconversion.h"
#include "settingsstore.h"
#include "storedselection.h"
#include "ticklist.h"

#include <QHash>
#include <QStringList>

#include <climits>

namespace varelith {

namespace {

// Writes the store once however the operation ends, so that what was saved is on disk.
class FlushAtEnd {
public:
    explicit FlushAtEnd(SettingsStore& store)
        : m_store(store) {}
    ~FlushAtEnd() { m_store.flush(); }
    FlushAtEnd(const FlushAtEnd&) = delete;
    FlushAtEnd& operator=(const FlushAtEnd&) = delete;

private:
    SettingsStore& m_store;
};

// A stored flag that is not a whole number in range counts as not ticked, so one bad
// entry neither stops the build nor loses the flags after it.
Int16 storedFlag(const QString& text) {
    // What every commit writes, read without the full number grammar: one per font.
    if (text.size() == 1 && (text.front() == u'1' || text.front() == u'0'))
        return Int16(text.front() == u'1' ? 1 : 0);
    try {
        return NumberConversion::toInteger(text);
    } catch (const RuntimeError&) {
        return Int16(0);
    }
}

// The prefix and the index in decimal, built in one allocation: a build makes three keys
// per font.
QString keyFor(QStringView prefix, int index) {
    char16_t digits[12];
    qsizetype count = 0;
    unsigned int rest = index < 0 ? 0u - unsigned(index) : unsigned(index);
    do {
        digits[count++] = char16_t(u'0' + rest % 10);
        rest /= 10;
    } while (rest > 0);
    QString key(prefix.size() + count + (index < 0 ? 1 : 0), Qt::Uninitialized);
    QChar* out = key.data();
    for (const QChar c : prefix)
        *out++ = c;
    if (index < 0)
        *out++ = u'-';
    while (count > 0)
        *out++ = QChar(digits[--count]);
    return key;
}

} // namespace

QString FontCatalogue::nameKey(int index) {
    return keyFor(u"name_Font", index);
}

QString FontCatalogue::flagKey(int index) {
    return keyFor(u"flg_Font", index);
}

QString FontCatalogue::countLine(Int16 fontNum, Int16 selNum) {
    return QString::number(fontNum) + QStringLiteral("個中") + QString::number(selNum) +
           QStringLiteral("個選択");
}

void FontCatalogue::build(const FontSource& fonts, SettingsStore& store, TickList& list) {
    FlushAtEnd flush(store);
    const QStringList names = fonts.families();
    m_listedFamilies = int(std::min<qsizetype>(names.size(), INT_MAX));
    // Families past a 16-bit count are left out, and nothing is done for them.
    const int count = int(std::min<qsizetype>(names.size(), MaxFonts));

    m_fontNum = Int16::fromInt(count);
    m_selNum = Int16(0);
    m_fontName.resizePreserving(m_fontNum);
    m_fontFlg.resizePreserving(m_fontNum);
    list.setListVisible(false);
    list.clear();
    // A font that moved takes its flag along to its new place, written with its name:
    // a program killed before the next commit must not leave names beside other fonts'
    // flags.
    QHash<int, QString> movedFlags;
    // A start that finds every font where its name is stored writes nothing: the file
    // keeps its bytes and its time. Any other writes every name.
    bool writeNames = true;
    {
        // Every flag is found by its font's name before any name entry is rewritten.
        StoredSelection stored(store, MaxFonts);
        for (int n = 1; n <= count; ++n) {
            bool moved = false;
            const QString flag = stored.flagFor(n, names.at(n - 1), moved);
            m_fontFlg.set(n, storedFlag(flag));
            if (moved)
                movedFlags.insert(n, flag);
        }
        writeNames = !stored.everyNameInPlace();
    }
    for (int position = 0; position < count; ++position) {
        const int n = position + 1;
        const QString& name = names.at(position);
        list.addItem(name);
        m_fontName.set(n, name);
        if (writeNames)
            store.SaveSetting(nameKey(n), name);
        if (const auto moved = movedFlags.constFind(n); moved != movedFlags.cend())
            store.SaveSetting(flagKey(n), *moved);
        if (m_fontFlg.at(n) == 1) {
            list.setSelected(position, true);
            ++m_selNum;
        }
    }
    list.setListVisible(true);
    list.setCountLine(countLine(m_fontNum, m_selNum));
}

void FontCatalogue::commit(const TickList& list, SettingsStore& store) {
    FlushAtEnd flush(store);
    m_selNum = Int16(0);
    const int count = list.listCount();
    for (int n = 1; n <= count; ++n) {
        if (list.isSelected(n - 1)) {
            m_fontFlg.set(n, Int16(1));
            ++m_selNum;
        } else {
            m_fontFlg.set(n, Int16(0));
        }
        // With its name: another instance may have written its own names since the build.
        store.SaveSetting(nameKey(n), m_fontName.at(n));
        store.SaveSetting(flagKey(n), NumberConversion::toText(m_fontFlg.at(n)));
    }
}

} // namespace varelith
