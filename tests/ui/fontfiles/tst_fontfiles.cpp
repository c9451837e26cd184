#include "fontfile.h"
#include "fontfilechooser.h"
#include "fontfiledrops.h"
#include "fontfilemenu.h"
#include "fontfilerefusalnotice.h"
#include "qtfontfilechooser.h"
#include "runtimeerror.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <QVBoxLayout>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

// The chooser's answer, and the window each question was asked over.
struct AnsweringChooser : FontFileChooser {
    QStringList chooseFontFiles(QWidget* parent) override {
        parents.append(parent);
        return answer;
    }
    QStringList answer;
    QList<QWidget*> parents;
};

// A window with a text box, as the main window has, watched for files.
struct DropWindow {
    explicit DropWindow(bool throwing = false) {
        auto* layout = new QVBoxLayout(&window);
        box = new QLineEdit(&window);
        layout->addWidget(box);
        new FontFileDrops(window, [this, throwing](const QStringList& paths) {
            handed.append(paths);
            if (throwing)
                throw RuntimeError(RuntimeError::Kind::InvalidValue);
        });
    }
    QWidget window;
    QLineEdit* box;
    QList<QStringList> handed;
};

// Whether the drag is taken at entering, moving and dropping, sent as the window system
// sends it to the widget under the pointer.
bool drag(QWidget& over, const QMimeData& data, Qt::DropAction* dropped = nullptr) {
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    QDragEnterEvent enter(QPoint(2, 2), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&over, &enter);
    QDragMoveEvent move(QPoint(3, 3), actions, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&over, &move);
    QDropEvent drop(QPointF(3, 3), actions, &data, Qt::LeftButton, Qt::NoModifier);
    // As a file manager may: a move, which the window is to turn into a copy.
    drop.setDropAction(Qt::MoveAction);
    QApplication::sendEvent(&over, &drop);
    if (dropped)
        *dropped = drop.dropAction();
    return enter.isAccepted() && move.isAccepted() && drop.isAccepted();
}

// The patterns of the file dialog's first filter: "*.ttf", "*.TTF", ...
QStringList fontPatterns() {
    const QString first = QtFontFileChooser::nameFilters().section(u";;"_s, 0, 0);
    const QRegularExpressionMatch inside = QRegularExpression(u"\\((.*)\\)"_s).match(first);
    return inside.captured(1).split(u' ', Qt::SkipEmptyParts);
}

} // namespace

