#include "cairopdfbook.h"
#include "runtimeerror.h"
#include "shaper.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

static QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) ? QString::fromUtf8(process.readAllStandardOutput())
                                          : QString();
}

class TestCairoPdfBook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A sheet a font, the document in parts of one font or in one part: the sheets in
    // their order with their texts, every font embedded, however many parts were joined.
    void sheetsInOrder_data() {
        QTest::addColumn<int>("facesPerPart");
        QTest::newRow("a part a font") << 1;
        QTest::newRow("one part") << CairoPdfBook::FacesPerPart;
    }
    void sheetsInOrder() {
        QFETCH(int, facesPerPart);
        const QString fonts = QStringLiteral(VARELITH_TEST_FONTS);
        const QList<std::pair<QString, QString>> sheets{
            {u"bench00001.ttf"_s, u"First sheet"_s},
            {u"varelith-vertical.ttf"_s, u"二枚目 かな"_s},
            {u"varelith-shared.ttf"_s, u"Third 見本"_s},
            {u"bench00001.ttf"_s, u"Fourth, the first font again"_s}};
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"joined.pdf"_s);
        Shaper shaper;
        {
            CairoPdfBook book(pdf, QSizeF(595, 842), facesPerPart);
            for (qsizetype i = 0; i < sheets.size(); ++i) {
                const FaceRef face{fonts + u'/' + sheets.at(i).first, 0};
                const QString& text = sheets.at(i).second;
                const ShapedRun run =
                    shaper.shape(face, text, ShapedRun::Direction::Horizontal, {}, {}, 20);
                QList<CairoPdfBook::Glyph> glyphs;
                for (const ShapedGlyph& glyph : run.glyphs)
                    glyphs.append({glyph.id, glyph.origin, glyph.cluster});
                if (i > 0)
                    book.endSheet();
                book.showGlyphs({face, QString(), 20, false, false, nullptr}, QPointF(50, 100),
                                glyphs, text);
                book.fillRect(QRectF(50, 120, 100, 10), Qt::blue);
                // A font done with: cairo opens it again from its file to embed it.
                if (i == 1)
                    book.releaseFace(face);
            }
            book.finish();
        }
        QStringList texts = run(u"pdftotext"_s, {pdf, u"-"_s}).split(u'\f');
        texts.removeLast(); // after the last sheet's end
        QCOMPARE(texts.size(), sheets.size());
        for (qsizetype i = 0; i < sheets.size(); ++i)
            QCOMPARE(texts.at(i).simplified(), sheets.at(i).second);
        const QString embedded = run(u"pdffonts"_s, {pdf});
        for (const QString& name :
             {u"BenchSans-00001"_s, u"VarelithVertical"_s, u"VarelithShared"_s})
            QVERIFY2(embedded.contains(name), qPrintable(embedded));
        const QStringList rows = embedded.split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(!rows.isEmpty() && rows.filter(u" yes yes yes "_s) == rows);
        QVERIFY(!run(u"pdfinfo"_s, {pdf}).isEmpty());
    }

    // A Type 1 face, which HarfBuzz cannot read, set by cairo from its character map: its
    // own glyphs, in order along the line, its text kept.
    void typeOneSetPlainly() {
        const FaceRef face{u"/usr/share/fonts/type1/urw-base35/NimbusMonoPS-Regular.t1"_s, 0};
        if (!QFileInfo::exists(face.file))
            QSKIP("no URW Type 1 fonts (Debian package fonts-urw-base35)");
        Shaper shaper;
        QVERIFY(!shaper.shape(face, u"A"_s, ShapedRun::Direction::Horizontal, {}, {}, 20).valid);
        const QString text = u"見 Type 1"_s;
        const CairoPdfBook::Font font{face, QString(), 20, false, false, nullptr};
        const CairoPdfBook::PlainRun set = CairoPdfBook::setPlainly(font, text);
        QCOMPARE(set.glyphs.size(), text.size());
        QVERIFY(set.glyphs.constFirst().id == 0 && set.glyphs.constLast().id != 0); // 見 missing
        QVERIFY(std::is_sorted(set.ends.begin(), set.ends.end()) && set.ends.constFirst() > 0);
        // A glyph a character: each at its character's UTF-16 place, not its UTF-8 one.
        for (qsizetype i = 0; i < set.glyphs.size(); ++i)
            QCOMPARE(set.glyphs.at(i).cluster, int(i));
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"type1.pdf"_s);
        CairoPdfBook book(pdf, QSizeF(595, 842));
        book.showGlyphs(font, QPointF(50, 100), set.glyphs, text);
        book.finish();
        QCOMPARE(run(u"pdftotext"_s, {pdf, u"-"_s}).simplified(), text);
    }

    void unwritableFile() {
        QVERIFY_THROWS_EXCEPTION(RuntimeError,
                                 CairoPdfBook(u"/no such folder/book.pdf"_s, QSizeF(595, 842)));
    }
};

QTEST_MAIN(TestCairoPdfBook)
#include "tst_cairopdfbook.moc"
