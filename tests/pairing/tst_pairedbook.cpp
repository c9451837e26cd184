#include "familyfaces.h"
#include "glyphcoverage.h"
#include "pairingfaces.h"
#include "specimenprinter.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFontDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) ? QString::fromUtf8(process.readAllStandardOutput())
                                          : QString();
}

} // namespace

// The specimen book follows the sheet's pairing: each sample's Latin run in the Latin font,
// embedded with its text, the rest in the line's own.
class TestPairedBook : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            QFontDatabase::addApplicationFont(font.filePath());
    }

    void latinFontPrinted_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<bool>("partners");
        QTest::newRow("横書き") << false << false;
        QTest::newRow("縦書き") << true << false;
        QTest::newRow("a partner for each font") << false << true;
    }
    void latinFontPrinted() {
        QFETCH(bool, vertical);
        QFETCH(bool, partners);
        GlyphCoverage coverage;
        FamilyFaces faces;
        PairingFaces pairingFaces(faces, coverage);
        SpecimenPrinter::Book book;
        book.sample = u"かなAVfi 12"_s;
        book.vertical = vertical;
        book.pairing.scalePercent = 90;
        if (partners) {
            book.families = {u"Varelith Latin"_s};
            book.pairing.mode = LatinPairing::Mode::Partners;
            book.pairing.japaneseFamily = u"Varelith Vertical"_s;
        } else {
            book.families = {u"Varelith Vertical"_s};
            book.pairing.mode = LatinPairing::Mode::EachLine;
            book.pairing.latinFamily = u"Varelith Latin"_s;
            book.pairing.latinStyle = u"Bold"_s;
        }
        book.latinFaces = [&pairingFaces](const QString& family, const QString& style) {
            return pairingFaces.face(family, style);
        };
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"book.pdf"_s);
        {
            SpecimenPrinter printer(pdf, {QSizeF(595, 842), QRectF(42, 42, 511, 758)}, coverage,
                                    book, QDate(2026, 12, 7));
            while (printer.advance(QDeadlineTimer::Forever)) {
            }
        }
        const QString fonts = run(u"pdffonts"_s, {pdf});
        QVERIFY2(fonts.contains(partners ? u"VarelithLatin-Regular"_s : u"VarelithLatin-Bold"_s),
                 qPrintable(fonts));
        QVERIFY2(fonts.contains(u"VarelithVertical"_s), qPrintable(fonts));
        QString text = run(u"pdftotext"_s, {pdf, u"-"_s});
        // pdftotext reads a column's sideways text apart from its upright text.
        text.remove(QRegularExpression(u"\\s"_s));
        QVERIFY2(vertical ? text.contains(u"AVfi12"_s) && text.contains(u"かな"_s)
                          : text.contains(u"かなAVfi12"_s),
                 qPrintable(text));
        // The header says how the samples are paired.
        QVERIFY(
            text.contains(partners ? u"和文VarelithVertical90%"_s : u"欧文VarelithLatinBold90%"_s));
    }
};

QTEST_MAIN(TestPairedBook)
#include "tst_pairedbook.moc"
