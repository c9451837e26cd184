#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

namespace varelith {

// Font files dropped on a window: a drag that carries at least one local file is taken
// anywhere over the window, its child widgets included, and the local files among its
// URLs are handed on, in order, the others left out. Over the window itself any other
// drag is refused (no drop cursor); a child that takes drops of its own (a text box
// taking dropped text) still gets every drag without a file. The dialogs the window owns
// are windows of their own, not watched.
class FontFileDrops : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const QStringList& paths)>;

    // Watches `window` and the widgets it holds now; goes with the window.
    FontFileDrops(QWidget& window, Handler handler);

    // The local files among the data's URLs; empty when it holds none.
    static QStringList localFiles(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    Handler m_handler;
};

} // namespace varelith
