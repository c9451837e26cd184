#pragma once

#include <QList>
#include <QObject>

class QAction;

namespace varelith {

class FontFilterModel;
class RejectedFamilies;
class TickListModel;
class TickListView;

// 無効にする / 有効にする in the font list's context menu: the selected families, or the
// current one, switched off for every other program through RejectedFamilies, or on
// again. This program keeps listing them, each marked 無効 after its name; ticks stay as
// they are. `failed` tells of a file that could not be written.
class RejectedFamiliesActions : public QObject {
    Q_OBJECT

public:
    RejectedFamiliesActions(RejectedFamilies& rejected, TickListView& view, FontFilterModel& shown,
                            TickListModel& fonts, QObject* parent = nullptr);

    QAction* rejectAction() const { return m_reject; }
    QAction* acceptAction() const { return m_accept; }

    // Rows of the font list.
    bool rejectRows(const QList<int>& rows);
    bool acceptRows(const QList<int>& rows);

Q_SIGNALS:
    void failed(const QString& message);

private:
    QList<int> chosenRows() const;
    QStringList familiesOf(const QList<int>& rows) const;

    RejectedFamilies& m_rejected;
    TickListView& m_view;
    FontFilterModel& m_shown;
    TickListModel& m_fonts;
    QAction* m_reject;
    QAction* m_accept;
};

} // namespace varelith
