#include "form1.h"

#include "appversion.h"
#include "errortrap.h"
#include "fontcatalogue.h"
#include "fontfiledrops.h"
#include "fontsize.h"
#include "form2.h"
#include "formwindow.h"
#include "japaneseinterface.h"
#include "mousepointer.h"
#include "numberconversion.h"
#include "pagerules.h"
#include "pagingfocus.h"
#include "printcommands.h"
#include "settingsstore.h"
#include "shapedsheetview.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"
#include "sheetfontinfohook.h"
#include "sheetlinefaces.h"
#include "sheetstylemenu.h"
#include "specimenbookcommand.h"
#include "titlefit.h"
#include "typesettingmenu.h"
#include "windowicon.h"

#include <QAction>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextEdit>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// The client area at start, in pixels at 96 dpi.
constexpr QSize ClientSize(521, 401);
// The control strip's height; the view starts right below it.
constexpr int StripHeight = 24;
// Form_Resize gives the view the client height less this.
constexpr int ViewHeightAllowance = 22;
constexpr double DefaultViewPoints = 20.0;
constexpr int KeyEnter = 13;

// The face of the control strip and the page total label, and its classic size.
QString gothicFace() {
    return JapaneseInterface::interfaceFace(u"ＭＳ Ｐゴシック"_s);
}
constexpr int InterfacePoints = 9;

// A label that sizes itself to its caption from its designed top-left corner.
void placeAutoSized(QLabel* label, int left, int top) {
    label->adjustSize();
    label->move(left, top);
}

} // namespace

Form1::Form1(FontCatalogue& catalogue, const FontSource& fonts, SettingsStore& store,
             FamilyNames& familyNames, PrintCommands* printCommands, GlyphCoverage* coverage,
             SpecimenBookCommand* specimenBook, SheetFaces* sheetFaces, Shaper* shaper,
             QWidget* parent)
    : QMainWindow(parent)
    , m_catalogue(catalogue)
    , m_fonts(fonts)
    , m_store(store)
    , m_familyNames(familyNames)
    , m_printCommands(printCommands)
    , m_coverage(coverage)
    , m_specimenBook(specimenBook)
    , m_sheetFaces(sheetFaces) {
    setObjectName(u"Form1"_s);
    setWindowTitle(u"Varelith"_s);
    setWindowIcon(WindowIcon::icon());
    setFont(QFont(gothicFace(), InterfacePoints));

    m_client = new QWidget(this);
    m_client->setObjectName(u"client"_s);
    setCentralWidget(m_client);
    buildControlStrip(m_client);
    buildMenus();
    if (shaper) {
        m_typesettingMenu = new TypesettingMenu(*m_mview, m_store, this);
        m_shapedSheet = new ShapedSheetView(
            *m_rtext1, *shaper,
            SheetLineFaces(
                m_coverage, m_sheetFaces, [this] { return sheetStyle(); },
                [this](const QString& family) { return m_uninstalled && m_uninstalled(family); }));
        m_shapedSheet->setTypesetting(m_typesettingMenu->typesetting());
        connect(m_typesettingMenu, &TypesettingMenu::changed, m_shapedSheet,
                &ShapedSheetView::setTypesetting);
    }
    m_client->installEventFilter(this);

    resize(ClientSize.width(), ClientSize.height() + menuBar()->sizeHint().height());
    m_text1->setFocus();
}

Form1::~Form1() = default;

