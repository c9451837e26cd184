#include "japaneseinterface.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

class TestJapaneseInterface : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void searchPathsIncludeQtsAndDebiansFolders() {
        QStringList paths = JapaneseInterface::translationSearchPaths();
        QVERIFY(paths.contains(u"/usr/share/qt6/translations"_s));
        QCOMPARE(paths.value(0), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        QCOMPARE(paths.removeDuplicates(), 0);
    }

    void qtsOwnTextsTurnJapanese() {
        if (!QDir(u"/usr/share/qt6/translations"_s).exists(u"qtbase_ja.qm"_s))
            QSKIP("Qt's Japanese translation is not installed (qt6-translations-l10n)");
        QVERIFY(JapaneseInterface::installQtTranslation(*qApp));
        // The buttons of a message box and the edit menu of a text box.
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != u"Cancel"_s);
        QVERIFY(QCoreApplication::translate("QLineEdit", "&Undo") != u"&Undo"_s);
    }

    void windowsFacesMapToInstalledOnes() {
        JapaneseInterface::insertFontSubstitutions();
        // Qt keeps the substitutes in lower case.
        QStringList expected = JapaneseInterface::gothicFaces();
        for (QString& face : expected)
            face = face.toLower();
        QCOMPARE(QFont::substitutes(u"System"_s), expected);
        QCOMPARE(QFont::substitutes(u"ＭＳ Ｐゴシック"_s), expected);
        const QString shown = QFontInfo(QFont(u"ＭＳ Ｐゴシック"_s)).family();
        if (!QFontDatabase::families().contains(JapaneseInterface::gothicFaces().first()))
            QSKIP("no IPA Gothic face here");
        QCOMPARE(shown, JapaneseInterface::gothicFaces().first());
    }
};

QTEST_MAIN(TestJapaneseInterface)
#include "tst_japaneseinterface.moc"
