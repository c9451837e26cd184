#pragma once

#include "settingsproblem.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <utility>

namespace varelith {

// Tells the user about a problem with the settings file, once per kind in a session: the
// first save that fails for want of room is told, the ones after it are not, while a save
// that then fails for want of permission is told again. The store reads the file before
// any window exists, so what is found then waits for the main window: every message is
// shown over it, never as a box of its own. The words go to a sink handed in: the
// program's message box, or a test's own.
class SettingsProblemNotice {
public:
    using MessageSink = std::function<void(QWidget* window, const QString& text)>;

    explicit SettingsProblemNotice(MessageSink sink);

    void tell(const SettingsProblem& problem);
    // Called once the main window is shown: what waited is shown over it now, and
    // whatever is told later at once.
    void showOver(QWidget* window);

    // What went wrong, the file, and why: "設定を保存できませんでした。\n<file>\n<why>"
    static QString text(const SettingsProblem& problem);
    // The program's message box over the window: the text, one OK button, no icon.
    static void showMessageBox(QWidget* window, const QString& text);

private:
    MessageSink m_sink;
    QPointer<QWidget> m_window;
    bool m_windowShown = false;
    QStringList m_waiting;
    QList<std::pair<SettingsProblem::Kind, SettingsProblem::Reason>> m_told;
};

} // namespace varelith
