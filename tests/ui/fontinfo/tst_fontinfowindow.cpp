#include "charactergrid.h"
#include "charactergridview.h"
#include "coverageview.h"
#include "facedrawing.h"
#include "facefactsview.h"
#include "facelist.h"
#include "familyfaces.h"
#include "familynames.h"
#include "fontinfowindow.h"
#include "shaper.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QFontInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>

using namespace varelith;
using namespace Qt::StringLiterals;

class TestFontInfoWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void controls();
    void facesAndFacts();
    void facesDrawnInThemselves();
    void coverage();
    void coverageAsShown_data();
    void coverageAsShown();
    void characterGrid();
    void linksAndEsc();
    void unopenedLinkOffersCopy_data();
    void unopenedLinkOffersCopy();
    void valuesReadAsText_data();
    void valuesReadAsText();
    void usableBesideAModalDialog();

private:
    FamilyNames m_names;
    FamilyFaces m_faces;
    Shaper m_shaper;
    QString m_sample;
    QList<QUrl> m_opened;
    bool m_opens = true; // whether the desktop has a program for the link
    std::unique_ptr<FontInfoWindow> m_window;
};

void TestFontInfoWindow::init() {
    m_sample = u"Aa あい 漢"_s;
    m_opened.clear();
    m_opens = true;
    m_window = std::make_unique<FontInfoWindow>(
        m_names, m_faces, m_shaper, [this] { return m_sample; },
        [this](const QUrl& url) {
            m_opened.append(url);
            return m_opens;
        },
        QGuiApplication::clipboard());
}

void TestFontInfoWindow::cleanup() {
    m_window.reset();
}

