#include "catalogues.h"
#include "composedpage.h"
#include "recordingfontinfoopener.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"
#include "sheetfontinfohook.h"
#include "sheetfontlocator.h"

#include <QAction>
#include <QTest>
#include <QTextDocument>
#include <QTextEdit>

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
    QCOMPARE(hook->action()->text(), u"フォント情報(&I)..."_s);
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

QTEST_MAIN(TestSheetFontInfo)
#include "tst_sheetfontinfo.moc"
