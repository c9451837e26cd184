#include "fontinfowindow.h"

#include "charactergridview.h"
#include "coverageview.h"
#include "facedrawing.h"
#include "facefacts.h"
#include "facelist.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fonttextfont.h"
#include "japanesecoverage.h"
#include "languagename.h"

#include <QAbstractButton>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QWindow>

using namespace Qt::StringLiterals;

namespace varelith {

FontInfoWindow::FontInfoWindow(FamilyNames& names, FamilyFaces& faces, Shaper& shaper,
                               std::function<QString()> sample, FaceFactsView::UrlOpener openUrl,
                               QClipboard* clipboard, QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_familyNames(names)
    , m_familyFaces(faces)
    , m_shaper(shaper)
    , m_sample(std::move(sample))
    , m_openUrl(std::move(openUrl))
    , m_clipboard(clipboard) {
    setObjectName(u"FontInfoWindow"_s);
    setWindowTitle(u"フォント情報"_s);
    // Left open, it does not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
}

FontInfoWindow::~FontInfoWindow() = default;

QString FontInfoWindow::defaultSample() {
    return u"いろはにほへと ちりぬるを 永遠の縦書き The quick brown fox jumps over the lazy dog 0123456789"_s;
}

void FontInfoWindow::build() {
    m_names = new QLineEdit(this);
    m_names->setObjectName(u"txt_Names"_s);
    m_names->setAccessibleName(u"ファミリー名"_s);
    m_names->setReadOnly(true);
    auto* namesCaption = new QLabel(u"名前(&N):"_s, this);
    namesCaption->setBuddy(m_names);

    m_faceList = new FaceList(this);
    auto* facesCaption = new QLabel(u"書体(&S):"_s, this);
    facesCaption->setBuddy(m_faceList);
    auto* facesPane = new QWidget(this);
    auto* facesColumn = new QVBoxLayout(facesPane);
    facesColumn->setContentsMargins(0, 0, 0, 0);
    facesColumn->addWidget(facesCaption);
    facesColumn->addWidget(m_faceList, 1);

    m_sections = new QTabWidget(this);
    m_sections->setObjectName(u"tab_Sections"_s);
    m_sections->setAccessibleName(u"書体の情報"_s);
    m_facts = new FaceFactsView(m_openUrl, m_clipboard);
    auto* factsArea = new QScrollArea;
    factsArea->setObjectName(u"FactsArea"_s);
    factsArea->setWidget(m_facts);
    factsArea->setWidgetResizable(true);
    factsArea->setFocusPolicy(Qt::NoFocus);
    m_coverage = new CoverageView;
    m_grid = new CharacterGridView(m_clipboard);
    m_sections->addTab(factsArea, u"詳細(&D)"_s);
    m_sections->addTab(m_coverage, u"日本語(&J)"_s);
    m_sections->addTab(m_grid, u"文字一覧(&G)"_s);

    auto* splitter = new QSplitter(this);
    splitter->setObjectName(u"FontInfoSplitter"_s);
    splitter->addWidget(facesPane);
    splitter->addWidget(m_sections);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({380, 580});
    splitter->setChildrenCollapsible(false);

    m_namesRow = new QHBoxLayout;
    m_namesRow->addWidget(namesCaption);
    m_namesRow->addWidget(m_names, 1);
    m_lastInNamesRow = m_names;
    auto* column = new QVBoxLayout(this);
    column->addLayout(m_namesRow);
    column->addWidget(splitter, 1);
    setTabOrder(m_names, m_faceList);
    setTabOrder(m_faceList, m_sections);

    connect(m_faceList, &QListWidget::currentRowChanged, this, &FontInfoWindow::chooseFace);
    resize(960, 640);
}

void FontInfoWindow::addSection(QWidget* section, const QString& title) {
    if (!m_sections)
        build();
    m_sections->addTab(section, title);
}

void FontInfoWindow::addFamilyButton(QAbstractButton* button) {
    if (!m_sections)
        build();
    m_namesRow->addWidget(button);
    // Put after the last of the row; the faces still follow the row.
    setTabOrder(m_lastInNamesRow, button);
    m_lastInNamesRow = button;
}

void FontInfoWindow::showFamily(const QString& family) {
    setFamily(family);
    show();
    // Asked for from a modal dialog (the font selection), it stays usable beside it.
    if (QWidget* modal = QApplication::activeModalWidget();
        modal && modal != this && modal->windowHandle() && windowHandle())
        windowHandle()->setTransientParent(modal->windowHandle());
    raise();
    activateWindow();
}

void FontInfoWindow::setFamily(const QString& family) {
    if (!m_sections)
        build();
    m_family = family;
    setWindowTitle(u"フォント情報 - %1"_s.arg(family));

    QString sample = m_sample ? m_sample() : QString();
    if (sample.trimmed().isEmpty())
        sample = defaultSample();
    // The drawings of the faces shown before are let go only after the sections that
    // point at them have moved on.
    const QList<std::shared_ptr<FaceDrawing>> previous = m_drawings;
    m_drawings.clear();
    for (const FontFace& face : m_familyFaces.faces(family))
        m_drawings.append(
            std::make_shared<FaceDrawing>(m_shaper, family, face, m_familyFaces.pattern(face)));
    // Each name with its language where there are several.
    const QList<FamilyNames::Name>& all = m_familyNames.names(family);
    QStringList names;
    for (const FamilyNames::Name& name : all)
        names.append(all.size() < 2 || name.language.isEmpty()
                         ? name.text
                         : u"%1（%2）"_s.arg(name.text, LanguageName::inJapanese(name.language)));
    const QString namesText = names.isEmpty() ? family : names.join(u"、");
    m_names->setFont(
        FontTextFont::choose(namesText, font(), interfaceFace(), m_drawings.value(0).get()));
    m_names->setText(namesText);
    m_names->setCursorPosition(0);
    m_grid->setFace(nullptr);
    {
        const QSignalBlocker quiet(m_faceList);
        m_faceList->setFaces(m_drawings, sample);
    }
    // The face a plain font of the family draws comes first to the eye.
    int row = 0;
    if (const std::optional<FontFace> regular =
            FamilyFaces::nearest(m_familyFaces.faces(family), SheetStyle::Regular))
        for (qsizetype i = 0; i < m_drawings.size(); ++i)
            if (m_drawings.at(i)->face() == *regular)
                row = int(i);
    {
        const QSignalBlocker quiet(m_faceList);
        m_faceList->setCurrentRow(m_drawings.isEmpty() ? -1 : row);
    }
    chooseFace(m_faceList->currentRow());
    Q_EMIT familyChanged(family);
}

const FcPattern* FontInfoWindow::interfaceFace() {
    const std::optional<FontFace> plain =
        m_familyFaces.nearest(font().family(), SheetStyle::Regular);
    return plain ? m_familyFaces.pattern(*plain) : nullptr;
}

const FaceDrawing* FontInfoWindow::currentFace() const {
    return m_faceList ? m_faceList->drawing(m_faceList->currentRow()) : nullptr;
}

void FontInfoWindow::chooseFace(int row) {
    const FaceDrawing* drawing = m_faceList->drawing(row);
    m_grid->setFace(drawing);
    if (!drawing) {
        m_coverage->setCoverage(JapaneseCoverage(nullptr));
        return;
    }
    const FontFace& face = drawing->face();
    m_facts->setInterfaceFace(interfaceFace());
    m_facts->setFacts(face, FaceFacts::read(face.file, face.index), m_familyFaces.languages(face),
                      drawing);
    m_coverage->setCoverage(JapaneseCoverage(drawing->characters()));
    Q_EMIT faceChanged(m_family, face);
}

void FontInfoWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace varelith
