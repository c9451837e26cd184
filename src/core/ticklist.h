#pragma once

#include <QString>

namespace varelith {

// The list of fonts with a tick per item that the catalogue fills and reads back. The
// font selection dialog implements it; tests use their own.
class TickList {
public:
    virtual ~TickList() = default;

    // Hidden while it is refilled, so that it is not redrawn for every item.
    virtual void setListVisible(bool visible) = 0;
    virtual void clear() = 0;
    // Appends at the end; the list never sorts.
    virtual void addItem(const QString& name) = 0;
    // Ticks or unticks item k (0-based) alone.
    virtual void setSelected(int index, bool ticked) = 0;
    virtual bool isSelected(int index) const = 0;
    virtual int listCount() const = 0;
    // The count line under the list, "N個中M個選択".
    virtual void setCountLine(const QString& text) = 0;
};

} // namespace varelith