void TestFontInfoWindow::controls() {
    m_window->showFamily(u"Varelith Faces"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // Every control is named, read by a screen reader, has an access key (its own or its
    // label's) and is reached with Tab.
    QList<QWidget*> reached;
    QWidget* at = m_window->nextInFocusChain();
    for (int i = 0; i < 500 && at != m_window.get(); ++i, at = at->nextInFocusChain())
        if (at->focusPolicy() & Qt::TabFocus)
            reached.append(at);
    int controls = 0;
    for (QWidget* widget : m_window->findChildren<QWidget*>()) {
        if (!qobject_cast<QAbstractButton*>(widget) && !qobject_cast<QLineEdit*>(widget) &&
            !qobject_cast<QAbstractItemView*>(widget) && !qobject_cast<QComboBox*>(widget) &&
            !qobject_cast<QPlainTextEdit*>(widget) && !qobject_cast<CharacterGrid*>(widget))
            continue;
        if (qobject_cast<QHeaderView*>(widget) || qobject_cast<QTabBar*>(widget->parentWidget()))
            continue; // parts of Qt's own controls
        ++controls;
        QVERIFY2(!widget->objectName().isEmpty(), widget->metaObject()->className());
        QVERIFY2(!widget->accessibleName().isEmpty(), qPrintable(widget->objectName()));
        QVERIFY2(reached.contains(widget), qPrintable(widget->objectName()));
        bool key = false;
        if (const auto* button = qobject_cast<QAbstractButton*>(widget))
            key = button->text().contains(u'&');
        for (const QLabel* label : m_window->findChildren<QLabel*>())
            key = key || (label->buddy() == widget && label->text().contains(u'&'));
        QVERIFY2(key, qPrintable(widget->objectName()));
    }
    QVERIFY(controls >= 9);
}

void TestFontInfoWindow::facesAndFacts() {
    QSignalSpy changed(m_window.get(), &FontInfoWindow::faceChanged);
    m_window->setFamily(u"Varelith Faces"_s);
    QVERIFY(m_window->windowTitle().contains(u"Varelith Faces"));
    QVERIFY(m_window->namesLine()->text().startsWith(u"試験ファミリー（日本語）、"));
    FaceList* list = m_window->faceList();
    QCOMPARE(list->count(), 4);
    // The face a plain font of the family draws is chosen first.
    QCOMPARE(list->currentRow(), 1);
    FaceFactsView* facts = m_window->facts();
    QVERIFY(facts->filePath()->text().endsWith(u"varelith-faces-regular.ttf"));
    list->setCurrentRow(3);
    QVERIFY(facts->filePath()->text().endsWith(u"varelith-faces-bold.ttf"));
    QCOMPARE(changed.size(), 2);
    QCOMPARE(facts->value(u"lbl_Version"_s), u"Version 2.001"_s);
    QVERIFY(facts->value(u"lbl_Embedding"_s).startsWith(u"インストール可能"));
    QVERIFY(facts->licenceLink()->text().contains(u"https://openfontlicense.org"));
    m_window->setFamily(u"Varelith Variable"_s);
    QVERIFY(facts->value(u"lbl_Axes"_s).contains(u"Weight (wght) 100–900、既定 400"));
    m_window->setFamily(u"Varelith Vertical"_s);
    QVERIFY(facts->value(u"lbl_Embedding"_s).startsWith(u"プレビューと印刷のみ"));
    QCOMPARE(facts->value(u"lbl_Features"_s), u"palt vert vrt2"_s);
    // With no sample in the main window, the pangram.
    m_sample.clear();
    m_window->setFamily(u"Varelith Vertical"_s);
    QCOMPARE(list->sample(), FontInfoWindow::defaultSample());
}

void TestFontInfoWindow::facesDrawnInThemselves() {
    m_window->setFamily(u"Varelith Faces"_s);
    FaceList* list = m_window->faceList();
    QMap<QString, qreal> widths;
    for (int row = 0; row < list->count(); ++row) {
        const FaceDrawing* face = list->drawing(row);
        // Set from the face's own file and index, never from a family matched by name.
        const ShapedRun run = face->shape(m_sample, FaceList::SamplePixels);
        QVERIFY(run.valid);
        QCOMPARE(run.face, (FaceRef{face->face().file, face->face().index}));
        widths.insert(face->face().styleName, face->shape(u"a"_s, 100).advance);
        // 漢 is no character of the face: its glyph is marked, the rest not.
        QString missing;
        for (const ShapedGlyph& glyph : run.glyphs)
            if (glyph.missing)
                missing += m_sample.at(glyph.cluster);
        QCOMPARE(missing, u"漢"_s);
    }
    QVERIFY(widths.value(u"Bold"_s) > widths.value(u"Regular"_s));
}

void TestFontInfoWindow::coverage() {
    m_window->setFamily(u"Varelith Vertical"_s);
    CoverageView* view = m_window->coverage();
    QTreeWidget* table = view->table();
    QCOMPARE(table->topLevelItem(0)->text(1), u"86 / 86"_s);
    QCOMPARE(table->topLevelItem(2)->text(1), u"4 / 2965"_s);
    QCOMPARE(table->topLevelItem(6)->text(1), u"4 / 2136"_s);
    table->setCurrentItem(table->topLevelItem(2));
    QVERIFY(view->missingText()->toPlainText().isEmpty());
    view->missingButton()->click();
    const QString missing = view->missingText()->toPlainText();
    QVERIFY(missing.contains(u"2961 文字不足"));
    QVERIFY(missing.contains(u'亜'));
    QVERIFY(!missing.contains(u'永'));
}

// Each set's row as the 日本語 tab shows it, found by the label the user reads: its count
// and its share, which reaches 100.0% only when nothing is missing.
void TestFontInfoWindow::coverageAsShown_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("share");
    const QString vertical = u"Varelith Vertical"_s;
    const QString kanji = u"Varelith Kanji"_s; // every level 1 kanji but 亜
    QTest::newRow("hiragana, all") << vertical << u"ひらがな"_s << u"86 / 86"_s << u"100.0%"_s;
    QTest::newRow("katakana, all") << vertical << u"カタカナ"_s << u"90 / 90"_s << u"100.0%"_s;
    QTest::newRow("level 1, four")
        << vertical << u"JIS 第1水準漢字"_s << u"4 / 2965"_s << u"0.1%"_s;
    QTest::newRow("level 2, one") << vertical << u"JIS 第2水準漢字"_s << u"1 / 3390"_s << u"0.0%"_s;
    // 0.079% and, below, 0.187%: rounded down, not to the nearest tenth.
    QTest::newRow("level 3, one") << vertical << u"JIS 第3水準漢字"_s << u"1 / 1259"_s << u"0.0%"_s;
    QTest::newRow("level 4, none")
        << vertical << u"JIS 第4水準漢字"_s << u"0 / 2436"_s << u"0.0%"_s;
    QTest::newRow("joyo, four") << vertical << u"常用漢字"_s << u"4 / 2136"_s << u"0.1%"_s;
    QTest::newRow("level 1 but one")
        << kanji << u"JIS 第1水準漢字"_s << u"2964 / 2965"_s << u"99.9%"_s;
    QTest::newRow("level 2, none") << kanji << u"JIS 第2水準漢字"_s << u"0 / 3390"_s << u"0.0%"_s;
    QTest::newRow("kana of a kanji font") << kanji << u"カタカナ"_s << u"90 / 90"_s << u"100.0%"_s;
}

