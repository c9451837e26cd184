#include "facelist.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontinfofileactions.h"
#include "fontinfowindow.h"
#include "shaper.h"
#include "userfontfolder.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

const QString FontSet = QStringLiteral(VARELITH_TEST_FONT_SET);

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool copyTo(const QString& from, const QString& to) {
    QDir().mkpath(QFileInfo(to).absolutePath());
    return QFile::copy(from, to);
}

// A font set's file by a short name: "fonts/x.ttf", "versions/x.ttf" or "seed:x".
QString fontFile(const QString& name) {
    if (name.startsWith(u"seed:"_s))
        return QStringLiteral(VARELITH_FONT_SEEDS) + u'/' + name.mid(5);
    return FontSet + u'/' + name;
}

// The key a control's text gives with Alt; 0 without one.
QChar accessKey(const QString& text) {
    const qsizetype at = text.indexOf(u'&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
}

using Config = std::unique_ptr<FcConfig, decltype(&FcConfigDestroy)>;

} // namespace

class TestFontInfoFileActions : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void buttonsFollowTheFamily_data();
    void buttonsFollowTheFamily();
    void remove_data();
    void remove();
    void install_data();
    void install();
    void accessKeysOfTheirOwn_data();
    void accessKeysOfTheirOwn();

private:
    QString fontsFolder() const { return m_home->filePath(u"data/fonts"_s); }
    // The test set's folder as installed fonts; none when empty.
    void installedFrom(const QString& setFolder);

    FamilyNames m_names;
    FamilyFaces m_faces;
    Shaper m_shaper;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<QTemporaryDir> m_elsewhere; // outside the home: the machine's fonts
    std::unique_ptr<UserFontFolder> m_folder;
    std::unique_ptr<FontInfoWindow> m_window;
    std::unique_ptr<FontInfoFileActions> m_actions;
    Config m_installedFonts{nullptr, &FcConfigDestroy};

    QHash<QString, QStringList> m_familyFiles;
    QSet<QString> m_opened;
    bool m_answer = false;
    QStringList m_asked;
    QStringList m_told;
    QList<QStringList> m_installed; // source, installed path
    QList<QStringList> m_removed;
};

void TestFontInfoFileActions::init() {
    m_home = std::make_unique<QTemporaryDir>();
    m_elsewhere = std::make_unique<QTemporaryDir>();
    QVERIFY(m_home->isValid() && m_elsewhere->isValid());
    qputenv("HOME", QFile::encodeName(m_home->path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_home->filePath(u"data"_s)));
    m_familyFiles.clear();
    m_opened.clear();
    m_answer = false;
    m_asked.clear();
    m_told.clear();
    m_installed.clear();
    m_removed.clear();
    installedFrom(QString());

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
        [this](const QString& source, const QString& installed) {
            m_installed.append({source, installed});
        },
        [this](const QStringList& files) { m_removed.append(files); });
}

void TestFontInfoFileActions::cleanup() {
    m_actions.reset();
    m_window.reset();
}

void TestFontInfoFileActions::installedFrom(const QString& setFolder) {
    const QString file = m_home->filePath(u"fonts.conf"_s);
    QFile config(file);
    QVERIFY(config.open(QIODevice::WriteOnly));
    config.write(
        u"<?xml version=\"1.0\"?>\n<fontconfig>%1<cachedir>%2</cachedir></fontconfig>\n"_s
            .arg(setFolder.isEmpty() ? QString() : u"<dir>%1/%2</dir>"_s.arg(FontSet, setFolder),
                 m_home->filePath(u"cache"_s))
            .toUtf8());
    config.close();
    m_installedFonts.reset(FcConfigCreate());
    const QByteArray name = QFile::encodeName(file);
    QVERIFY(FcConfigParseAndLoad(m_installedFonts.get(),
                                 reinterpret_cast<const FcChar8*>(name.constData()), FcTrue));
    QVERIFY(FcConfigBuildFonts(m_installedFonts.get()));
}

