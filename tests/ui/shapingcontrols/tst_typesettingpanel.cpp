#include "axissliders.h"
#include "facedrawing.h"
#include "facelist.h"
#include "familyfaces.h"
#include "familynames.h"
#include "featureswitches.h"
#include "fontinfotypesetting.h"
#include "fontinfowindow.h"
#include "shapedfacedelegate.h"
#include "shapedwaterfall.h"
#include "shaper.h"
#include "typesettingpanel.h"
#include "waterfallcanvas.h"

#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

// How far the ink reaches in the image, across or down: whatever is far from the colour of
// its bottom right corner, the background of a plain or a selected row.
int inkLength(const QImage& image, bool horizontal) {
    const int background = qGray(image.pixel(image.width() - 1, image.height() - 1));
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (std::abs(qGray(image.pixel(x, y)) - background) > 100) {
                const int along = horizontal ? x : y;
                first = first < 0 ? along : std::min(first, along);
                last = std::max(last, along);
            }
    return last - first;
}

// The waterfall's ink along its lines: across in 横書き, down in 縦書き.
int inkLength(WaterfallCanvas& canvas) {
    canvas.resize(canvas.sizeHint());
    return inkLength(canvas.grab().toImage(),
                     canvas.direction() == ShapedRun::Direction::Horizontal);
}

// A row of the information window's face list as drawn: the sample below the face's label.
QImage rowImage(FaceList& list, int row) {
    const QRect area = list.visualItemRect(list.item(row));
    return list.viewport()->grab(area.adjusted(0, list.fontMetrics().height() + 4, 0, 0)).toImage();
}

// The ink across a row's sample.
int inkLength(FaceList& list, int row) {
    return inkLength(rowImage(list, row), true);
}

FaceRef testFace(const QString& file) {
    return {QStringLiteral(VARELITH_TEST_FONTS) + u'/' + file, 0};
}

} // namespace

class TestTypesettingPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Each change drawn at once in the waterfall: longer (1), shorter (-1) or unchanged (0)
    // than the face as it comes.
    void typesetting_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<QString>(
            "change"); // "wght=900" moves a slider, "palt" or "-vert" switches
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("longer");
        QTest::newRow("weight up")
            << u"varelith-variable.ttf"_s << false << u"wght=900"_s << u"wght=900"_s << 1;
        QTest::newRow("weight down")
            << u"varelith-variable.ttf"_s << false << u"wght=100"_s << u"wght=100"_s << -1;
        QTest::newRow("weight in a column")
            << u"varelith-variable.ttf"_s << true << u"wght=900"_s << u"wght=900"_s << 1;
        QTest::newRow("palt") << u"varelith-vertical.ttf"_s << false << u"palt"_s << u"+palt"_s
                              << -1;
        QTest::newRow("kana in a column")
            << u"varelith-vertical.ttf"_s << true << u"palt"_s << u"+palt"_s << 0;
        // vert is on by itself in a column, so it is switched off there.
        QTest::newRow("vert off in a column")
            << u"varelith-vertical.ttf"_s << true << u"-vert"_s << u"-vert"_s << 0;
    }

    void typesetting() {
        QFETCH(QString, file);
        QFETCH(bool, vertical);
        QFETCH(QString, change);
        QFETCH(QString, settings);
        QFETCH(int, longer);
        Shaper shaper;
        TypesettingPanel panel(shaper);
        panel.setSample(u"Aaあいう"_s);
        panel.setFace(testFace(file));
        panel.waterfall().setDirection(vertical ? ShapedRun::Direction::Vertical
                                                : ShapedRun::Direction::Horizontal);
        WaterfallCanvas& canvas = panel.waterfall().canvas();
        const int before = inkLength(canvas);
        QVERIFY(before > 0);
        // A waterfall too wide for its room shows its first columns, on the right.
        if (vertical) {
            panel.resize(300, 400);
            panel.show();
            QVERIFY(QTest::qWaitForWindowExposed(&panel));
            const QScrollBar* across =
                panel.waterfall().findChild<QScrollArea*>()->horizontalScrollBar();
            QVERIFY(across->maximum() > 0 && across->value() == across->maximum());
        }

        int signals = 0;
        connect(&panel, &TypesettingPanel::typesettingChanged, this, [&] { ++signals; });
        if (change.contains(u'='))
            panel.axisSliders().setValue(change.section(u'=', 0, 0),
                                         change.section(u'=', 1).toDouble());
        else
            panel.featureSwitches().setSwitched(change.mid(change.startsWith(u'-')),
                                                !change.startsWith(u'-'));
        QCOMPARE(signals, 1);
        QCOMPARE(change.contains(u'=') ? panel.variations().toText() : panel.features().toText(),
                 settings);
        const int after = inkLength(canvas);
        QCOMPARE((after > before) - (after < before), longer);
    }

    // In the information window: a section of its own for the chosen face, whose switches
    // redraw the face list as well; its sliders move the waterfall only.
    void inWindow_data() {
        QTest::addColumn<QString>("family");
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("listLonger");
        QTest::addColumn<int>("waterfallLonger");
        QTest::newRow("weight") << u"Varelith Variable"_s << u"wght=900"_s << 0 << 1;
        QTest::newRow("palt") << u"Varelith Vertical"_s << u"palt"_s << -1 << -1;
    }

    void inWindow() {
        QFETCH(QString, family);
        QFETCH(QString, change);
        QFETCH(int, listLonger);
        QFETCH(int, waterfallLonger);
        FamilyNames names;
        FamilyFaces faces;
        Shaper shaper;
        FontInfoWindow window(
            names, faces, shaper, [] { return u"Aaあいう"_s; }, {}, nullptr);
        FontInfoTypesetting typesetting(window, shaper);
        QVERIFY(!typesetting.panel()); // nothing made before a face is shown
        window.resize(900, 600);
        window.setFamily(family);
        QVERIFY(typesetting.panel());
        QCOMPARE(window.sections()->tabText(window.sections()->count() - 1), u"組版(&K)"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        FaceList& list = *window.faceList();
        WaterfallCanvas& canvas = typesetting.panel()->waterfall().canvas();
        const int listBefore = inkLength(list, list.currentRow());
        const int waterfallBefore = inkLength(canvas);
        change.contains(u'=') ? typesetting.panel()->axisSliders().setValue(
                                    change.section(u'=', 0, 0), change.section(u'=', 1).toDouble())
                              : typesetting.panel()->featureSwitches().setSwitched(change, true);
        const int listAfter = inkLength(list, list.currentRow());
        const int waterfallAfter = inkLength(canvas);
        QCOMPARE((listAfter > listBefore) - (listAfter < listBefore), listLonger);
        QCOMPARE((waterfallAfter > waterfallBefore) - (waterfallAfter < waterfallBefore),
                 waterfallLonger);
    }

    // Every row of the face list shows its face as itself: Thin narrower than Regular,
    // Regular than Black, the variable font itself at its defaults; a slider moved in the
    // 組版 section changes no row, whether the list draws the rows or the shaper does (a
    // feature switched).
    void faceListRowsAsThemselves_data() {
        QTest::addColumn<QString>("features");
        QTest::newRow("the list's own drawing") << QString();
        QTest::newRow("shaped, a feature switched") << u"+liga"_s;
    }
    void faceListRowsAsThemselves() {
        QFETCH(QString, features);
        FamilyNames names;
        FamilyFaces faces;
        Shaper shaper;
        FontInfoWindow window(
            names, faces, shaper, [] { return u"Aaあいう"_s; }, {}, nullptr);
        FontInfoTypesetting typesetting(window, shaper);
        window.resize(900, 600);
        window.setFamily(u"Varelith Variable"_s);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        FaceList& list = *window.faceList();
        if (!features.isEmpty()) {
            auto* delegate = qobject_cast<ShapedFaceDelegate*>(list.itemDelegate());
            QVERIFY(delegate);
            delegate->setFeatures(FeatureSettings::fromText(features));
        }
        QHash<QString, int> ink; // by the row's style, "" for the variable font itself
        QList<QImage> rows;
        for (int row = 0; row < list.count(); ++row) {
            const FaceDrawing* drawing = list.drawing(row);
            ink.insert(drawing->face().variable ? QString() : drawing->face().styleName,
                       inkLength(list, row));
            rows.append(rowImage(list, row));
        }
        QCOMPARE(ink.size(), 4);
        QVERIFY(ink.value(u"Thin"_s) < ink.value(u"Regular"_s));
        QVERIFY(ink.value(u"Regular"_s) < ink.value(u"Black"_s));
        // Both at wght 400, a pixel apart at most where rows fall between pixels.
        QVERIFY(std::abs(ink.value(QString()) - ink.value(u"Regular"_s)) <= 1);
        for (const double weight : {900.0, 100.0}) {
            typesetting.panel()->axisSliders().setValue(u"wght"_s, weight);
            for (int row = 0; row < list.count(); ++row)
                QCOMPARE(rowImage(list, row), rows.at(row));
        }
    }
};

QTEST_MAIN(TestTypesettingPanel)
#include "tst_typesettingpanel.moc"
