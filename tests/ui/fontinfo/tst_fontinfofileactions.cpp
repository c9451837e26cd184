#include "facelist.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontinfofileactions.h"
#include "fontinfowindow.h"
#include "installedfonts.h"
#include "shaper.h"
#include "userfontfolder.h"

#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

const QString FontSet = QStringLiteral(VARELITH_TEST_FONT_SET);

// The key a control's text gives with Alt; none without one.
QChar accessKey(const QString& text) {
    const qsizetype at = text.indexOf(u'&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
}

} // namespace

class TestFontInfoFileActions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void buttonsFollowTheFamily_data();
    void buttonsFollowTheFamily();
    void click_data();
    void click();

private:
    QString fonts() const { return m_home->filePath(u"data/fonts"_s); }
    // Test fonts placed as "user:", "home:", "system:" or "link:" + a name of the set's
    // says: in the user's folder, elsewhere in the home, outside it, or a link in the
    // user's folder to a file outside it; "set:" + a path in the set stays where it is.
    QStringList place(const QStringList& files);

    FamilyNames m_names;
    FamilyFaces m_faces;
    Shaper m_shaper;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QTemporaryDir> m_elsewhere; // outside the home: the machine's fonts
    std::unique_ptr<UserFontFolder> m_folder;
    std::unique_ptr<FontInfoWindow> m_window;
    std::unique_ptr<FontInfoFileActions> m_actions;
    testing::InstalledFonts m_installedFonts{nullptr, &FcConfigDestroy};
    QStringList m_files;
    bool m_opened = false;
    bool m_answer = false;
    QStringList m_asked;
    QStringList m_told;
    QList<QStringList> m_done; // each call back: installed (source, copy) or removed files
};

void TestFontInfoFileActions::init() {
    m_actions.reset();
    m_window.reset();
    m_home = std::make_unique<QTemporaryDir>();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    qputenv("HOME", QFile::encodeName(m_home->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(u"data"_s)));
    m_installedFonts = testing::installedFonts({FontSet + u"/fonts"_s}, m_home->path());
    m_asked.clear();
    m_told.clear();
    m_done.clear();
    m_folder = std::make_unique<UserFontFolder>();
    m_window = std::make_unique<FontInfoWindow>(
        m_names, m_faces, m_shaper, [] { return u"Abc"_s; }, [](const QUrl&) { return true; },
        QGuiApplication::clipboard());
    // Every family has the files and the state the case gives, the one before it too.
    m_actions = std::make_unique<FontInfoFileActions>(
        *m_window, *m_folder, [this](const QString&) { return m_files; },
        [this](const QString&) { return m_opened; }, [this] { return m_installedFonts.get(); },
        [this](const QString& question) {
            m_asked.append(question);
            return m_answer;
        },
        [this](const QString& message) { m_told.append(message); },
        [this](const QStringList& sources, const QStringList& copies) {
            for (qsizetype k = 0; k < sources.size(); ++k)
                m_done.append({sources.at(k), copies.at(k)});
        },
        [this](const QStringList& files) { m_done.append(files); });
}

QStringList TestFontInfoFileActions::place(const QStringList& files) {
    QStringList paths;
    for (const QString& file : files) {
        const QString where = file.section(u':', 0, 0);
        const QString name = file.section(u':', 1);
        QString path = where == u"set"_s    ? FontSet + u'/' + name
                       : where == u"user"_s ? fonts() + u'/' + name
                       : where == u"home"_s ? m_home->filePath(u"Downloads/"_s + name)
                                            : m_elsewhere->filePath(name);
        if (where != u"set"_s) {
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile::copy(FontSet + u"/fonts/"_s + name, path);
        }
        if (where == u"link"_s) {
            QDir().mkpath(fonts());
            QFile::link(path, fonts() + u'/' + name);
            path = fonts() + u'/' + name;
        }
        paths.append(path);
    }
    return paths;
}

void TestFontInfoFileActions::buttonsFollowTheFamily_data() {
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("described"); // in the remove button's description
    const QString name = u"varelith-vertical.ttf"_s;
    QTest::newRow("opened from a file") << true << u"system:"_s + name << QString();
    QTest::newRow("installed by the user") << false << u"user:"_s + name << u"ごみ箱"_s;
    QTest::newRow("the machine's") << false << u"system:"_s + name << u"システムのフォント"_s;
    QTest::newRow("a link out of the user's folder") << false << u"link:"_s + name << u"リンク"_s;
}

