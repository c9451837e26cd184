#pragma once

#include "boundedarray.h"
#include "int16.h"

#include <QString>

namespace varelith {

class FontSource;
class SettingsStore;
class TickList;

// The installed fonts in the platform's order, each with its display flag: 1 shown on the
// sample sheet, anything else not. Indexes run from 1 to FontNum; element 0 exists and is
// never used. One catalogue is owned by the application and shared by both windows; only
// the build and the commit write it.
class FontCatalogue {
public:
    // A 16-bit count holds no more; fonts past it in the platform's list are left out.
    static constexpr int MaxFonts = Int16::Max;

    Int16 FontNum() const noexcept { return m_fontNum; }
    Int16 SelNum() const noexcept { return m_selNum; }
    // Checked: an index outside 0..FontNum, or any index before the first build, is a
    // subscript-out-of-range error.
    const QString& FontName(int index) const { return m_fontName.at(index); }
    Int16 FontFlg(int index) const { return m_fontFlg.at(index); }
    bool isTicked(int index) const { return FontFlg(index) == 1; }
    // How many families the platform listed at the last build; more than FontNum when
    // the list was cut at MaxFonts.
    int listedFamilies() const noexcept { return m_listedFamilies; }

    // Reads the platform's fonts, restores each font's flag from the store by its name
    // (a font never seen: ticked) and refills the tick list. Unless every font's name is
    // already stored at its place, records each name in the store and writes it to disk
    // once.
    void build(const FontSource& fonts, SettingsStore& store, TickList& list);

    // Takes the ticks back from the list into the flags, recounts, stores every flag
    // ("1" or "0") with its font's name and writes the store to disk once.
    void commit(const TickList& list, SettingsStore& store);

    // "120個中37個選択"
    static QString countLine(Int16 fontNum, Int16 selNum);
    static QString nameKey(int index);
    static QString flagKey(int index);

private:
    Int16 m_fontNum;
    Int16 m_selNum;
    int m_listedFamilies = 0;
    BoundedArray<QString> m_fontName;
    BoundedArray<Int16> m_fontFlg;
};

} // namespace varelith
