#include "glyphcompareentries.h"

#include "charactergrid.h"
#include "charactergridview.h"
#include "codepoints.h"
#include "errortrap.h"
#include "fontinfowindow.h"
#include "form1.h"
#include "glyphcomparewindow.h"
#include "sheetfontinfohook.h"
#include "variationsequences.h"

#include <QAction>
#include <QMenu>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

const QString EntryText = u"字形比較(&G)..."_s;
// From the menu with nothing typed yet: the first characters of the sample.
constexpr int SampleCharacters = 8;

} // namespace

GlyphCompareEntries::GlyphCompareEntries(Form1& mainWindow, FontInfoWindow* fontInfo,
                                         WindowMaker makeWindow)
    : QObject(&mainWindow)
    , m_mainWindow(mainWindow)
    , m_fontInfo(fontInfo)
    , m_makeWindow(std::move(makeWindow)) {
    m_menuEntry = mainWindow.mview()->addAction(EntryText);
    m_menuEntry->setObjectName(u"mglyphcompare"_s);
    connect(m_menuEntry, &QAction::triggered, this, [this] {
        const bool typed = m_window && !m_window->rows().isEmpty();
        open(typed ? QString() : m_mainWindow.sampleText().left(SampleCharacters));
    });

    if (auto* hook = mainWindow.RText1()->findChild<SheetFontInfoHook*>()) {
        connect(
            hook, &SheetFontInfoHook::contextMenuFilled, this, [this](QMenu* menu, int position) {
                const QString character = characterAt(*m_mainWindow.RText1()->document(), position);
                QAction* entry = menu->addAction(
                    character.isEmpty() ? EntryText : u"「%1」を字形比較(&G)..."_s.arg(character));
                entry->setObjectName(u"mglyphcompare_context"_s);
                entry->setEnabled(!character.isEmpty());
                connect(entry, &QAction::triggered, this, [this, character] { open(character); });
            });
    }
    if (m_fontInfo)
        connect(m_fontInfo, &FontInfoWindow::faceChanged, this, &GlyphCompareEntries::attachToGrid);
}

GlyphCompareEntries::~GlyphCompareEntries() = default;

void GlyphCompareEntries::open(const QString& characters) {
    trapErrors([this, &characters] {
        if (!m_window)
            m_window = m_makeWindow();
        m_window->showCharacters(characters);
    });
}

void GlyphCompareEntries::attachToGrid() {
    // The grid is made with the window's first face; the entry is added to it once.
    if (m_gridEntry || !m_fontInfo->characterGrid())
        return;
    CharacterGrid* grid = m_fontInfo->characterGrid()->grid();
    m_gridEntry = new QAction(EntryText, grid);
    m_gridEntry->setObjectName(u"mglyphcompare_grid"_s);
    m_gridEntry->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_G));
    m_gridEntry->setShortcutContext(Qt::WidgetShortcut);
    grid->addAction(m_gridEntry);
    grid->setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_gridEntry, &QAction::triggered, this, [this, grid] {
        if (grid->current() >= 0 && grid->current() < grid->characters().size()) {
            const char32_t character = grid->characters().at(grid->current());
            open(QString::fromUcs4(&character, 1));
        }
    });
}

QString GlyphCompareEntries::characterAt(const QTextDocument& document, int position) {
    const QTextBlock block = document.findBlock(position);
    if (!block.isValid())
        return {};
    const QString text = block.text();
    qsizetype offset = position - block.position();
    // The second half of a surrogate pair belongs to the character that starts before it.
    if (offset > 0 && offset < text.size() && text.at(offset).isLowSurrogate() &&
        text.at(offset - 1).isHighSurrogate())
        --offset;
    if (offset < 0 || offset >= text.size())
        return {};
    QString character;
    forEachCodePoint(QStringView(text).sliced(offset),
                     [&](char32_t ucs4, qsizetype at, qsizetype length) {
                         if (at == 0)
                             character = text.mid(offset, length);
                         else if (character.size() <= 2 && character.size() == at &&
                                  VariationSequences::isSelector(ucs4))
                             character += text.mid(offset + at, length);
                     });
    const char32_t first = character.isEmpty() ? 0 : character.toUcs4().constFirst();
    const QChar::Category category = QChar::category(first);
    if (character.isEmpty() || QChar::isSpace(first) || category == QChar::Other_Control ||
        category == QChar::Other_Format || VariationSequences::isSelector(first))
        return {};
    return character;
}

} // namespace varelith
