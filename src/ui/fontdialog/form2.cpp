#include "form2.h"

#include "bulkticks.h"
#include "enterbutton.h"
#include "errortrap.h"
#include "familysetsbar.h"
#include "fontcatalogue.h"
#include "fontfilterbar.h"
#include "fontfiltermodel.h"
#include "fontlistinfohook.h"
#include "formwindow.h"
#include "japaneseinterface.h"
#include "listsummaryline.h"
#include "mousepointer.h"
#include "numberconversion.h"
#include "pagerules.h"
#include "rejectedfamiliesactions.h"
#include "ticklistmodel.h"
#include "ticklistview.h"
#include "windowicon.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// The list's own area, 3495 x 5730 twips at 15 twips a pixel, and the strip below it that
// holds the close button and the count line, 615 twips high.
constexpr QSize ListSize(233, 382);
constexpr int BottomStripHeight = 41;

} // namespace

Form2::Form2(FontCatalogue& catalogue, const FontSource& fonts, SettingsStore& store,
             FamilyNames& familyNames, QWidget* parent)
    : QDialog(parent)
    , m_catalogue(catalogue)
    , m_fonts(fonts)
    , m_store(store)
    , m_familyNames(familyNames)
    , m_coverage(familyNames.installedFonts())
    , m_listNames(familyNames)
    , m_list1(new TickListView(this))
    , m_command1(new EnterButton(u"閉じる"_s, this))
    , m_lblCnt(new QLabel(this))
    , m_filterBar(new FontFilterBar(this))
    , m_shownFonts(new FontFilterModel(m_list1->tickModel(), m_writingSystems, m_coverage,
                                       m_listNames, this))
    , m_bulkTicks(new BulkTicks(*m_list1, *m_shownFonts, m_list1->tickModel(), this))
    , m_lblShown(new ListSummaryLine(*m_shownFonts, m_list1->tickModel(), this))
    , m_lblLimit(new QLabel(this))
    , m_duplicateFiles(familyNames.installedFonts())
    , m_setsBar(new FamilySetsBar(m_sets, m_list1->tickModel(), m_setPrompts, this))
    , m_rejectedActions(new RejectedFamiliesActions(m_rejected, *m_list1, *m_shownFonts,
                                                    m_list1->tickModel(), this)) {
    setObjectName(u"Form2"_s);
    setWindowTitle(u"表示フォント選択"_s);
    setWindowIcon(WindowIcon::icon());
    setFont(QFont(JapaneseInterface::interfaceFace(u"ＭＳ Ｐゴシック"_s), 9));
    // The close box only: no minimize, maximize or help box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);

    m_list1->setObjectName(u"List1"_s);
    m_list1->setAccessibleName(u"フォント一覧"_s);
    m_list1->setModel(m_shownFonts);
    m_list1->setMinimumSize(ListSize);
    m_list1->setContextMenuPolicy(Qt::ActionsContextMenu);
    m_list1->addActions({m_bulkTicks->tickShownAction(), m_bulkTicks->untickShownAction(),
                         m_bulkTicks->invertShownAction()});
    auto* separator = new QAction(this);
    separator->setSeparator(true);
    m_list1->addActions(
        {separator, m_rejectedActions->rejectAction(), m_rejectedActions->acceptAction()});

    m_command1->setObjectName(u"Command1"_s);
    m_command1->setAccessibleName(u"閉じる"_s);

    m_lblCnt->setObjectName(u"lbl_cnt"_s);
    // No accessible name of its own: a label's name is its text, "120個中37個選択", and
    // follows every change of it. What the line is goes in the description.
    m_lblCnt->setAccessibleDescription(u"選択数"_s);

    m_lblLimit->setObjectName(u"lbl_Limit"_s);
    m_lblLimit->setAccessibleDescription(u"一覧に表示できるフォント数の上限"_s);
    m_lblLimit->setWordWrap(true);
    m_lblLimit->hide();

    layOut();
    setTabOrder(m_list1, m_command1);
    setTabOrder(m_command1, m_filterBar->txt_Filter());

    connect(m_command1, &QPushButton::clicked, this, &Form2::Command1_Click);
    connect(m_rejectedActions, &RejectedFamiliesActions::failed, m_setsBar, &FamilySetsBar::tell);
    connect(m_filterBar, &FontFilterBar::nameFilterChanged, m_shownFonts,
            &FontFilterModel::setNameFilter);
    connect(m_filterBar, &FontFilterBar::writingSystemChanged, m_shownFonts,
            &FontFilterModel::setWritingSystem);
    connect(m_filterBar, &FontFilterBar::sampleFilterToggled, m_shownFonts,
            &FontFilterModel::setSampleFilter);
    connect(m_filterBar, &FontFilterBar::duplicatesFilterToggled, this, [this](bool on) {
        m_shownFonts->setOnlyWhere(on ? std::function([this](const QString& family) {
            return m_duplicateFiles.hasDuplicates(family);
        })
                                      : std::function<bool(const QString&)>());
    });
    connect(m_filterBar->btn_TickAll(), &QPushButton::clicked, m_bulkTicks->tickShownAction(),
            &QAction::trigger);
    connect(m_filterBar->btn_UntickAll(), &QPushButton::clicked, m_bulkTicks->untickShownAction(),
            &QAction::trigger);
    connect(m_filterBar->btn_Invert(), &QPushButton::clicked, m_bulkTicks->invertShownAction(),
            &QAction::trigger);
}

