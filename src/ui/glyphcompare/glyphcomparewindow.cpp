#include "glyphcomparewindow.h"

#include "codepoints.h"
#include "comparisoncanvas.h"
#include "formwindow.h"
#include "outlinefingerprints.h"
#include "sequencelisting.h"
#include "variationsequences.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

QString codePoints(const QString& text) {
    QStringList points;
    forEachCodePoint(text, [&](char32_t ucs4, qsizetype, qsizetype) {
        points.append(VariationSequences::isSelector(ucs4)
                          ? IvdCollections::selectorName(ucs4)
                          : u"U+%1"_s.arg(uint(ucs4), 4, 16, QChar(u'0')).toUpper());
    });
    return points.join(u' ');
}

char32_t firstCodePoint(const QString& text) {
    char32_t first = 0;
    forEachCodePoint(text, [&](char32_t ucs4, qsizetype position, qsizetype) {
        if (position == 0)
            first = ucs4;
    });
    return first;
}

bool hasSelector(const QString& text) {
    bool found = false;
    forEachCodePoint(text, [&](char32_t ucs4, qsizetype, qsizetype) {
        found = found || VariationSequences::isSelector(ucs4);
    });
    return found;
}

} // namespace

GlyphCompareWindow::GlyphCompareWindow(Shaper& shaper, FontList fonts, QStringList ivdFiles,
                                       QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_fontList(std::move(fonts))
    , m_ivdFiles(std::move(ivdFiles))
    , m_fingerprints(std::make_unique<OutlineFingerprints>(shaper))
    , m_sequences(std::make_unique<VariationSequences>())
    , m_comparison(std::make_unique<GlyphComparison>(shaper, *m_fingerprints)) {
    setObjectName(u"GlyphCompareWindow"_s);
    setWindowTitle(u"字形比較"_s);
    // Left open, it does not keep the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(780, 560);

    auto* layout = new QVBoxLayout(this);
    auto* input = new QHBoxLayout;
    auto* label = new QLabel(u"文字(&C):"_s, this);
    m_characterBox = new QLineEdit(this);
    m_characterBox->setObjectName(u"characterBox"_s);
    m_characterBox->setAccessibleName(u"比較する文字"_s);
    m_characterBox->setPlaceholderText(u"比べる文字を入力（例：辻葛𠮟）"_s);
    label->setBuddy(m_characterBox);
    input->addWidget(label);
    input->addWidget(m_characterBox, 1);
    layout->addLayout(input);

    auto* switches = new QHBoxLayout;
    for (const QString& tag : GlyphComparison::switchTags()) {
        auto* box = new QCheckBox(tag, this);
        box->setObjectName(u"switch_"_s + tag);
        const QString description = FeatureSettings::describe(tag);
        box->setToolTip(description.isEmpty() ? tag : description);
        box->setAccessibleName(description.isEmpty() ? tag : tag + u' ' + description);
        switches->addWidget(box);
        m_switches.insert(tag, box);
        connect(box, &QCheckBox::toggled, this, &GlyphCompareWindow::compare);
    }
    switches->addStretch(1);
    layout->addLayout(switches);

    m_summary = new QLabel(this);
    m_summary->setObjectName(u"summary"_s);
    m_summary->setWordWrap(true);
    layout->addWidget(m_summary);

    m_canvas = new ComparisonCanvas(shaper);
    m_area = new QScrollArea(this);
    m_area->setObjectName(u"ComparisonArea"_s);
    m_area->setWidgetResizable(true);
    m_area->setWidget(m_canvas);
    layout->addWidget(m_area, 1);

    connect(m_characterBox, &QLineEdit::textChanged, this, &GlyphCompareWindow::compare);
}

GlyphCompareWindow::~GlyphCompareWindow() = default;

const IvdCollections& GlyphCompareWindow::collections() {
    if (!m_collections)
        m_collections = IvdCollections::load(m_ivdFiles);
    return *m_collections;
}

FeatureSettings GlyphCompareWindow::switches() const {
    FeatureSettings settings;
    for (const QString& tag : GlyphComparison::switchTags())
        if (m_switches.value(tag)->isChecked())
            settings.set(tag, true);
    return settings;
}

void GlyphCompareWindow::showCharacters(const QString& characters) {
    m_fonts = m_fontList ? m_fontList() : QList<ComparedFont>();
    // Setting the same text again changes nothing, so the comparison runs here.
    if (!characters.isEmpty() && characters != m_characterBox->text()) {
        const QSignalBlocker quiet(m_characterBox);
        m_characterBox->setText(characters);
    }
    compare();
    show();
    raise();
    activateWindow();
}

void GlyphCompareWindow::compare() {
    const FeatureSettings features = switches();
    QStringList characters = GlyphComparison::characters(m_characterBox->text());
    if (characters.size() > MaxCharacters)
        characters.resize(MaxCharacters);
    m_rows.clear();
    QList<ComparisonCanvas::Section> sections;
    for (const QString& character : characters) {
        const GlyphComparison::Row row = m_comparison->compare(character, m_fonts, features);
        m_rows.append(row);
        ComparisonCanvas::Section section;
        int missing = 0;
        int differing = 0;
        for (qsizetype i = 0; i < m_fonts.size(); ++i) {
            const GlyphComparison::Cell& cell = row.cells.at(i);
            missing += cell.missing ? 1 : 0;
            differing += cell.differs ? 1 : 0;
            section.cells.append({m_fonts.at(i).name,
                                  m_fonts.at(i).face,
                                  character,
                                  {},
                                  cell.missing,
                                  cell.differs});
        }
        section.title = u"%1  %2    字形の違い %3 書体・文字なし %4 書体"_s.arg(
            character, codePoints(character), QString::number(differing), QString::number(missing));
        sections.append(section);

        // A character typed with its selector is its sequence already.
        if (hasSelector(character))
            continue;
        const char32_t base = firstCodePoint(character);
        const QList<SequenceListing::Entry> entries =
            SequenceListing::list(base, m_fonts, *m_sequences, collections());
        // The fonts that define any sequence of the character; the rest would only say
        // "none" in every section.
        QList<qsizetype> defining;
        for (qsizetype i = 0; i < m_fonts.size(); ++i)
            for (const SequenceListing::Entry& entry : entries)
                if (entry.fonts.at(i).has) {
                    defining.append(i);
                    break;
                }
        for (const SequenceListing::Entry& entry : entries) {
            ComparisonCanvas::Section sequence;
            sequence.title = u"%1  %2"_s.arg(entry.text, codePoints(entry.text));
            if (!entry.collection.isEmpty())
                sequence.title += u"  "_s + entry.collection;
            for (const qsizetype i : defining) {
                const SequenceListing::Presence presence = entry.fonts.at(i);
                sequence.cells.append({m_fonts.at(i).name, m_fonts.at(i).face, entry.text,
                                       presence.isDefault ? u"既定の字形"_s : QString(),
                                       !presence.has, false});
            }
            sections.append(sequence);
        }
    }
    m_canvas->setSections(sections, features);
    m_summary->setText(
        m_fonts.isEmpty()
            ? u"チェックされたフォントがありません。"_s
            : u"%1 書体で比較。太枠: 先頭の書体と字形が違う・網掛け「なし」: 文字がない"_s.arg(
                  m_fonts.size()));
}

void GlyphCompareWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape || FormWindow::isCloseShortcut(*event)) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace varelith
