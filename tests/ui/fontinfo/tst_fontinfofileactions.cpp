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
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

const QString FontSet = QStringLiteral(VARELITH_TEST_FONT_SET);

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool copyTo(const QString& from, const QString& to) {
    return QDir().mkpath(QFileInfo(to).absolutePath()) && QFile::copy(from, to);
}

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
    void remove_data();
    void remove();
    void install_data();
    void install();
    void accessKeysOfTheirOwn_data();
    void accessKeysOfTheirOwn();

private:
    QString fonts() const { return m_home->filePath(u"data/fonts"_s); }
    // The family's files placed as "user:", "home:", "system:" or "link:" + a test font's
    // name says: in the user's folder, elsewhere in the home, outside it, or a link in the
    // user's folder to a file outside it.
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

    QHash<QString, QStringList> m_familyFiles;
    QStringList m_opened;
    bool m_answer = false;
    QStringList m_asked;
    QStringList m_told;
    QList<QStringList> m_installed; // source, installed path
    QList<QStringList> m_removed;
};

void TestFontInfoFileActions::init() {
    m_actions.reset();
    m_window.reset();
    m_home = std::make_unique<QTemporaryDir>();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    qputenv("HOME", QFile::encodeName(m_home->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(u"data"_s)));
    m_installedFonts = testing::installedFonts({}, m_home->path());
    m_familyFiles.clear();
    m_opened.clear();
    m_asked.clear();
    m_told.clear();
    m_installed.clear();
    m_removed.clear();
    m_folder = std::make_unique<UserFontFolder>();
    m_window = std::make_unique<FontInfoWindow>(
        m_names, m_faces, m_shaper, [] { return u"Abc"_s; }, [](const QUrl&) { return true; },
        QGuiApplication::clipboard());
    m_actions = std::make_unique<FontInfoFileActions>(
        *m_window, *m_folder, [this](const QString& family) { return m_familyFiles.value(family); },
        [this](const QString& family) { return m_opened.contains(family); },
        [this] { return m_installedFonts.get(); },
        [this](const QString& question) {
            m_asked.append(question);
            return m_answer;
        },
        [this](const QString& message) { m_told.append(message); },
        [this](const QString& source, const QString& to) {
            m_installed.append({source, to});
        },
        [this](const QStringList& files) { m_removed.append(files); });
}

