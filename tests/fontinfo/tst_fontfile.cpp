#include "fontconfigfonts.h"
#include "fontfile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

// Font files a user may open, good and hostile: the fuzzer's seeds and a few made here.
class TestFontFile : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QVERIFY(m_scratch.isValid()); }
    void read_data();
    void read();

private:
    QString seed(const QString& name) const {
        return QStringLiteral(VARELITH_FONT_SEEDS) + u'/' + name;
    }
    QTemporaryDir m_scratch;
};

void TestFontFile::read_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("faces"); // 0: refused
    QTest::addColumn<QString>("family");
    QTest::newRow("TrueType") << seed(u"varelith-vertical"_s) << 1 << u"Varelith Vertical"_s;
    QTest::newRow("collection, every face")
        << seed(u"collection-of-two"_s) << 2 << u"Varelith Faces"_s;
    QTest::newRow("WOFF") << seed(u"woff-light"_s) << 1 << u"Varelith Faces"_s;
    QTest::newRow("not a font") << seed(u"not-a-font"_s) << 0 << QString();
    QTest::newRow("cut short") << seed(u"truncated"_s) << 0 << QString();
    QTest::newRow("ten thousand faces") << seed(u"ten-thousand-faces"_s) << 0 << QString();

    // The seed is refused by FreeType itself, which wants room for every face it counts;
    // padded, it is this reader's own limit that refuses it.
    const QString padded = m_scratch.filePath(u"padded-faces.ttc"_s);
    QVERIFY(QFile::copy(seed(u"ten-thousand-faces"_s), padded));
    QFile room(padded);
    QVERIFY(room.open(QIODevice::Append));
    room.write(QByteArray(10000 * 32, '\0'));
    room.close();
    QTest::newRow("ten thousand faces with room") << padded << 0 << QString();

    const QString empty = m_scratch.filePath(u"空.ttf"_s);
    QFile(empty).open(QIODevice::WriteOnly);
    QTest::newRow("empty") << empty << 0 << QString();
    QTest::newRow("missing") << m_scratch.filePath(u"none.otf"_s) << 0 << QString();
    QTest::newRow("a folder") << m_scratch.path() << 0 << QString();
    // Sparse: no disk is used for its size.
    const QString huge = m_scratch.filePath(u"huge.ttf"_s);
    QFile file(huge);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.resize(FontFile::MaxBytes + 1));
    QTest::newRow("too large") << huge << 0 << QString();
}

void TestFontFile::read() {
    QFETCH(QString, path);
    QFETCH(int, faces);
    QFETCH(QString, family);
    const FontFile font = FontFile::read(path);
    QCOMPARE(font.isReadable(), faces > 0);
    if (faces == 0) {
        // Refused with a sentence that names the file, and nothing to show.
        QVERIFY2(font.problem().contains(QFileInfo(path).fileName()), qPrintable(font.problem()));
        QVERIFY(font.faces().isEmpty());
        return;
    }
    QVERIFY(font.problem().isEmpty());
    QCOMPARE(font.faces().size(), faces);
    for (const FcPattern* face : font.faces())
        QCOMPARE(FontconfigFonts::string(face, FC_FAMILY), family);
}

QTEST_GUILESS_MAIN(TestFontFile)
#include "tst_fontfile.moc"
