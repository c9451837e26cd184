#pragma once

#include <QWidget>

#include <fontconfig/fontconfig.h>

#include <functional>

class QClipboard;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QUrl;

namespace varelith {

class FaceDrawing;
struct FaceFacts;
struct FontFace;

// The facts of one face: its file (selectable, with a button that opens its folder),
// collection index, format and axes, version, makers, copyright, licence with its link,
// embedding permission, glyph count, layout features and languages. Each value is its
// own label, so a screen reader reads it as text; its caption is the label for it.
class FaceFactsView : public QWidget {
    Q_OBJECT

public:
    // How a folder or a link is opened: the desktop's way in the program. False when it
    // could not be opened: the user is told, and offered the address for `clipboard`.
    using UrlOpener = std::function<bool(const QUrl&)>;

    FaceFactsView(UrlOpener openUrl, QClipboard* clipboard, QWidget* parent = nullptr);

    // `drawing`: the face, whose own text may be shown in it; null for none.
    void setFacts(const FontFace& face, const FaceFacts& facts, const QStringList& languages,
                  const FaceDrawing* drawing = nullptr);
    // The interface face's pattern, for the fonts the facts' texts are shown in.
    void setInterfaceFace(const FcPattern* face) { m_interfaceFace = face; }

    QLineEdit* filePath() const { return m_file; }
    QPushButton* openFolderButton() const { return m_openFolder; }
    QLabel* licenceLink() const { return m_licenceUrl; }
    // The value shown for a row, by the row's object name ("lbl_Embedding"...).
    QString value(const QString& objectName) const;

private:
    QLabel* addRow(const QString& caption, const QString& objectName, const QString& accessible);
    void open(const QUrl& url, bool folder);

    UrlOpener m_openUrl;
    QClipboard* m_clipboard;
    QLineEdit* m_file;
    QPushButton* m_openFolder;
    QLabel* m_licenceUrl = nullptr;
    QFormLayout* m_form;
    const FcPattern* m_interfaceFace = nullptr;
};

} // namespace varelith
