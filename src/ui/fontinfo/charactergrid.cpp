#include "charactergrid.h"

#include "facedrawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollArea>

using namespace Qt::StringLiterals;

namespace varelith {

CharacterGrid::CharacterGrid(QWidget* parent)
    : QWidget(parent) {
    setObjectName(u"CharacterGrid"_s);
    setAccessibleName(u"文字一覧"_s);
    setFocusPolicy(Qt::StrongFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void CharacterGrid::setCharacters(const FaceDrawing* face, const QList<char32_t>& characters) {
    m_face = face;
    m_characters = characters;
    m_current = characters.isEmpty() ? -1 : 0;
    resize(width(), heightForWidth(width()));
    updateGeometry();
    update();
}

int CharacterGrid::columns() const {
    return std::max(1, width() / CellSize);
}

int CharacterGrid::heightForWidth(int width) const {
    const int perRow = std::max(1, width / CellSize);
    return int((m_characters.size() + perRow - 1) / perRow) * CellSize + 1;
}

QSize CharacterGrid::sizeHint() const {
    return {CellSize * 16, heightForWidth(CellSize * 16)};
}

QRect CharacterGrid::cellRect(int index) const {
    const int perRow = columns();
    return {(index % perRow) * CellSize, (index / perRow) * CellSize, CellSize, CellSize};
}

void CharacterGrid::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const int height = heightForWidth(width());
    if (height != this->height())
        setMinimumHeight(height);
}

void CharacterGrid::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const int perRow = columns();
    const int firstRow = event->rect().top() / CellSize;
    const int lastRow = event->rect().bottom() / CellSize;
    const qsizetype first = qsizetype(firstRow) * perRow;
    const qsizetype end = std::min(m_characters.size(), qsizetype(lastRow + 1) * perRow);
    painter.setPen(palette().color(QPalette::Midlight));
    const int rows = int((m_characters.size() + perRow - 1) / perRow);
    for (int row = firstRow; row <= std::min(lastRow, rows); ++row)
        painter.drawLine(0, row * CellSize, perRow * CellSize, row * CellSize);
    for (int column = 0; column <= perRow && rows > 0; ++column)
        painter.drawLine(column * CellSize, 0, column * CellSize, rows * CellSize);
    if (m_current >= first && m_current < end) {
        painter.fillRect(cellRect(m_current), palette().color(QPalette::Highlight));
        if (hasFocus()) {
            painter.setPen(palette().color(QPalette::Text));
            painter.drawRect(cellRect(m_current).adjusted(1, 1, -2, -2));
        }
    }
    if (!m_face || first >= end)
        return;

    // Each character alone, as it is set by itself; the face's ascent and descent centred.
    for (qsizetype i = first; i < end; ++i) {
        const char32_t character = m_characters.at(i);
        const ShapedRun run = m_face->shape(QString::fromUcs4(&character, 1), GlyphPixels);
        const QRect cell = cellRect(int(i));
        const QPointF origin(cell.left() + (CellSize - run.advance) / 2,
                             cell.top() + (CellSize + run.ascent - run.descent) / 2);
        m_face->draw(painter, run, origin, palette());
    }
}

void CharacterGrid::setCurrent(int index) {
    if (m_characters.isEmpty())
        return;
    index = std::clamp(index, 0, int(m_characters.size()) - 1);
    if (index == m_current)
        return;
    update(cellRect(m_current));
    m_current = index;
    update(cellRect(m_current));
    // Kept in view when the grid scrolls in an area.
    for (QWidget* up = parentWidget(); up; up = up->parentWidget())
        if (auto* area = qobject_cast<QScrollArea*>(up)) {
            const QRect cell = cellRect(index);
            area->ensureVisible(cell.center().x(), cell.center().y(), CellSize, CellSize);
            break;
        }
}

void CharacterGrid::choose(int index) {
    if (index < 0 || index >= m_characters.size())
        return;
    setCurrent(index);
    Q_EMIT characterChosen(m_characters.at(index));
}

void CharacterGrid::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const int column = at.x() / CellSize;
    if (event->button() != Qt::LeftButton || column >= columns()) {
        QWidget::mousePressEvent(event);
        return;
    }
    setFocus(Qt::MouseFocusReason);
    choose((at.y() / CellSize) * columns() + column);
}

void CharacterGrid::keyPressEvent(QKeyEvent* event) {
    const int perRow = columns();
    switch (event->key()) {
    case Qt::Key_Left:
        setCurrent(m_current - 1);
        return;
    case Qt::Key_Right:
        setCurrent(m_current + 1);
        return;
    case Qt::Key_Up:
        setCurrent(m_current - perRow);
        return;
    case Qt::Key_Down:
        setCurrent(m_current + perRow);
        return;
    case Qt::Key_Home:
        setCurrent(0);
        return;
    case Qt::Key_End:
        setCurrent(int(m_characters.size()) - 1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        choose(m_current);
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

} // namespace varelith
