#include "listsummaryline.h"

#include "fontfiltermodel.h"
#include "ticklistmodel.h"

using namespace Qt::StringLiterals;

namespace varelith {

ListSummaryLine::ListSummaryLine(const FontFilterModel& shown, const TickListModel& ticks,
                                 QWidget* parent)
    : QLabel(parent)
    , m_shown(shown)
    , m_ticks(ticks) {
    setObjectName(u"lbl_Shown"_s);
    setAccessibleDescription(u"表示中のフォント数と選択数"_s);
    connect(&shown, &QAbstractItemModel::rowsInserted, this, &ListSummaryLine::refresh);
    connect(&shown, &QAbstractItemModel::rowsRemoved, this, &ListSummaryLine::refresh);
    connect(&shown, &QAbstractItemModel::modelReset, this, &ListSummaryLine::refresh);
    connect(&shown, &QAbstractItemModel::layoutChanged, this, &ListSummaryLine::refresh);
    connect(&ticks, &TickListModel::tickedCountChanged, this, &ListSummaryLine::refresh);
    refresh();
}

QString ListSummaryLine::lineFor(int shown, int ticked) {
    return u"表示中 %1 / 選択 %2"_s.arg(shown).arg(ticked);
}

void ListSummaryLine::refresh() {
    setText(lineFor(m_shown.rowCount(), m_ticks.tickedCount()));
}

} // namespace varelith