void TestFontInfoFileActions::buttonsFollowTheFamily_data() {
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QString>("where");     // of the family's file: "user", "system", "link"
    QTest::addColumn<QString>("described"); // in the remove button's description
    QTest::newRow("opened from a file") << true << u"system"_s << QString();
    QTest::newRow("installed by the user") << false << u"user"_s << u"ごみ箱"_s;
    QTest::newRow("the machine's") << false << u"system"_s << u"システムのフォント"_s;
    QTest::newRow("a link out of the user's folder") << false << u"link"_s << u"リンク"_s;
}

void TestFontInfoFileActions::buttonsFollowTheFamily() {
    QFETCH(bool, opened);
    QFETCH(QString, where);
    QFETCH(QString, described);
    const QString family = u"Varelith Vertical"_s;
    const QString source = fontFile(u"fonts/varelith-vertical.ttf"_s);
    const QString outside = m_elsewhere->filePath(u"varelith-vertical.ttf"_s);
    QVERIFY(copyTo(source, outside));
    QString file = where == u"system"_s ? outside : fontsFolder() + u"/varelith-vertical.ttf"_s;
    if (where == u"user"_s)
        QVERIFY(copyTo(source, file));
    else if (where == u"link"_s)
        QVERIFY(QDir().mkpath(fontsFolder()) && QFile::link(outside, file));
    m_familyFiles.insert(family, {file});
    if (opened)
        m_opened.insert(family);
    // Another family first, in the other state: the buttons follow the one shown.
    const QString before = u"Varelith Blank"_s;
    if (!opened)
        m_opened.insert(before);
    m_window->showFamily(before);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(m_actions->installButton()->isVisible(), !opened);
    m_window->setFamily(family);

    QPushButton* install = m_actions->installButton();
    QPushButton* remove = m_actions->removeButton();
    QCOMPARE(install->isVisible(), opened);
    QCOMPARE(remove->isVisible(), !opened);
    if (!opened) {
        // Reached with the keyboard whether or not it can remove, its reason told before.
        QVERIFY(remove->isEnabled());
        QVERIFY2(remove->accessibleDescription().contains(described),
                 qPrintable(remove->accessibleDescription()));
        if (where == u"system"_s)
            QVERIFY(remove->accessibleDescription().contains(m_elsewhere->path()));
    }
    // After the names in the Tab order, before the faces.
    QList<QWidget*> chain;
    for (QWidget* at = m_window->namesLine()->nextInFocusChain();
         at != m_window->faceList() && chain.size() < 10; at = at->nextInFocusChain())
        if (at->focusPolicy() & Qt::TabFocus)
            chain.append(at);
    QCOMPARE(chain, (QList<QWidget*>{install, remove}));
    for (QPushButton* button : {install, remove})
        QVERIFY(!button->accessibleName().isEmpty() && !button->objectName().isEmpty());
}

void TestFontInfoFileActions::remove_data() {
    QTest::addColumn<QStringList>("files"); // "user:", "home:", "system:" or "link:" + name
    QTest::addColumn<bool>("answer");
    QTest::addColumn<bool>("removed");
    // In the message, ELSEWHERE standing for the machine's folder; none expected when empty.
    QTest::addColumn<QString>("told");
    const QString a = u"varelith-faces-regular.ttf"_s;
    const QString b = u"varelith-faces-bold.ttf"_s;
    QTest::newRow("installed by the user, confirmed")
        << QStringList{u"user:"_s + a, u"user:"_s + b} << true << true << u"ごみ箱に移しました"_s;
    QTest::newRow("installed by the user, declined")
        << QStringList{u"user:"_s + a, u"user:"_s + b} << false << false << QString();
    QTest::newRow("the machine's") << QStringList{u"system:"_s + a} << true << false
                                   << u"ELSEWHERE にあるシステムのフォント"_s;
    QTest::newRow("one file the machine's") << QStringList{u"user:"_s + a, u"system:"_s + b} << true
                                            << false << u"ELSEWHERE にあるシステムのフォント"_s;
    QTest::newRow("in another folder of the home")
        << QStringList{u"home:"_s + a} << true << false << u"~/Downloads"_s;
    QTest::newRow("a link out of the user's folder")
        << QStringList{u"link:"_s + a} << true << false << u"リンク"_s;
    QTest::newRow("no files") << QStringList() << true << false << u"見つかりません"_s;
}