void TestFontInfoFileActions::buttonsFollowTheFamily() {
    QFETCH(bool, opened);
    QFETCH(QString, file);
    QFETCH(QString, described);
    m_files = place({file});
    // A family first in the other state: the buttons follow the one shown.
    m_opened = !opened;
    m_window->showFamily(u"Varelith Blank"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_opened = opened;
    m_window->setFamily(u"Varelith Faces"_s);
    QPushButton* install = m_actions->installButton();
    QPushButton* remove = m_actions->removeButton();
    QCOMPARE(install->isVisible(), opened);
    QCOMPARE(remove->isVisible(), !opened);
    // Reached with the keyboard whether or not it can remove, its reason told beforehand.
    QVERIFY(remove->isEnabled());
    QVERIFY2(remove->accessibleDescription().contains(described),
             qPrintable(remove->accessibleDescription()));
    // After the names in the Tab order, before the faces.
    QList<QWidget*> chain;
    for (QWidget* at = m_window->namesLine()->nextInFocusChain();
         at != m_window->faceList() && chain.size() < 10; at = at->nextInFocusChain())
        if (at->focusPolicy() & Qt::TabFocus)
            chain.append(at);
    QCOMPARE(chain, (QList<QWidget*>{install, remove}));
    // The shown button's key is no other's, whichever tab is shown: the tabs', the visible
    // buttons' and captions'.
    QPushButton* shown = opened ? install : remove;
    for (int tab = 0; tab < m_window->sections()->count(); ++tab) {
        m_window->sections()->setCurrentIndex(tab);
        QList<QChar> keys;
        for (int i = 0; i < m_window->sections()->count(); ++i)
            keys.append(accessKey(m_window->sections()->tabText(i)));
        for (const QAbstractButton* button : m_window->findChildren<QAbstractButton*>())
            keys.append(button->isVisible() ? accessKey(button->text()) : QChar());
        for (const QLabel* label : m_window->findChildren<QLabel*>())
            keys.append(label->isVisible() && label->buddy() ? accessKey(label->text()) : QChar());
        const QChar key = accessKey(shown->text());
        QVERIFY2(!key.isNull() && keys.count(key) == 1, qPrintable(shown->text()));
    }
}

void TestFontInfoFileActions::click_data() {
    // The button of an opened family (インストール) or of an installed one (削除), the
    // test set installed. In what is told, ELSEWHERE stands for the machine's folder.
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QStringList>("files"); // as place() takes them
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("asked"); // in the question; none expected when empty
    QTest::addColumn<bool>("done");     // the program called back
    QTest::addColumn<QString>("told");  // none expected when empty
    const QString a = u"varelith-faces-regular.ttf"_s;
    const QStringList users{u"user:"_s + a, u"user:varelith-faces-bold.ttf"_s};
    const QString machines = u"ELSEWHERE にあるシステムのフォント"_s;
    const QString removeIt = u"「Varelith Faces」を削除しますか"_s;
    QTest::newRow("remove the user's")
        << false << users << true << removeIt << true << u"ごみ箱に移しました"_s;
    QTest::newRow("remove the user's, declined")
        << false << users << false << removeIt << false << QString();
    QTest::newRow("remove the machine's")
        << false << QStringList{u"system:"_s + a} << true << QString() << false << machines;
    QTest::newRow("remove one file of the machine's")
        << false << QStringList{users.first(), u"system:varelith-faces-bold.ttf"_s} << true
        << QString() << false << machines;
    QTest::newRow("remove elsewhere in the home")
        << false << QStringList{u"home:"_s + a} << true << QString() << false << u"~/Downloads"_s;
    const QString newer = u"新しいバージョン（Version 2.001）"_s;
    const QStringList older{u"set:versions/varelith-faces-regular-revision-1.500.ttf"_s};
    QTest::newRow("install the same version")
        << true << QStringList{u"set:fonts/"_s + a} << true << QString() << false << u"すでに"_s;
    QTest::newRow("install beside a newer, declined")
        << true << older << false << newer << false << QString();
    QTest::newRow("install beside a newer")
        << true << older << true << newer << true << u"Version 1.500"_s;
    QTest::newRow("install beside an older")
        << true << QStringList{u"set:versions/varelith-faces-regular-revision-3.000.ttf"_s} << true
        << u"古いバージョン（Version 2.001）"_s << true << u"Version 3.000"_s;
}

void TestFontInfoFileActions::click() {
    QFETCH(bool, opened);
    QFETCH(QStringList, files);
    QFETCH(bool, answer);
    QFETCH(QString, asked);
    QFETCH(bool, done);
    QFETCH(QString, told);
    m_files = place(files);
    m_opened = opened;
    m_answer = answer;
    m_window->setFamily(u"Varelith Faces"_s);
    (opened ? m_actions->installButton() : m_actions->removeButton())->click();

    QCOMPARE(m_asked.size(), asked.isEmpty() ? 0 : 1);
    for (const QString& question : std::as_const(m_asked))
        for (const QString& part : opened ? QStringList{QString()} : m_files)
            QVERIFY2(question.contains(asked) && question.contains(QFileInfo(part).fileName()),
                     qPrintable(question));
    // Installed: the program told of the file and its copy, the same bytes; removed: of
    // every file, each gone.
    QList<QStringList> expected{m_files};
    if (opened)
        expected = {{m_files.first(), fonts() + u'/' + QFileInfo(m_files.first()).fileName()}};
    QCOMPARE(m_done, done ? expected : QList<QStringList>());
    for (const QString& file : m_files)
        QCOMPARE(QFileInfo::exists(file), !done || opened);
    if (done && opened) {
        QFile source(expected.first().at(0));
        QFile copy(expected.first().at(1));
        QVERIFY(source.open(QIODevice::ReadOnly) && copy.open(QIODevice::ReadOnly));
        QCOMPARE(copy.readAll(), source.readAll());
    }
    told.replace(u"ELSEWHERE"_s, m_elsewhere->path());
    QCOMPARE(m_told.size(), told.isEmpty() ? 0 : 1);
    for (const QString& message : std::as_const(m_told))
        QVERIFY2(message.contains(told), qPrintable(message));
}

QTEST_MAIN(TestFontInfoFileActions)
#include "tst_fontinfofileactions.moc"
