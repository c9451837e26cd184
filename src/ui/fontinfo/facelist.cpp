#include "facelist.h"

#include "facedrawing.h"
#include "facesampledelegate.h"

using namespace Qt::StringLiterals;

namespace varelith {

FaceList::FaceList(QWidget* parent)
    : QListWidget(parent) {
    setObjectName(u"lst_Faces"_s);
    setAccessibleName(u"書体"_s);
    setItemDelegate(new FaceSampleDelegate(*this));
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    setUniformItemSizes(false);
}

void FaceList::setFaces(const QList<std::shared_ptr<FaceDrawing>>& faces, const QString& sample) {
    m_faces = faces;
    m_sample = sample;
    clear();
    for (const std::shared_ptr<FaceDrawing>& face : faces) {
        // The label is what a screen reader reads; the sample is drawn by the delegate.
        auto* item = new QListWidgetItem(faceLabel(face->face()), this);
        item->setData(Qt::AccessibleTextRole, faceLabel(face->face()));
    }
}

const FaceDrawing* FaceList::drawing(int row) const {
    return row >= 0 && row < m_faces.size() ? m_faces.at(row).get() : nullptr;
}

QString FaceList::faceLabel(const FontFace& face) {
    if (face.variable)
        return u"可変フォント（既定値）"_s;
    QString label = face.styleName.isEmpty() ? u"(名前なし)"_s : face.styleName;
    label += u" · %1"_s.arg(face.weight);
    if (face.width != 100)
        label += u" · 幅 %1%"_s.arg(face.width);
    if (face.namedInstance)
        label += u" · 名前付きインスタンス"_s;
    return label;
}

} // namespace varelith
