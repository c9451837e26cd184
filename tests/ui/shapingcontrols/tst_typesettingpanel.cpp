#include "axissliders.h"
#include "featureswitches.h"
#include "shapedwaterfall.h"
#include "shaper.h"
#include "typesettingpanel.h"
#include "waterfallcanvas.h"

#include <QTest>

using namespace varelith;
using namespace Qt::StringLiterals;

namespace {

// How far the waterfall's ink reaches along its lines: across in 横書き, down in 縦書き.
int inkLength(WaterfallCanvas& canvas) {
    canvas.resize(canvas.sizeHint());
    const QImage image = canvas.grab().toImage();
    const bool horizontal = canvas.direction() == ShapedRun::Direction::Horizontal;
    int first = -1, last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                const int along = horizontal ? x : y;
                first = first < 0 ? along : std::min(first, along);
                last = std::max(last, along);
            }
    return last - first;
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
        QTest::addColumn<QString>("change"); // "wght=900" moves a slider, "palt" switches
        QTest::addColumn<QString>("settings");
        QTest::addColumn<int>("longer");
        QTest::newRow("weight up")
            << u"varelith-variable.ttf"_s << false << u"wght=900"_s << u"wght=900,CNTR=0"_s << 1;
        QTest::newRow("weight down")
            << u"varelith-variable.ttf"_s << false << u"wght=100"_s << u"wght=100,CNTR=0"_s << -1;
        QTest::newRow("weight in a column")
            << u"varelith-variable.ttf"_s << true << u"wght=900"_s << u"wght=900,CNTR=0"_s << 1;
        QTest::newRow("palt") << u"varelith-vertical.ttf"_s << false << u"palt"_s << u"+palt"_s
                              << -1;
        QTest::newRow("kana in a column")
            << u"varelith-vertical.ttf"_s << true << u"palt"_s << u"+palt"_s << 0;
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

        int signals = 0;
        connect(&panel, &TypesettingPanel::typesettingChanged, this, [&] { ++signals; });
        if (change.contains(u'='))
            panel.axisSliders().setValue(change.section(u'=', 0, 0),
                                         change.section(u'=', 1).toDouble());
        else
            panel.featureSwitches().setSwitched(change, true);
        QCOMPARE(signals, 1);
        QCOMPARE(change.contains(u'=') ? panel.variations().toText() : panel.features().toText(),
                 settings);
        const int after = inkLength(canvas);
        QCOMPARE((after > before) - (after < before), longer);
    }
};

QTEST_MAIN(TestTypesettingPanel)
#include "tst_typesettingpanel.moc"
