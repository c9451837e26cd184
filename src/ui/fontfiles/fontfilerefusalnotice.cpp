#include "fontfilerefusalnotice.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>

using namespace Qt::StringLiterals;

namespace varelith {

FontFileRefusalNotice::FontFileRefusalNotice(MessageSink sink)
    : m_sink(std::move(sink)) {}

void FontFileRefusalNotice::tell(const QStringList& reasons, QWidget* parent) const {
    if (reasons.isEmpty() || !m_sink)
        return;
    m_sink(parent, text(reasons), details(reasons));
}

QString FontFileRefusalNotice::text(const QStringList& reasons) {
    const QString head = reasons.size() == 1
                             ? u"フォントファイルを開けませんでした。"_s
                             : u"%1 個のフォントファイルを開けませんでした。"_s.arg(reasons.size());
    QStringList lines{head, QString()};
    lines.append(reasons.mid(0, ListedReasons));
    if (reasons.size() > ListedReasons)
        lines.append(u"ほか %1 個（詳細をご覧ください）"_s.arg(reasons.size() - ListedReasons));
    return lines.join(u'\n');
}

QString FontFileRefusalNotice::details(const QStringList& reasons) {
    return reasons.size() > ListedReasons ? reasons.join(u'\n') : QString();
}

void FontFileRefusalNotice::showMessageBox(QWidget* parent, const QString& text,
                                           const QString& details) {
    QMessageBox box(QMessageBox::Warning, u"Varelith"_s, text, QMessageBox::Ok, parent);
    box.setObjectName(u"fontFileRefusalBox"_s);
    box.setDefaultButton(QMessageBox::Ok);
    if (!details.isEmpty())
        box.setDetailedText(details);
    // The files may be refused while the hourglass is shown; the box is answered with the
    // arrow.
    QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    box.exec();
    QGuiApplication::restoreOverrideCursor();
}

} // namespace varelith
