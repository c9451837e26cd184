#include "axissliders.h"

#include <QGridLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// At least a hundred steps from end to end, in whole tenths of a power of ten: a weight
// axis moves by 1, an italic axis (0 to 1) by 0.01.
double stepsPerUnit(double range) {
    if (range <= 0)
        return 1;
    return std::pow(10.0, std::max(0.0, std::ceil(std::log10(100.0 / range))));
}

QString shown(double value) {
    return QString::number(value, 'f', value == std::round(value) ? 0 : 2);
}

} // namespace

AxisSliders::AxisSliders(QWidget* parent)
    : QWidget(parent)
    , m_none(new QLabel(u"可変フォントではありません"_s, this))
    , m_area(new QWidget(this)) {
    setObjectName(u"AxisSliders"_s);
    m_none->setObjectName(u"lbl_NoAxes"_s);
    m_area->setObjectName(u"AxisArea"_s);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_none);
    layout->addWidget(m_area);
    new QGridLayout(m_area);
    m_area->hide();
}

QString AxisSliders::label(const Axis& axis) {
    static const QHash<QString, QString> registered{{u"wght"_s, u"太さ"_s},
                                                    {u"wdth"_s, u"幅"_s},
                                                    {u"opsz"_s, u"オプティカルサイズ"_s},
                                                    {u"slnt"_s, u"傾き"_s},
                                                    {u"ital"_s, u"イタリック"_s}};
    const QString name = registered.value(axis.tag, axis.name);
    return name.isEmpty() || name == axis.tag ? axis.tag : u"%1 (%2)"_s.arg(name, axis.tag);
}

void AxisSliders::setAxes(const QList<Axis>& axes) {
    auto* grid = static_cast<QGridLayout*>(m_area->layout());
    for (const Row& row : std::as_const(m_rows)) {
        delete row.name;
        delete row.slider;
        delete row.value;
    }
    m_rows.clear();
    for (const Axis& axis : axes) {
        if (axis.hidden)
            continue;
        const int line = int(m_rows.size());
        Row row{axis, stepsPerUnit(axis.maximum - axis.minimum), new QLabel(m_area),
                new QSlider(Qt::Horizontal, m_area), new QLabel(m_area)};
        // An access key of its own for each, by its place: letters would clash with the
        // keys of the window around.
        QString text = label(axis);
        if (line < 9)
            text += u"(&%1)"_s.arg(line + 1);
        row.name->setText(text + u':');
        row.name->setObjectName(u"lbl_Axis_"_s + axis.tag);
        row.name->setBuddy(row.slider);
        row.slider->setObjectName(u"sld_Axis_"_s + axis.tag);
        row.slider->setAccessibleName(label(axis));
        row.slider->setRange(int(std::lround(axis.minimum * row.factor)),
                             int(std::lround(axis.maximum * row.factor)));
        row.slider->setPageStep(std::max(1, (row.slider->maximum() - row.slider->minimum()) / 10));
        row.slider->setValue(int(std::lround(axis.defaultValue * row.factor)));
        row.value->setObjectName(u"lbl_AxisValue_"_s + axis.tag);
        row.value->setMinimumWidth(row.value->fontMetrics().horizontalAdvance(u"-0000.00"_s));
        grid->addWidget(row.name, line, 0);
        grid->addWidget(row.slider, line, 1);
        grid->addWidget(row.value, line, 2);
        m_rows.append(row);
        showValue(row);
        connect(row.slider, &QSlider::valueChanged, this, [this, line] {
            showValue(m_rows.at(line));
            Q_EMIT valuesChanged(values());
        });
    }
    m_none->setVisible(m_rows.isEmpty());
    m_area->setVisible(!m_rows.isEmpty());
}

double AxisSliders::valueOf(const Row& row) const {
    return row.slider->value() / row.factor;
}

void AxisSliders::showValue(const Row& row) {
    row.value->setText(shown(valueOf(row)));
    row.slider->setAccessibleDescription(row.value->text());
}

VariationSettings AxisSliders::values() const {
    VariationSettings values;
    for (const Row& row : m_rows)
        if (row.slider->value() != int(std::lround(row.axis.defaultValue * row.factor)))
            values.set(row.axis.tag, float(valueOf(row)));
    return values;
}

void AxisSliders::setValue(const QString& tag, double value) {
    for (const Row& row : std::as_const(m_rows)) {
        if (row.axis.tag == tag)
            row.slider->setValue(int(std::lround(value * row.factor)));
    }
}

} // namespace varelith