void Form1::buildControlStrip(QWidget* client) {
    m_label1 = new QLabel(u"表示文字列"_s, client);
    m_label1->setObjectName(u"Label1"_s);
    placeAutoSized(m_label1, 8, 4);

    m_text1 = new QLineEdit(client);
    m_text1->setObjectName(u"Text1"_s);
    m_text1->setAccessibleName(u"表示文字列"_s);
    m_text1->setGeometry(72, 4, 209, 18);
    // A hint, not text: the box still reads empty and no change is reported.
    m_text1->setPlaceholderText(u"見本の文字を入力して Enter"_s);

    m_label3 = new QLabel(u"サイズ"_s, client);
    m_label3->setObjectName(u"Label3"_s);
    placeAutoSized(m_label3, 288, 4);

    m_text2 = new QLineEdit(client);
    m_text2->setObjectName(u"Text2"_s);
    m_text2->setAccessibleName(u"サイズ"_s);
    // The caption stays "サイズ"; the unit and the range go in the tip.
    m_text2->setToolTip(u"文字サイズ（ポイント、1～%1）。Enter で表示"_s.arg(FontSize::MaxPoints));
    m_text2->setAccessibleDescription(u"ポイント"_s);
    m_text2->setGeometry(328, 4, 33, 18);
    // Sizes are typed directly, never through an input method.
    m_text2->setAttribute(Qt::WA_InputMethodEnabled, false);

    m_btnBack = new QPushButton(u"<"_s, client);
    m_btnBack->setObjectName(u"btn_Back"_s);
    m_btnBack->setAccessibleName(m_btnBack->text());
    m_btnBack->setAccessibleDescription(u"前のページ"_s);
    m_btnBack->setToolTip(u"前のページ"_s);
    m_btnBack->setGeometry(384, 4, 17, 17);
    m_btnBack->setEnabled(false);

    m_lblPage1 = new QLineEdit(client);
    m_lblPage1->setObjectName(u"lbl_Page1"_s);
    m_lblPage1->setAccessibleName(u"ページ"_s);
    m_lblPage1->setToolTip(u"表示するページの番号。Enter で表示"_s);
    m_lblPage1->setGeometry(408, 4, 41, 18);
    m_lblPage1->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    m_label4 = new QLabel(u"/"_s, client);
    m_label4->setObjectName(u"Label4"_s);
    m_label4->setAccessibleDescription(u"ページの区切り"_s);
    m_label4->setGeometry(451, 4, 9, 17);

    m_lblPage2 = new QLabel(u"1"_s, client);
    m_lblPage2->setObjectName(u"lbl_Page2"_s);
    // A label is read by its text, "3", and follows every change of it; what it is
    // comes second.
    m_lblPage2->setAccessibleDescription(u"総ページ数"_s);
    // Wide enough for five digits in its bold face: "32767", the most a 16-bit count makes.
    m_lblPage2->setGeometry(460, 4, 42, 17);
    m_lblPage2->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    QFont totalFont(gothicFace(), InterfacePoints);
    totalFont.setWeight(QFont::Bold);
    m_lblPage2->setFont(totalFont);

    m_btnNext = new QPushButton(u">"_s, client);
    m_btnNext->setObjectName(u"btn_Next"_s);
    m_btnNext->setAccessibleName(m_btnNext->text());
    m_btnNext->setAccessibleDescription(u"次のページ"_s);
    m_btnNext->setToolTip(u"次のページ"_s);
    m_btnNext->setGeometry(502, 4, 17, 17);
    m_btnNext->setEnabled(false);

    // A sample sheet to read and copy names from, not an editor; long lines scroll.
    m_rtext1 = new QTextEdit(client);
    m_rtext1->setObjectName(u"RText1"_s);
    m_rtext1->setAccessibleName(u"見本"_s);
    m_rtext1->setGeometry(0, StripHeight, ClientSize.width(), ClientSize.height() - StripHeight);
    m_rtext1->setReadOnly(true);
    m_rtext1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_rtext1->setLineWrapMode(QTextEdit::NoWrap);
    m_rtext1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_rtext1->setFocusPolicy(Qt::StrongFocus);
    m_rtext1->setTabChangesFocus(true);
    QFont viewFont = m_rtext1->font();
    viewFont.setPointSizeF(DefaultViewPoints);
    m_rtext1->setFont(viewFont);

    setTabOrder(m_text1, m_rtext1);
    setTabOrder(m_rtext1, m_btnBack);
    setTabOrder(m_btnBack, m_btnNext);
    setTabOrder(m_btnNext, m_text2);
    setTabOrder(m_text2, m_lblPage1);

    for (QLineEdit* box : {m_text1, m_text2, m_lblPage1})
        box->installEventFilter(this);
    connect(m_text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(m_btnBack, &QPushButton::clicked, this, &Form1::btn_Back_Click);
    connect(m_btnNext, &QPushButton::clicked, this, &Form1::btn_Next_Click);
}

void Form1::buildMenus() {
    m_mfile = menuBar()->addMenu(u"ファイル(&F)"_s);
    m_mfile->setObjectName(u"mfile"_s);
    m_moption = m_mfile->addAction(u"表示フォント選択(&O)"_s);
    m_moption->setObjectName(u"moption"_s);
    m_sep = m_mfile->addSeparator();
    m_sep->setObjectName(u"sep"_s);
    m_mprint = m_mfile->addMenu(u"印刷"_s);
    m_mprint->setObjectName(u"mprint"_s);
    m_mprintone = m_mprint->addAction(u"現在のページ"_s);
    m_mprintone->setObjectName(u"mprintone"_s);
    m_mprintone->setEnabled(false);
    m_mprintall = m_mprint->addAction(u"全てのページ"_s);
    m_mprintall->setObjectName(u"mprintall"_s);
    m_mprintall->setEnabled(false);
    m_mprintbook = m_mprint->addAction(u"見本帳を印刷(&B)..."_s);
    m_mprintbook->setObjectName(u"mprintbook"_s);
    m_mprintbook->setEnabled(false);
    m_sep2 = m_mfile->addSeparator();
    m_sep2->setObjectName(u"sep2"_s);
    m_mend = m_mfile->addAction(u"終了(&X)"_s);
    m_mend->setObjectName(u"mend"_s);
    m_mview = menuBar()->addMenu(u"表示(&V)"_s);
    m_mview->setObjectName(u"mview"_s);
    m_styleMenu = new SheetStyleMenu(*m_mview, m_store, this);
    m_mhelp = menuBar()->addMenu(u"ヘルプ(&H)"_s);
    m_mhelp->setObjectName(u"mhelp"_s);
    m_mabout = m_mhelp->addAction(u"バージョン情報(&A)"_s);
    m_mabout->setObjectName(u"mabout"_s);

    // Read without the mnemonic: "ファイル(&F)" is "ファイル".
    for (QMenu* menu : {m_mfile, m_mprint, m_mview, m_mhelp})
        menu->setAccessibleName(menu->title().section(u"(&"_s, 0, 0).remove(u'&'));

    connect(m_moption, &QAction::triggered, this, &Form1::moption_Click);
    connect(m_mprintone, &QAction::triggered, this, &Form1::mprintone_Click);
    connect(m_mprintall, &QAction::triggered, this, &Form1::mprintall_Click);
    connect(m_mprintbook, &QAction::triggered, this, &Form1::mprintbook_Click);
    connect(m_mend, &QAction::triggered, this, &Form1::mend_Click);
    connect(m_mabout, &QAction::triggered, this, &Form1::mabout_Click);
    // A new style re-shows the page shown, as Enter would.
    connect(m_styleMenu, &SheetStyleMenu::styleChanged, this, [this] {
        int keyAscii = KeyEnter;
        if (m_mprintone->isEnabled())
            showPageOnEnter(keyAscii);
    });
}

void Form1::Form_Load() {
    MousePointer::set(MousePointer::Hourglass);
    loadForm2();
    m_text2->setText(m_store.GetSetting(u"size_Font"_s, 20));
    // A stored size the view cannot take stays in the box as it is; the view keeps its
    // default size and the program starts normally.
    trapErrors([this] {
        QFont viewFont = m_rtext1->font();
        viewFont.setPointSizeF(FontSize::fromText(m_text2->text()));
        m_rtext1->setFont(viewFont);
    });
    m_lblPage1->setText(NumberConversion::toText(1));
    m_lblPage2->setText(NumberConversion::toText(PageRules::pageTotal(m_catalogue.SelNum())));
    MousePointer::set(MousePointer::Default);
}

void Form1::loadForm2() {
    // The dialog has no owner window: it is centred on the screen, not on this window.
    m_form2 = std::make_unique<Form2>(m_catalogue, m_fonts, m_store, m_familyNames);
    m_form2->setFontInfoOpener(m_fontInfo);
    m_form2->setUninstalledFamilies(m_uninstalled);
    if (m_fontFileHandler)
        new FontFileDrops(*m_form2, m_fontFileHandler);
    connect(m_form2.get(), &Form2::pageFieldsReset, this, &Form1::setPageFields);
    m_form2->Form_Load();
}

void Form1::reloadFonts() {
    MousePointer::set(MousePointer::Hourglass);
    if (m_form2 && !m_form2->isUnloaded())
        m_form2->reloadFonts();
    else
        loadForm2();
    trapErrors([this] {
        const Int16 total = PageRules::pageTotal(m_catalogue.SelNum());
        m_lblPage2->setText(NumberConversion::toText(total));
        if (NumberConversion::toInteger(m_lblPage1->text()) > total)
            m_lblPage1->setText(NumberConversion::toText(total));
    });
    // The paging buttons follow the new total once a page has been shown.
    if (m_mprintone->isEnabled())
        trapErrors([this] { Setbuttons(); });
    MousePointer::set(MousePointer::Default);
}

void Form1::setPageFields(const QString& pageBoxText, const QString& pageTotalText) {
    m_lblPage1->setText(pageBoxText);
    m_lblPage2->setText(pageTotalText);
}

void Form1::Form_Resize() {
    const int scaleWidth = m_client->width();
    const int scaleHeight = m_client->height();
    m_rtext1->resize(scaleWidth, std::max(0, scaleHeight - ViewHeightAllowance));
}

void Form1::Form_Unload() {
    // Still loaded only when it was never shown: its unload commits the ticks once more.
    if (m_form2) {
        m_form2->unload();
        m_form2.reset();
    }
}

void Form1::setFontInfoOpener(FontInfoOpener* opener) {
    m_fontInfo = opener;
    if (opener)
        new SheetFontInfoHook(*m_rtext1, *opener);
}

void Form1::setFontFileHandler(std::function<void(const QStringList&)> handler) {
    // The one handler before, on this window and on the dialog, stops watching.
    delete m_fontFileDrops;
    m_fontFileDrops = nullptr;
    if (m_form2)
        delete m_form2->findChild<FontFileDrops*>(QString(), Qt::FindDirectChildrenOnly);
    m_fontFileHandler = std::move(handler);
    if (!m_fontFileHandler)
        return;
    m_fontFileDrops = new FontFileDrops(*this, m_fontFileHandler);
    if (m_form2)
        new FontFileDrops(*m_form2, m_fontFileHandler);
}

void Form1::setUninstalledFamilies(UninstalledNote::Families uninstalled) {
    m_uninstalled = std::move(uninstalled);
    if (m_form2)
        m_form2->setUninstalledFamilies(m_uninstalled);
}

void Form1::Showpage(Int16 page) {
    MousePointer::set(MousePointer::Hourglass);
    m_btnBack->setEnabled(false);
    m_btnNext->setEnabled(false);
    // Built off-screen and swapped in only when complete: a page that fails leaves the
    // view showing the page it showed before.
    trapErrors([this, page] {
        const SheetComposer::Inputs inputs{page, m_text1->text(), m_text2->text(),
                                           m_lblPage1->text(), m_lblPage2->text()};
        const ComposedPage composed = SheetComposer::compose(m_catalogue, inputs);
        std::unique_ptr<QTextDocument> document =
            SheetDocument::build(composed, m_rtext1->font(), m_coverage, m_rtext1->palette(),
                                 m_sheetFaces, sheetStyle(), m_uninstalled);
        // The view deletes only the document it made itself; the page shown before goes
        // once the view has let go of it.
        QTextDocument* const shown = m_rtext1->document();
        const bool shownIsOurs = shown->parent() == m_rtext1;
        document->setParent(m_rtext1);
        m_rtext1->setDocument(document.release());
        if (shownIsOurs)
            delete shown;
        m_rtext1->setTextCursor(QTextCursor(m_rtext1->document()));
        m_rtext1->horizontalScrollBar()->setValue(0);
        m_rtext1->verticalScrollBar()->setValue(0);
        if (m_shapedSheet)
            m_shapedSheet->pageShown(composed);
        m_mprintone->setEnabled(true);
        m_mprintall->setEnabled(true);
        m_mprintbook->setEnabled(true);
        Q_EMIT pageShown();
    });
    trapErrors([this] { Setbuttons(); });
    MousePointer::set(MousePointer::Default);
}

void Form1::Setbuttons() {
    const Int16 page = NumberConversion::toInteger(m_lblPage1->text());
    m_btnBack->setEnabled(page != 1);
    const Int16 pageTotal = NumberConversion::toInteger(m_lblPage2->text());
    const Int16 pageAgain = NumberConversion::toInteger(m_lblPage1->text());
    m_btnNext->setEnabled(pageAgain != pageTotal);
}

void Form1::Text1_Change() {
    if (m_text1->text().isEmpty()) {
        m_btnBack->setEnabled(false);
        m_btnNext->setEnabled(false);
        return;
    }
    trapErrors([this] { Setbuttons(); });
}

void Form1::btn_Back_Click() {
    stepPage(-1.0);
    PagingFocus::settle(*m_btnBack, *m_btnNext, *m_lblPage1);
}

void Form1::btn_Next_Click() {
    stepPage(1.0);
    PagingFocus::settle(*m_btnNext, *m_btnBack, *m_lblPage1);
}

void Form1::stepPage(double step) {
    // No range test: Setbuttons keeps "<" off on page 1 and ">" off on the last page.
    trapErrors([this, step] {
        const double page = NumberConversion::toDouble(m_lblPage1->text());
        m_lblPage1->setText(NumberConversion::toText(page + step));
        Showpage(NumberConversion::toInteger(m_lblPage1->text()));
    });
}

void Form1::Text1_KeyPress(int& KeyAscii) {
    showPageOnEnter(KeyAscii);
}

void Form1::Text2_KeyPress(int& KeyAscii) {
    showPageOnEnter(KeyAscii);
}

void Form1::showPageOnEnter(int& KeyAscii) {
    if (KeyAscii != KeyEnter)
        return;
    KeyAscii = 0;
    trapErrors([this] {
        if (m_text1->text().isEmpty() || m_text2->text().isEmpty() || m_lblPage1->text().isEmpty())
            return;
        // Any page that converts goes on; the composition decides what it can show.
        Showpage(NumberConversion::toInteger(m_lblPage1->text()));
    });
}

void Form1::lbl_Page1_KeyPress(int& KeyAscii) {
    if (KeyAscii != KeyEnter)
        return;
    KeyAscii = 0;
    trapErrors([this] {
        if (m_text1->text().isEmpty() || m_text2->text().isEmpty() || m_lblPage1->text().isEmpty())
            return;
        const Int16 pageTotal = NumberConversion::toInteger(m_lblPage2->text());
        const Int16 page = NumberConversion::toInteger(m_lblPage1->text());
        if (page >= 1 && page <= pageTotal)
            Showpage(NumberConversion::toInteger(m_lblPage1->text()));
    });
}

void Form1::moption_Click() {
    if (!m_form2)
        loadForm2();
    m_form2->setSampleText(m_text1->text());
    m_form2->exec();
    // Every way of closing unloads the dialog; should it have ended otherwise, it is
    // unloaded now, so the ticks are committed exactly once.
    m_form2->unload();
    m_form2.reset();
}

void Form1::mprintone_Click() {
    if (m_printCommands)
        m_printCommands->printCurrentPage(*this, this);
}

void Form1::mprintall_Click() {
    if (m_printCommands)
        m_printCommands->printAllPages(*this, this);
}

void Form1::mprintbook_Click() {
    if (m_specimenBook)
        m_specimenBook->printSpecimenBook(*this, this);
}

void Form1::mend_Click() {
    close();
}

std::unique_ptr<QMessageBox> Form1::makeVersionBox() {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, u"ﾊﾞｰｼﾞｮﾝ情報"_s,
                                             AppVersion::prompt(), QMessageBox::Ok, this);
    box->setObjectName(u"versionBox"_s);
    box->setDefaultButton(QMessageBox::Ok);
    TitleFit::makeRoomForTitle(*box);
    return box;
}

