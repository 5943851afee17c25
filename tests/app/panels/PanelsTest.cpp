// The live display's widgets on the offscreen platform: bar colours and
// heights, strip alignment under the bars, picture reassignment, indicator
// colours and the user action signals. With MFS_SCREENSHOT_DIR set, the
// assembly test also saves a picture of the panels there.

#include "BarGraphPanel.h"
#include "ColouredBars.h"
#include "DisplayColour.h"
#include "FlagsEventsPanel.h"
#include "HallPanel.h"
#include "HysteresisPanel.h"
#include "LevelBar.h"
#include "LiveDisplayPresenter.h"
#include "PictureLabel.h"
#include "Pictures.h"
#include "SarPanel.h"
#include "TemperaturePanel.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

const Pictures& pictures()
{
    static const Pictures pics = Pictures::draw();
    return pics;
}

TLiveChannelState sampleState()
{
    TLiveChannelState s;
    s.FCurrentChs = {1200, 1500, 900, 1800, 600, 300};
    s.FLTAChs = {1260, 1540, 980, 1800, 600, 300};
    return s;
}

// A bar graph panel and the model feeding it, laid out at a fixed size.
struct BarRig {
    TBarGraphPanel panel{pictures()};
    TDisplayModel model;
    TLiveDisplayPresenter presenter{TLiveDisplayWidgets{&panel}};
    TDisplayInputs in;

    BarRig()
    {
        panel.resize(820, 460);
        panel.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel));
        panel.barGraph()->setValueAxis(0, 2000, 100);
        panel.PositionChannelLabels();
    }
    void frame(const TLiveChannelState& s)
    {
        model.frame(s, in, false);
        presenter.present(model);
    }
    double countValue(int n) const
    {
        return (panel.barGraph()->countSeries()->data()->constBegin() + n)->value;
    }
};

int centreInPanel(const QWidget* w, const QWidget* panel)
{
    return w->mapTo(panel, QPoint(w->width() / 2, 0)).x();
}

} // namespace

TEST(BarGraphWidget, TouchedChannelIsRedOnScreen)
{
    BarRig r;
    auto s = sampleState();
    s.FTouchBools[2] = true;
    r.frame(s);
    TBarGraph* g = r.panel.barGraph();
    EXPECT_EQ(g->countSeries()->barColour(2), displayColour(dispcolour::Touch));
    EXPECT_EQ(g->countSeries()->barColour(0), displayColour(dispcolour::None));
    EXPECT_EQ(g->ltaSeries()->barColour(2), displayColour(dispcolour::TouchLta));

    ASSERT_TRUE(g->replotIfDirty());
    const QImage img = g->grab().toImage();
    const QPointF top = g->countSeries()->dataPixelPosition(2);
    const QPointF inside(top.x(), top.y() + 20);
    EXPECT_EQ(img.pixelColor(inside.toPoint()), QColor(0xFF, 0x33, 0x33));
}

TEST(BarGraphWidget, HeightsFollowDataAndRepaintOnlyWhenDirty)
{
    BarRig r;
    auto s = sampleState();
    r.frame(s);
    EXPECT_EQ(r.panel.barGraph()->countSeries()->data()->size(), 6);
    EXPECT_EQ(r.countValue(1), 1500);
    EXPECT_TRUE(r.panel.barGraph()->replotIfDirty());
    EXPECT_FALSE(r.panel.barGraph()->replotIfDirty());

    s.FCurrentChs[1] = 1400;
    r.frame(s);
    EXPECT_EQ(r.countValue(1), 1400);
    EXPECT_TRUE(r.panel.barGraph()->dirty());

    r.in.LTAActive = false; // no averages: empty LTA series
    r.frame(s);
    EXPECT_EQ(r.panel.barGraph()->ltaSeries()->data()->size(), 0);
    r.panel.barGraph()->replot(); // alone, a count bar stands centred on its X
    EXPECT_NEAR(r.panel.barGraph()->countSeries()->dataPixelPosition(1).x(),
                r.panel.barGraph()->barPixelX(1), 1);

    r.in.EngineeringMode = true;
    r.panel.setEngineeringMode(true);
    r.frame(s);
    EXPECT_EQ(r.panel.barGraph()->countSeries()->data()->size(), 6);
    EXPECT_EQ(r.panel.barGraph()->engineeringSeries()->data()->size(), 2);
    r.panel.PositionChannelLabels();
    EXPECT_NEAR(r.panel.barGraph()->engineeringSeries()->dataPixelPosition(0).x(),
                r.panel.barGraph()->barPixelX(6), 1);
}

