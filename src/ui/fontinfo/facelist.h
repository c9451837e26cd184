#pragma once

#include <QListWidget>

#include <memory>

namespace varelith {

class FaceDrawing;
struct FontFace;

// Every face of the family, one row each: its style and the sample drawn in the face
// itself, missing characters marked as on the sheet.
class FaceList : public QListWidget {
    Q_OBJECT

public:
    static constexpr int SamplePixels = 28;

    explicit FaceList(QWidget* parent = nullptr);

    void setFaces(const QList<std::shared_ptr<FaceDrawing>>& faces, const QString& sample);
    const FaceDrawing* drawing(int row) const;
    const QString& sample() const { return m_sample; }

    // "Bold · 700", "可変フォント（既定値）"...
    static QString faceLabel(const FontFace& face);

private:
    QList<std::shared_ptr<FaceDrawing>> m_faces;
    QString m_sample;
};

} // namespace varelith
