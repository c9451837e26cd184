// Named sets and families switched off, in the font selection dialog over 20,000 families
// (names made up: nothing here draws them). Prints how long each step takes, the list
// repainted: 100 families switched off (the rejectfont file rewritten, every row's mark
// redrawn), with the file already holding none and 2,000 families; the same switched on
// again; the ticks saved as a set of 10,000 and switched to; a set exported and imported.
// The user's configuration is a temporary folder. Last, the files giving the same
// family and style found among the fonts fontconfig sees (run it with FONTCONFIG_FILE on a
// set made by tests/support/make-test-fonts for many of them), as "同じ書体のファイルが
// 複数あるフォントのみ" first finds them.
//
//   fontsets_bench

#include "duplicatefiles.h"
#include "familynames.h"
#include "familysetprompts.h"
#include "familysets.h"
#include "familysetsbar.h"
#include "fontcatalogue.h"
#include "fontsource.h"
#include "form2.h"
#include "inisettingsstore.h"
#include "rejectedfamilies.h"
#include "rejectedfamiliesactions.h"
#include "ticklistmodel.h"
#include "ticklistview.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <functional>
#include <numeric>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);

constexpr int Families = 20000;

class MadeUpFonts : public FontSource {
public:
    QStringList families() const override {
        QStringList names;
        for (int n = 1; n <= Families; ++n)
            names.append(u"Bench & \"Family\" %1"_s.arg(n, 5, 10, QChar(u'0')));
        return names;
    }
};

struct BenchPrompts : FamilySetPrompts {
    QString askName(const QString&, const QString&) override { return u"見出し用"_s; }
    QString exportPath(const QString&) override { return path; }
    QString importPath() override { return path; }
    QString path;
};

QList<int> rows(int first, int count) {
    QList<int> list(count);
    std::iota(list.begin(), list.end(), first);
    return list;
}

void timed(const QString& what, Form2& dialog, const std::function<void()>& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    dialog.List1()->viewport()->repaint();
    out << what << ": " << QString::number(double(timer.nsecsElapsed()) / 1e6, 'f', 1) << " ms"
        << Qt::endl;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QApplication application(argc, argv);

    IniSettingsStore store(home.filePath(u"Varelith.ini"_s));
    MadeUpFonts fonts;
    FontCatalogue catalogue;
    FamilyNames names;
    Form2 dialog(catalogue, fonts, store, names);
    dialog.Form_Load();
    dialog.show();
    out << "fonts listed: " << catalogue.FontNum() << Qt::endl;
    RejectedFamiliesActions& switching = *dialog.rejectedActions();

    for (const int already : {0, 2000}) {
        if (already > 0)
            switching.rejectRows(rows(10000, already));
        timed(u"100 families switched off, %1 off before"_s.arg(already), dialog,
              [&] { switching.rejectRows(rows(100, 100)); });
        timed(u"the same 100 switched on again"_s, dialog,
              [&] { switching.acceptRows(rows(100, 100)); });
    }
    const QString file = RejectedFamilies(RejectedFamilies::standardFolder()).filePath();
    out << "rejectfont file: " << QFileInfo(file).size() << " bytes" << Qt::endl;

    BenchPrompts prompts;
    prompts.path = home.filePath(u"set.txt"_s);
    FamilySets sets(store);
    TickListModel& ticks = dialog.List1()->tickModel();
    FamilySetsBar bar(sets, ticks, prompts);
    ticks.setTickedRows(rows(0, Families), false);
    ticks.setTickedRows(rows(5000, 10000), true);
    timed(u"ticks saved as a set of 10,000 (settings file written)"_s, dialog,
          [&] { bar.saveTicks(); });
    ticks.setTickedRows(rows(0, Families), true);
    timed(u"switched to that set"_s, dialog, [&] { bar.switchTo(u"見出し用"_s); });
    timed(u"set of 10,000 exported"_s, dialog, [&] { bar.exportCurrent(); });
    timed(u"set of 10,000 imported and switched to"_s, dialog, [&] { bar.importSet(); });
    out << "ticked after import: " << ticks.tickedCount() << Qt::endl;

    QElapsedTimer timer;
    timer.start();
    DuplicateFiles duplicates;
    duplicates.hasDuplicates(u"Bench Sans 00001"_s);
    out << "files with the same family and style found among fontconfig's fonts: "
        << QString::number(double(timer.nsecsElapsed()) / 1e6, 'f', 1) << " ms" << Qt::endl;
    return 0;
}
