#include "latinfontmenu.h"

#include "latinfontdialog.h"
#include "pairingfaces.h"
#include "shapedsheetview.h"
#include "typesettingmenu.h"

#include <QAction>
#include <QMenu>

using namespace Qt::StringLiterals;

namespace varelith {

LatinFontMenu::LatinFontMenu(QMenu& viewMenu, TypesettingMenu& typesetting, ShapedSheetView& sheet,
                             PairingFaces& faces, SettingsStore& store, CssFileChooser& cssFiles,
                             std::function<QStringList()> families, QWidget* dialogParent)
    : QObject(nullptr)
    , m_typesetting(typesetting)
    , m_faces(faces)
    , m_store(store)
    , m_cssFiles(cssFiles)
    , m_families(std::move(families))
    , m_dialogParent(dialogParent)
    , m_action(viewMenu.addAction(u"欧文フォント(&E)..."_s)) {
    m_action->setObjectName(u"mlatinfont"_s);
    connect(m_action, &QAction::triggered, this, &LatinFontMenu::showDialog);
    sheet.setLatinFaces([&faces](const QString& family, const QString& style) {
        return faces.face(family, style);
    });
    // The stored pairing was laid out before the sheet could find its Latin font.
    sheet.setTypesetting(sheet.typesetting());
}

LatinFontMenu::~LatinFontMenu() {
    delete m_dialog; // when its parent has not taken it already
}

void LatinFontMenu::showDialog() {
    if (!m_dialog) {
        m_dialog = new LatinFontDialog(m_families ? m_families() : QStringList(), m_faces, m_store,
                                       m_cssFiles, m_dialogParent);
        connect(m_dialog, &LatinFontDialog::pairingChosen, this,
                [this](const LatinPairing& pairing) {
                    Typesetting next = m_typesetting.typesetting();
                    next.pairing = pairing;
                    m_typesetting.setTypesetting(next);
                });
    }
    // Opened again, it starts from what the sheet has, not from what was left unapplied.
    if (!m_dialog->isVisible())
        m_dialog->setPairing(m_typesetting.typesetting().pairing);
    m_dialog->show();
    m_dialog->raise();
    m_dialog->activateWindow();
}

LatinFontDialog* LatinFontMenu::dialog() const {
    return m_dialog;
}

} // namespace varelith
