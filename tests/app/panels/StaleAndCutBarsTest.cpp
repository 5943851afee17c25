// Bars beyond the value axis are cut at the axis and labelled; stale read-outs
// are greyed and keep their values.
#include "BarGraphPanel.h"
#include "ColouredBars.h"
#include "DisplayColour.h"
#include "PictureLabel.h"
#include "Pictures.h"
#include "StaleLook.h"

#include <QLabel>
#include <QTest>
#include <gtest/gtest.h>

namespace {

const Pictures& pictures()
{
    static const Pictures pics = Pictures::draw();
    return pics;
}

// Pixels of the graph's picture inside a rectangle, by kind.
struct Inks {
    int white = 0, dark = 0, fill = 0;
};
Inks inks(const QImage& img, const QRect& r, const QColor& fill)
{
    Inks k;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c == fill)
                ++k.fill;
            else if (qGray(c.rgb()) > 235)
                ++k.white;
            else if (qGray(c.rgb()) < 60)
                ++k.dark;
        }
    return k;
}

struct EngineeringBars {
    TBarGraphPanel panel{pictures()};
    EngineeringBars()
    {
        panel.resize(900, 460);
        panel.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&panel));
        panel.setEngineeringMode(true);
        panel.PositionChannelLabels();
        panel.barGraph()->ShowBarBackground(TBarGraph::TBackground::None);
    }
    QImage draw(double bar6)
    {
        TBarGraphData d;
        d.CountBars = 8;
        for (auto& c : d.Counts)
            c = {1000, dispcolour::None};
        d.Counts[6].Height = bar6;
        panel.barGraph()->showData(d);
        panel.barGraph()->replot();
        return panel.barGraph()->grab().toImage();
    }
    // The top 40 pixels of bar 6, inside the chart.
    QRect topOfBar6() const
    {
        TBarGraph* g = panel.barGraph();
        const int x = g->barPixelX(6);
        const QRect axis = g->axisRect()->rect();
        return {x - 12, axis.top() + 1, 24, 40};
    }
};

TEST(CutBars, ABarBeyondTheAxisIsCutAtItAndLabelled)
{
    EngineeringBars r;
    const QColor green = displayColour(dispcolour::None);
    // Within the axis: plain bar colour at its top.
    const Inks inside = inks(r.draw(4400), r.topOfBar6().translated(0, 40), green);
    EXPECT_EQ(inside.dark, 0);
    // Beyond it: the break (white) and the value (dark text) show at the top.
    const Inks cut = inks(r.draw(16136), r.topOfBar6(), green);
    EXPECT_GT(cut.white, 20);
    EXPECT_GT(cut.dark, 10);
    EXPECT_GT(cut.fill, 0); // the bar reaches the top of the axis
}

TEST(StaleLook, BarsPicturesAndLabelsGreyedKeepingTheirValues)
{
    EngineeringBars r;
    r.draw(1000);
    TBarGraph* g = r.panel.barGraph();
    const QColor green = displayColour(dispcolour::None);
    const QPoint inBar = g->countSeries()->dataPixelPosition(0).toPoint() + QPoint(0, 20);
    EXPECT_EQ(g->grab().toImage().pixelColor(inBar), green);

    TChannelStrip* strip = r.panel.strip();
    strip->picture(0)->setMark(TMark::Touch);
    strip->countLabel(0)->setText("1000");
    r.panel.setStale(true);
    g->replot();
    const QColor stale = g->grab().toImage().pixelColor(inBar);
    EXPECT_EQ(stale, stalelook::shade(green));
    EXPECT_EQ(stale.red(), stale.green()); // grey
    EXPECT_EQ(strip->countLabel(0)->text(), "1000");
    EXPECT_EQ(strip->countLabel(0)->palette().color(QPalette::WindowText), stalelook::textColour());
    EXPECT_EQ(strip->picture(0)->mark(), TMark::Touch);
    const QImage pic = strip->picture(0)->pixmap().toImage();
    const QColor centre = pic.pixelColor(pic.width() / 2, pic.height() / 2);
    EXPECT_EQ(centre.red(), centre.green());

    r.panel.setStale(false);
    EXPECT_EQ(strip->countLabel(0)->palette().color(QPalette::WindowText),
              QColor(0x20, 0x20, 0x20));
    const QImage live = strip->picture(0)->pixmap().toImage();
    EXPECT_NE(live.pixelColor(live.width() / 2, live.height() / 2).red(),
              live.pixelColor(live.width() / 2, live.height() / 2).green());
}

} // namespace
