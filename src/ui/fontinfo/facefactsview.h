#pragma once

#include <QWidget>

#include <functional>

class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QUrl;

namespace varelith {

struct FaceFacts;
struct FontFace;

// The facts of one face: its file (selectable, with a button that opens its folder),
// collection index, format and axes, version, makers, copyright, licence with its link,
// embedding permission, glyph count, layout features and languages.
class FaceFactsView : public QWidget {
    Q_OBJECT

public:
    // How a folder or a link is opened: the desktop's way in the program.
    using UrlOpener = std::function<bool(const QUrl&)>;

    explicit FaceFactsView(UrlOpener openUrl, QWidget* parent = nullptr);

    void setFacts(const FontFace& face, const FaceFacts& facts, const QStringList& languages);

    QLineEdit* filePath() const { return m_file; }
    QPushButton* openFolderButton() const { return m_openFolder; }
    QLabel* licenceLink() const { return m_licenceUrl; }
    // The value shown for a row, by the row's object name ("lbl_Embedding"...).
    QString value(const QString& objectName) const;

private:
    QLabel* addRow(const QString& caption, const QString& objectName, const QString& accessible);

    UrlOpener m_openUrl;
    QLineEdit* m_file;
    QPushButton* m_openFolder;
    QLabel* m_licenceUrl = nullptr;
    QFormLayout* m_form;
};

} // namespace varelith