TEST(ChannelStripWidget, ColumnsCentredUnderTheBars)
{
    BarRig r;
    for (bool engineering : {false, true}) {
        r.panel.setEngineeringMode(engineering);
        r.panel.PositionChannelLabels();
        TBarGraph* g = r.panel.barGraph();
        TChannelStrip* strip = r.panel.strip();
        const int columns = engineering ? 8 : 6;
        int previous = -1;
        for (int n = 0; n < columns; ++n) {
            const int barX = g->mapTo(&r.panel, QPoint(g->barPixelX(n), 0)).x();
            EXPECT_GT(barX, previous);
            previous = barX;
            EXPECT_NEAR(centreInPanel(strip->countLabel(n), &r.panel), barX, 1) << n;
            EXPECT_NEAR(centreInPanel(strip->channelCheck(n), &r.panel), barX, 1) << n;
            EXPECT_NEAR(centreInPanel(strip->numberLabel(n), &r.panel), barX, 1) << n;
            if (n < 6) {
                EXPECT_NEAR(centreInPanel(strip->picture(n), &r.panel), barX, 1) << n;
                EXPECT_NEAR(centreInPanel(strip->ltaLabel(n), &r.panel), barX, 1) << n;
                EXPECT_NEAR(centreInPanel(strip->deltaLabel(n), &r.panel), barX, 1) << n;
            } else {
                EXPECT_TRUE(strip->addressEdit(n)->isVisible());
                EXPECT_NEAR(centreInPanel(strip->addressEdit(n), &r.panel), barX, 1) << n;
            }
            if (n > 0) { // separator half-way between neighbouring check boxes
                const int left = centreInPanel(strip->channelCheck(n - 1), &r.panel);
                EXPECT_NEAR(centreInPanel(strip->separator(n - 1), &r.panel), (left + barX) / 2, 2);
            }
        }
        EXPECT_EQ(strip->channelCheck(7)->isVisible(), engineering);
    }
}

TEST(ChannelStripWidget, RepositionsAfterAResize)
{
    BarRig r;
    r.panel.resize(1000, 460);
    QTest::qWait(120); // the 50 ms re-position timer
    TBarGraph* g = r.panel.barGraph();
    const int barX = g->mapTo(&r.panel, QPoint(g->barPixelX(5), 0)).x();
    EXPECT_NEAR(centreInPanel(r.panel.strip()->countLabel(5), &r.panel), barX, 1);
}

TEST(ChannelStripWidget, PicturesReassignedOnlyOnChange)
{
    BarRig r;
    auto s = sampleState();
    r.frame(s);
    TPictureLabel* pic = r.panel.strip()->picture(0);
    const int before = pic->assignments();
    r.frame(s);
    r.frame(s);
    EXPECT_EQ(pic->assignments(), before);

    s.FProxBools[0] = true;
    r.frame(s);
    r.frame(s);
    EXPECT_EQ(pic->assignments(), before + 1);
    EXPECT_EQ(pic->mark(), TMark::Prox);
    EXPECT_EQ(pic->pixmap().cacheKey(), pictures().CHProx.cacheKey());
}

TEST(ChannelStripWidget, LabelTextsAndCheckBoxSignals)
{
    BarRig r;
    r.in.ChannelChecked[3] = false;
    r.frame(sampleState());
    TChannelStrip* strip = r.panel.strip();
    EXPECT_EQ(strip->countLabel(0)->text(), "1200");
    EXPECT_EQ(strip->ltaLabel(0)->text(), "1260");
    EXPECT_EQ(strip->deltaLabel(0)->text(), "60");
    EXPECT_EQ(strip->countLabel(3)->text(), "N/A");
    EXPECT_EQ(strip->ltaLabel(4)->text(), "N/A");

    QSignalSpy boxes(strip, &TChannelStrip::channelBoxClicked);
    QSignalSpy all(strip, &TChannelStrip::allClicked);
    strip->setChannelChecks({true, true, true, false, true, true}); // silent
    EXPECT_EQ(boxes.count(), 0);
    QTest::mouseClick(strip->channelCheck(2), Qt::LeftButton);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes[0][0].toInt(), 2);
    EXPECT_FALSE(boxes[0][1].toBool());
    QTest::mouseClick(strip->allCheck(), Qt::LeftButton);
    EXPECT_EQ(all.count(), 1);
}