void Form2::layOut() {
    // The list keeps at least its designed size with the close button and the count line
    // below it where they were; the strip above it is added, and the window may grow.
    auto* bottom = new QWidget(this);
    bottom->setObjectName(u"BottomStrip"_s);
    bottom->setFixedHeight(BottomStripHeight);
    auto* row = new QHBoxLayout(bottom);
    row->setContentsMargins(8, 10, 8, 6);
    row->setSpacing(8);
    // Wide enough for the longest count either line can show, so they never overlap.
    const Int16 most(Int16::Max);
    m_lblCnt->setMinimumWidth(std::max(
        116, m_lblCnt->fontMetrics().horizontalAdvance(FontCatalogue::countLine(most, most))));
    m_lblShown->setMinimumWidth(m_lblShown->fontMetrics().horizontalAdvance(
        ListSummaryLine::lineFor(Int16::Max, Int16::Max)));
    m_command1->setFixedSize(89, 25);
    row->addWidget(m_lblCnt);
    row->addWidget(m_lblShown, 1);
    row->addWidget(m_command1);

    m_lblLimit->setContentsMargins(8, 4, 8, 0);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_filterBar);
    column->addWidget(m_setsBar);
    column->addWidget(m_list1, 1);
    column->addWidget(m_lblLimit);
    column->addWidget(bottom);
    // It opens a little taller than its least, so that more fonts show at once.
    resize(std::max(minimumSizeHint().width(), 320), minimumSizeHint().height() + 140);
}

void Form2::Form_Load() {
    MousePointer::set(MousePointer::Hourglass);
    trapErrors([this] { Setfont(); });
    MousePointer::set(MousePointer::Default);
}

void Form2::Setfont() {
    m_catalogue.build(m_fonts, m_store, *this);
    showLimitLine();
}

void Form2::commitChangedTicks() {
    trapErrors([this] {
        bool changed = listCount() != m_catalogue.FontNum();
        for (int n = 1; n <= m_catalogue.FontNum() && !changed; ++n)
            changed = isSelected(n - 1) != m_catalogue.isTicked(n);
        if (changed)
            m_catalogue.commit(*this, m_store);
    });
}

void Form2::reloadFonts() {
    commitChangedTicks();
    trapErrors([this] {
        FcConfig* const fonts = m_familyNames.installedFonts();
        m_coverage.setFonts(fonts);
        m_duplicateFiles.setFonts(fonts);
        m_writingSystems.forget();
        Setfont();
    });
}

void Form2::showLimitLine() {
    const int listed = m_catalogue.FontNum();
    const bool cut = m_catalogue.listedFamilies() > listed;
    m_lblLimit->setVisible(cut);
    if (cut)
        m_lblLimit->setText(u"フォントが %1 個あります。最初の %2 個だけを表示しています。"_s
                                .arg(m_catalogue.listedFamilies())
                                .arg(listed));
}

void Form2::setFontInfoOpener(FontInfoOpener* opener) {
    if (!opener)
        return;
    auto* bottom = findChild<QWidget*>(u"BottomStrip"_s);
    auto* hook = new FontListInfoHook(
        *m_list1, *opener,
        [this] {
            const QModelIndex row = m_shownFonts->mapToSource(m_list1->currentIndex());
            return row.isValid() ? m_list1->tickModel().name(row.row()) : QString();
        },
        bottom);
    static_cast<QBoxLayout*>(bottom->layout())->insertWidget(2, hook->button());
    setTabOrder(m_list1, hook->button());
    setTabOrder(hook->button(), m_command1);
}

void Form2::setUninstalledFamilies(UninstalledNote::Families uninstalled) {
    m_shownFonts->setNoteFor(u"uninstalled"_s,
                             [uninstalled = std::move(uninstalled)](const QString& family) {
                                 return UninstalledNote::wordFor(uninstalled, family);
                             });
}

void Form2::setSampleText(const QString& text) {
    m_shownFonts->setSampleText(text);
}

void Form2::unload() {
    if (m_unloaded)
        return;
    m_unloaded = true;
    Form_Unload();
    done(QDialog::Rejected);
}

void Form2::Form_Unload() {
    trapErrors([this] {
        m_catalogue.commit(*this, m_store);
        const Int16 pageTotal = PageRules::pageTotal(m_catalogue.SelNum());
        Q_EMIT pageFieldsReset(NumberConversion::toText(1), NumberConversion::toText(pageTotal));
    });
}

void Form2::Command1_Click() {
    unload();
}

void Form2::reject() {
    unload();
}

void Form2::closeEvent(QCloseEvent* event) {
    unload();
    event->accept();
}

void Form2::keyPressEvent(QKeyEvent* event) {
    // Alt+F4 closes the dialog even where no window manager turns it into a close.
    if (FormWindow::isCloseShortcut(*event)) {
        close();
        return;
    }
    QDialog::keyPressEvent(event);
}

void Form2::showEvent(QShowEvent* event) {
    // In the centre of the screen each time it is shown.
    FormWindow::centreOnScreen(*this);
    QDialog::showEvent(event);
    m_list1->setFocus();
}

void Form2::setListVisible(bool visible) {
    // Hidden, the list takes the whole refill as one reset and lays out once at the end.
    TickListModel& model = m_list1->tickModel();
    if (visible) {
        model.endRefill();
        m_list1->setVisible(true);
    } else {
        m_list1->setVisible(false);
        model.beginRefill();
    }
}

void Form2::clear() {
    m_list1->tickModel().clear();
}

void Form2::addItem(const QString& name) {
    m_list1->tickModel().append(name);
}

void Form2::setSelected(int index, bool ticked) {
    m_list1->tickModel().setTicked(index, ticked);
}

bool Form2::isSelected(int index) const {
    return m_list1->tickModel().isTicked(index);
}

int Form2::listCount() const {
    return m_list1->tickModel().count();
}

void Form2::setCountLine(const QString& text) {
    m_lblCnt->setText(text);
}

} // namespace varelith
