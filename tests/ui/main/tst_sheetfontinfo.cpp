#include "catalogues.h"
#include "composedpage.h"
#include "fontlistinfohook.h"
#include "recordingfontinfoopener.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"
#include "sheetfontinfohook.h"
#include "sheetfontlocator.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

// Three ticked lines; the second font's name carries a line break of its own.
class TestSheetFontInfo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void familyAt_data();
    void familyAt();
    void keyAndDoubleClick();
    void contextMenu();

private:
    ComposedPage m_page;
    std::unique_ptr<QTextDocument> m_document;
};

void TestSheetFontInfo::init() {
    MemorySettingsStore store;
    for (int n = 1; n <= 3; ++n)
        store.values.insert(FontCatalogue::flagKey(n), u"1"_s);
    FontCatalogue catalogue;
    RecordingTickList list;
    catalogue.build(ListFontSource({u"Alpha"_s, u"Be\rta"_s, u"Gamma"_s}), store, list);
    m_page = SheetComposer::compose(catalogue, {Int16(1), u"Aa"_s, u"12"_s, u"1"_s, u"1"_s});
    m_document = SheetDocument::build(m_page, QFont(), nullptr, QPalette());
}

void TestSheetFontInfo::familyAt_data() {
    QTest::addColumn<QString>("text"); // where, as text of the page: "Gamma" is line 3's name
    QTest::addColumn<int>("offset");
    QTest::addColumn<QString>("family");
    QTest::newRow("a name") << u"Alpha"_s << 2 << u"Alpha"_s;
    QTest::newRow("a sample") << u"Alpha Aa"_s << 7 << u"Alpha"_s;
    QTest::newRow("a name before its own break") << u"Be\rta"_s << 1 << u"Be\rta"_s;
    QTest::newRow("a name after its own break") << u"Be\rta"_s << 4 << u"Be\rta"_s;
    QTest::newRow("the last line") << u"Gamma"_s << 0 << u"Gamma"_s;
}

void TestSheetFontInfo::familyAt() {
    QFETCH(QString, text);
    QFETCH(int, offset);
    QFETCH(QString, family);
    const int position = m_page.documentPosition(int(m_page.text.indexOf(text)) + offset);
    QCOMPARE(SheetFontLocator::familyAt(*m_document, position), family);
    // Past the last line's break, no line.
    QCOMPARE(SheetFontLocator::familyAt(*m_document, m_document->characterCount() - 1), QString());
}

void TestSheetFontInfo::keyAndDoubleClick() {
    QTextEdit view;
    view.setReadOnly(true);
    view.setDocument(m_document.get());
    RecordingFontInfoOpener opener;
    const SheetFontInfoHook* hook = new SheetFontInfoHook(view, opener);
    QCOMPARE(hook->action()->text(), u"フォント情報(&F)..."_s);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    QTextCursor cursor(m_document.get());
    cursor.setPosition(m_page.documentPosition(int(m_page.text.indexOf(u"Gamma"))));
    view.setTextCursor(cursor);
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_I, Qt::ControlModifier);
    QCOMPARE(opener.shown, QStringList{u"Gamma"_s});

    cursor.setPosition(m_page.documentPosition(int(m_page.text.indexOf(u"Alpha"))));
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, view.cursorRect(cursor).center());
    QCOMPARE(opener.shown, (QStringList{u"Gamma"_s, u"Alpha"_s}));
    view.setDocument(nullptr);
}

// The view's own items and フォント情報, every one with its access key, フォント情報 by the
// same key as in the selection dialog.
void TestSheetFontInfo::contextMenu() {
    QTextEdit view;
    view.setReadOnly(true);
    view.setDocument(m_document.get());
    RecordingFontInfoOpener opener;
    new SheetFontInfoHook(view, opener);
    view.resize(600, 400);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QStringList captions;
    QTimer::singleShot(0, &view, [&captions] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction* action : menu->actions())
            if (!action->isSeparator())
                captions.append(action->text().section(u'\t', 0, 0));
        menu->close();
    });
    QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(10, 10),
                              view.mapToGlobal(QPoint(10, 10)));
    QApplication::sendEvent(view.viewport(), &request);
    QVERIFY2(captions.contains(u"すべて選択(&A)"_s), qPrintable(captions.join(u", ")));
    QListView list;
    FontListInfoHook dialogHook(
        list, opener, [] { return QString(); }, &list);
    const QString inDialog = dialogHook.button()->text();
    const QString key = inDialog.mid(inDialog.indexOf(u'&'), 2);
    QVERIFY(captions.contains(u"フォント情報(%1)..."_s.arg(key)));
    for (const QString& caption : captions)
        QVERIFY2(caption.contains(u'&'), qPrintable(caption));
    view.setDocument(nullptr);
}

QTEST_MAIN(TestSheetFontInfo)
#include "tst_sheetfontinfo.moc"
