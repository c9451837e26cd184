#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace varelith {

class CssFileChooser;
class LatinFontDialog;
class PairingFaces;
class SettingsStore;
class ShapedSheetView;
class TypesettingMenu;

// 表示 → 欧文フォント(&E)...: opens the LatinFontDialog over the main window and hands the
// pairing chosen to the typesetting menu, which stores it and sets the sheet by it, as it
// does a feature switched. The sheet finds the Latin font's face here.
class LatinFontMenu : public QObject {
    Q_OBJECT

public:
    // `families`: the installed families, asked for when the dialog is made.
    LatinFontMenu(QMenu& viewMenu, TypesettingMenu& typesetting, ShapedSheetView& sheet,
                  PairingFaces& faces, SettingsStore& store, CssFileChooser& cssFiles,
                  std::function<QStringList()> families, QWidget* dialogParent);
    ~LatinFontMenu() override;

    QAction* action() const { return m_action; }
    // Shows the dialog, made at its first showing with the pairing the sheet has.
    void showDialog();
    // Null until first shown.
    LatinFontDialog* dialog() const;

private:
    TypesettingMenu& m_typesetting;
    PairingFaces& m_faces;
    SettingsStore& m_store;
    CssFileChooser& m_cssFiles;
    std::function<QStringList()> m_families;
    QWidget* m_dialogParent;
    QAction* m_action;
    QPointer<LatinFontDialog> m_dialog;
};

} // namespace varelith