void Form1::mabout_Click() {
    makeVersionBox()->exec();
}

QString Form1::sampleText() const {
    return m_text1->text();
}

QString Form1::sizeText() const {
    return m_text2->text();
}

QString Form1::pageBoxText() const {
    return m_lblPage1->text();
}

QString Form1::pageTotalText() const {
    return m_lblPage2->text();
}

Typesetting Form1::typesetting() const {
    return m_typesettingMenu ? m_typesettingMenu->typesetting() : Typesetting();
}

SheetStyle Form1::sheetStyle() const {
    return m_styleMenu->style();
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_client && event->type() == QEvent::Resize) {
        Form_Resize();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    // Only Enter is acted upon; every other key reaches the box as typed.
    const auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->key() != Qt::Key_Return && keyEvent->key() != Qt::Key_Enter)
        return false;
    int keyAscii = KeyEnter;
    if (watched == m_text1)
        Text1_KeyPress(keyAscii);
    else if (watched == m_text2)
        Text2_KeyPress(keyAscii);
    else if (watched == m_lblPage1)
        lbl_Page1_KeyPress(keyAscii);
    else
        return false;
    return keyAscii == 0;
}

void Form1::closeEvent(QCloseEvent* event) {
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    event->accept();
}

void Form1::keyPressEvent(QKeyEvent* event) {
    // Alt+F4 ends the program even where no window manager turns it into a close.
    if (FormWindow::isCloseShortcut(*event)) {
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void Form1::showEvent(QShowEvent* event) {
    // In the centre of the screen when first shown.
    if (!m_centred) {
        m_centred = true;
        FormWindow::centreOnScreen(*this);
    }
    QMainWindow::showEvent(event);
}

} // namespace varelith
