#include "outdatedpagenotice.h"

#include "errortrap.h"
#include "form1.h"
#include "numberconversion.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>

namespace varelith {

using namespace Qt::StringLiterals;

OutdatedPageNotice::OutdatedPageNotice(Form1& window)
    : QObject(&window)
    , m_window(window)
    , m_bar(new QWidget)
    , m_text(new QLabel(
          u"インストールされているフォントが変わりました。このページは変わる前のものです。"_s))
    , m_showAgain(new QPushButton(u"再表示(&R)"_s)) {
    m_bar->setObjectName(u"OutdatedPage"_s);
    m_text->setObjectName(u"lbl_Outdated"_s);
    m_showAgain->setObjectName(u"btn_ShowAgain"_s);
    auto* layout = new QHBoxLayout(m_bar);
    layout->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_showAgain);
    connect(m_showAgain, &QPushButton::clicked, this, [this] {
        trapErrors([this] {
            m_window.Showpage(NumberConversion::toInteger(m_window.lbl_Page1()->text()));
        });
    });
}

OutdatedPageNotice::~OutdatedPageNotice() {
    if (m_bar->parent() == nullptr)
        delete m_bar;
}

void OutdatedPageNotice::setOutdated(bool outdated) {
    // The status bar is made only when first needed: a window whose fonts never change
    // keeps its client area whole.
    if (outdated && m_bar->parent() == nullptr)
        m_window.statusBar()->addWidget(m_bar, 1);
    if (m_bar->parent() != nullptr)
        m_window.statusBar()->setVisible(outdated);
}

} // namespace varelith
