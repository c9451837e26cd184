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

// The store over the real INI file in a temporary XDG_CONFIG_HOME. Files that are
// damaged or in the way are the stress tests' part.
class TestIniSettingsStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() {
        m_home = std::make_unique<QTemporaryDir>();
        QVERIFY(m_home->isValid());
        qputenv("XDG_CONFIG_HOME", m_home->path().toUtf8());
        m_folder = m_home->path() + u"/Varelith"_s;
        m_file = m_folder + u"/Varelith.ini"_s;
    }

    void cleanup() {
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void aCommitReachesTheUsersFileInOneFlush() {
        QCOMPARE(IniSettingsStore::standardFilePath(), m_file);
        IniSettingsStore store;
        QCOMPARE(store.GetSetting(u"size_Font"_s, 20), u"20"_s);
        FontCatalogue catalogue;
        RecordingTickList list;
        catalogue.build(ListFontSource({u"A"_s, u"B"_s}), store, list);
        list.setSelected(0, false);
        store.SaveSetting(u"size_Font"_s, u"12"_s);
        catalogue.commit(list, store);

        // On disk while the store lives, not only at exit; an atomic replace leaves no
        // temporary file behind.
        QCOMPARE(QDir(m_folder).entryList(QDir::Files), QStringList{u"Varelith.ini"_s});
        QFile file(m_file);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray contents = file.readAll();
        for (const char* line :
             {"[setting]", "flg_Font1=0", "flg_Font2=1", "name_Font2=B", "size_Font=12"})
            QVERIFY2(contents.contains(line), line);
    }

    void valuesComeBackExactlyAsWritten_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << "";
        QTest::newRow("comma") << "a, b,c";
        QTest::newRow("quotes") << "say \"hi\" 'x'";
        QTest::newRow("backslashes") << "C:\\Fonts\\x\\\\y";
        QTest::newRow("leading at") << "@Variant(x)";
        QTest::newRow("spaces around") << "  padded  ";
        QTest::newRow("japanese") << "ＭＳ Ｐゴシック";
        QTest::newRow("ini syntax") << "k=v [setting] ;#";
    }

    void valuesComeBackExactlyAsWritten() {
        QFETCH(QString, value);
        {
            IniSettingsStore store;
            store.SaveSetting(u"name_Font1"_s, value);
            QCOMPARE(store.GetSetting(u"name_Font1"_s, 1), value);
            store.flush();
        }
        QCOMPARE(IniSettingsStore().GetSetting(u"name_Font1"_s, 1), value);
    }

    void unreadableOrReadOnlyGiveDefaultsAndTheSessionGoesOn_data() {
        QTest::addColumn<QFile::Permissions>("folder");
        QTest::addColumn<QFile::Permissions>("file");
        const QFile::Permissions all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
        QTest::newRow("read-only folder") << (QFile::ReadOwner | QFile::ExeOwner) << all;
        QTest::newRow("unreadable file") << all << QFile::Permissions(QFile::WriteOwner);
    }

    void unreadableOrReadOnlyGiveDefaultsAndTheSessionGoesOn() {
        QFETCH(QFile::Permissions, folder);
        QFETCH(QFile::Permissions, file);
        if (geteuid() == 0)
            QSKIP("root reads and writes through any permission");
        QVERIFY(QDir().mkpath(m_folder));
        {
            QFile ini(m_file);
            QVERIFY(ini.open(QIODevice::WriteOnly));
            ini.write("[setting]\nflg_Font2=0\n");
        }
        QVERIFY(QFile::setPermissions(m_file, file));
        QVERIFY(QFile::setPermissions(m_folder, folder));

        IniSettingsStore store;
        FontCatalogue catalogue;
        RecordingTickList list;
        catalogue.build(ListFontSource({u"A"_s, u"B"_s}), store, list);
        const bool fileRead = file.testFlag(QFile::ReadOwner);
        QCOMPARE(list.ticks, (QList<bool>{true, !fileRead}));
        list.setSelected(0, false);
        catalogue.commit(list, store);
        QVERIFY(store.hasFailed());
        // What this session stored reads back within the session.
        QCOMPARE(store.GetSetting(u"flg_Font1"_s, 1), u"0"_s);
    }

private:
    std::unique_ptr<QTemporaryDir> m_home;
    QString m_folder;
    QString m_file;
};

QTEST_GUILESS_MAIN(TestIniSettingsStore)
#include "tst_inisettingsstore.moc"
