#pragma once

#include <QStyledItemDelegate>

namespace varelith {

class FaceList;

// A row of the face list: the face's label in the interface's face above the sample in
// the face itself.
class FaceSampleDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit FaceSampleDelegate(const FaceList& list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const FaceList& m_list;
};

} // namespace varelith
