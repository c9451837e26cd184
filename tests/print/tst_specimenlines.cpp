#include "specimenlines.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

// A run of one glyph per character, each 10 wide, in either direction; characters in
// `joined` share a cluster with the one before, as a ligature's do.
static ShapedRun runOf(const QString& text, bool vertical, const QString& joined = {}) {
    ShapedRun run;
    run.direction = vertical ? ShapedRun::Direction::Vertical : ShapedRun::Direction::Horizontal;
    run.valid = true;
    int cluster = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (i == 0 || !joined.contains(text.at(i)))
            cluster = int(i);
        const double pen = 10.0 * double(i);
        ShapedGlyph glyph;
        glyph.id = 1;
        glyph.cluster = cluster;
        glyph.cell = vertical ? QRectF(-5, pen, 10, 10) : QRectF(pen, -8, 10, 10);
        run.glyphs.append(glyph);
    }
    run.advance = 10.0 * double(text.size());
    return run;
}

class TestSpecimenLines : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Lines no longer than the room, broken where the text may break, every glyph in one
    // line; in a column as on a line.
    void wrap_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("room");
        QTest::addColumn<QString>("joined");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("fits") << u"Abc def"_s << 100.0 << QString() << QStringList{u"Abc def"_s};
        QTest::newRow("between words, the space hanging")
            << u"abc defgh"_s << 75.0 << QString() << QStringList{u"abc "_s, u"defgh"_s};
        QTest::newRow("a space past the end hangs")
            << u"abcd efgh"_s << 40.0 << QString() << QStringList{u"abcd "_s, u"efgh"_s};
        QTest::newRow("between Japanese characters")
            << u"かなかなカナ"_s << 35.0 << QString() << QStringList{u"かなか"_s, u"なカナ"_s};
        QTest::newRow("not before a closing mark")
            << u"かな、かな"_s << 25.0 << QString() << QStringList{u"か"_s, u"な、"_s, u"かな"_s};
        QTest::newRow("a word longer than the room")
            << u"abcdefghij"_s << 35.0 << QString()
            << QStringList{u"abc"_s, u"def"_s, u"ghi"_s, u"j"_s};
        QTest::newRow("a cluster never split")
            << u"abcdef"_s << 25.0 << u"bc"_s << QStringList{u"abc"_s, u"de"_s, u"f"_s};
        QTest::newRow("room for less than a character")
            << u"ab"_s << 5.0 << QString() << QStringList{u"a"_s, u"b"_s};
        QTest::newRow("empty") << QString() << 50.0 << QString() << QStringList{QString()};
    }
    void wrap() {
        QFETCH(QString, text);
        QFETCH(double, room);
        QFETCH(QString, joined);
        QFETCH(QStringList, lines);
        for (const bool vertical : {false, true}) {
            const ShapedRun run = runOf(text, vertical, joined);
            const QList<SpecimenLines::Line> wrapped = SpecimenLines::wrap(run, text, room);
            QStringList texts;
            qsizetype nextGlyph = 0;
            for (const SpecimenLines::Line& line : wrapped) {
                texts.append(text.mid(line.textStart, line.textEnd - line.textStart));
                QCOMPARE(line.firstGlyph, nextGlyph);
                nextGlyph = line.endGlyph;
                if (line.firstGlyph < run.glyphs.size())
                    QCOMPARE(line.penStart, 10.0 * double(line.firstGlyph));
            }
            QCOMPARE(nextGlyph, run.glyphs.size());
            QCOMPARE(texts, lines);
        }
    }
};

QTEST_APPLESS_MAIN(TestSpecimenLines)
#include "tst_specimenlines.moc"