void TestFontInfoFileActions::remove() {
    QFETCH(QStringList, files);
    QFETCH(bool, answer);
    QFETCH(bool, removed);
    QFETCH(QString, told);
    QStringList paths;
    for (const QString& entry : files) {
        const QString where = entry.section(u':', 0, 0);
        const QString name = entry.section(u':', 1);
        const QString source = fontFile(u"fonts/"_s + name);
        QString path;
        if (where == u"user"_s)
            path = fontsFolder() + u'/' + name;
        else if (where == u"home"_s)
            path = m_home->filePath(u"Downloads/"_s + name);
        else
            path = m_elsewhere->filePath(name);
        QVERIFY(copyTo(source, path));
        if (where == u"link"_s) {
            const QString link = fontsFolder() + u'/' + name;
            QVERIFY(QDir().mkpath(fontsFolder()) && QFile::link(path, link));
            path = link;
        }
        paths.append(path);
    }
    told.replace(u"ELSEWHERE"_s, m_elsewhere->path());
    m_familyFiles.insert(u"Varelith Faces"_s, paths);
    m_answer = answer;
    m_window->setFamily(u"Varelith Faces"_s);
    m_actions->removeButton()->click();

    // Asked only when the files can go, the question naming the family and each file.
    const bool removable = removed || !answer;
    QCOMPARE(m_asked.size(), removable ? 1 : 0);
    if (removable) {
        QVERIFY(m_asked.first().contains(u"「Varelith Faces」を削除しますか"_s));
        for (const QString& path : paths)
            QVERIFY(m_asked.first().contains(QFileInfo(path).fileName()));
    }
    QCOMPARE(m_removed, removed ? QList<QStringList>{paths} : QList<QStringList>());
    const QString trash = m_home->filePath(u"data/Trash/files/"_s);
    for (const QString& path : paths) {
        const QString name = QFileInfo(path).fileName();
        QCOMPARE(QFileInfo::exists(path), !removed);
        QCOMPARE(bytesOf(trash + name),
                 removed ? bytesOf(fontFile(u"fonts/"_s + name)) : QByteArray());
    }
    QCOMPARE(m_told.size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty()) {
        QVERIFY2(m_told.first().contains(told), qPrintable(m_told.first()));
        QVERIFY(m_told.first().contains(u"Varelith Faces"_s));
    }
}

void TestFontInfoFileActions::install_data() {
    QTest::addColumn<QStringList>("files"); // of the opened family
    QTest::addColumn<QString>("installedSet");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QString>("asked"); // in the question; none expected when empty
    QTest::addColumn<bool>("installs");
    QTest::addColumn<QString>("told");
    const QStringList vertical{u"fonts/varelith-vertical.ttf"_s};
    QTest::newRow("not installed")
        << vertical << QString() << false << QString() << true << u"インストールしました"_s;
    QTest::newRow("two files") << QStringList{u"fonts/varelith-faces-regular.ttf"_s,
                                              u"fonts/varelith-faces-bold.ttf"_s}
                               << QString() << false << QString() << true
                               << u"インストールしました"_s;
    QTest::newRow("same version installed")
        << QStringList{u"fonts/varelith-faces-regular.ttf"_s} << u"fonts"_s << true << QString()
        << false << u"すでにインストールされています"_s;
    const QStringList older{u"versions/varelith-faces-regular-revision-1.500.ttf"_s};
    QTest::newRow("newer installed, declined")
        << older << u"fonts"_s << false << u"新しいバージョン（Version 2.001）"_s << false
        << QString();
    QTest::newRow("newer installed, confirmed")
        << older << u"fonts"_s << true << u"新しいバージョン（Version 2.001）"_s << true
        << u"Version 2.001"_s;
    QTest::newRow("older installed, confirmed")
        << QStringList{u"versions/varelith-faces-regular-revision-3.000.ttf"_s} << u"fonts"_s
        << true << u"古いバージョン（Version 2.001）"_s << true << u"Version 3.000"_s;
    QTest::newRow("damaged") << QStringList{u"seed:truncated"_s} << QString() << true << QString()
                             << false << u"truncated"_s;
}