TEST(BarGraphWidget, BackgroundPictures)
{
    BarRig r;
    TBarGraph* g = r.panel.barGraph();
    EXPECT_EQ(g->background(), TBarGraph::TBackground::Watermark);
    g->replot();
    const QImage watermark = g->grab().toImage();
    g->ShowBarBackground(TBarGraph::TBackground::None);
    const QImage none = g->grab().toImage();
    g->ShowBarBackground(TBarGraph::TBackground::Wait);
    const QImage wait = g->grab().toImage();
    EXPECT_NE(watermark, none);
    EXPECT_NE(wait, none);
    EXPECT_NE(wait, watermark);
    // Centred: the picture's middle column is the plot's middle column.
    const QRect plot = g->axisRect()->rect();
    int left = plot.right(), right = plot.left();
    for (int x = plot.left(); x <= plot.right(); ++x)
        for (int y = plot.top(); y <= plot.bottom(); y += 2)
            if (wait.pixelColor(x, y) != none.pixelColor(x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_NEAR((left + right) / 2.0, plot.center().x(), 2);
}

TEST(FlagsEventsWidget, IndicatorsAndPowerMode)
{
    TFlagsEventsPanel panel;
    TEventIndicators ind;
    TLiveChannelState s;
    s.FEPxs = true;
    ind.frame(s, 1000, false);
    panel.showEvents(ind);
    const QLabel* pxs = panel.eventLabel(TEventIndicator::Pxs);
    EXPECT_EQ(pxs->palette().color(QPalette::Window), QColor(0x00, 0x00, 0xFF));
    EXPECT_EQ(pxs->palette().color(QPalette::WindowText), QColor(Qt::white));
    EXPECT_EQ(pxs->toolTip(), "Halvex Event");
    EXPECT_EQ(panel.eventLabel(TEventIndicator::Sar)->palette().color(QPalette::Window),
              QColor(0xF0, 0xF0, 0xF0));

    TDisplayModel model;
    s.FPowerMode = 1;
    s.FLP = true;
    model.frame(s, {}, false);
    panel.showPowerMode(model.view().PowerMode);
    panel.showSystemFlags(model.view().SystemFlagTexts);
    EXPECT_EQ(panel.powerModeLabel()->text(), "Low Power");
    EXPECT_EQ(panel.powerModeLabel()->palette().color(QPalette::Window), QColor(0x00, 0xBF, 0xBF));
    EXPECT_EQ(panel.systemFlagLabel(1)->text(), "Low Power : Yes");
}

TEST(SensorPanelWidgets, ShowTheirViewsAndSignalClicks)
{
    THallPanel hall(pictures());
    TTemperaturePanel temp(pictures());
    THysteresisPanel metal(pictures());
    TSarPanel sar(pictures());
    TDisplayModel model;
    TLiveDisplayPresenter presenter(
        TLiveDisplayWidgets{nullptr, nullptr, &sar, &hall, &metal, &temp});

    TLiveChannelState s;
    s.FHallValue = 300;
    s.FHallTState = true;
    s.FTemperatureValue = 180;
    s.FMetalUIValue = 512;
    s.FMetalTouch = true;
    s.FMetalType = true;
    s.FQRDValue = 14;
    s.FSarMov = true;
    TDisplayInputs in;
    in.MetalDetectEn = true;
    in.UiSar = true;
    model.start();
    model.frame(s, in, false);
    presenter.present(model);

    EXPECT_EQ(hall.valueLabel()->text(), "-300");
    EXPECT_EQ(hall.bar()->barValue(), -300);
    EXPECT_EQ(hall.southPicture()->mark(), TMark::Touch);
    EXPECT_EQ(hall.bar()->barColour(), QColor(0xFF, 0x33, 0x33));
    EXPECT_EQ(temp.bar()->maximum(), 207);
    EXPECT_EQ(temp.bar()->barValue(), 180);
    EXPECT_EQ(metal.stateLabel()->text(), "Touch");
    EXPECT_EQ(metal.typeLabel()->text(), "A");
    EXPECT_EQ(metal.valueLabel()->text(), "512");
    EXPECT_EQ(sar.picture(TSarPicture::Movement)->mark(), TMark::Touch);
    EXPECT_EQ(sar.quickReleaseLabel()->text(), "14");
    EXPECT_TRUE(sar.quickReleaseGraph()->markerShown());

    QSignalSpy barClicks(&temp, &TTemperaturePanel::tempBarClicked);
    QSignalSpy headerClicks(&hall, &TSensorPanel::headerClicked);
    temp.resize(240, 120);
    hall.resize(240, 120);
    temp.show();
    hall.show();
    QTest::mouseClick(temp.bar(), Qt::LeftButton);
    QTest::mouseClick(hall.header(), Qt::LeftButton);
    EXPECT_EQ(barClicks.count(), 1);
    EXPECT_EQ(headerClicks.count(), 1);
    model.TempBarClicked();
    presenter.present(model);
    EXPECT_EQ(temp.bar()->maximum(), 230);
}

TEST(PanelAssembly, Screenshot)
{
    const QByteArray dir = qgetenv("MFS_SCREENSHOT_DIR");
    if (dir.isEmpty())
        GTEST_SKIP() << "set MFS_SCREENSHOT_DIR to save a picture";

    QWidget window;
    window.setWindowTitle(QStringLiteral("Live display"));
    auto* flags = new TFlagsEventsPanel;
    auto* bars = new TBarGraphPanel(pictures());
    auto* sar = new TSarPanel(pictures());
    auto* hall = new THallPanel(pictures());
    auto* metal = new THysteresisPanel(pictures());
    auto* temp = new TTemperaturePanel(pictures());
    auto* sensors = new QHBoxLayout;
    for (QWidget* w : std::initializer_list<QWidget*>{sar, hall, metal, temp})
        sensors->addWidget(w, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(bars, 1);
    right->addLayout(sensors);
    auto* left = new QVBoxLayout;
    left->addWidget(flags);
    left->addStretch(1);
    auto* layout = new QHBoxLayout(&window);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    window.resize(1180, 700);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    bars->setEngineeringMode(true);
    bars->barGraph()->setValueAxis(0, 2000, 100);
    bars->barGraph()->ShowBarBackground(TBarGraph::TBackground::None);
    TDisplayModel model;
    TLiveDisplayPresenter presenter(TLiveDisplayWidgets{bars, flags, sar, hall, metal, temp});
    TLiveChannelState s = sampleState();
    s.FTouchBools[0] = true;
    s.FProxBools[1] = true;
    s.FHallValue = 1200;
    s.FHallNS = true;
    s.FHallPState = true;
    s.FTemperatureValue = 31;
    s.FMetalUIValue = 640;
    s.FMetalProx = true;
    s.FQRDValue = 18;
    s.FSarQR = true;
    s.FSarPState = true;
    s.FEPxs = s.FEPmu = true;
    s.Bar1Val = 1100;
    TDisplayInputs in;
    in.UiSar = in.MovementOverride = in.MetalDetectEn = true;
    in.EngineeringMode = in.CH6Check = true;
    in.AdrActive[kExtraBar1] = true;
    bars->strip()->setExtraBarChecked(6, true);
    bars->strip()->setBarAddressText(6, QStringLiteral("1A"));
    model.start();
    model.frame(s, in, false);
    s.FQRDValue = 11;
    model.frame(s, in, false);
    presenter.present(model);
    TEventIndicators ind;
    ind.frame(s, 1000, false);
    presenter.presentEvents(ind);
    bars->PositionChannelLabels();
    bars->barGraph()->replot();
    QApplication::processEvents();

    const QString path = QDir(QString::fromLocal8Bit(dir)).filePath(QStringLiteral("panels.png"));
    ASSERT_TRUE(window.grab().save(path));
}
