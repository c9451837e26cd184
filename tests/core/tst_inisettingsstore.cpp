#include "catalogues.h"
#include "inisettingsstore.h"
#include "settingsproblemnotice.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace varelith;
using namespace varelith::testing;
using namespace Qt::StringLiterals;
using enum SettingsProblem::Kind;
using enum SettingsProblem::Reason;
const QFile::Permissions Locked = QFile::ReadOwner | QFile::ExeOwner;

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void commit(SettingsStore& store, const char* ticks) {
    for (int n = 1; ticks[n - 1]; ++n)
        store.SaveSetting(u"flg_Font%1"_s.arg(n), QString(QLatin1Char(ticks[n - 1])));
    store.flush();
}

// Qt shares a file within a process; a second path to it ("again") reads it anew.
class TestIniSettingsStore : public QObject {
    Q_OBJECT
    QTemporaryDir m_home;
    QString folder() const { return m_home.filePath(u"Varelith"_s); }
    QString file() const { return folder() + u"/Varelith.ini"_s; }
    QString again() const { return m_home.filePath(u"again/Varelith.ini"_s); }

private Q_SLOTS:
    // The folder is left for the first write to make. A row that failed may have left
    // it locked.
    void init() {
        for (const QString& path : {m_home.path(), folder(), file()})
            QFile::setPermissions(path, Locked | QFile::WriteOwner);
        QVERIFY(QDir(m_home.path()).removeRecursively() && QDir().mkpath(m_home.path()));
        QVERIFY(QFile::link(folder(), m_home.filePath(u"again"_s)));
    }

    void valuesComeBackExactlyAsWritten_data() {
        QTest::addColumn<QString>("value");
        for (const char* text : {"", "a, b,c", "say \"hi\" 'x'", "C:\\Fonts\\x\\\\y", "@Variant(x)",
                                 "  padded  ", "ＭＳ Ｐゴシック", "k=v [setting] ;#"})
            QTest::newRow(text) << QString::fromUtf8(text);
    }
    void valuesComeBackExactlyAsWritten() {
        QFETCH(QString, value);
        IniSettingsStore store(file());
        store.SaveSetting(u"name_Font1"_s, value);
        store.flush();
        QCOMPARE(IniSettingsStore(again()).GetSetting(u"name_Font1"_s, 1), value);
    }

    void twoInstancesCommittingInTurnLeaveTheLastOnesWholeSelection() {
        IniSettingsStore later(file());
        commit(later, "111");
        IniSettingsStore earlier(again());
        commit(later, "0111"); // with one font more installed by then
        commit(earlier, "101");
        QCOMPARE(contents(file()),
                 "[setting]\nflg_Font1=1\nflg_Font2=0\nflg_Font3=1\nflg_Font4=1\n");
    }

    void troubleIsToldOnceAndTheNextCommitTriesAgain_data() {
        QTest::addColumn<QByteArray>("junk");  // before the settings; none: a folder in place
        QTest::addColumn<QString>("readOnly"); // the temporary folder: nothing that matters
        QTest::addColumn<SettingsProblem::Kind>("kind");
        QTest::addColumn<SettingsProblem::Reason>("reason"); // NotSaved, None: saved, not told
        QTest::newRow("read-only file") << ""_ba << file() << NotSaved << NoPermission;
        QTest::newRow("read-only folder") << ""_ba << folder() << NotSaved << None;
        QTest::newRow("folder in the way") << QByteArray() << file() << NotSaved << InTheWay;
        QTest::newRow("stray quote") << "x\"\n"_ba << m_home.path() << Damaged << None;
    }
    void troubleIsToldOnceAndTheNextCommitTriesAgain() {
        QFETCH(QByteArray, junk);
        QFETCH(QString, readOnly);
        QFETCH(SettingsProblem::Kind, kind);
        QFETCH(SettingsProblem::Reason, reason);
        const QByteArray bytes = junk + "[setting]\nflg_Font2=0\n";
        QFile ini(junk.isNull() ? file() + u"/in the way"_s : file());
        QVERIFY(QDir().mkpath(QFileInfo(ini).path()) && ini.open(QIODevice::WriteOnly) &&
                ini.write(bytes) && ini.flush() && QFile::setPermissions(readOnly, Locked));
        const bool saved = kind == Damaged || reason == None;
        QStringList told, expected{SettingsProblemNotice::text({kind, reason, file()})};
        QWidget window;
        SettingsProblemNotice notice([&](QWidget* over, const QString& text) {
            told << (over == &window ? text : u"not over the main window"_s);
        });
        IniSettingsStore store(file(), std::bind_front(&SettingsProblemNotice::tell, &notice));
        QCOMPARE(store.GetSetting(u"flg_Font2"_s, 1), junk.isNull() ? u"1"_s : u"0"_s);
        commit(store, "01");
        QVERIFY(told.isEmpty()); // until the main window is there
        notice.showOver(&window);
        commit(store, "01");
        QCOMPARE(told, kind == NotSaved && saved ? QStringList() : expected);
        QCOMPARE(contents(file()).contains("flg_Font1=0"), saved);
        QCOMPARE(contents(file() + u".damaged"_s), kind == Damaged ? bytes : "");
        QVERIFY(QFile::setPermissions(readOnly, Locked | QFile::WriteOwner));
        QDir(file()).removeRecursively();
        commit(store, "01");
        QVERIFY(contents(again()).contains("flg_Font1=0") && told.size() < 2);
    }

    void theMessageBoxIsTheMainWindows() {
        QWidget window;
        QWidget* parent = nullptr;
        QTimer::singleShot(0, [&parent] {
            parent = QApplication::activeModalWidget()->parentWidget();
            QApplication::activeModalWidget()->close();
        });
        SettingsProblemNotice::showMessageBox(&window, u"x"_s);
        QCOMPARE(parent, &window);
    }

    // Started again over the fonts of the last start: the file keeps its bytes and time.
    // A damaged one is written over with what could be read of it, and kept.
    void aStartThatChangesNothingWritesNothing_data() {
        QTest::addColumn<QByteArray>("junk"); // after the settings
        QTest::newRow("unchanged") << QByteArray();
        QTest::newRow("damaged, all read") << "x\"\n"_ba;
    }
    void aStartThatChangesNothingWritesNothing() {
        QFETCH(QByteArray, junk);
        const ListFontSource fonts({u"A"_s, u"a, b"_s, u"@Variant(x)"_s});
        RecordingTickList list;
        FontCatalogue catalogue;
        {
            IniSettingsStore first(file());
            catalogue.build(fonts, first, list);
            catalogue.commit(list, first);
        }
        const QByteArray written = contents(file());
        QFile ini(file());
        const QDateTime anHourAgo = QDateTime::currentDateTime().addSecs(-3600);
        QVERIFY(ini.open(QIODevice::Append) && ini.write(junk) == junk.size() && ini.flush() &&
                ini.setFileTime(anHourAgo, QFileDevice::FileModificationTime));
        ini.close();
        IniSettingsStore store(again());
        catalogue.build(fonts, store, list);
        QCOMPARE(contents(file()), written);
        QCOMPARE(QFileInfo(file()).lastModified() == anHourAgo, junk.isEmpty());
        QCOMPARE(contents(file() + u".damaged"_s), junk.isEmpty() ? "" : written + junk);
    }
};

QTEST_MAIN(TestIniSettingsStore)
#include "tst_inisettingsstore.moc"
