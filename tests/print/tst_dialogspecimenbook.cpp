#include "catalogues.h"
#include "dialogspecimenbook.h"
#include "glyphcoverage.h"
#include "printstandins.h"
#include "specimenprinter.h"

#include <QFontDatabase>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

static QString run(QStringList command) {
    QProcess process;
    process.start(command.takeFirst(), command);
    return process.waitForFinished(60000) ? QString::fromUtf8(process.readAllStandardOutput())
                                          : QString();
}

static QString withoutSpaces(QString text) {
    return text.remove(QRegularExpression(u"\\s"_s));
}

// A word of pdftotext -bbox: its box in points and its text.
struct Word {
    QRectF box;
    QString text;
    int sheet = 0;
};

static QList<Word> wordsOf(const QString& pdf) {
    QList<Word> words;
    const QStringList sheets = run({u"pdftotext"_s, u"-bbox"_s, pdf, u"-"_s}).split(u"<page "_s);
    const QRegularExpression word(u"<word xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\" "
                                  "xMax=\"([-0-9.]+)\" yMax=\"([-0-9.]+)\">([^<]*)</word>"_s);
    for (qsizetype sheet = 1; sheet < sheets.size(); ++sheet) {
        for (const QRegularExpressionMatch& match : word.globalMatch(sheets.at(sheet))) {
            const QPointF from(match.captured(1).toDouble(), match.captured(2).toDouble());
            const QPointF to(match.captured(3).toDouble(), match.captured(4).toDouble());
            words.append({QRectF(from, to), match.captured(5), int(sheet - 1)});
        }
    }
    return words;
}

class TestDialogSpecimenBook : public QObject {
    Q_OBJECT
    QStringList m_fonts; // the test set's fonts, in catalogue order, loaded once

    // The families given (or the set's first `ticked`) printed into a PDF on A4.
    struct Printed {
        QString pdf;
        bool exists = false;
    };
    Printed print(QTemporaryDir& dir, const FixedSheetSource& source, int copies = 1,
                  QWidget* window = nullptr) {
        const QString pdf = dir.filePath(u"book.pdf"_s);
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPageSize(QPageSize(QPageSize::A4));
        GlyphCoverage coverage;
        DialogSpecimenBook(coverage, std::make_unique<FilePrinterDialog>(pdf, copies),
                           std::move(printer))
            .printSpecimenBook(source, window);
        return {pdf, QFileInfo::exists(pdf)};
    }

    FixedSheetSource sourceOf(const QStringList& families) {
        MemorySettingsStore store;
        RecordingTickList list;
        FixedSheetSource source{FontCatalogue()};
        source.fonts.build(ListFontSource(families), store, list);
        return source;
    }

private Q_SLOTS:
    void initTestCase() {
        for (const QFileInfo& font : QDir(QStringLiteral(VARELITH_TEST_FONTS)).entryInfoList())
            m_fonts += QFontDatabase::applicationFontFamilies(
                QFontDatabase::addApplicationFont(font.filePath()));
        QVERIFY(m_fonts.contains(u"Varelith Shared"_s) && m_fonts.contains(u"Varelith Vertical"_s));
    }

