#pragma once

#include <QObject>

#include <functional>

class QWidget;

namespace varelith {

// A window's start-up work run once the window has been seen rather than before it is
// shown: the moment its first paint is done, or earlier, the moment any input or a close
// reaches the program, so that no keystroke or click is lost or acted on before the work
// is done. Work that throws is stopped there, as any handler's work.
class LoadAfterShown : public QObject {
public:
    LoadAfterShown(QWidget& window, std::function<void()> load);
    ~LoadAfterShown() override;

    // Runs the work now unless it has run.
    void loadNow();
    bool isLoaded() const { return m_loaded; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& m_window;
    std::function<void()> m_load;
    bool m_loaded = false;
    bool m_scheduled = false;
};

} // namespace varelith
