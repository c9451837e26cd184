#pragma once

#include <QLabel>

namespace varelith {

class FontFilterModel;
class TickListModel;

// The live line beside the count line: how many fonts the list shows and how many are
// ticked in all, following every tick and every filter ("表示中 120 / 選択 37"). Its
// accessible name is its text, as for every label.
class ListSummaryLine : public QLabel {
    Q_OBJECT

public:
    ListSummaryLine(const FontFilterModel& shown, const TickListModel& ticks,
                    QWidget* parent = nullptr);

    static QString lineFor(int shown, int ticked);

private:
    void refresh();

    const FontFilterModel& m_shown;
    const TickListModel& m_ticks;
};

} // namespace varelith
