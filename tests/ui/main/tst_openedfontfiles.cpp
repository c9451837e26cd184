#include "catalogues.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontfiltermodel.h"
#include "form1.h"
#include "form2.h"
#include "shapedsheetview.h"
#include "shaper.h"
#include "sheetfaces.h"
#include "sheetstylemenu.h"
#include "ticklistmodel.h"
#include "ticklistview.h"
#include "typesettingmenu.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QDir>
#include <QDropEvent>
#include <QFontDatabase>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QUrl>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

const QString Faces = u"Varelith Faces"_s;   // has a Bold face
const QString Latin = u"Bench Sans 00001"_s; // has none
const QString Sample = u"Aa あ漢"_s;

// The main window over two made fonts, with a style stored and the families opened from
// files handed in before the first page, as the program does.
struct OpenedSheet {
    OpenedSheet(const QString& style, const QStringList& opened)
        : fonts({Faces, Latin}) {
        if (!style.isEmpty())
            store.values.insert(SheetStyleMenu::SettingKey, style);
        form = std::make_unique<Form1>(catalogue, fonts, store, familyNames, nullptr, &coverage,
                                       nullptr, &sheetFaces, &shaper);
        if (!opened.isEmpty())
            form->setUninstalledFamilies(
                [opened](const QString& family) { return opened.contains(family); });
        form->Form_Load();
        form->Text1()->setText(Sample);
        QTest::keyClick(form->Text1(), Qt::Key_Return);
    }

    ListFontSource fonts;
    MemorySettingsStore store;
    FontCatalogue catalogue;
    FamilyNames familyNames;
    GlyphCoverage coverage;
    FamilyFaces faces;
    SheetFaces sheetFaces{faces, coverage};
    Shaper shaper;
    std::unique_ptr<Form1> form;
};

// Whether a drag of one local file is taken, entering and dropping.
bool dropFile(QWidget& over, const QString& path) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&over, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&over, &drop);
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace

class TestOpenedFontFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            QFontDatabase::addApplicationFont(font.filePath());
    }

    // A family opened from a file says so after its name, after the style's note, in the
    // name's format: in the text read, copied and spoken, and on the shaped sheet in 横書き
    // and 縦書き, every line after it where the document has it.
    void markBesideTheName_data() {
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QStringList>("opened");
        QTest::addColumn<QString>("facesNote");
        QTest::addColumn<QString>("latinNote");
        const QString mark = u"（未インストール）"_s;
        const QString noBold = u"（太字なし）"_s;
        QTest::newRow("横書き, none opened")
            << QString() << false << QStringList() << QString() << QString();
        QTest::newRow("横書き, the second opened")
            << QString() << false << QStringList{Latin} << QString() << mark;
        QTest::newRow("横書き, the first opened")
            << QString() << false << QStringList{Faces} << mark << QString();
        QTest::newRow("横書き 太字, both opened")
            << u"Bold"_s << false << QStringList{Faces, Latin} << mark << noBold + mark;
        QTest::newRow("縦書き, the first opened")
            << QString() << true << QStringList{Faces} << mark << QString();
        QTest::newRow("縦書き 太字, the second opened")
            << u"Bold"_s << true << QStringList{Latin} << QString() << noBold + mark;
        QTest::newRow("縦書き 太字, none opened")
            << u"Bold"_s << true << QStringList() << QString() << noBold;
    }

    void markBesideTheName() {
        QFETCH(QString, style);
        QFETCH(bool, vertical);
        QFETCH(QStringList, opened);
        QFETCH(QString, facesNote);
        QFETCH(QString, latinNote);
        OpenedSheet shown(style, opened);
        if (vertical)
            shown.form->typesettingMenu()->vertical()->trigger();
        const QHash<QString, QString> noteOf{{Faces, facesNote}, {Latin, latinNote}};
        QTextEdit* view = shown.form->RText1();
        const QList<ShapedSheetView::Line>& lines = shown.form->shapedSheet()->lines();
        QCOMPARE(lines.size(), 2);
        QAccessibleTextInterface* spoken =
            QAccessible::queryAccessibleInterface(view)->textInterface();
        const QString heard = spoken->text(0, spoken->characterCount());
        QTextBlock block = view->document()->firstBlock();
        for (const ShapedSheetView::Line& line : lines) {
            const QString family = line.name.startsWith(Faces) ? Faces : Latin;
            const QString named = family + noteOf.value(family);
            QCOMPARE(block.text(), named + u' ' + Sample);
            QCOMPARE(block.textFormats().first().length, named.size());
            QCOMPARE(line.name, named);
            QCOMPARE(line.documentPosition, block.position());
            QVERIFY2(heard.contains(named + u' '), qPrintable(heard));
            block = block.next();
        }
        QCOMPARE(shown.form->typesettingMenu()->typesetting().vertical, vertical);
    }

    // The dialog the window loads marks the same families in its list.
    void markInTheDialogItLoads() {
        OpenedSheet shown({}, {Latin});
        QAbstractItemModel* rows = shown.form->form2()->List1()->model();
        QStringList marked;
        for (int row = 0; row < rows->rowCount(); ++row)
            if (rows->index(row, 0).data().toString().endsWith(u"（未インストール）"_s))
                marked.append(shown.form->form2()->List1()->tickModel().name(
                    shown.form->form2()->shownFonts()->mapToSource(rows->index(row, 0)).row()));
        QCOMPARE(marked, QStringList{Latin});
    }

    // Files dropped on the window, on its sheet, or on the font selection dialog it loads
    // reach the one handler set, whenever it was set; set again, only the new one hears;
    // unset, none.
    void droppedFilesReachTheHandler_data() {
        QTest::addColumn<QString>("over");
        QTest::addColumn<bool>("setBeforeLoad");
        for (const char* over : {"window", "sheet", "dialog"}) {
            QTest::addRow("%s, set before load", over) << QString::fromLatin1(over) << true;
            QTest::addRow("%s, set after load", over) << QString::fromLatin1(over) << false;
        }
    }

    void droppedFilesReachTheHandler() {
        QFETCH(QString, over);
        QFETCH(bool, setBeforeLoad);
        ListFontSource fonts({Faces, Latin});
        MemorySettingsStore store;
        FontCatalogue catalogue;
        FamilyNames familyNames;
        Form1 form(catalogue, fonts, store, familyNames, nullptr);
        QStringList first;
        QStringList second;
        const auto setHandlers = [&] {
            form.setFontFileHandler([&first](const QStringList& paths) { first += paths; });
            form.setFontFileHandler([&second](const QStringList& paths) { second += paths; });
        };
        if (setBeforeLoad)
            setHandlers();
        form.Form_Load();
        if (!setBeforeLoad)
            setHandlers();
        QWidget* target = over == u"window"_s  ? static_cast<QWidget*>(&form)
                          : over == u"sheet"_s ? form.RText1()->viewport()
                                               : form.form2();
        const QString path = u"/tmp/開く.otf"_s;
        QVERIFY(dropFile(*target, path));
        QCOMPARE(second, QStringList{path});
        QVERIFY(first.isEmpty());

        // Unset, neither the window nor the dialog takes a file.
        form.setFontFileHandler({});
        QVERIFY(!dropFile(*target, path));
        QCOMPARE(second, QStringList{path});
    }
};

QTEST_MAIN(TestOpenedFontFiles)
#include "tst_openedfontfiles.moc"
