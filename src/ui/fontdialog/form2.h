#pragma once

#include "dialogfamilysetprompts.h"
#include "duplicatefiles.h"
#include "familylistnames.h"
#include "familysets.h"
#include "familywritingsystems.h"
#include "glyphcoverage.h"
#include "rejectedfamilies.h"
#include "ticklist.h"
#include "uninstallednote.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace varelith {

class BulkTicks;
class FamilySetsBar;
class FontCatalogue;
class FontFilterBar;
class FontInfoOpener;
class FontFilterModel;
class FontSource;
class ListSummaryLine;
class RejectedFamiliesActions;
class SettingsStore;
class TickListView;

// The font selection dialog. Loading it (construction, then Form_Load) builds the font
// catalogue into its list; unloading it commits the ticks back. Every way of closing it
// (the close button, the title bar's close box, Esc, Alt+F4) unloads it exactly once;
// an unloaded dialog is done and its owner destroys it, so the next showing loads a new
// one.
//
// Above the list, a strip to find fonts among thousands and tick many at once; beside the
// count line, a live line of the fonts shown and ticked (FontFilterBar, FontFilterModel,
// BulkTicks, ListSummaryLine). Below the strip, named sets of ticks (FamilySetsBar); in
// the list's context menu, families switched off for other programs and on again
// (RejectedFamiliesActions). A screen reader reads each label's text as its name.
class Form2 : public QDialog, public TickList {
    Q_OBJECT

public:
    // familyNames: the program's index of every family's names, read at the list's first
    // need.
    Form2(FontCatalogue& catalogue, const FontSource& fonts, SettingsStore& store,
          FamilyNames& familyNames, QWidget* parent = nullptr);

    // The load handler: builds the catalogue under the hourglass.
    void Form_Load();
    // Fills the list and the count line from the platform's fonts and the stored flags.
    void Setfont();
    // The installed fonts were read again, the dialog shown or not: commits the ticks, then
    // fills the list from the catalogue built anew, each font keeping its tick by its name,
    // every filter asking the fonts read now.
    void reloadFonts();
    // Commits the ticks if any differs from the catalogue's flags: a commit writes every
    // font's entry and the whole settings file.
    void commitChangedTicks();
    // Commits the ticks, tells the main window its new page fields and ends the dialog;
    // a second call does nothing.
    void unload();
    bool isUnloaded() const { return m_unloaded; }
    // Where the current row opens its font's information: a context menu entry and a
    // button beside 閉じる. Null adds neither.
    void setFontInfoOpener(FontInfoOpener* opener);

    // The families opened from files this run: their rows read "（未インストール）" after the
    // name, beside any other note.
    void setUninstalledFamilies(UninstalledNote::Families uninstalled);

    // The main window's sample text, for "見本の文字を含むフォントのみ".
    void setSampleText(const QString& text);

    TickListView* List1() const { return m_list1; }
    QPushButton* Command1() const { return m_command1; }
    QLabel* lbl_cnt() const { return m_lblCnt; }
    FontFilterBar* filterBar() const { return m_filterBar; }
    FontFilterModel* shownFonts() const { return m_shownFonts; }
    BulkTicks* bulkTicks() const { return m_bulkTicks; }
    ListSummaryLine* lbl_Shown() const { return m_lblShown; }
    FamilySetsBar* setsBar() const { return m_setsBar; }
    RejectedFamiliesActions* rejectedActions() const { return m_rejectedActions; }
    // Shown only when the platform lists more fonts than the catalogue holds.
    QLabel* lbl_Limit() const { return m_lblLimit; }

    // TickList: the catalogue's view of List1 and the count line.
    void setListVisible(bool visible) override;
    void clear() override;
    void addItem(const QString& name) override;
    void setSelected(int index, bool ticked) override;
    bool isSelected(int index) const override;
    int listCount() const override;
    void setCountLine(const QString& text) override;

Q_SIGNALS:
    // After a commit: the page box goes back to the first page, the total follows the
    // new number of ticked fonts.
    void pageFieldsReset(const QString& pageBoxText, const QString& pageTotalText);

public Q_SLOTS:
    // Esc lands here; it unloads like every other way of closing.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Command1_Click();
    void Form_Unload();
    void layOut();
    void showLimitLine();

    FontCatalogue& m_catalogue;
    const FontSource& m_fonts;
    SettingsStore& m_store;
    FamilyNames& m_familyNames;
    // The installed fonts' characters: the configuration the names are read from, not
    // fontconfig's current one, which holds the interface's faces alone.
    GlyphCoverage m_coverage;
    FamilyWritingSystems m_writingSystems{m_coverage};
    FamilyListNames m_listNames;
    TickListView* m_list1;
    QPushButton* m_command1;
    QLabel* m_lblCnt;
    FontFilterBar* m_filterBar;
    FontFilterModel* m_shownFonts;
    BulkTicks* m_bulkTicks;
    ListSummaryLine* m_lblShown;
    QLabel* m_lblLimit;
    FamilySets m_sets{m_store};
    RejectedFamilies m_rejected{RejectedFamilies::standardFolder()};
    DialogFamilySetPrompts m_setPrompts{this};
    // Read at the first use of "only families with duplicates".
    DuplicateFiles m_duplicateFiles;
    FamilySetsBar* m_setsBar;
    RejectedFamiliesActions* m_rejectedActions;
    bool m_unloaded = false;
};

} // namespace varelith
