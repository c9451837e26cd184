#include "catalogues.h"
#include "inisettingsstore.h"
#include "settingsproblemnotice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <grp.h>
#include <unistd.h>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;
using Kind = SettingsProblem::Kind;
using Reason = SettingsProblem::Reason;

namespace {

constexpr uid_t Nobody = 65534;
const QFile::Permissions Owner = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// One build and one commit with the first font unticked, as a user's session.
QList<bool> untickFirstAndCommit(SettingsStore& store, int fonts) {
    FontCatalogue catalogue;
    RecordingTickList list;
    catalogue.build(ListFontSource(numberedFonts(u"Font "_s, fonts)), store, list);
    list.setSelected(0, false);
    catalogue.commit(list, store);
    return list.ticks;
}

} // namespace

// The store over a real INI file, with what it tells going to a list instead of a box.
class TestIniSettingsStore : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_home;
    QString m_folder, m_file;
    QStringList m_told;
    SettingsProblemNotice m_notice{[this](const QString& text) {
        m_told.append(text);
    }};
    SettingsProblemObserver tell() {
        return [this](const SettingsProblem& problem) {
            m_notice.tell(problem);
        };
    }

private Q_SLOTS:
    // Permissions bind no root: as root the cases run as nobody, keeping the way back.
    void initTestCase() {
        if (geteuid() == 0)
            QVERIFY(setgroups(0, nullptr) == 0 && setresgid(Nobody, Nobody, 0) == 0 &&
                    setresuid(Nobody, Nobody, 0) == 0);
    }
    void cleanupTestCase() { QVERIFY(getuid() != Nobody || setresuid(0, 0, 0) == 0); }
    void init() {
        m_home = std::make_unique<QTemporaryDir>();
        m_folder = m_home->path() + u"/Varelith"_s;
        m_file = m_folder + u"/Varelith.ini"_s;
        QVERIFY(m_home->isValid() && QDir().mkpath(m_folder));
        m_notice = SettingsProblemNotice([this](const QString& text) { m_told.append(text); });
        m_told.clear();
    }
    void cleanup() { QFile::setPermissions(m_folder, Owner); }

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
            IniSettingsStore store(m_file, tell());
            store.SaveSetting(u"name_Font1"_s, value);
            store.flush();
        }
        QCOMPARE(IniSettingsStore(m_file, tell()).GetSetting(u"name_Font1"_s, 1), value);
        QCOMPARE(m_told, QStringList());
    }

    void twoInstancesCommittingInTurnLeaveTheLastOnesWholeSelection() {
        write(m_file, "[setting]\nflg_Font1=1\nflg_Font2=1\nflg_Font3=1\n");
        // Qt shares one copy of a file among the objects of a process; a second path to
        // the folder gives the second store a copy of its own, as another instance has.
        QVERIFY(QFile::link(m_folder, m_home->path() + u"/again"_s));
        IniSettingsStore earlier(m_home->path() + u"/again/Varelith.ini"_s), later(m_file);
        FontCatalogue catalogue;
        RecordingTickList list;
        catalogue.build(ListFontSource(numberedFonts(u"Font "_s, 3)), earlier, list);
        // The later instance found one font more installed, and unticks the first.
        untickFirstAndCommit(later, 4);
        list.setSelected(1, false);
        catalogue.commit(list, earlier);
        const QByteArray onDisk = contents(m_file);
        for (const char* line :
             {"flg_Font1=1\n", "flg_Font2=0\n", "flg_Font3=1\n", "flg_Font4=1\n"})
            QVERIFY2(onDisk.contains(line), line);
    }

    void anUnsavableFileIsToldOnceAndTheNextCommitTriesAgain_data() {
        QTest::addColumn<QByteArray>("atThePath"); // "file", "folder" or nothing
        QTest::addColumn<QFile::Permissions>("file");
        QTest::addColumn<QFile::Permissions>("folder");
        QTest::addColumn<Reason>("reason"); // None: saved
        const QFile::Permissions readOnly = QFile::ReadOwner | QFile::ExeOwner;
        const QFile::Permissions readWrite = QFile::ReadOwner | QFile::WriteOwner;
        QTest::newRow("read-only file")
            << "file"_ba << QFile::Permissions(QFile::ReadOwner) << Owner << Reason::NoPermission;
        QTest::newRow("read-only folder, writable file")
            << "file"_ba << readWrite << readOnly << Reason::None;
        QTest::newRow("read-only folder, no file")
            << ""_ba << Owner << readOnly << Reason::NoPermission;
        QTest::newRow("folder in the way") << "folder"_ba << Owner << Owner << Reason::InTheWay;
    }
    void anUnsavableFileIsToldOnceAndTheNextCommitTriesAgain() {
        QFETCH(QByteArray, atThePath);
        QFETCH(QFile::Permissions, file);
        QFETCH(QFile::Permissions, folder);
        QFETCH(Reason, reason);
        if (atThePath == "file") {
            write(m_file, "[setting]\nflg_Font1=1\n");
            QVERIFY(QFile::setPermissions(m_file, file));
        }
        QVERIFY(atThePath != "folder" || QDir().mkpath(m_file));
        QVERIFY(QFile::setPermissions(m_folder, folder));

        IniSettingsStore store(m_file, tell());
        untickFirstAndCommit(store, 2);
        untickFirstAndCommit(store, 2);
        QCOMPARE(store.hasFailed(), reason != Reason::None);
        QCOMPARE(store.GetSetting(FontCatalogue::flagKey(1), 1), u"0"_s);
        const QStringList told{SettingsProblemNotice::text({Kind::NotSaved, reason, m_file})};
        QCOMPARE(m_told, reason == Reason::None ? QStringList() : told);
        QCOMPARE(contents(m_file).contains("flg_Font1=0"), reason == Reason::None);

        // The way cleared, the next commit stores the session's ticks without a word.
        QVERIFY(QFile::setPermissions(m_folder, Owner));
        QDir().rmdir(m_file);
        QFile::setPermissions(m_file, QFile::ReadOwner | QFile::WriteOwner);
        untickFirstAndCommit(store, 2);
        QVERIFY(!store.hasFailed() && contents(m_file).contains("flg_Font1=0"));
        QCOMPARE(m_told.size(), reason == Reason::None ? 0 : 1);
    }

    void aDamagedFileIsKeptAndWhatCanBeReadIsRead_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("damaged");
        QTest::newRow("sound") << "[setting]\nflg_Font2=0\nsize_Font=12\n"_ba << false;
        QTest::newRow("stray quote") << "x\"\n[setting]\nflg_Font2=0\nsize_Font=12\n"_ba << true;
        QTest::newRow("junk line") << "\x01junk\n[setting]\nflg_Font2=0\nsize_Font=12\n"_ba << true;
        QTest::newRow("backslash at the end")
            << "a=\\\n[setting]\nflg_Font2=0\nsize_Font=12"_ba << true;
    }
    void aDamagedFileIsKeptAndWhatCanBeReadIsRead() {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, damaged);
        write(m_file, bytes);
        {
            IniSettingsStore store(m_file, tell());
            QCOMPARE(store.GetSetting(u"size_Font"_s, 20), u"12"_s);
            QCOMPARE(untickFirstAndCommit(store, 2), (QList<bool>{false, false}));
        }
        const QString copy = IniSettingsStore::damagedCopyPath(m_file);
        QCOMPARE(contents(copy), damaged ? bytes : QByteArray());
        const QString keptText = SettingsProblemNotice::text({Kind::Damaged, Reason::None, m_file});
        QCOMPARE(m_told, damaged ? QStringList{keptText} : QStringList());
        // The file written over it reads whole on the next start, with nothing to tell.
        IniSettingsStore next(m_file, tell());
        QCOMPARE(next.GetSetting(u"size_Font"_s, 20), u"12"_s);
        QCOMPARE(m_told.size(), damaged ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestIniSettingsStore)
#include "tst_inisettingsstore.moc"
