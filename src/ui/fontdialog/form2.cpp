#include "form2.h"

#include "errortrap.h"
#include "fontcatalogue.h"
#include "formwindow.h"
#include "japaneseinterface.h"
#include "mousepointer.h"
#include "numberconversion.h"
#include "pagerules.h"
#include "ticklistmodel.h"
#include "ticklistview.h"
#include "windowicon.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace varelith {

namespace {

// The client area, 3495 x 6345 twips at 15 twips a pixel.
constexpr QSize ClientSize(233, 423);

} // namespace

Form2::Form2(FontCatalogue& catalogue, const FontSource& fonts, SettingsStore& store,
             QWidget* parent)
    : QDialog(parent)
    , m_catalogue(catalogue)
    , m_fonts(fonts)
    , m_store(store)
    , m_list1(new TickListView(this))
    , m_command1(new QPushButton(u"閉じる"_s, this))
    , m_lblCnt(new QLabel(this)) {
    setObjectName(u"Form2"_s);
    setWindowTitle(u"表示フォント選択"_s);
    setWindowIcon(WindowIcon::icon());
    setFont(QFont(JapaneseInterface::interfaceFace(u"ＭＳ Ｐゴシック"_s), 9));
    // A fixed border with the close box only: no minimize, maximize or help box.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(ClientSize);
    setModal(true);

    m_list1->setObjectName(u"List1"_s);
    m_list1->setAccessibleName(u"フォント一覧"_s);
    m_list1->setGeometry(0, 0, 233, 382);

    m_command1->setObjectName(u"Command1"_s);
    m_command1->setAccessibleName(u"閉じる"_s);
    m_command1->setGeometry(136, 392, 89, 25);
    // Neither default nor cancel button: Enter in the list leaves the dialog open.
    m_command1->setAutoDefault(false);
    m_command1->setDefault(false);

    m_lblCnt->setObjectName(u"lbl_cnt"_s);
    m_lblCnt->setAccessibleName(u"選択数"_s);
    // 12 pixels fit the classic 9-point face; a taller face here keeps its height and
    // stays centred on the designed line.
    const int countHeight = std::max(12, m_lblCnt->fontMetrics().height());
    m_lblCnt->setGeometry(8, 400 + (12 - countHeight) / 2, 116, countHeight);

    setTabOrder(m_list1, m_command1);

    connect(m_command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Form_Load() {
    MousePointer::set(MousePointer::Hourglass);
    trapErrors([this] { Setfont(); });
    MousePointer::set(MousePointer::Default);
}

void Form2::Setfont() {
    m_catalogue.build(m_fonts, m_store, *this);
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
