#pragma once

#include "runtimeerror.h"
#include "ticklist.h"

#include <QList>
#include <QStringList>

namespace varelith::testing {

// A tick list without widgets: items, ticks, and what was done to it.
class RecordingTickList : public TickList {
public:
    void setListVisible(bool visible) override { visibility.append(visible); }
    void clear() override {
        names.clear();
        ticks.clear();
    }
    void addItem(const QString& name) override {
        if (visibility.isEmpty() || visibility.last())
            itemsAddedWhileVisible++;
        names.append(name);
        ticks.append(false);
    }
    void setSelected(int index, bool ticked) override { ticks[check(index)] = ticked; }
    bool isSelected(int index) const override { return ticks.at(check(index)); }
    int listCount() const override { return int(names.size()); }
    void setCountLine(const QString& text) override { countLine = text; }

    QStringList names;
    QList<bool> ticks;
    QList<bool> visibility; // every setListVisible, in order
    QString countLine;
    int itemsAddedWhileVisible = 0;

private:
    int check(int index) const {
        if (index < 0 || index >= names.size())
            throw RuntimeError(RuntimeError::Kind::SubscriptOutOfRange);
        return index;
    }
};

} // namespace varelith::testing
