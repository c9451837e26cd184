#include "catalogues.h"
#include "pagerules.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;
using varelith::testing::catalogueTicking;
using varelith::testing::catalogueWithFlags;

namespace {

QList<int> asInts(const QList<Int16>& values) {
    QList<int> ints;
    for (const Int16 value : values)
        ints.append(value);
    return ints;
}

// The fonts of page p as the composer and the printer find them.
QList<int> fontsOnPage(const FontCatalogue& catalogue, int page) {
    const Int16 total = PageRules::pageTotal(catalogue.SelNum());
    const Int16 start = PageRules::pageStart(Int16::fromInt(page), catalogue);
    const Int16 lines = PageRules::lineCount(Int16::fromInt(page), total, catalogue.SelNum());
    return asInts(PageRules::pageFonts(start, lines, catalogue));
}

std::optional<RuntimeError::Kind> failureOf(const std::function<void()>& work) {
    try {
        work();
    } catch (const RuntimeError& error) {
        return error.kind();
    }
    return std::nullopt;
}

QList<int> range(int from, int to) {
    QList<int> values;
    for (int n = from; n <= to; ++n)
        values.append(n);
    return values;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<RuntimeError::Kind>)

class TestPageRules : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void totalAndLinesPerPage_data() {
        QTest::addColumn<int>("ticked");
        QTest::addColumn<QList<int>>("linesPerPage");
        QTest::newRow("0") << 0 << QList<int>{0};
        QTest::newRow("1") << 1 << QList<int>{1};
        QTest::newRow("9") << 9 << QList<int>{9};
        QTest::newRow("10") << 10 << QList<int>{10, 0};
        QTest::newRow("11") << 11 << QList<int>{10, 1};
        QTest::newRow("19") << 19 << QList<int>{10, 9};
        QTest::newRow("20") << 20 << QList<int>{10, 10, 0};
        QTest::newRow("25") << 25 << QList<int>{10, 10, 5};
    }

    void totalAndLinesPerPage() {
        QFETCH(int, ticked);
        QFETCH(QList<int>, linesPerPage);
        const FontCatalogue catalogue = catalogueTicking(ticked + 3, range(1, ticked));
        QCOMPARE(int(catalogue.SelNum()), ticked);
        const Int16 total = PageRules::pageTotal(catalogue.SelNum());
        QCOMPARE(int(total), linesPerPage.size());
        QList<int> lines;
        for (int page = 1; page <= total; ++page)
            lines.append(int(fontsOnPage(catalogue, page).size()));
        QCOMPARE(lines, linesPerPage);
    }

    void pagesTakeTheTickedFontsInOrder() {
        const FontCatalogue catalogue =
            catalogueTicking(35, {3, 5, 8, 9, 12, 13, 14, 20, 21, 22, 30, 31});
        QCOMPARE(int(catalogue.SelNum()), 12);
        QCOMPARE(int(PageRules::pageTotal(catalogue.SelNum())), 2);
        QCOMPARE(fontsOnPage(catalogue, 1), (QList<int>{3, 5, 8, 9, 12, 13, 14, 20, 21, 22}));
        QCOMPARE(int(PageRules::pageStart(Int16(1), catalogue)), 1);
        QCOMPARE(int(PageRules::pageStart(Int16(2), catalogue)), 23);
        QCOMPARE(fontsOnPage(catalogue, 2), (QList<int>{30, 31}));
    }

    void onlyAFlagOfOneIsTicked() {
        // Flags 2 and -1 (and garbage, read as 0) take no line and no place.
        const FontCatalogue catalogue =
            catalogueWithFlags({u"2"_s, u"1"_s, u"-1"_s, u"1"_s, u"x"_s, u"0"_s, u"1"_s, QString(),
                                u"1.4"_s, u"0.6"_s});
        QCOMPARE(int(catalogue.FontFlg(1)), 2);
        QCOMPARE(int(catalogue.FontFlg(3)), -1);
        QCOMPARE(int(catalogue.SelNum()), 6);
        QCOMPARE(fontsOnPage(catalogue, 1), (QList<int>{2, 4, 7, 8, 9, 10}));
    }

    // Pages outside 1..total: the walk and the collection either find page 1's fonts or
    // run out of fonts (subscript out of range); -32768 overflows in p - 1.
    void pagesOutsideTheSheet_data() {
        QTest::addColumn<int>("ticked");
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<int>>("fonts");
        QTest::addColumn<std::optional<RuntimeError::Kind>>("failure");
        const auto subscript = std::optional(RuntimeError::Kind::SubscriptOutOfRange);
        const std::optional<RuntimeError::Kind> none;
        QTest::newRow("0 with ten or more") << 12 << 0 << range(1, 10) << none;
        QTest::newRow("-32767 with ten or more") << 12 << -32767 << range(1, 10) << none;
        QTest::newRow("empty last page") << 20 << 3 << QList<int>{} << none;
        QTest::newRow("beyond the total") << 12 << 3 << QList<int>{} << subscript;
        QTest::newRow("far beyond") << 5 << 40 << QList<int>{} << subscript;
        QTest::newRow("0 with fewer than ten") << 5 << 0 << QList<int>{} << subscript;
        QTest::newRow("-3 with fewer than ten") << 9 << -3 << QList<int>{} << subscript;
        QTest::newRow("0 with none") << 0 << 0 << QList<int>{} << subscript;
        QTest::newRow("-32768") << 12 << -32768 << QList<int>{}
                                << std::optional(RuntimeError::Kind::Overflow);
    }

    void pagesOutsideTheSheet() {
        QFETCH(int, ticked);
        QFETCH(int, page);
        QFETCH(QList<int>, fonts);
        QFETCH(std::optional<RuntimeError::Kind>, failure);
        // The ticked fonts end the catalogue, so a walk past them runs out at once.
        const FontCatalogue catalogue = catalogueTicking(ticked, range(1, ticked));
        QList<int> found;
        QCOMPARE(failureOf([&] { found = fontsOnPage(catalogue, page); }), failure);
        QCOMPARE(found, fonts);
    }

    void unbuiltCatalogueHasNoFlags() {
        const FontCatalogue empty;
        QCOMPARE(failureOf([&] { PageRules::pageFonts(Int16(1), Int16(1), empty); }),
                 std::optional(RuntimeError::Kind::SubscriptOutOfRange));
        QCOMPARE(fontsOnPage(empty, 1), QList<int>{});
    }
};

QTEST_GUILESS_MAIN(TestPageRules)
#include "tst_pagerules.moc"