    // The document's text is the text typed, in either mode: a vertical form reached only
    // through `vert`, and a glyph two characters share, read back as the characters
    // typed. The header carries the size, style, writing mode, features and axes.
    void textLayer_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("sample");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("features");
        QTest::addColumn<QString>("axes");
        const QString forms = u"縦書「永」、。ー"_s;
        QTest::newRow("vertical forms, 横書き")
            << u"Varelith Vertical"_s << forms << false << QString() << QString();
        QTest::newRow("vertical forms, 縦書き")
            << u"Varelith Vertical"_s << forms << true << QString() << QString();
        QTest::newRow("vertical forms and Latin, 縦書き, palt")
            << u"Varelith Vertical"_s << u"「縦書」AB 12、かな。"_s << true << u"+palt"_s
            << QString();
        QTest::newRow("shared glyph, 横書き")
            << u"Varelith Shared"_s << u"見本 Abc"_s << false << QString() << QString();
        QTest::newRow("shared glyph, 縦書き")
            << u"Varelith Shared"_s << u"見本"_s << true << QString() << QString();
        QTest::newRow("both characters of a shared glyph")
            << u"Varelith Shared"_s << u"⾒見⾒"_s << false << QString() << QString();
        // The machine's own Japanese faces, where the fault was met (Debian's fonts-noto-cjk,
        // fonts-ipafont-gothic): 見 shares its glyph with ⾒, and digits are no exception.
        const QString issue = u"見本「縦書き」、。0123"_s;
        for (const QString& japanese : {u"Noto Sans CJK JP"_s, u"IPAGothic"_s}) {
            for (const bool columns : {false, true})
                QTest::addRow("%s, %s", qPrintable(japanese), columns ? "縦書き" : "横書き")
                    << japanese << issue << columns << QString() << QString();
        }
        QTest::newRow("variable, wght")
            << u"Varelith Variable"_s << u"Abc いう"_s << false << QString() << u"wght=700"_s;
    }
    void textLayer() {
        QFETCH(QString, family);
        QFETCH(QString, sample);
        QFETCH(bool, vertical);
        QFETCH(QString, features);
        QFETCH(QString, axes);
        if (!QFontDatabase::families().contains(family))
            QSKIP("the face is not installed");
        FixedSheetSource source = sourceOf({family});
        source.sample = sample;
        source.vertical = vertical;
        source.features = FeatureSettings::fromText(features);
        source.axes = VariationSettings::fromText(axes);
        QTemporaryDir dir;
        const Printed book = print(dir, source);
        QVERIFY(book.exists);
        QStringList settings{u"12 pt"_s, u"標準"_s, vertical ? u"縦書き"_s : u"横書き"_s};
        if (!features.isEmpty())
            settings.append(u"機能 "_s + features);
        if (!axes.isEmpty())
            settings.append(u"可変軸 "_s + axes);
        const QString header = u"Varelith 見本帳"_s +
                               QDate::currentDate().toString(u"yyyy年M月d日"_s) + u"ページ1/1"_s +
                               settings.join(u'・');
        const QString text = run({u"pdftotext"_s, u"-raw"_s, book.pdf, u"-"_s});
        QCOMPARE(withoutSpaces(text), withoutSpaces(header + family + sample));
        // The font itself embedded; at other axis values, the instance's own outlines (a Type 3
        // font), since the font's file holds only its default ones.
        const QString fonts = run({u"pdffonts"_s, book.pdf});
        QVERIFY2(fonts.contains(axes.isEmpty() ? QString(family).remove(u' ') : u"Type 3"_s,
                                Qt::CaseInsensitive),
                 qPrintable(fonts));
    }

    // Every sample at the one size, whatever its font and however long: a sample longer
    // than the line goes on in the next line (column), inside the 15 mm margins, on as
    // many sheets as it takes; the names at a legible size.
    void sameSize_data() {
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("sheets");
        QTest::newRow("横書き") << false << u"14"_s << 1;
        QTest::newRow("縦書き") << true << u"14"_s << 1;
        QTest::newRow("横書き, over sheets") << false << u"40"_s << 2;
        QTest::newRow("縦書き, over sheets") << true << u"40"_s << 3;
    }
    void sameSize() {
        QFETCH(bool, vertical);
        QFETCH(QString, size);
        QFETCH(int, sheets);
        // Latin fonts, fonts with kana, proportional and not: widths that differ a lot.
        const QStringList families{u"Bench Sans 00001"_s, u"試験書体 00007"_s, u"Varelith Faces"_s,
                                   u"Varelith Vertical"_s};
        FixedSheetSource source = sourceOf(families);
        // Long enough for several lines at 14 pt, words of letters in between.
        source.sample = u"かなカナ ABCD mw "_s.repeated(8);
        source.size = size;
        source.vertical = vertical;
        QTemporaryDir dir;
        const Printed book = print(dir, source);
        QVERIFY(book.exists);
        const QList<Word> words = wordsOf(book.pdf);
        QCOMPARE(words.constLast().sheet + 1, sheets);
        const double points = size.toDouble();
        const QRegularExpression ofTheSample(u"^[かなカナABCDmw]+$"_s);
        QSet<int> lines;
        for (const Word& word : words) {
            // Inside the margins: 15 mm is 42.5 pt.
            QVERIFY2(word.box.left() >= 42 && word.box.right() <= 595 - 42 &&
                         word.box.top() >= 42 && word.box.bottom() <= 842 - 42,
                     qPrintable(word.text));
            if (!ofTheSample.match(word.text).hasMatch()) {
                // The header and the names, in the interface face: at 8 pt or more.
                QVERIFY2(word.box.height() >= 8, qPrintable(word.text));
                continue;
            }
            // The generated faces reach 1 em from their descent to their ascent: the box's
            // breadth is the size the sample is printed at (Latin turned sideways in a column).
            const bool sized = qAbs(word.box.height() - points) < 0.5 ||
                               (vertical && qAbs(word.box.width() - points) < 0.5);
            QVERIFY2(
                sized,
                qPrintable(
                    u"%1: %2 x %3"_s.arg(word.text).arg(word.box.width()).arg(word.box.height())));
            lines.insert(qRound(vertical ? word.box.center().x() : word.box.center().y()) +
                         word.sheet * 1000);
        }
        // Fonts in the catalogue's order: down the sheet, or its columns right to left.
        const auto placeOf = [&words](const QString& number) {
            for (const Word& word : words)
                if (word.text == number)
                    return word;
            return Word{};
        };
        const Word first = placeOf(u"00001"_s);
        const Word second = placeOf(u"00007"_s);
        QCOMPARE(first.sheet, 0);
        if (second.sheet == 0)
            QVERIFY(vertical ? first.box.left() > second.box.right()
                             : first.box.bottom() < second.box.top());
        else
            QVERIFY(second.sheet > 0);
        // Every font's sample wrapped onto more than one line.
        QVERIFY2(lines.size() >= 2 * families.size(), qPrintable(QString::number(lines.size())));
    }

    // A size at which one character would not fit a sheet is brought down to one that does,
    // for every font alike, and the header says so.
    void oversizeBroughtDown() {
        FixedSheetSource source = sourceOf({u"Varelith Vertical"_s, u"Bench Sans 00001"_s});
        source.sample = u"かAな"_s;
        source.size = u"1638"_s;
        QTemporaryDir dir;
        const Printed book = print(dir, source);
        QVERIFY(book.exists);
        const QString text = run({u"pdftotext"_s, u"-raw"_s, book.pdf, u"-"_s});
        const QRegularExpression size(u"(\\d+(\\.\\d+)?) pt・標準"_s);
        const double points = size.match(text).captured(1).toDouble();
        QVERIFY2(points > 100 && points < 400, qPrintable(text));
        for (const Word& word : wordsOf(book.pdf)) {
            QVERIFY(word.box.left() >= 42 && word.box.right() <= 595 - 42 && word.box.top() >= 42 &&
                    word.box.bottom() <= 842 - 42);
            if (word.text == u"か"_s || word.text == u"A"_s)
                QVERIFY(qAbs(word.box.height() - points) < 0.5);
        }
    }

    // Switched features reach the book as they reach the sheet: palt closes up kana, and a
    // font without it says so beside its name.
    void featuresApplied() {
        FixedSheetSource source = sourceOf({u"Varelith Vertical"_s, u"Bench Sans 00001"_s});
        source.sample = u"かなかなかな"_s;
        double widths[2] = {};
        for (const bool palt : {false, true}) {
            source.features = FeatureSettings::fromText(palt ? u"+palt"_s : QString());
            QTemporaryDir dir;
            const Printed book = print(dir, source);
            for (const Word& word : wordsOf(book.pdf))
                if (word.text == source.sample && widths[palt] == 0) // Varelith Vertical's
                    widths[palt] = word.box.width();
            const QString text = run({u"pdftotext"_s, u"-raw"_s, book.pdf, u"-"_s});
            QCOMPARE(text.contains(u"Bench Sans 00001（palt 非対応）"_s), palt);
            QVERIFY(!text.contains(u"Vertical (palt"_s));
        }
        QVERIFY(widths[0] > 0 && widths[1] > 0);
        QVERIFY2(widths[1] < widths[0] * 0.95,
                 qPrintable(u"%1 %2"_s.arg(widths[0]).arg(widths[1])));
    }

    // A book without fonts has its one sheet; a book cancelled in the dialog, or while it
    // is being written, leaves no file, not even its part.
    void cancelAndEmpty_data() {
        QTest::addColumn<int>("ticked");
        QTest::addColumn<int>("copies"); // -1: cancelled in the dialog
        QTest::addColumn<bool>("cancelWhileWritten");
        QTest::newRow("no font ticked") << 0 << 1 << false;
        QTest::newRow("cancelled in the dialog") << 6 << -1 << false;
        QTest::newRow("cancelled while written") << 14 << 1 << true;
    }
    void cancelAndEmpty() {
        QFETCH(int, ticked);
        QFETCH(int, copies);
        QFETCH(bool, cancelWhileWritten);
        FixedSheetSource source = sourceOf(m_fonts.mid(0, ticked));
        // Long enough that the book takes many pieces of work.
        source.sample = cancelWhileWritten ? u"かなカナ ABCD "_s.repeated(1000) : u"Abc"_s;
        QWidget window;
        QTimer cancel;
        bool cancelled = false;
        // The progress dialog's cancel pressed once sheets are being written.
        QObject::connect(&cancel, &QTimer::timeout, &window, [&] {
            auto* progress = window.findChild<QProgressDialog*>();
            auto* bar = progress ? progress->findChild<QProgressBar*>() : nullptr;
            if (bar && bar->value() > ticked && !cancelled) {
                cancelled = true;
                progress->findChild<QPushButton*>()->click();
            }
        });
        if (cancelWhileWritten)
            cancel.start(0);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"book.pdf"_s);
        GlyphCoverage coverage;
        DialogSpecimenBook(coverage, std::make_unique<FilePrinterDialog>(pdf, copies))
            .printSpecimenBook(source, &window);
        QCOMPARE(cancelled, cancelWhileWritten);
        const QStringList left = QDir(dir.path()).entryList(QDir::Files);
        if (copies < 0 || cancelWhileWritten) {
            QCOMPARE(left, QStringList());
            return;
        }
        QCOMPARE(left, QStringList{u"book.pdf"_s});
        QVERIFY(run({u"pdftotext"_s, pdf, u"-"_s}).contains(SpecimenPrinter::NoFontsText));
    }

    // To the queue of the print server that cups_print_test.sh starts: one book in two
    // copies, then one cancelled half way; the script reads what the server received.
    void throughAPrintServer() {
        if (qEnvironmentVariableIsEmpty("VARELITH_PRINT_QUEUE"))
            QSKIP("run by cups_print_test.sh with a print server of its own");
        const QString queue = qEnvironmentVariable("VARELITH_PRINT_QUEUE");
        FixedSheetSource source = sourceOf({u"Varelith Vertical"_s, u"Varelith Shared"_s});
        source.sample = u"見本「縦書」、。"_s;
        GlyphCoverage coverage;
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        const QPrinter& used = *printer;
        // Kept while its printer is looked at: the book owns it.
        DialogSpecimenBook book(coverage, std::make_unique<FilePrinterDialog>(queue, 2),
                                std::move(printer));
        book.printSpecimenBook(source, nullptr);
        QCOMPARE(used.copyCount(), 1); // the server makes the copies, Qt none of its own

        QWidget window;
        QTimer cancel;
        bool cancelled = false;
        // Pressed once the book's sheets are being written, as in cancelAndEmpty.
        QObject::connect(&cancel, &QTimer::timeout, &window, [&] {
            auto* progress = window.findChild<QProgressDialog*>();
            auto* bar = progress ? progress->findChild<QProgressBar*>() : nullptr;
            if (bar && bar->value() > source.fonts.FontNum() && !cancelled) {
                cancelled = true;
                progress->findChild<QPushButton*>()->click();
            }
        });
        cancel.start(0);
        source.sample = source.sample.repeated(4000);
        DialogSpecimenBook(coverage, std::make_unique<FilePrinterDialog>(queue, 1))
            .printSpecimenBook(source, &window);
        QVERIFY(cancelled);
    }
};

QTEST_MAIN(TestDialogSpecimenBook)
#include "tst_dialogspecimenbook.moc"
