#include "catalogues.h"
#include "japaneseinterface.h"
#include "sheetcomposer.h"
#include "sheetdocument.h"

#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

ComposedPage composedPage(const QStringList& names, const QString& sample,
                          const QString& size = u"20"_s) {
    FontCatalogue catalogue;
    MemorySettingsStore store;
    RecordingTickList list;
    catalogue.build(ListFontSource(names), store, list);
    return SheetComposer::compose(catalogue, {Int16(1), sample, size, u"1"_s, u"1"_s});
}

// The family of every character of the document but the line breaks, one letter each:
// N for the name face, S for a sample face.
QString familyMap(const QTextDocument& document) {
    QString map;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (int offset = 0; offset < block.length() - 1; ++offset) {
            QTextCursor cursor(const_cast<QTextDocument*>(&document));
            cursor.setPosition(block.position() + offset);
            cursor.setPosition(block.position() + offset + 1, QTextCursor::KeepAnchor);
            const QString family = cursor.charFormat().fontFamilies().toStringList().value(0);
            map +=
                family == JapaneseInterface::interfaceFace(SheetComposer::NameFamily) ? u'N' : u'S';
        }
        map += u'|';
    }
    return map;
}

} // namespace

class TestSheetDocument : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void runsSelectTheSameCharactersInTheDocument_data() {
        QTest::addColumn<QString>("sample");
        QTest::addColumn<QString>("families");
        // The name run reaches two characters into the sample, or into the line break
        // when the sample is shorter; the sample run wins there.
        QTest::newRow("abc") << u"abc"_s << u"NNNNNSSSS|NSSSS||"_s;
        QTest::newRow("one character") << u"a"_s << u"NNNNNSS|NSS||"_s;
        QTest::newRow("empty") << QString() << u"NNNNNS|NS||"_s;
    }

    void runsSelectTheSameCharactersInTheDocument() {
        QFETCH(QString, sample);
        QFETCH(QString, families);
        const ComposedPage page = composedPage({u"Arial"_s, u"B"_s}, sample);
        const std::unique_ptr<QTextDocument> document = SheetDocument::build(page, QFont());
        QCOMPARE(document->toPlainText(), page.documentText());
        QCOMPARE(familyMap(*document), families);
        QCOMPARE(document->findBlockByNumber(1).position(),
                 page.documentPosition(page.lineStarts.at(1)));
    }

    void formatsByRole() {
        const FormatRun name{0, 5, u"System"_s, u"16"_s, FormatRun::Role::Name};
        const FormatRun sample{5, 4, u"Arial"_s, u"10.5"_s, FormatRun::Role::Sample};
        const QTextCharFormat nameFormat = SheetDocument::formatFor(name);
        const QTextCharFormat sampleFormat = SheetDocument::formatFor(sample);
        QCOMPARE(nameFormat.fontPointSize(), 16.0);
        QVERIFY(nameFormat.fontStyleStrategy() != QFont::NoFontMerging);
        QCOMPARE(sampleFormat.fontFamilies().toStringList(), QStringList{u"Arial"_s});
        QCOMPARE(sampleFormat.fontPointSize(), 10.5);
        QCOMPARE(sampleFormat.fontStyleStrategy(), QFont::NoFontMerging);
    }

    void refusedSizeBuildsNothing_data() {
        QTest::addColumn<QString>("size");
        QTest::newRow("letters") << u"abc"_s;
        QTest::newRow("empty") << QString();
        QTest::newRow("below 1") << u"0.5"_s;
        QTest::newRow("above 1638") << u"1638.5"_s;
    }

    void refusedSizeBuildsNothing() {
        QFETCH(QString, size);
        const ComposedPage page = composedPage({u"Arial"_s}, u"abc"_s, size);
        QVERIFY_THROWS_EXCEPTION(RuntimeError, SheetDocument::build(page, QFont()));
    }

    void documentTakesTheViewsFontAndNoUndo() {
        QFont viewFont;
        viewFont.setPointSize(12);
        const std::unique_ptr<QTextDocument> document =
            SheetDocument::build(composedPage({}, u"abc"_s), viewFont);
        QVERIFY(document->isEmpty());
        QCOMPARE(document->defaultFont().pointSize(), 12);
        QVERIFY(!document->isUndoRedoEnabled());
    }
};

QTEST_MAIN(TestSheetDocument)
#include "tst_sheetdocument.moc"
