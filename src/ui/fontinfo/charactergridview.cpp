#include "charactergridview.h"

#include "charactergrid.h"
#include "facedrawing.h"

#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

CharacterGridView::CharacterGridView(QClipboard* clipboard, QWidget* parent)
    : QWidget(parent)
    , m_clipboard(clipboard)
    , m_blocks(new QComboBox(this))
    , m_area(new QScrollArea(this))
    , m_grid(new CharacterGrid)
    , m_chosen(new QLabel(this)) {
    setObjectName(u"CharacterGridView"_s);
    m_blocks->setObjectName(u"cbo_Block"_s);
    m_blocks->setAccessibleName(u"Unicode のブロック"_s);
    m_area->setObjectName(u"CharacterArea"_s);
    m_area->setWidget(m_grid);
    m_area->setWidgetResizable(true);
    m_area->setFocusPolicy(Qt::NoFocus);
    m_chosen->setObjectName(u"lbl_Character"_s);
    m_chosen->setAccessibleName(u"選んだ文字"_s);
    m_chosen->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_chosen->setText(u"文字をクリックすると、その文字をコピーします。"_s);
    connect(m_blocks, &QComboBox::currentIndexChanged, this, &CharacterGridView::showBlock);
    connect(m_grid, &CharacterGrid::characterChosen, this, &CharacterGridView::choose);

    auto* caption = new QLabel(u"ブロック(&B):"_s, this);
    caption->setBuddy(m_blocks);
    auto* gridCaption = new QLabel(u"文字(&X):"_s, this);
    gridCaption->setBuddy(m_grid);
    auto* row = new QHBoxLayout;
    row->addWidget(caption);
    row->addWidget(m_blocks, 1);
    auto* column = new QVBoxLayout(this);
    column->addLayout(row);
    column->addWidget(gridCaption);
    column->addWidget(m_area, 1);
    column->addWidget(m_chosen);
}

void CharacterGridView::setFace(const FaceDrawing* face) {
    m_face = face;
    m_faceBlocks = CharacterBlocks::of(face ? face->characters() : nullptr);
    const QSignalBlocker quiet(m_blocks);
    m_blocks->clear();
    for (const CharacterBlocks::Block& block : m_faceBlocks)
        m_blocks->addItem(u"%1（%2）"_s.arg(block.name).arg(block.characters.size()));
    m_blocks->setCurrentIndex(m_faceBlocks.isEmpty() ? -1 : 0);
    showBlock(m_blocks->currentIndex());
}

void CharacterGridView::showBlock(int index) {
    const bool valid = index >= 0 && index < m_faceBlocks.size();
    m_grid->setCharacters(m_face, valid ? m_faceBlocks.at(index).characters : QList<char32_t>());
    m_area->ensureVisible(0, 0);
}

void CharacterGridView::choose(char32_t character) {
    const QString text = QString::fromUcs4(&character, 1);
    if (m_clipboard)
        m_clipboard->setText(text);
    m_chosen->setText(u"%1  U+%2  %3 — コピーしました"_s.arg(
        text, u"%1"_s.arg(uint(character), 4, 16, QChar(u'0')).toUpper(),
        CharacterBlocks::characterName(character)));
}

} // namespace varelith
