#pragma once

#include <QStringList>

#include <functional>

class QWidget;

namespace varelith {

// The font files that could not be opened, told in one warning for all of them, each
// file's reason on a line of its own ("「a.ttf」はフォントファイルではないか、壊れています。");
// the files that could be opened are opened all the same. A long list is cut in the box and
// given whole in its details. The words go to a sink handed in: the program's message box,
// or a test's own.
class FontFileRefusalNotice {
public:
    // `details` is empty when the text holds every reason.
    using MessageSink =
        std::function<void(QWidget* parent, const QString& text, const QString& details)>;

    // At most this many reasons are listed in the box itself.
    static constexpr int ListedReasons = 10;

    explicit FontFileRefusalNotice(MessageSink sink = &FontFileRefusalNotice::showMessageBox);

    // One message for `reasons`, a sentence for each file refused; nothing for none.
    void tell(const QStringList& reasons, QWidget* parent) const;

    static QString text(const QStringList& reasons);
    static QString details(const QStringList& reasons);
    // A warning box over the parent with one OK button, the details behind its button.
    static void showMessageBox(QWidget* parent, const QString& text, const QString& details);

private:
    MessageSink m_sink;
};

} // namespace varelith
