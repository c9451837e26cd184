#pragma once

#include <QWidget>

namespace varelith {

class FaceDrawing;

// The sample in one face at the sizes a user sets text in, smallest first, each line
// with its size in points beside it.
class WaterfallView : public QWidget {
    Q_OBJECT

public:
    static constexpr int Points[] = {9, 10, 12, 14, 18, 24, 36, 48, 72};

    explicit WaterfallView(QWidget* parent = nullptr);

    // The face must outlive its showing here; null shows nothing.
    void setFace(const FaceDrawing* face, const QString& sample);
    const FaceDrawing* face() const { return m_face; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    qreal pixelsFor(int points) const;

    const FaceDrawing* m_face = nullptr;
    QString m_sample;
    qreal m_sampleWidth = 0; // at the face's loading size
};

} // namespace varelith
