#include "fontfiledrops.h"

#include "errortrap.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace varelith {

namespace {

// A copy, whatever the source proposes: the file stays where the user keeps it.
void acceptAsCopy(QDropEvent& event) {
    if (event.possibleActions() & Qt::CopyAction) {
        event.setDropAction(Qt::CopyAction);
        event.accept();
    } else {
        event.acceptProposedAction();
    }
}

} // namespace

FontFileDrops::FontFileDrops(QWidget& window, Handler handler)
    : QObject(&window)
    , m_window(window)
    , m_handler(std::move(handler)) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    // A drag goes to the innermost widget that takes drops, a text box or the sheet's view,
    // not to the window behind it. A dialog the window owns is a window of its own.
    for (QWidget* child : window.findChildren<QWidget*>())
        if (child->window() == &window)
            child->installEventFilter(this);
}

QStringList FontFileDrops::localFiles(const QMimeData* data) {
    QStringList paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile() && !url.toLocalFile().isEmpty())
            paths.append(url.toLocalFile());
    return paths;
}

bool FontFileDrops::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList paths = localFiles(drop->mimeData());
    if (paths.isEmpty()) {
        if (watched != &m_window)
            return false;
        drop->ignore();
        return true;
    }
    acceptAsCopy(*drop);
    if (type == QEvent::Drop && m_handler)
        trapErrors([this, &paths] { m_handler(paths); });
    return true;
}

} // namespace varelith