QStringList TestFontInfoFileActions::place(const QStringList& files) {
    QStringList paths;
    for (const QString& file : files) {
        const QString where = file.section(u':', 0, 0);
        const QString name = file.section(u':', 1);
        QString path = where == u"user"_s   ? fonts() + u'/' + name
                       : where == u"home"_s ? m_home->filePath(u"Downloads/"_s + name)
                                            : m_elsewhere->filePath(name);
        copyTo(FontSet + u"/fonts/"_s + name, path);
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
    const QString family = u"Varelith Vertical"_s;
    m_familyFiles.insert(family, place({file}));
    // Another family first, in the other state: the buttons follow the one shown.
    m_opened.append(opened ? family : u"Varelith Blank"_s);
    m_window->showFamily(u"Varelith Blank"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QPushButton* install = m_actions->installButton();
    QPushButton* remove = m_actions->removeButton();
    QCOMPARE(install->isVisible(), !opened);
    m_window->setFamily(family);
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
}

void TestFontInfoFileActions::remove_data() {
    QTest::addColumn<QStringList>("files"); // as place() takes them
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("removed");
    // In the message, ELSEWHERE for the machine's folder; none expected when empty.
    QTest::addColumn<QString>("told");
    const QString a = u"varelith-faces-regular.ttf"_s;
    const QString b = u"varelith-faces-bold.ttf"_s;
    const QStringList users{u"user:"_s + a, u"user:"_s + b};
    const QString machines = u"ELSEWHERE にあるシステムのフォント"_s;
    QTest::newRow("the user's, confirmed") << users << true << true << u"ごみ箱に移しました"_s;
    QTest::newRow("the user's, declined") << users << false << false << QString();
    QTest::newRow("the machine's") << QStringList{u"system:"_s + a} << true << false << machines;
    QTest::newRow("one file the machine's")
        << QStringList{u"user:"_s + a, u"system:"_s + b} << true << false << machines;
    QTest::newRow("elsewhere in the home")
        << QStringList{u"home:"_s + a} << true << false << u"~/Downloads"_s;
    QTest::newRow("a link out") << QStringList{u"link:"_s + a} << true << false << u"リンク"_s;
}

void TestFontInfoFileActions::remove() {
    QFETCH(QStringList, files);
    QFETCH(bool, answer);
    QFETCH(bool, removed);
    QFETCH(QString, told);
    told.replace(u"ELSEWHERE"_s, m_elsewhere->path());
    const QStringList paths = place(files);
    m_familyFiles.insert(u"Varelith Faces"_s, paths);
    m_answer = answer;
    m_window->setFamily(u"Varelith Faces"_s);
    m_actions->removeButton()->click();

    // Asked only when the files can go, the question naming the family and each file.
    QCOMPARE(m_asked.size(), removed || !answer ? 1 : 0);
    for (const QString& question : std::as_const(m_asked))
        for (const QString& path : paths)
            QVERIFY(question.contains(u"「Varelith Faces」"_s) &&
                    question.contains(QFileInfo(path).fileName()));
    QCOMPARE(m_removed, removed ? QList<QStringList>{paths} : QList<QStringList>());
    for (const QString& path : paths)
        QCOMPARE(QFileInfo::exists(path), !removed);
    QCOMPARE(m_told.size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(m_told.first().contains(told), qPrintable(m_told.first()));
}

void TestFontInfoFileActions::install_data() {
    QTest::addColumn<QString>("file");      // of the opened family, in the test set
    QTest::addColumn<bool>("setInstalled"); // the test set's fonts seen as installed
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("asked"); // in the question; none expected when empty
    QTest::addColumn<bool>("installs");
    const QString newer = u"versions/varelith-faces-regular-revision-3.000.ttf"_s;
    const QString older = u"versions/varelith-faces-regular-revision-1.500.ttf"_s;
    QTest::newRow("not installed")
        << u"fonts/varelith-vertical.ttf"_s << false << false << QString() << true;
    QTest::newRow("same version installed")
        << u"fonts/varelith-faces-regular.ttf"_s << true << true << QString() << false;
    QTest::newRow("newer installed, declined")
        << older << true << false << u"新しいバージョン（Version 2.001）"_s << false;
    QTest::newRow("newer installed, confirmed")
        << older << true << true << u"新しいバージョン（Version 2.001）"_s << true;
    QTest::newRow("older installed, confirmed")
        << newer << true << true << u"古いバージョン（Version 2.001）"_s << true;
}

void TestFontInfoFileActions::install() {
    QFETCH(QString, file);
    QFETCH(bool, setInstalled);
    QFETCH(bool, answer);
    QFETCH(QString, asked);
    QFETCH(bool, installs);
    if (setInstalled)
        m_installedFonts = testing::installedFonts({FontSet + u"/fonts"_s}, m_home->path());
    const QString source = FontSet + u'/' + file;
    m_familyFiles.insert(u"Varelith Faces"_s, {source});
    m_opened.append(u"Varelith Faces"_s);
    m_answer = answer;
    m_window->setFamily(u"Varelith Faces"_s);
    m_actions->installButton()->click();

    QCOMPARE(m_asked.size(), asked.isEmpty() ? 0 : 1);
    if (!asked.isEmpty())
        QVERIFY2(m_asked.first().contains(asked), qPrintable(m_asked.first()));
    const QString copy = fonts() + u'/' + QFileInfo(source).fileName();
    const QList<QStringList> expected{{source, copy}};
    QCOMPARE(m_installed, installs ? expected : QList<QStringList>());
    QCOMPARE(bytesOf(copy), installs ? bytesOf(source) : QByteArray());
    // Told what was done, unless the user said no.
    QCOMPARE(m_told.size(), installs || asked.isEmpty() ? 1 : 0);
}

void TestFontInfoFileActions::accessKeysOfTheirOwn_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("opened");
    for (const bool opened : {true, false})
        for (const int tab : {0, 1, 2})
            QTest::addRow("tab %d, %s", tab, opened ? "opened" : "installed") << tab << opened;
}

void TestFontInfoFileActions::accessKeysOfTheirOwn() {
    QFETCH(int, tab);
    QFETCH(bool, opened);
    if (opened)
        m_opened.append(u"Varelith Faces"_s);
    m_window->showFamily(u"Varelith Faces"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->sections()->setCurrentIndex(tab);
    // Every key Alt reaches while this tab is shown: the tabs', the visible buttons' and
    // captions'.
    QList<QChar> keys;
    for (int i = 0; i < m_window->sections()->count(); ++i)
        keys.append(accessKey(m_window->sections()->tabText(i)));
    for (const QAbstractButton* button : m_window->findChildren<QAbstractButton*>())
        if (button->isVisible())
            keys.append(accessKey(button->text()));
    for (const QLabel* label : m_window->findChildren<QLabel*>())
        if (label->isVisible() && label->buddy())
            keys.append(accessKey(label->text()));
    for (const QPushButton* button : {m_actions->installButton(), m_actions->removeButton()})
        if (button->isVisible())
            QVERIFY2(!accessKey(button->text()).isNull() &&
                         keys.count(accessKey(button->text())) == 1,
                     qPrintable(button->text()));
}

QTEST_MAIN(TestFontInfoFileActions)
#include "tst_fontinfofileactions.moc"
