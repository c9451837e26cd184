#pragma once

#include "settingsproblem.h"

#include <QList>
#include <QString>

#include <functional>
#include <utility>

namespace varelith {

// Tells the user about a problem with the settings file, once per kind in a session: the
// first save that fails for want of room is told, the ones after it are not, while a save
// that then fails for want of permission is told again. The words go to a sink handed in:
// the program's message box, or a test's own.
class SettingsProblemNotice {
public:
    using MessageSink = std::function<void(const QString& text)>;

    explicit SettingsProblemNotice(MessageSink sink);

    void tell(const SettingsProblem& problem);

    // What went wrong, the file, and why: "設定を保存できませんでした。\n<file>\n<why>"
    static QString text(const SettingsProblem& problem);
    // The program's message box: the text, one OK button, no icon.
    static void showMessageBox(const QString& text);

private:
    MessageSink m_sink;
    QList<std::pair<SettingsProblem::Kind, SettingsProblem::Reason>> m_told;
};

} // namespace varelith