class TestFontFiles : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A drag with a local file is taken over the window and over a text box in it; its
    // local files go on, in order, the rest left out. Over the window, a drag without one is
    // refused; over the box, text still drops into the box.
    void drops_data() {
        QTest::addColumn<QStringList>("urls");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("overBox");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QStringList>("paths");
        const QString font = u"/tmp/フォント/a b.ttf"_s;
        const QString other = u"/home/user/B.OTF"_s;
        const QString web = u"https://example.org/c.ttf"_s;
        const auto url = [](const QString& path) {
            return QUrl::fromLocalFile(path).toString();
        };
        QTest::newRow("one file") << QStringList{url(font)} << QString() << false << true
                                  << QStringList{font};
        QTest::newRow("two files, in order") << QStringList{url(other), url(font)} << QString()
                                             << false << true << QStringList{other, font};
        QTest::newRow("a web address alone")
            << QStringList{web} << QString() << false << false << QStringList();
        QTest::newRow("files among web addresses")
            << QStringList{web, url(font), u"ftp://example.org/d.otf"_s, url(other)} << QString()
            << false << true << QStringList{font, other};
        QTest::newRow("text, no address")
            << QStringList() << u"文字"_s << false << false << QStringList();
        QTest::newRow("a file over the box")
            << QStringList{url(font)} << url(font) << true << true << QStringList{font};
        QTest::newRow("text over the box")
            << QStringList() << u"文字"_s << true << true << QStringList();
        QTest::newRow("a web address over the box")
            << QStringList{web} << web << true << true << QStringList();
    }

    void drops() {
        QFETCH(QStringList, urls);
        QFETCH(QString, text);
        QFETCH(bool, overBox);
        QFETCH(QStringList, paths);
        DropWindow window;
        QMimeData data;
        QList<QUrl> dragged;
        for (const QString& address : urls)
            dragged.append(QUrl(address));
        if (!dragged.isEmpty())
            data.setUrls(dragged);
        if (!text.isEmpty())
            data.setText(text);
        Qt::DropAction dropped = Qt::IgnoreAction;
        QTEST(drag(overBox ? *window.box : window.window, data, &dropped), "taken");
        QCOMPARE(window.handed, paths.isEmpty() ? QList<QStringList>() : QList<QStringList>{paths});
        if (!paths.isEmpty()) {
            // Copied, never moved: the file stays where the user keeps it.
            QCOMPARE(dropped, Qt::CopyAction);
            QVERIFY(window.box->text().isEmpty());
        } else if (overBox) {
            QCOMPARE(window.box->text(), text);
        }
    }

    // An error of the handler stays in the drop: the drop is taken and the window lives on.
    void failingHandlerStaysInTheDrop() {
        DropWindow window(true);
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(u"/tmp/a.ttf"_s)});
        QVERIFY(drag(window.window, data));
        QVERIFY(drag(*window.box, data));
        QCOMPARE(window.handed.size(), 2);
    }

    // A window of its own that the window owns (a dialog it keeps) keeps its drops: a file
    // dropped on its text box is not the window's.
    void ownedWindowsKeepTheirDrops() {
        QWidget window;
        auto* dialog = new QDialog(&window);
        auto* box = new QLineEdit(dialog);
        QStringList handed;
        new FontFileDrops(window, [&handed](const QStringList& paths) { handed += paths; });
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(u"/tmp/a.ttf"_s)});
        QVERIFY(!drag(*box, data));
        QVERIFY(handed.isEmpty());
        QVERIFY(drag(window, data));
        QCOMPARE(handed, QStringList{u"/tmp/a.ttf"_s});
    }

    // The entry heads the file menu with Ctrl+O, and what the chooser gives reaches the
    // handler, through the menu or the key; cancelled, nothing does.
    void menuEntry_data() {
        QTest::addColumn<QStringList>("answer");
        QTest::addColumn<bool>("byKey");
        const QStringList files{u"/tmp/a.ttf"_s, u"/tmp/b.woff2"_s};
        QTest::newRow("chosen, by the menu") << files << false;
        QTest::newRow("chosen, by Ctrl+O") << files << true;
        QTest::newRow("cancelled, by the menu") << QStringList() << false;
        QTest::newRow("cancelled, by Ctrl+O") << QStringList() << true;
    }

    void menuEntry() {
        QFETCH(QStringList, answer);
        QFETCH(bool, byKey);
        QMainWindow window;
        QMenu* file = window.menuBar()->addMenu(u"ファイル(&F)"_s);
        QAction* choose = file->addAction(u"表示フォント選択(&O)"_s);
        file->addSeparator();
        file->addAction(u"終了(&X)"_s);
        AnsweringChooser chooser;
        chooser.answer = answer;
        QList<QStringList> handed;
        FontFileMenu menu(
            *file, chooser, [&handed](const QStringList& paths) { handed.append(paths); }, &window);
        QCOMPARE(file->actions().first(), menu.action());
        QCOMPARE(file->actions().at(1), choose);
        QCOMPARE(menu.action()->shortcut(), QKeySequence(u"Ctrl+O"_s));
        if (byKey) {
            window.show();
            QVERIFY(QTest::qWaitForWindowActive(&window));
            QTest::keyClick(&window, Qt::Key_O, Qt::ControlModifier);
        } else {
            menu.action()->trigger();
        }
        QCOMPARE(chooser.parents, QList<QWidget*>{&window});
        QCOMPARE(handed, answer.isEmpty() ? QList<QStringList>() : QList<QStringList>{answer});
    }

    // The dialog's font filter takes each kind of font file in either case, and nothing
    // else; the second filter takes every file.
    void fileDialogFilter_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("font");
        for (const QString& extension : QtFontFileChooser::extensions()) {
            QTest::addRow("%s", qPrintable(extension)) << u"a."_s + extension << true;
            QTest::addRow("%s upper case", qPrintable(extension))
                << u"A."_s + extension.toUpper() << true;
        }
        QTest::newRow("otf among many") << u"NotoSansCJK-Regular.otf"_s << true;
        QTest::newRow("a text file") << u"readme.txt"_s << false;
        QTest::newRow("a Type 1 font") << u"a.pfb"_s << false;
        QTest::newRow("ttf not at the end") << u"a.ttf.txt"_s << false;
    }

    void fileDialogFilter() {
        QFETCH(QString, name);
        // Names are told apart by case here, as the file dialog does on this system.
        bool matched = false;
        for (const QString& pattern : fontPatterns())
            matched |=
                QRegularExpression::fromWildcard(pattern, Qt::CaseSensitive).match(name).hasMatch();
        QTEST(matched, "font");
        QVERIFY(QtFontFileChooser::nameFilters().section(u";;"_s, 1).endsWith(u"(*)"_s));
        QCOMPARE(QtFontFileChooser::extensions().size(), 6);
    }

    // The files refused at once are told in one warning naming each of them, the reasons as
    // the files give them; beyond the box's list, the details hold every one.
    void refusalNotice_data() {
        QTest::addColumn<int>("broken");
        QTest::addColumn<int>("missing");
        QTest::newRow("none") << 0 << 0;
        QTest::newRow("one broken") << 1 << 0;
        QTest::newRow("one missing, one broken") << 1 << 1;
        QTest::newRow("as many as the box lists") << FontFileRefusalNotice::ListedReasons - 2 << 2;
        QTest::newRow("more than the box lists") << FontFileRefusalNotice::ListedReasons << 3;
    }

    void refusalNotice() {
        QFETCH(int, broken);
        QFETCH(int, missing);
        QTemporaryDir folder;
        QStringList names;
        QStringList reasons;
        for (int n = 0; n < broken + missing; ++n) {
            const QString name = u"フォント %1.ttf"_s.arg(n + 1);
            const QString path = folder.filePath(name);
            if (n < broken) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write("not a font at all");
            }
            const FontFile read = FontFile::read(path);
            QVERIFY(!read.isReadable());
            names.append(name);
            reasons.append(read.problem());
        }
        QWidget parent;
        struct Told {
            QWidget* parent;
            QString text;
            QString details;
        };
        QList<Told> told;
        const FontFileRefusalNotice notice(
            [&told](QWidget* over, const QString& text, const QString& details) {
                told.append({over, text, details});
            });
        notice.tell(reasons, &parent);
        if (reasons.isEmpty()) {
            QVERIFY(told.isEmpty());
            return;
        }
        QCOMPARE(told.size(), 1);
        QCOMPARE(told.first().parent, &parent);
        const QString& text = told.first().text;
        const bool cut = reasons.size() > FontFileRefusalNotice::ListedReasons;
        for (qsizetype n = 0; n < names.size(); ++n) {
            const bool listed = n < FontFileRefusalNotice::ListedReasons;
            QCOMPARE(text.contains(reasons.at(n)), listed);
            QCOMPARE(text.contains(names.at(n)), listed);
            QCOMPARE(told.first().details.contains(names.at(n)), cut);
        }
        // A head saying how many, when more than one; each reason on a line of its own; when
        // cut, a last line saying how many more.
        const QStringList lines = text.split(u'\n');
        QCOMPARE(lines.first().contains(QString::number(reasons.size())), reasons.size() > 1);
        const qsizetype listed =
            std::min<qsizetype>(reasons.size(), FontFileRefusalNotice::ListedReasons);
        QCOMPARE(lines.mid(lines.size() - listed - (cut ? 1 : 0), listed), reasons.mid(0, listed));
        if (cut)
            QVERIFY(lines.last().contains(
                QString::number(reasons.size() - FontFileRefusalNotice::ListedReasons)));
    }
};

QTEST_MAIN(TestFontFiles)
#include "tst_fontfiles.moc"
