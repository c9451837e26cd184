#include "catalogues.h"
#include "pagerules.h"
#include "sheetcomposer.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

// Fonts "Font 1", "Font 2", ... with a flag each (1 ticked, "." no entry so ticked,
// anything else not) and the fields "page|page box|page total|sample" (the box: the page;
// the total: the true one; the sample: "s"). Gives the page total, the fonts of the page,
// its text and its runs ("start+length family size"), or the failure.
QString composed(const QString& flags, const QString& fields) {
    QStringList stored;
    for (const QChar flag : flags)
        stored.append(flag == u'.' ? QString() : QString(flag));
    const FontCatalogue catalogue = testing::catalogueWithFlags(stored);
    const QStringList f = fields.split(u'|');
    const QString total = QString::number(PageRules::pageTotal(catalogue.SelNum()));
    try {
        const ComposedPage page =
            SheetComposer::compose(catalogue, {Int16::fromInt(f[0].toInt()), f.value(3, u"s"_s),
                                               u"20"_s, f.value(1, f[0]), f.value(2, total)});
        QStringList found{total + u" pages:"_s, page.text};
        for (const Int16 n : page.fontIndexes)
            found[0] += u" "_s + QString::number(n);
        for (const FormatRun& run : page.runs)
            found.append(
                u"%1+%2 %3 %4"_s.arg(run.start).arg(run.length).arg(run.family, run.sizeText));
        return found.join(u" | "_s);
    } catch (const RuntimeError& error) {
        using Kind = RuntimeError::Kind;
        return error.kind() == Kind::Overflow       ? u"overflow"_s
               : error.kind() == Kind::TypeMismatch ? u"mismatch"_s
                                                    : u"out of range"_s;
    }
}

} // namespace

class TestSheetComposer : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // A name's run covers the name and the next three characters, the sample's run the
    // space, the sample and the line break, which counts two.
    void compose_data() {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<QString>("fields");
        QTest::addColumn<QString>("found"); // as far as it goes
        const QString ten(10, u'1'), twelve(12, u'1'),
            gaps = u"001010011001110000011100000001100"_s;
        const auto row = [](const char* name, const QString& flags, const QString& fields,
                            const QString& found) {
            QTest::newRow(name) << flags << fields << found;
        };
        row("one line", u"1"_s, u"1|1|1|abc"_s,
            u"1 pages: 1 | Font 1 abc\r\n | 0+9 System 16 | 6+6 Font 1 20"_s);
        row("empty sample", u"1"_s, u"1|1|1|"_s,
            u"1 pages: 1 | Font 1 \r\n | 0+9 System 16 | 6+3 Font 1 20"_s);
        row("breaks in the sample", u"11"_s, u"1|1|1|x\r\ny"_s,
            u"1 pages: 1 2 | Font 1 x\r\ny\r\nFont 2 x\r\ny\r\n | 0+9 System 16 | 6+7 Font 1 20 | "
            u"13+9 System 16 | 19+7 Font 2 20"_s);
        row("none ticked", u"000"_s, u"1"_s, u"1 pages:"_s);
        row("ten, page 1", ten, u"1"_s, u"2 pages: 1 2 3 4 5 6 7 8 9 10"_s);
        row("ten, the second page empty", ten, u"2"_s, u"2 pages:"_s);
        row("gaps, page 1", gaps, u"1"_s, u"2 pages: 3 5 8 9 12 13 14 20 21 22"_s);
        row("gaps, the last page", gaps, u"2"_s, u"2 pages: 30 31"_s);
        row("only a flag of 1 ticks", u"21x10.1"_s, u"1"_s, u"1 pages: 2 4 6 7"_s);
        row("page 0 is page 1", twelve, u"0"_s, u"2 pages: 1 2 3 4 5 6 7 8 9 10"_s);
        row("-32767 is page 1", twelve, u"-32767"_s, u"2 pages: 1 2 3 4 5 6 7 8 9 10"_s);
        row("page box at the total: the remainder", twelve, u"1|2"_s, u"2 pages: 1 2"_s);
        row("beyond the total", twelve, u"3"_s, u"out of range"_s);
        row("page 0 with fewer than ten", u"11111"_s, u"0"_s, u"out of range"_s);
        row("-32768: p - 1 overflows", twelve, u"-32768"_s, u"overflow"_s);
        row("page box letters", twelve, u"1|x"_s, u"mismatch"_s);
        row("total empty", twelve, u"1|1|"_s, u"mismatch"_s);
        row("a line too long", u"1"_s, u"1|1|1|"_s + QString(32761, u'a'), u"overflow"_s);
        row("lines start too far", QString(9, u'1'), u"1|1|1|"_s + QString(4100, u'b'),
            u"overflow"_s);
    }
    void compose() {
        QFETCH(QString, flags);
        QFETCH(QString, fields);
        QFETCH(QString, found);
        QCOMPARE(composed(flags, fields).section(u" | "_s, 0, int(found.count(u" | "_s))), found);
    }
};

QTEST_GUILESS_MAIN(TestSheetComposer)
#include "tst_sheetcomposer.moc"
