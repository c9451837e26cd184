#pragma once

#include "facefactsview.h"
#include "fontinfoopener.h"

#include <QWidget>

#include <functional>
#include <memory>

class QAbstractButton;
class QClipboard;
class QHBoxLayout;
class QLineEdit;
class QScrollArea;
class QTabWidget;

namespace varelith {

class CharacterGridView;
class CoverageView;
class FaceDrawing;
class FaceList;
class FamilyFaces;
class FamilyNames;
class Shaper;
struct FontFace;

// "フォント情報": what is known of one family. Not modal, and one window for the whole
// run: asked for another family, it follows. Its names at the top; its faces on the
// left, each set by the shaper in itself with the main window's sample; for the chosen
// face, tabs with the facts, the Japanese coverage and the character grid (the waterfall
// is the typesetting section's, added beside them). Esc closes it. Nothing is read before
// the first family is asked for.
class FontInfoWindow : public QWidget, public FontInfoOpener {
    Q_OBJECT

public:
    // `sample`: the main window's sample text at the moment of asking; when empty, a
    // Japanese and Latin pangram is drawn instead.
    FontInfoWindow(FamilyNames& names, FamilyFaces& faces, Shaper& shaper,
                   std::function<QString()> sample, FaceFactsView::UrlOpener openUrl,
                   QClipboard* clipboard, QWidget* parent = nullptr);
    ~FontInfoWindow() override;

    void showFamily(const QString& family) override;
    // Fills the window for the family without showing it.
    void setFamily(const QString& family);
    const QString& family() const { return m_family; }

    static QString defaultSample();

    // A further section for the chosen face, as a tab after the others.
    void addSection(QWidget* section, const QString& title);
    // A button that acts on the whole family, after its names, next in the Tab order.
    void addFamilyButton(QAbstractButton* button);

    QLineEdit* namesLine() const { return m_names; }
    FaceList* faceList() const { return m_faceList; }
    QTabWidget* sections() const { return m_sections; }
    FaceFactsView* facts() const { return m_facts; }
    CoverageView* coverage() const { return m_coverage; }
    CharacterGridView* characterGrid() const { return m_grid; }
    // The chosen face's drawing; null when the family has no face.
    const FaceDrawing* currentFace() const;

Q_SIGNALS:
    // After another family was filled in, a family without faces too.
    void familyChanged(const QString& family);
    // After the chosen face changed, its sections filled.
    void faceChanged(const QString& family, const FontFace& face);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build();
    void chooseFace(int row);
    // The interface face's pattern; owned by the faces.
    const FcPattern* interfaceFace();

    FamilyNames& m_familyNames;
    FamilyFaces& m_familyFaces;
    Shaper& m_shaper;
    std::function<QString()> m_sample;
    FaceFactsView::UrlOpener m_openUrl;
    QClipboard* m_clipboard;
    QString m_family;
    QList<std::shared_ptr<FaceDrawing>> m_drawings;

    QLineEdit* m_names = nullptr;
    QHBoxLayout* m_namesRow = nullptr;
    QWidget* m_lastInNamesRow = nullptr;
    FaceList* m_faceList = nullptr;
    QTabWidget* m_sections = nullptr;
    FaceFactsView* m_facts = nullptr;
    CoverageView* m_coverage = nullptr;
    CharacterGridView* m_grid = nullptr;
};

} // namespace varelith
