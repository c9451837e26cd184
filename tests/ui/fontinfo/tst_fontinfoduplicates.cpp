#include "catalogues.h"
#include "duplicatefiles.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontfilterbar.h"
#include "fontfiltermodel.h"
#include "fontinfoduplicates.h"
#include "fontinfowindow.h"
#include "form2.h"
#include "shaper.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QtEndian>
#include <QTest>
#include <QTreeWidget>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

const QString FontSet = QStringLiteral(VARELITH_TEST_FONT_SET);

// A copy of a test font with an older revision in its head table, as an old version
// left installed beside a new one.
bool copyAsOlderVersion(const QString& from, const QString& to) {
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QByteArray font = source.readAll();
    const int tables = qFromBigEndian<quint16>(font.constData() + 4);
    for (int t = 0; t < tables; ++t) {
        const char* entry = font.constData() + 12 + 16 * t;
        if (QByteArray(entry, 4) != "head")
            continue;
        const quint32 offset = qFromBigEndian<quint32>(entry + 8);
        qToBigEndian<quint32>(0x00008000, font.data() + offset + 4); // 0.500
        QFile copy(to);
        return copy.open(QIODevice::WriteOnly) && copy.write(font) == font.size();
    }
    return false;
}

} // namespace

class TestFontInfoDuplicates : public QObject {
    Q_OBJECT

public:
    explicit TestFontInfoDuplicates(QString oldFolder)
        : m_oldFolder(std::move(oldFolder)) {}

private Q_SLOTS:
    // The face given twice is listed with both files, each with its version and folder; the
    // newer is the one drawn. A family given once has none.
    void filesOfTheSameFace() {
        DuplicateFiles duplicates;
        QVERIFY(duplicates.hasDuplicates(u"Bench Sans 00003"_s));
        QVERIFY(!duplicates.hasDuplicates(u"Bench Sans 00004"_s));
        QVERIFY(!duplicates.hasDuplicates(u"Varelith Faces"_s)); // four styles, four files
        QVERIFY(duplicates.of(u"Bench Sans 00004"_s).isEmpty());
        const QList<DuplicateFiles::File> files = duplicates.of(u"Bench Sans 00003"_s);
        QCOMPARE(files.size(), 2);
        QStringList folders;
        for (const DuplicateFiles::File& file : files) {
            folders.append(QFileInfo(file.path).absolutePath());
            QCOMPARE(file.style, files.first().style);
            QCOMPARE(file.drawn, file.version != u"0.500"_s);
            QVERIFY(!file.version.isEmpty());
        }
        folders.sort();
        QStringList expected{QFileInfo(FontSet + u"/fonts"_s).canonicalFilePath(),
                             QFileInfo(m_oldFolder).canonicalFilePath()};
        expected.sort();
        for (QString& folder : folders)
            folder = QFileInfo(folder).canonicalFilePath();
        QCOMPARE(folders, expected);
    }

    // The information window's 重複 tab follows the family shown.
    void informationWindowListsTheFiles() {
        FamilyNames names;
        FamilyFaces faces;
        Shaper shaper;
        FontInfoWindow window(
            names, faces, shaper, [] { return u"Abc"_s; }, [](const QUrl&) { return true; },
            QGuiApplication::clipboard());
        DuplicateFiles duplicates;
        FontInfoDuplicates tab(window, duplicates);
        window.setFamily(u"Bench Sans 00003"_s);
        QVERIFY(tab.table());
        QCOMPARE(tab.table()->topLevelItemCount(), 2);
        int drawn = 0;
        for (int row = 0; row < 2; ++row) {
            const QTreeWidgetItem* item = tab.table()->topLevelItem(row);
            QVERIFY(QFileInfo::exists(QDir(item->text(3)).filePath(item->text(4))));
            drawn += item->text(1).isEmpty() ? 0 : 1;
        }
        QCOMPARE(drawn, 1);
        window.setFamily(u"Bench Sans 00004"_s);
        QCOMPARE(tab.table()->topLevelItemCount(), 1);
        QVERIFY(tab.table()->topLevelItem(0)->text(0).contains(u"ありません"_s));
    }

    // "Only families with duplicates" in the selection dialog, on and off; ticks stay.
    void dialogShowsOnlyFamiliesWithDuplicates() {
        testing::ListFontSource fonts(
            {u"Bench Sans 00004"_s, u"Bench Sans 00003"_s, u"DejaVu Sans"_s});
        testing::MemorySettingsStore store;
        FontCatalogue catalogue;
        FamilyNames names;
        Form2 dialog(catalogue, fonts, store, names);
        dialog.Form_Load();
        dialog.filterBar()->chk_Duplicates()->setChecked(true);
        QCOMPARE(dialog.shownFonts()->shownSourceRows(), QList<int>{1});
        dialog.filterBar()->chk_Duplicates()->setChecked(false);
        QCOMPARE(dialog.shownFonts()->shownSourceRows(), (QList<int>{0, 1, 2}));
        QCOMPARE(dialog.listCount(), 3);
    }

private:
    QString m_oldFolder;
};

int main(int argc, char** argv) {
    // fontconfig is told of the fonts before anything reads it, the older copy's folder
    // first: the newer is drawn by its version, not by its place.
    QTemporaryDir folder;
    const QString oldFolder = folder.filePath(u"old"_s);
    QDir().mkpath(oldFolder);
    if (!copyAsOlderVersion(FontSet + u"/fonts/bench00003.ttf"_s, oldFolder + u"/old.ttf"_s))
        return 1;
    QFile config(folder.filePath(u"fonts.conf"_s));
    if (!config.open(QIODevice::WriteOnly))
        return 1;
    config.write(u"<?xml version=\"1.0\"?>\n<fontconfig><dir>%2</dir><dir>%1/fonts</dir>"
                 "<cachedir>%3</cachedir></fontconfig>\n"_s
                     .arg(FontSet, oldFolder, folder.filePath(u"cache"_s))
                     .toUtf8());
    config.close();
    qputenv("FONTCONFIG_FILE", QFile::encodeName(config.fileName()));
    QApplication application(argc, argv);
    TestFontInfoDuplicates test(oldFolder);
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontinfoduplicates.moc"
