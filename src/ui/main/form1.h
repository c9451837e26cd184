#pragma once

#include "int16.h"
#include "sheetsource.h"
#include "uninstallednote.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMessageBox;
class QPushButton;
class QTextEdit;

namespace varelith {

class FontCatalogue;
class FontFileDrops;
class FontInfoOpener;
class FontSource;
class FamilyNames;
class Form2;
class GlyphCoverage;
class PrintCommands;
class ShapedSheetView;
class Shaper;
class SettingsStore;
class SheetFaces;
class SheetStyleMenu;
class SpecimenBookCommand;
class TypesettingMenu;

// The main window: the control strip (sample text, size, previous and next, the page
// box and the page total) above the sample sheet view, and the menus. It owns the font
// selection dialog while that is loaded.
//
// The page fields live in the controls as text, the page box in lbl_Page1 and the page
// total in lbl_Page2, and every handler converts them at the moment of use. A handler
// whose conversion fails stops there, silently, and the program runs on.
class Form1 : public QMainWindow, public SheetSource {
    Q_OBJECT

public:
    // familyNames: every family's names, which the font selection dialog shows and finds
    // fonts by. printCommands and specimenBook may be null: their menu entries then do nothing.
    // Without a coverage the sheet marks no missing glyph; without faces every style draws
    // as 標準; without a shaper the sheet has no typesetting items (縦書き, features, axes).
    Form1(FontCatalogue& catalogue, const FontSource& fonts, SettingsStore& store,
          FamilyNames& familyNames, PrintCommands* printCommands, GlyphCoverage* coverage = nullptr,
          SpecimenBookCommand* specimenBook = nullptr, SheetFaces* sheetFaces = nullptr,
          Shaper* shaper = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up, run once after construction, before any input is acted on (the program
    // runs it once the window has been painted, see LoadAfterShown): loads the font
    // selection dialog hidden (which builds the catalogue), fills the size box and the
    // page fields. No page is composed yet.
    void Form_Load();

    // Composes page `page` into the view. Never fails outward: a page that cannot be
    // composed leaves the view showing what it showed.
    void Showpage(Int16 page);

    // The installed fonts were read again: the catalogue is built anew, each font keeping its
    // tick by its name, through the dialog, shown or not. The page total follows; the page
    // box keeps its page where the total still holds it. The page shown stays as it is.
    void reloadFonts();

    void moption_Click();
    void mprintone_Click();
    void mprintall_Click();
    void mprintbook_Click();
    void mend_Click();
    void mabout_Click();
    // The version box that mabout_Click shows.
    std::unique_ptr<QMessageBox> makeVersionBox();

    // Where a line of the sheet, or the dialog's current row, opens its font's information;
    // set once, before Form_Load.
    void setFontInfoOpener(FontInfoOpener* opener);

    // Where font files dropped on this window, or on a font selection dialog it loads, are
    // handed; set again, it replaces the one before. Unset, no window takes dropped files.
    void setFontFileHandler(std::function<void(const QStringList& paths)> handler);
    // The families opened from files this run, marked 未インストール on the sheet from the
    // next page shown, and in the font selection dialog's list, the loaded one and every one
    // after. Unset, no family is marked.
    void setUninstalledFamilies(UninstalledNote::Families uninstalled);

    // The dialog while it is loaded, null otherwise.
    Form2* form2() const { return m_form2.get(); }

    QLabel* Label1() const { return m_label1; }
    QLineEdit* Text1() const { return m_text1; }
    QLabel* Label3() const { return m_label3; }
    QLineEdit* Text2() const { return m_text2; }
    QPushButton* btn_Back() const { return m_btnBack; }
    QLineEdit* lbl_Page1() const { return m_lblPage1; }
    QLabel* Label4() const { return m_label4; }
    QLabel* lbl_Page2() const { return m_lblPage2; }
    QPushButton* btn_Next() const { return m_btnNext; }
    QTextEdit* RText1() const { return m_rtext1; }
    QAction* mprintone() const { return m_mprintone; }
    QAction* mprintall() const { return m_mprintall; }
    QAction* mprintbook() const { return m_mprintbook; }
    // "ファイル(&F)": opening font files adds its entry to it.
    QMenu* mfile() const { return m_mfile; }
    // "表示(&V)": views of the sheet add their entries to it.
    QMenu* mview() const { return m_mview; }
    SheetStyleMenu* styleMenu() const { return m_styleMenu; }
    TypesettingMenu* typesettingMenu() const { return m_typesettingMenu; }
    ShapedSheetView* shapedSheet() const { return m_shapedSheet; }

    // SheetSource: what the printed sheet reads.
    const FontCatalogue& catalogue() const override { return m_catalogue; }
    QString sampleText() const override;
    QString sizeText() const override;
    QString pageBoxText() const override;
    QString pageTotalText() const override;
    Typesetting typesetting() const override;
    SheetStyle sheetStyle() const override;

Q_SIGNALS:
    // A page was composed into the view.
    void pageShown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControlStrip(QWidget* client);
    void buildMenus();
    void loadForm2();
    void setPageFields(const QString& pageBoxText, const QString& pageTotalText);

    void Form_Resize();
    void Form_Unload();
    void Setbuttons();
    void Text1_Change();
    void btn_Back_Click();
    void btn_Next_Click();
    void stepPage(double step);
    void Text1_KeyPress(int& KeyAscii);
    void Text2_KeyPress(int& KeyAscii);
    void lbl_Page1_KeyPress(int& KeyAscii);
    void showPageOnEnter(int& KeyAscii);

    FontCatalogue& m_catalogue;
    const FontSource& m_fonts;
    SettingsStore& m_store;
    FamilyNames& m_familyNames;
    PrintCommands* m_printCommands;
    GlyphCoverage* m_coverage;
    SpecimenBookCommand* m_specimenBook;
    SheetFaces* m_sheetFaces;
    std::unique_ptr<Form2> m_form2;
    FontInfoOpener* m_fontInfo = nullptr;
    std::function<void(const QStringList&)> m_fontFileHandler;
    FontFileDrops* m_fontFileDrops = nullptr;
    UninstalledNote::Families m_uninstalled;
    bool m_unloaded = false;
    bool m_centred = false;

    QWidget* m_client = nullptr;
    QLabel* m_label1 = nullptr;
    QLineEdit* m_text1 = nullptr;
    QLabel* m_label3 = nullptr;
    QLineEdit* m_text2 = nullptr;
    QPushButton* m_btnBack = nullptr;
    QLineEdit* m_lblPage1 = nullptr;
    QLabel* m_label4 = nullptr;
    QLabel* m_lblPage2 = nullptr;
    QPushButton* m_btnNext = nullptr;
    QTextEdit* m_rtext1 = nullptr;

    QMenu* m_mfile = nullptr;
    QAction* m_moption = nullptr;
    QAction* m_sep = nullptr;
    QMenu* m_mprint = nullptr;
    QAction* m_mprintone = nullptr;
    QAction* m_mprintall = nullptr;
    QAction* m_mprintbook = nullptr;
    QAction* m_sep2 = nullptr;
    QAction* m_mend = nullptr;
    QMenu* m_mview = nullptr;
    SheetStyleMenu* m_styleMenu = nullptr;
    TypesettingMenu* m_typesettingMenu = nullptr;
    ShapedSheetView* m_shapedSheet = nullptr;
    QMenu* m_mhelp = nullptr;
    QAction* m_mabout = nullptr;
};

} // namespace varelith
