#pragma once

#include "shapingface.h"
#include "variationsettings.h"

#include <QList>
#include <QWidget>

class QLabel;
class QSlider;

namespace varelith {

// One slider per axis of a variable face, each with its name and current value; moving
// one gives every axis's value at once, for a redraw at each step. A face without axes
// shows a line saying so.
class AxisSliders : public QWidget {
    Q_OBJECT
public:
    using Axis = ShapingFace::Axis;

    explicit AxisSliders(QWidget* parent = nullptr);

    // The chosen face's axes but its hidden ones; every slider starts at the axis's default.
    void setAxes(const QList<Axis>& axes);
    // The axes moved away from their defaults, with their values: none for the face as it
    // comes, which is then drawn as it always is.
    VariationSettings values() const;
    // Moves an axis's slider as the user would; the value is brought into its range.
    void setValue(const QString& tag, double value);
    // The name shown for an axis: a registered axis by its Japanese name.
    static QString label(const Axis& axis);

Q_SIGNALS:
    void valuesChanged(const VariationSettings& values);

private:
    struct Row {
        Axis axis;
        double factor; // slider steps per unit of the axis
        QLabel* name;
        QSlider* slider;
        QLabel* value;
    };
    double valueOf(const Row& row) const;
    void showValue(const Row& row);

    QList<Row> m_rows;
    QLabel* m_none;
    QWidget* m_area;
};

} // namespace varelith
