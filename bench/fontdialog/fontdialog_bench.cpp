// The font selection dialog at scale, over the fonts fontconfig sees (run it with
// FONTCONFIG_FILE on a set made by tests/support/make-test-fonts, as bench/scale.sh
// does). Prints how long each step takes, the screen updated: opening the dialog (a new catalogue
// build over the real settings file, the list shown, every family's Japanese name beside it),
// keystrokes in the name filter (Latin, and names in Japanese or full-width matched against
// every name of every family), switching the
// writing system, the first and a second "見本の文字を含むフォントのみ" for a Japanese sample,
// and the three bulk buttons over every font.
//
//   fontdialog_bench [--shot FILE.png]

#include "bulkticks.h"
#include "enterbutton.h"
#include "familynames.h"
#include "fontcatalogue.h"
#include "fontfilterbar.h"
#include "fontfiltermodel.h"
#include "form2.h"
#include "inisettingsstore.h"
#include "japaneseinterface.h"
#include "listsummaryline.h"
#include "systemfontsource.h"
#include "ticklistmodel.h"
#include "ticklistview.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);

// Counts the list's paints, so that every figure is known to include one.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};
PaintCounter listPaints;

// Runs one step and paints the dialog as the screen would show it next.
double timed(Form2& dialog, const std::function<void()>& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    dialog.List1()->viewport()->repaint();
    dialog.lbl_Shown()->repaint();
    return double(timer.nsecsElapsed()) / 1e6;
}

void report(const QString& what, double ms, const Form2& dialog) {
    out << what << ": " << QString::number(ms, 'f', 1) << " ms   (" << dialog.lbl_Shown()->text()
        << ")" << (listPaints.paints > 0 ? "" : " NOT PAINTED") << Qt::endl;
    listPaints.paints = 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    JapaneseInterface::setApplicationFont();
    const QStringList arguments = QApplication::arguments();
    const qsizetype shot = arguments.indexOf(u"--shot"_s);

    QTemporaryDir settingsDir;
    IniSettingsStore store(settingsDir.filePath(u"Varelith.ini"_s));
    SystemFontSource fonts;
    FontCatalogue catalogue;
    {
        // The start-up's build: the file holds every name when the dialog is opened.
        FamilyNames unread;
        Form2 atStart(catalogue, fonts, store, unread);
        atStart.Form_Load();
        atStart.unload();
    }

    QElapsedTimer timer;
    {
        // What the dialog's first showing reads besides: every name of every family.
        timer.start();
        FamilyNames names;
        names.names(u"IPAGothic"_s);
        out << "every family's names read (part of opening the dialog): "
            << QString::number(double(timer.nsecsElapsed()) / 1e6, 'f', 1) << " ms" << Qt::endl;
    }

    // Read again as the dialog is opened: the program's index is still unread at its first showing.
    FamilyNames dialogNames;
    timer.start();
    Form2 dialog(catalogue, fonts, store, dialogNames);
    dialog.List1()->viewport()->installEventFilter(&listPaints);
    dialog.Form_Load();
    dialog.setSampleText(u"漢字かな"_s);
    dialog.show();
    // Shown once its list has been painted on the screen.
    if (!QTest::qWaitFor([] { return listPaints.paints > 0; }, 5000))
        out << "the list was never painted" << Qt::endl;
    const double open = double(timer.nsecsElapsed()) / 1e6;
    out << "fonts listed: " << catalogue.FontNum() << Qt::endl;
    report(u"open the dialog (build, list shown)"_s, open, dialog);

    FontFilterBar& bar = *dialog.filterBar();
    for (const QString& typed : {u"ipa"_s, u"sans 001"_s}) {
        bar.txt_Filter()->clear();
        for (qsizetype length = 1; length <= typed.size(); ++length)
            report(
                u"keystroke \"%1\" in the name filter"_s.arg(typed.left(length)),
                timed(dialog,
                      [&] { QTest::keyClick(bar.txt_Filter(), typed.at(length - 1).toLatin1()); }),
                dialog);
    }
    // Committed by an input method a character at a time, the hardest case: every character
    // filters again.
    for (const QString& typed : {u"ゴシック"_s, u"試験ファミリー"_s, u"ｉｐａ"_s}) {
        bar.txt_Filter()->clear();
        for (qsizetype length = 1; length <= typed.size(); ++length)
            report(u"keystroke \"%1\" in the name filter"_s.arg(typed.left(length)),
                   timed(dialog, [&] { bar.txt_Filter()->insert(typed.mid(length - 1, 1)); }),
                   dialog);
    }
    report(u"clear the name filter"_s, timed(dialog, [&] { bar.txt_Filter()->clear(); }), dialog);
    for (const QString& name : {u"日本語"_s, u"ラテン文字"_s, u"すべて"_s}) {
        const int choice = bar.cmb_Script()->findText(name);
        report(u"writing system %1"_s.arg(name),
               timed(dialog, [&] { bar.cmb_Script()->setCurrentIndex(choice); }), dialog);
    }
    report(u"見本の文字を含む (漢字かな), first"_s,
           timed(dialog, [&] { bar.chk_Sample()->setChecked(true); }), dialog);
    report(u"見本の文字を含む off"_s, timed(dialog, [&] { bar.chk_Sample()->setChecked(false); }),
           dialog);
    report(u"見本の文字を含む (漢字かな), again"_s,
           timed(dialog, [&] { bar.chk_Sample()->setChecked(true); }), dialog);
    bar.chk_Sample()->setChecked(false);
    report(u"すべて解除, every font shown"_s, timed(dialog, [&] { bar.btn_UntickAll()->click(); }),
           dialog);
    report(u"すべて選択, every font shown"_s, timed(dialog, [&] { bar.btn_TickAll()->click(); }),
           dialog);
    report(u"選択を反転, every font shown"_s, timed(dialog, [&] { bar.btn_Invert()->click(); }),
           dialog);
    if (shot > 0 && shot + 1 < arguments.size()) {
        bar.btn_Invert()->click();
        dialog.List1()->tickModel().setTicked(1, false);
        dialog.grab().save(arguments.at(shot + 1));
    }
    dialog.unload();
    return 0;
}
