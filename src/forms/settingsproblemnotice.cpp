#include "settingsproblemnotice.h"

#include "inisettingsstore.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>

namespace varelith {

namespace {

QString why(const SettingsProblem& problem) {
    using Kind = SettingsProblem::Kind;
    using Reason = SettingsProblem::Reason;
    const QString copy = QFileInfo(IniSettingsStore::damagedCopyPath(problem.path)).fileName();
    switch (problem.kind) {
    case Kind::Damaged:
        return QStringLiteral("元のファイルを %1 として残し、読み取れた設定だけを使います。")
            .arg(copy);
    case Kind::DamagedNotKept:
        return QStringLiteral(
            "元のファイルを残せないため、読み取れた設定だけを使い、このファイルには保存しません。");
    case Kind::NotSaved:
        break;
    }
    switch (problem.reason) {
    case Reason::NoPermission:
        return QStringLiteral("書き込みが許可されていません。");
    case Reason::NoSpace:
        return QStringLiteral("ディスクの空き容量が足りません。");
    case Reason::InTheWay:
        return QStringLiteral("保存先に、同じ名前のフォルダーかファイルがあります。");
    case Reason::None:
    case Reason::Unknown:
        break;
    }
    return QStringLiteral("書き込みに失敗しました。");
}

} // namespace

SettingsProblemNotice::SettingsProblemNotice(MessageSink sink)
    : m_sink(std::move(sink)) {}

void SettingsProblemNotice::tell(const SettingsProblem& problem) {
    const std::pair kind(problem.kind, problem.reason);
    if (m_told.contains(kind))
        return;
    m_told.append(kind);
    if (m_windowShown)
        m_sink(m_window, text(problem));
    else
        m_waiting.append(text(problem));
}

void SettingsProblemNotice::showOver(QWidget* window) {
    m_window = window;
    m_windowShown = true;
    for (const QString& waiting : std::exchange(m_waiting, {}))
        m_sink(m_window, waiting);
}

QString SettingsProblemNotice::text(const SettingsProblem& problem) {
    const QString what = problem.kind == SettingsProblem::Kind::NotSaved
                             ? QStringLiteral("設定を保存できませんでした。")
                             : QStringLiteral("設定ファイルが壊れていました。");
    return what + u'\n' + QDir::toNativeSeparators(problem.path) + u'\n' + why(problem);
}

void SettingsProblemNotice::showMessageBox(QWidget* window, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Varelith"), text, QMessageBox::Ok, window);
    box.setDefaultButton(QMessageBox::Ok);
    // The box may come up while the hourglass is shown; it is answered with the arrow.
    QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    box.exec();
    QGuiApplication::restoreOverrideCursor();
}

} // namespace varelith