void TestFontInfoWindow::coverageAsShown() {
    QFETCH(QString, family);
    QFETCH(QString, label);
    m_window->setFamily(family);
    QCOMPARE(m_window->faceList()->count(), 1);
    const QTreeWidget* table = m_window->coverage()->table();
    const QList<QTreeWidgetItem*> rows = table->findItems(label, Qt::MatchExactly, 0);
    QCOMPARE(rows.size(), 1);
    QTEST(rows.first()->text(1), "count");
    QTEST(rows.first()->text(2), "share");
}

void TestFontInfoWindow::characterGrid() {
    m_window->setFamily(u"Varelith Vertical"_s);
    CharacterGridView* view = m_window->characterGrid();
    QStringList blocks;
    for (int i = 0; i < view->blockChooser()->count(); ++i)
        blocks.append(view->blockChooser()->itemText(i));
    QVERIFY2(blocks.contains(u"ひらがな（86）"_s), qPrintable(blocks.join(u", ")));
    QVERIFY(blocks.contains(u"カタカナ（91）"_s));
    view->blockChooser()->setCurrentText(u"ひらがな（86）"_s);
    CharacterGrid* grid = view->grid();
    QCOMPARE(grid->characters().size(), 86);
    grid->resize(CharacterGrid::CellSize * 10, grid->heightForWidth(CharacterGrid::CellSize * 10));
    QTest::mouseClick(grid, Qt::LeftButton, {}, grid->cellRect(11).center());
    QCOMPARE(QGuiApplication::clipboard()->text(), u"が"_s);
    QVERIFY(view->chosenLine()->text().contains(u"U+304C  HIRAGANA LETTER GA"));
    // A row down is ten characters on.
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"ざ"_s);
}

