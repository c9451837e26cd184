#include "japaneseinterface.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLibraryInfo>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

class TestJapaneseInterface : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void qtsOwnTextsTurnJapanese() {
        QStringList paths = JapaneseInterface::translationSearchPaths();
        QCOMPARE(paths.value(0), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
        QVERIFY(paths.contains(u"/usr/share/qt6/translations"_s));
        QCOMPARE(paths.removeDuplicates(), 0);
        if (!QDir(u"/usr/share/qt6/translations"_s).exists(u"qtbase_ja.qm"_s))
            QSKIP("Qt's Japanese translation is not installed (qt6-translations-l10n)");
        QVERIFY(JapaneseInterface::installQtTranslation(*qApp));
        // The buttons of a message box and the edit menu of a text box.
        QVERIFY(QCoreApplication::translate("QPlatformTheme", "Cancel") != u"Cancel"_s);
        QVERIFY(QCoreApplication::translate("QLineEdit", "&Undo") != u"&Undo"_s);
    }

    void windowsFacesMapToInstalledOnes() {
        JapaneseInterface::insertFontSubstitutions();
        const QStringList installed = QFontDatabase::families();
        const QStringList faces = QFont::substitutes(u"System"_s);
        QVERIFY(!faces.isEmpty());
        QCOMPARE(QFont::substitutes(u"ＭＳ Ｐゴシック"_s), faces);
        for (const QString& face : faces)
            QVERIFY2(installed.contains(face, Qt::CaseInsensitive), qPrintable(face));
        const QString face = JapaneseInterface::interfaceFace(u"ＭＳ Ｐゴシック"_s);
        QCOMPARE(face, faces.first());
        QCOMPARE(JapaneseInterface::interfaceFace(u"Unknown Face"_s), u"Unknown Face"_s);
        if (!installed.contains(u"IPAPGothic"_s))
            QSKIP("no IPA P Gothic face here");
        QCOMPARE(QFontInfo(QFont(face)).family(), u"IPAPGothic"_s);
    }
};

QTEST_MAIN(TestJapaneseInterface)
#include "tst_japaneseinterface.moc"
