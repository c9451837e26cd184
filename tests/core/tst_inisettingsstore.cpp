#include "catalogues.h"
#include "inisettingsstore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class TestIniSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_home.reset(new QTemporaryDir);
        QVERIFY(m_home->isValid());
        qputenv("XDG_CONFIG_HOME", m_home->path().toUtf8());
        m_file = m_home->path() + u"/Varelith/Varelith.ini"_s;
    }

    void cleanup() {
        // Give write permission back so the temporary folder can go.
        QFile::setPermissions(m_home->path() + u"/Varelith"_s,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        m_home.reset();
    }

    void livesInTheUsersConfigFolder() {
        QCOMPARE(IniSettingsStore::standardFilePath(), m_file);
        IniSettingsStore store;
        store.SaveSetting(u"size_Font"_s, u"12"_s);
        QVERIFY(!QFile::exists(m_file)); // nothing on disk before the flush
        store.flush();
        QVERIFY(!store.hasFailed());
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        QVERIFY2(contents.contains("[setting]"), contents.constData());
        QVERIFY2(contents.contains("size_Font=12"), contents.constData());
    }

    void valuesComeBackExactlyAsWritten_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "Noto Sans";
        QTest::newRow("empty") << "";
        QTest::newRow("comma") << "a, b,c";
        QTest::newRow("quotes") << "say \"hi\" 'x'";
        QTest::newRow("backslashes") << "C:\\Fonts\\x\\\\y";
        QTest::newRow("leading at") << "@Variant(x)";
        QTest::newRow("at alone") << "@";
        QTest::newRow("spaces around") << "  padded  ";
        QTest::newRow("japanese") << "ＭＳ Ｐゴシック";
        QTest::newRow("semicolon and hash") << "a;b#c";
        QTest::newRow("equals and brackets") << "k=v [setting]";
        QTest::newRow("control characters") << "a\tb\nc\rd\x01";
        QTest::newRow("long") << QString(20000, u'長');
        QTest::newRow("right to left") << "\u05E9\u05DC\u05D5\u05DD abc";
    }

    void valuesComeBackExactlyAsWritten() {
        QFETCH(QString, value);
        {
            IniSettingsStore store;
            store.SaveSetting(u"name_Font1"_s, value);
            QCOMPARE(store.GetSetting(u"name_Font1"_s, 1), value);
            store.flush();
        }
        const IniSettingsStore reread;
        QCOMPARE(reread.GetSetting(u"name_Font1"_s, 1), value);
    }

    void absentKeysGiveTheDefaultAsText() {
        const IniSettingsStore store;
        QCOMPARE(store.GetSetting(u"size_Font"_s, 20), u"20"_s);
        QCOMPARE(store.GetSetting(u"flg_Font7"_s, 1), u"1"_s);
    }

    void unusableFilesGiveDefaultsAndTheSessionGoesOn_data() {
        QTest::addColumn<int>("damage");
        QTest::newRow("random bytes") << 0;
        QTest::newRow("directory in place of the file") << 1;
        QTest::newRow("read-only folder") << 2;
        QTest::newRow("unreadable file") << 3;
        QTest::newRow("file in place of the folder") << 4;
    }

    void unusableFilesGiveDefaultsAndTheSessionGoesOn() {
        QFETCH(int, damage);
        if ((damage == 2 || damage == 3) && geteuid() == 0)
            QSKIP("root reads and writes through any permission");
        const QString folder = m_home->path() + u"/Varelith"_s;
        if (damage == 4)
            writeFile(folder, "not a folder");
        else
            QVERIFY(QDir().mkpath(folder));
        switch (damage) {
        case 0: {
            QByteArray noise;
            for (int i = 0; i < 4096; ++i)
                noise.append(char((i * 7919 + 13) % 256));
            writeFile(m_file, noise);
            break;
        }
        case 1:
            QVERIFY(QDir().mkpath(m_file));
            break;
        case 2:
            writeFile(m_file, "[setting]\nflg_Font1=0\n");
            QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
            break;
        case 3:
            writeFile(m_file, "[setting]\nflg_Font1=0\n");
            QVERIFY(QFile::setPermissions(m_file, QFile::WriteOwner));
            break;
        }

        IniSettingsStore store;
        // The catalogue builds and commits over it as usual.
        FontCatalogue catalogue;
        RecordingTickList list;
        catalogue.build(ListFontSource({u"A"_s, u"B"_s}), store, list);
        QCOMPARE(list.listCount(), 2);
        QVERIFY(list.ticks.at(1));
        list.setSelected(1, false);
        catalogue.commit(list, store);
        QCOMPARE(int(catalogue.SelNum()), 1);
        if (damage != 0)
            QVERIFY(store.hasFailed());
        // What this session stored reads back within the session.
        QCOMPARE(store.GetSetting(u"flg_Font2"_s, 1), u"0"_s);
    }

    void aCommitReachesTheDiskInOneFlush() {
        {
            IniSettingsStore store;
            FontCatalogue catalogue;
            RecordingTickList list;
            catalogue.build(ListFontSource({u"A"_s, u"B"_s, u"C"_s}), store, list);
            list.setSelected(0, false);
            catalogue.commit(list, store);
            // No destructor flush needed: read the file while the store is alive.
            const IniSettingsStore other;
            QCOMPARE(other.GetSetting(u"flg_Font1"_s, 1), u"0"_s);
            QCOMPARE(other.GetSetting(u"name_Font3"_s, 1), u"C"_s);
        }
        QDir folder(m_home->path() + u"/Varelith"_s);
        // An atomic replace leaves no temporary files behind.
        QCOMPARE(folder.entryList(QDir::Files), QStringList{u"Varelith.ini"_s});
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString m_file;
};

QTEST_GUILESS_MAIN(TestIniSettingsStore)
#include "tst_inisettingsstore.moc"
