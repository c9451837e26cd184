#include "catalogues.h"
#include "dialogspecimenbook.h"
#include "printstandins.h"
#include "shaper.h"
#include "specimenprinter.h"

#include <QFontDatabase>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

static QString run(QStringList command) {
    QProcess process;
    process.start(command.takeFirst(), command);
    return process.waitForFinished() ? QString::fromUtf8(process.readAllStandardOutput())
                                     : QString();
}

// Given a window, presses the cancel button of its progress dialog as a sheet begins, on a
// sheet slower than a piece of the work: the press is seen while the book is being written.
class CancellingPrinter : public QPrinter {
public:
    explicit CancellingPrinter(QWidget* window)
        : QPrinter(QPrinter::HighResolution)
        , m_window(window) {}
    bool newPage() override {
        if (auto* progress = m_window ? m_window->findChild<QProgressDialog*>() : nullptr) {
            progress->findChild<QPushButton*>()->click();
            QTest::qSleep(DialogSpecimenBook::SliceMs + 1);
        }
        return QPrinter::newPage();
    }

private:
    QWidget* m_window;
};

class TestDialogSpecimenBook : public QObject {
    Q_OBJECT
    QStringList m_fonts; // the test set's fonts, in catalogue order, loaded once

private Q_SLOTS:
    void book_data() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            m_fonts += QFontDatabase::applicationFontFamilies(
                QFontDatabase::addApplicationFont(font.filePath()));
        QTest::addColumn<int>("ticked"); // the first ones of the set
        QTest::addColumn<QString>("sample");
        // 2: at 200 pt, else 12 pt; 0: cancelled in the dialog, -2: as the second sheet begins
        QTest::addColumn<int>("sheets");
        QTest::newRow("lines too wide") << 6 << u"Abc 0123 "_s.repeated(60) << 1;
        QTest::newRow("tall samples") << 6 << u"Ab"_s << 2;
        QTest::newRow("no font ticked") << 0 << u"Abc"_s << 1;
        QTest::newRow("cancel") << 6 << u"Abc"_s << 0;
        QTest::newRow("cancel while written") << 6 << u"Ab"_s << -2;
    }

    void book() {
        QFETCH(int, ticked);
        QFETCH(QString, sample);
        QFETCH(int, sheets);
        MemorySettingsStore store;
        RecordingTickList list;
        FixedSheetSource source{FontCatalogue()};
        source.fonts.build(ListFontSource(m_fonts.mid(0, ticked)), store, list);
        source.sample = sample;
        source.size = std::abs(sheets) == 2 ? u"200"_s : u"12"_s;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"book.pdf"_s);
        auto dialog = std::make_unique<FilePrinterDialog>(pdf, sheets == 0 ? -1 : 1);
        QWidget window;
        auto printer = std::make_unique<CancellingPrinter>(sheets < 0 ? &window : nullptr);
        printer->setPageSize(QPageSize(QPageSize::A4));
        GlyphCoverage coverage;
        Shaper shaper;
        DialogSpecimenBook(coverage, shaper, std::move(dialog), std::move(printer))
            .printSpecimenBook(source, &window);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), int(sheets > 0));
        if (sheets <= 0)
            return;

        // Inside the 15 mm margins: a header on every sheet, then the names and samples, whole.
        QString text = run(u"pdftotext -raw -x 42 -y 42 -W 511 -H 758 %1 -"_s.arg(pdf).split(u' '));
        const QString header = u"Varelith 見本帳 %1 ページ %3 / %2"_s.arg(
            QDate::currentDate().toString(u"yyyy年M月d日"_s), QString::number(sheets));
        for (int sheet = 1; sheet <= sheets; ++sheet)
            QCOMPARE(text.section(u'\f', sheet - 1).section(u'\n', 0, 0), header.arg(sheet));
        QString lines =
            ticked ? m_fonts.mid(0, ticked).join(sample) + sample : SpecimenPrinter::NoFontsText;
        QCOMPARE(text.remove(QRegularExpression(u"Varelith 見本帳[^\n]*|\\s"_s)),
                 lines.remove(u' '));
        const QStringList fonts = run({u"pdffonts"_s, pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(fonts.size() > ticked && fonts.filter(u" yes "_s) == fonts); // all embedded
    }

    void vertical_data() {
        QTest::addColumn<int>("ticked");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("sheets");
        QTest::newRow("one sheet") << 9 << u"12"_s << 1;
        QTest::newRow("columns onto a second sheet") << 9 << u"96"_s << 2;
    }

    // 縦書き: one column per font, right to left on each sheet, each headed by its name as
    // text; the header as in 横書き; every font embedded.
    void vertical() {
        QFETCH(int, ticked);
        QFETCH(QString, size);
        QFETCH(int, sheets);
        MemorySettingsStore store;
        RecordingTickList list;
        FixedSheetSource source{FontCatalogue()};
        source.fonts.build(ListFontSource(m_fonts.mid(0, ticked)), store, list);
        source.sample = u"「縦書き」ABC 123。"_s;
        source.size = size;
        source.vertical = true;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"book.pdf"_s);
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPageSize(QPageSize(QPageSize::A4));
        GlyphCoverage coverage;
        Shaper shaper;
        DialogSpecimenBook(coverage, shaper, std::make_unique<FilePrinterDialog>(pdf, 1),
                           std::move(printer))
            .printSpecimenBook(source, nullptr);

        // Each name's number (its last word) with its sheet and its left edge.
        const QString boxes = run({u"pdftotext"_s, u"-bbox"_s, pdf, u"-"_s});
        const QStringList pages = boxes.split(u"<page "_s).mid(1);
        QCOMPARE(pages.size(), sheets);
        std::pair<int, double> last{0, 0};
        for (int index = 1; index <= source.fonts.FontNum(); ++index) {
            const QString family = source.fonts.FontName(index);
            const QString number = family.section(u' ', -1);
            const QRegularExpression word(u"<word xMin=\"([0-9.]+)\"[^>]*>%1</word>"_s.arg(number));
            int sheet = 0;
            while (sheet < sheets && !word.match(pages.at(sheet)).hasMatch())
                ++sheet;
            QVERIFY2(sheet < sheets, qPrintable(family));
            const double left = word.match(pages.at(sheet)).captured(1).toDouble();
            if (sheet == last.first && index > 1)
                QVERIFY2(left < last.second, qPrintable(family)); // left of the one before
            last = {sheet, left};
        }
        QCOMPARE(last.first, sheets - 1);
        // Nothing reaches into the bottom margin (15 mm of 842 pt): a long column is scaled.
        const QRegularExpression bottom(u"yMax=\"([0-9.]+)\""_s);
        for (const QString& page : pages) {
            QVERIFY(page.contains(u">見本帳</word>"_s) && page.contains(u">ページ</word>"_s));
            for (const QRegularExpressionMatch& box : bottom.globalMatch(page))
                QVERIFY(box.captured(1).toDouble() <= 842 - 42);
        }
        const QStringList fonts = run({u"pdffonts"_s, pdf}).split(u'\n', Qt::SkipEmptyParts).mid(2);
        QVERIFY(fonts.size() > ticked && fonts.filter(u" yes "_s) == fonts);
    }
};

QTEST_MAIN(TestDialogSpecimenBook)
#include "tst_dialogspecimenbook.moc"