void TestFontInfoWindow::linksAndEsc() {
    m_window->showFamily(u"Varelith Faces"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->facts()->openFolderButton()->click();
    Q_EMIT m_window->facts()->licenceLink()->linkActivated(u"https://openfontlicense.org"_s);
    QCOMPARE(m_opened.size(), 2);
    QVERIFY(m_opened.at(0).toLocalFile().endsWith(u"/fonts"));
    QCOMPARE(m_opened.at(1), QUrl(u"https://openfontlicense.org"_s));
    m_window->faceList()->setFocus();
    QTest::keyClick(m_window->faceList(), Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
}

void TestFontInfoWindow::unopenedLinkOffersCopy_data() {
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("folder");
    QTest::newRow("licence link, no browser") << false << false;
    QTest::newRow("folder, no file manager") << false << true;
    QTest::newRow("licence link opened") << true << false;
}

// A link the desktop cannot open says so, and offers its address for the clipboard.
void TestFontInfoWindow::unopenedLinkOffersCopy() {
    QFETCH(bool, opens);
    QFETCH(bool, folder);
    m_opens = opens;
    m_window->showFamily(u"Varelith Faces"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    FaceFactsView* facts = m_window->facts();
    const QString licence = u"https://openfontlicense.org"_s;
    if (folder)
        facts->openFolderButton()->click();
    else
        Q_EMIT facts->licenceLink()->linkActivated(licence);
    QCOMPARE(m_opened.size(), 1);
    auto* box = facts->findChild<QMessageBox*>();
    QCOMPARE(box != nullptr, !opens);
    if (opens)
        return;
    QVERIFY(box->isVisible());
    const QString address = folder ? m_opened.first().toLocalFile() : licence;
    QVERIFY2(box->informativeText().contains(address), qPrintable(box->informativeText()));
    QGuiApplication::clipboard()->setText(u"before"_s);
    auto* copy = box->findChild<QPushButton*>(u"btn_CopyAddress"_s);
    QVERIFY(copy && copy->text().contains(u"コピー(&C)"));
    copy->click();
    QCOMPARE(QGuiApplication::clipboard()->text(), address);
    QVERIFY(!box->isVisible());
}

void TestFontInfoWindow::valuesReadAsText_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("caption");
    const QString faces = u"Varelith Faces"_s;
    QTest::newRow("file") << faces << u"txt_File"_s << u"ファイル(&L):"_s;
    QTest::newRow("index") << faces << u"lbl_Index"_s << u"フォント番号（TTC 内）:"_s;
    QTest::newRow("version") << faces << u"lbl_Version"_s << u"バージョン(&V):"_s;
    QTest::newRow("vendor") << faces << u"lbl_Vendor"_s << u"ベンダー:"_s;
    QTest::newRow("designer") << faces << u"lbl_Designer"_s << u"デザイナー:"_s;
    QTest::newRow("licence") << faces << u"lbl_Licence"_s << u"ライセンス(&I):"_s;
    QTest::newRow("licence URL") << faces << u"lbl_LicenceUrl"_s << u"ライセンス URL(&U):"_s;
    QTest::newRow("embedding") << faces << u"lbl_Embedding"_s << u"埋め込み(&E):"_s;
    QTest::newRow("glyph count") << faces << u"lbl_Glyphs"_s << u"グリフ数:"_s;
    QTest::newRow("features") << u"Varelith Vertical"_s << u"lbl_Features"_s << u"機能(&T):"_s;
}

// What a screen reader says of each value on the 詳細 tab is the value itself, with its
// caption as the label for it; and the value can be selected.
void TestFontInfoWindow::valuesReadAsText() {
    QFETCH(QString, family);
    QFETCH(QString, value);
    QFETCH(QString, caption);
    m_window->setFamily(family);
    auto* widget = m_window->facts()->findChild<QWidget*>(value);
    QVERIFY(widget);
    QString shown;
    if (const auto* line = qobject_cast<QLineEdit*>(widget)) {
        shown = line->text();
        QVERIFY(line->isReadOnly());
    } else {
        const auto* label = qobject_cast<QLabel*>(widget);
        QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByKeyboard);
        QTextDocument plain;
        plain.setHtml(label->text());
        shown = label->textFormat() == Qt::RichText ? plain.toPlainText() : label->text();
    }
    QVERIFY(!shown.isEmpty() && shown != u"—"_s);
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(widget);
    QVERIFY(read);
    const QString said = read->text(QAccessible::Name) + u'|' + read->text(QAccessible::Value);
    QVERIFY2(said.contains(shown), qPrintable(said));
    QStringList labels;
    for (const auto& [labelling, relation] : read->relations(QAccessible::Label))
        labels.append(labelling->text(QAccessible::Name));
    QVERIFY2(labels.contains(QString(caption).remove(u'&')), qPrintable(labels.join(u", ")));
}

void TestFontInfoWindow::usableBesideAModalDialog() {
    // Asked for from the font selection dialog, which runs modal, the window must not be
    // blocked by it.
    QDialog dialog;
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    m_window->showFamily(u"Varelith Faces"_s);
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QCOMPARE(m_window->windowHandle()->transientParent(), dialog.windowHandle());
    QVERIFY(!m_window->testAttribute(Qt::WA_QuitOnClose));
}

QTEST_MAIN(TestFontInfoWindow)
#include "tst_fontinfowindow.moc"
