#include "loadaftershown.h"

#include "errortrap.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace varelith {

namespace {

// What the user does to the program: every event that may act on what the work builds.
bool isInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

LoadAfterShown::LoadAfterShown(QWidget& window, std::function<void()> load)
    : m_window(window)
    , m_load(std::move(load)) {
    m_window.installEventFilter(this);
    QCoreApplication::instance()->installEventFilter(this);
}

LoadAfterShown::~LoadAfterShown() {
    if (QCoreApplication* application = QCoreApplication::instance())
        application->removeEventFilter(this);
}

void LoadAfterShown::loadNow() {
    if (m_loaded)
        return;
    m_loaded = true;
    QCoreApplication::instance()->removeEventFilter(this);
    m_window.removeEventFilter(this);
    trapErrors(m_load);
}

bool LoadAfterShown::eventFilter(QObject* watched, QEvent* event) {
    if (m_loaded)
        return false;
    if (isInput(event->type())) {
        loadNow();
    } else if (watched == &m_window && event->type() == QEvent::Paint && !m_scheduled) {
        // Queued behind this paint: the painted window reaches the screen first.
        m_scheduled = true;
        QTimer::singleShot(0, this, &LoadAfterShown::loadNow);
    }
    return false;
}

} // namespace varelith
