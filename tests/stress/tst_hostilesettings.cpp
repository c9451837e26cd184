// The settings file as the user's machine may hand it over: random bytes, a hundred
// thousand stale entries, values with control characters or a megabyte long, a folder
// that is missing, a file where the folder should be, a folder where the file should be.
// Every time the catalogue builds and commits, and whatever can be stored is stored and
// read back exactly.

#include "catalogues.h"
#include "inisettingsstore.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

bool writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// Build, untick every third font, commit: what the user does in one session.
QList<bool> oneSession(SettingsStore& store, const QStringList& names) {
    FontCatalogue catalogue;
    RecordingTickList list;
    catalogue.build(ListFontSource(names), store, list);
    for (int k = 0; k < list.listCount(); k += 3)
        list.setSelected(k, false);
    catalogue.commit(list, store);
    return list.ticks;
}

QList<bool> ticksOnNextStart(const QString& file, const QStringList& names) {
    IniSettingsStore store(file);
    FontCatalogue catalogue;
    RecordingTickList list;
    catalogue.build(ListFontSource(names), store, list);
    return list.ticks;
}

} // namespace

class TestHostileSettings : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(m_home->isValid());
        m_file = m_home->path() + u"/Varelith/Varelith.ini"_s;
    }

    void anyBytesInTheFileGiveAWorkingSessionAndAGoodFile_data() {
        QTest::addColumn<QByteArray>("bytes");
        for (quint32 seed = 1; seed <= 40; ++seed) {
            QRandomGenerator random(seed);
            QByteArray noise(qsizetype(random.bounded(1, 20000)), Qt::Uninitialized);
            for (char& byte : noise)
                byte = char(random.bounded(256));
            QTest::addRow("random %u", seed) << noise;
        }
        QTest::newRow("unclosed section") << QByteArray("[");
        QTest::newRow("nul bytes") << QByteArray("[setting]\nflg_Font1=\0\0\0\n", 22);
        QTest::newRow("utf-16 with its mark") << QByteArray("\xff\xfe[\0s\0]\0", 8);
        QTest::newRow("variant that is no variant")
            << QByteArray("[setting]\nflg_Font1=@Variant(\\0\\0\\0\x7f)\nflg_Font2=@ByteArray(\n");
        QTest::newRow("list and quotes")
            << QByteArray("[setting]\nflg_Font1=1, 0\nflg_Font2=\"1\nflg_Font3=\\\n");
        QTest::newRow("keys without a section") << QByteArray("flg_Font1=0\n=\n==\n[]\n[setting\n");
    }

    void anyBytesInTheFileGiveAWorkingSessionAndAGoodFile() {
        QFETCH(QByteArray, bytes);
        QVERIFY(writeFile(m_file, bytes));
        const QStringList names = numberedFonts(u"Hostile Sans "_s, 12);
        QList<bool> committed;
        {
            IniSettingsStore store(m_file);
            committed = oneSession(store, names);
            QVERIFY(!store.hasFailed());
        }
        // The next start finds exactly the ticks of the last close.
        QCOMPARE(ticksOnNextStart(m_file, names), committed);
        IniSettingsStore reread(m_file);
        QVERIFY(!reread.hasFailed());
        for (int n = 1; n <= names.size(); ++n)
            QCOMPARE(reread.GetSetting(FontCatalogue::nameKey(n), 0), names.at(n - 1));
    }

    void aHundredThousandStaleEntriesAreKeptAndDoNotDisturb() {
        constexpr int Stale = 100000;
        QByteArray contents("[setting]\n");
        contents.reserve(Stale * 40);
        for (int n = 1; n <= Stale; ++n) {
            contents += "flg_Font" + QByteArray::number(n) + '=' + (n % 2 ? "0" : "1") + '\n';
            contents +=
                "name_Font" + QByteArray::number(n) + "=Gone " + QByteArray::number(n) + '\n';
        }
        QVERIFY(writeFile(m_file, contents));

        const QStringList names = numberedFonts(u"Hostile Sans "_s, 20);
        QList<bool> committed;
        {
            IniSettingsStore store(m_file);
            FontCatalogue catalogue;
            RecordingTickList list;
            catalogue.build(ListFontSource(names), store, list);
            // Fonts the file never named are ticked, whatever flag sits at their place.
            QCOMPARE(int(catalogue.SelNum()), 20);
            QVERIFY(list.isSelected(0));
            QVERIFY(list.isSelected(1));
            list.setSelected(0, false);
            catalogue.commit(list, store);
            committed = list.ticks;
            QVERIFY(!store.hasFailed());
        }
        QCOMPARE(ticksOnNextStart(m_file, names), committed);
        IniSettingsStore reread(m_file);
        // Entries past the fonts stay as they were; the names of the fonts are new.
        QCOMPARE(reread.GetSetting(FontCatalogue::flagKey(Stale), 7), u"1"_s);
        QCOMPARE(reread.GetSetting(FontCatalogue::nameKey(Stale - 1), 7), u"Gone 99999"_s);
        QCOMPARE(reread.GetSetting(FontCatalogue::nameKey(20), 7), u"Hostile Sans 20"_s);
    }

    void hostileValuesComeBackExactly_data() {
        QTest::addColumn<QString>("value");
        QString controls;
        for (char16_t c = 1; c < 0x20; ++c)
            controls.append(QChar(c));
        controls.append(QChar(u'\x7f'));
        QTest::newRow("every control character") << controls;
        QTest::newRow("nul inside") << QString(u"before\0after"_s);
        QTest::newRow("line breaks") << u"one\r\ntwo\nthree\rfour"_s;
        QTest::newRow("right to left") << u"\u202Eשלום עולם\u202C مرحبا"_s;
        QTest::newRow("ini syntax") << u"[setting]\nflg_Font1=0 ; # = \" \\ %U ,"_s;
        QTest::newRow("leading at") << u"@Variant(\\0\\0)"_s;
        QTest::newRow("looks like a list") << u"a, b, c"_s;
        QTest::newRow("separators") << u"\u2028\u2029\uFEFF\uFFFF"_s;
        QTest::newRow("a thousand characters") << QString(1000, u'寿');
        QTest::newRow("a megabyte") << QString(1 << 20, u'x');
    }

    void hostileValuesComeBackExactly() {
        QFETCH(QString, value);
        {
            IniSettingsStore store(m_file);
            store.SaveSetting(u"name_Font1"_s, value);
            store.SaveSetting(u"size_Font"_s, value);
            store.flush();
            QVERIFY(!store.hasFailed());
            QCOMPARE(store.GetSetting(u"name_Font1"_s, 0), value);
        }
        IniSettingsStore reread(m_file);
        QVERIFY(!reread.hasFailed());
        QCOMPARE(reread.GetSetting(u"name_Font1"_s, 0), value);
        QCOMPARE(reread.GetSetting(u"size_Font"_s, 20), value);
    }

    void anUnusableConfigPlaceKeepsTheSessionsTicks_data() {
        QTest::addColumn<int>("obstacle");
        QTest::newRow("a file where the folder should be") << 0;
        QTest::newRow("a folder where the file should be") << 1;
        QTest::newRow("the folder becomes a file before the commit") << 2;
        QTest::newRow("the file becomes a folder before the commit") << 3;
    }

    void anUnusableConfigPlaceKeepsTheSessionsTicks() {
        QFETCH(int, obstacle);
        const QString folder = QFileInfo(m_file).absolutePath();
        if (obstacle == 0)
            QVERIFY(writeFile(folder, "in the way"));
        if (obstacle == 1)
            QVERIFY(QDir().mkpath(m_file));

        const QStringList names = numberedFonts(u"Hostile Sans "_s, 9);
        IniSettingsStore store(m_file);
        FontCatalogue catalogue;
        RecordingTickList list;
        catalogue.build(ListFontSource(names), store, list);
        QCOMPARE(int(catalogue.SelNum()), 9);
        if (obstacle == 2) {
            QVERIFY(QDir(folder).removeRecursively());
            QVERIFY(writeFile(folder, "in the way"));
        }
        if (obstacle == 3) {
            QVERIFY(QFile::remove(m_file));
            QVERIFY(QDir().mkpath(m_file));
        }
        list.setSelected(4, false);
        catalogue.commit(list, store);
        QVERIFY(store.hasFailed());
        QCOMPARE(int(catalogue.SelNum()), 8);
        // The session goes on with what it stored.
        QCOMPARE(store.GetSetting(FontCatalogue::flagKey(5), 1), u"0"_s);
        QCOMPARE(store.GetSetting(FontCatalogue::nameKey(9), 0), u"Hostile Sans 9"_s);

        // Once the way is clear, the next commit stores everything.
        QFileInfo(folder).isDir() ? QDir(folder).removeRecursively() : QFile::remove(folder);
        catalogue.commit(list, store);
        QCOMPARE(ticksOnNextStart(m_file, names), list.ticks);
    }

    void aMissingFolderIsMadeAtTheFirstWrite() {
        const QString deep = m_home->path() + u"/not/yet/there/Varelith.ini"_s;
        IniSettingsStore store(deep);
        const QList<bool> committed = oneSession(store, numberedFonts(u"Hostile Sans "_s, 4));
        QVERIFY(!store.hasFailed());
        QCOMPARE(ticksOnNextStart(deep, numberedFonts(u"Hostile Sans "_s, 4)), committed);
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString m_file;
};

QTEST_GUILESS_MAIN(TestHostileSettings)
#include "tst_hostilesettings.moc"
