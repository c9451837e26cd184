#pragma once

#include <QStyledItemDelegate>

namespace varelith {

class FaceDrawing;
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

protected:
    // The row's sample, its top left at `at`, under the label; the painter is clipped to
    // the row and restored afterwards.
    virtual void drawSample(QPainter& painter, const FaceDrawing& drawing, QPointF at,
                            const QPalette& palette) const;
    const FaceList& list() const { return m_list; }

private:
    const FaceList& m_list;
};

} // namespace varelith
