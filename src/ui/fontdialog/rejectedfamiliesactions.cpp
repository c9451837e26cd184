#include "rejectedfamiliesactions.h"

#include "fontfiltermodel.h"
#include "rejectedfamilies.h"
#include "ticklistmodel.h"
#include "ticklistview.h"

#include <QAction>
#include <QFileInfo>
#include <QItemSelectionModel>

#include <algorithm>

namespace varelith {

using namespace Qt::StringLiterals;

RejectedFamiliesActions::RejectedFamiliesActions(RejectedFamilies& rejected, TickListView& view,
                                                 FontFilterModel& shown, TickListModel& fonts,
                                                 QObject* parent)
    : QObject(parent)
    , m_rejected(rejected)
    , m_view(view)
    , m_shown(shown)
    , m_fonts(fonts)
    , m_reject(new QAction(u"無効にする（ほかのアプリから隠す）"_s, this))
    , m_accept(new QAction(u"有効にする"_s, this)) {
    m_reject->setObjectName(u"act_Reject"_s);
    m_accept->setObjectName(u"act_Accept"_s);
    connect(m_reject, &QAction::triggered, this, [this] { rejectRows(chosenRows()); });
    connect(m_accept, &QAction::triggered, this, [this] { acceptRows(chosenRows()); });
    m_shown.setNoteFor(u"rejected"_s, [this](const QString& family) {
        return m_rejected.isRejected(family) ? u"無効"_s : QString();
    });
}

QList<int> RejectedFamiliesActions::chosenRows() const {
    QList<int> rows;
    if (const QItemSelectionModel* selection = m_view.selectionModel()) {
        for (const QModelIndex& selected : selection->selectedIndexes())
            rows.append(m_shown.mapToSource(selected).row());
    }
    const QModelIndex current = m_shown.mapToSource(m_view.currentIndex());
    if (current.isValid() && !rows.contains(current.row()))
        rows.append(current.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QStringList RejectedFamiliesActions::familiesOf(const QList<int>& rows) const {
    QStringList families;
    families.reserve(rows.size());
    for (const int row : rows)
        families.append(m_fonts.name(row));
    return families;
}

bool RejectedFamiliesActions::rejectRows(const QList<int>& rows) {
    if (!m_rejected.reject(familiesOf(rows))) {
        Q_EMIT failed(u"%1 に書き込めませんでした。"_s.arg(m_rejected.filePath()));
        return false;
    }
    m_shown.notesChanged();
    return true;
}

bool RejectedFamiliesActions::acceptRows(const QList<int>& rows) {
    if (!m_rejected.accept(familiesOf(rows))) {
        Q_EMIT failed(u"%1 に書き込めませんでした。"_s.arg(m_rejected.filePath()));
        return false;
    }
    m_shown.notesChanged();
    return true;
}

} // namespace varelith