void TestFontInfoFileActions::install() {
    QFETCH(QStringList, files);
    QFETCH(QString, installedSet);
    QFETCH(bool, answer);
    QFETCH(QString, asked);
    QFETCH(bool, installs);
    QFETCH(QString, told);
    installedFrom(installedSet);
    QStringList paths;
    for (const QString& file : files)
        paths.append(fontFile(file));
    const QString family = u"Varelith Faces"_s;
    m_familyFiles.insert(family, paths);
    m_opened.insert(family);
    m_answer = answer;
    m_window->setFamily(family);
    m_actions->installButton()->click();

    QCOMPARE(m_asked.size(), asked.isEmpty() ? 0 : 1);
    if (!asked.isEmpty())
        QVERIFY2(m_asked.first().contains(asked), qPrintable(m_asked.first()));
    QList<QStringList> expected;
    if (installs)
        for (const QString& path : paths)
            expected.append({path, fontsFolder() + u'/' + QFileInfo(path).fileName()});
    QCOMPARE(m_installed, expected);
    for (const QStringList& done : std::as_const(m_installed))
        QCOMPARE(bytesOf(done.at(1)), bytesOf(done.at(0)));
    if (!installs)
        QVERIFY(QDir(fontsFolder()).isEmpty());
    QCOMPARE(m_told.size(), told.isEmpty() ? 0 : 1);
    if (!told.isEmpty())
        QVERIFY2(m_told.first().contains(told), qPrintable(m_told.first()));
}

void TestFontInfoFileActions::accessKeysOfTheirOwn_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<bool>("opened");
    for (const bool opened : {true, false}) {
        QTest::addRow("詳細, %s", opened ? "opened" : "installed") << 0 << opened;
        QTest::addRow("日本語, %s", opened ? "opened" : "installed") << 1 << opened;
        QTest::addRow("文字一覧, %s", opened ? "opened" : "installed") << 2 << opened;
    }
}

void TestFontInfoFileActions::accessKeysOfTheirOwn() {
    QFETCH(int, tab);
    QFETCH(bool, opened);
    if (opened)
        m_opened.insert(u"Varelith Faces"_s);
    m_window->showFamily(u"Varelith Faces"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->sections()->setCurrentIndex(tab);
    // Every key Alt reaches while this tab is shown: the tabs', and the visible
    // buttons' and captions'.
    QList<QChar> keys;
    const QTabBar* tabs = m_window->sections()->tabBar();
    for (int i = 0; i < tabs->count(); ++i)
        keys.append(accessKey(tabs->tabText(i)));
    for (const QAbstractButton* button : m_window->findChildren<QAbstractButton*>())
        if (button->isVisible())
            keys.append(accessKey(button->text()));
    for (const QLabel* label : m_window->findChildren<QLabel*>())
        if (label->isVisible() && label->buddy())
            keys.append(accessKey(label->text()));
    for (const QPushButton* button : {m_actions->installButton(), m_actions->removeButton()}) {
        if (!button->isVisible())
            continue;
        const QChar key = accessKey(button->text());
        QVERIFY2(!key.isNull(), qPrintable(button->text()));
        QVERIFY2(keys.count(key) == 1, qPrintable(u"%1 %2"_s.arg(button->text(), QString(key))));
    }
}

QTEST_MAIN(TestFontInfoFileActions)
#include "tst_fontinfofileactions.moc"
