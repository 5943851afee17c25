// Quick-release graph, temperature axis, scope feed, baseline view look and
// the quick-release reset time box.

#include "BaselineView.h"
#include "DisplayModel.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using TAction = TTimerRequest::TAction;

struct QrRig {
    TDisplayModel m;
    TLiveChannelState s;
    TDisplayInputs in;
    QrRig()
    {
        in.UiSar = true;
        in.QuickReleaseResetMs = 1500;
    }
    TTimerRequest frame(int value, bool qr = false)
    {
        s.FQRDValue = static_cast<std::uint16_t>(value);
        s.FSarQR = qr;
        m.frame(s, in, false);
        return m.takeQuickReleaseTimerRequest();
    }
};

} // namespace

TEST(QuickRelease, HoldsTheMaximumAndRunsTheResetTimer)
{
    QrRig r;
    EXPECT_EQ(r.frame(10).Action, TAction::None);
    EXPECT_EQ(r.frame(40).Action, TAction::None);
    EXPECT_EQ(r.m.view().QuickRelease.HeldMax, 40);
    EXPECT_EQ(r.m.view().QuickRelease.LabelText, "40");

    const auto start = r.frame(25); // below the maximum: timer starts once
    EXPECT_EQ(start.Action, TAction::Start);
    EXPECT_EQ(start.IntervalMs, 1500u);
    EXPECT_EQ(r.frame(20).Action, TAction::None);
    EXPECT_EQ(r.m.view().QuickRelease.HeldMax, 40);
    EXPECT_EQ(r.m.view().QuickRelease.Value, 20);

    EXPECT_EQ(r.frame(40).Action, TAction::Stop); // back at the maximum
    EXPECT_FALSE(r.m.quickReleaseTimerRunning());

    r.frame(30);
    r.m.QRDTimerFired();
    EXPECT_FALSE(r.m.view().QuickRelease.BarShown);
    EXPECT_EQ(r.m.view().QuickRelease.HeldMax, 0);
    EXPECT_EQ(r.m.view().QuickRelease.AxisMax, 30);
    EXPECT_TRUE(r.m.view().QuickRelease.MarkerShown);
    r.frame(12);
    EXPECT_EQ(r.m.view().QuickRelease.HeldMax, 12);
}

TEST(QuickRelease, AxisGrowsWithTheValueAndBarColourFollowsTheFlag)
{
    QrRig r;
    r.frame(0);
    EXPECT_EQ(r.m.view().QuickRelease.AxisMax, 30);
    r.frame(1);
    EXPECT_EQ(r.m.view().QuickRelease.AxisMax, 31);
    r.frame(100, true);
    EXPECT_EQ(r.m.view().QuickRelease.AxisMax, 130);
    EXPECT_EQ(r.m.view().QuickRelease.BarColour, dispcolour::Touch);
    r.frame(90, false);
    EXPECT_EQ(r.m.view().QuickRelease.AxisMax, 130);
    EXPECT_EQ(r.m.view().QuickRelease.BarColour, dispcolour::Prox);
}

TEST(QuickRelease, ChannelOneTouchPictureOutlastsTheFlagByTenFrames)
{
    QrRig r;
    r.frame(5, true);
    EXPECT_EQ(r.m.view().ChannelMarks[1], TMark::QuickRelease);
    EXPECT_EQ(r.m.view().ScopeMarks[1], TMark::Touch);
    r.m.takeChanges();
    r.frame(5, true); // held: no reassignment while the flag stays
    EXPECT_TRUE(r.m.takeChanges().ChannelPictures.none());

    for (int i = 1; i <= 10; ++i) {
        r.frame(5, false);
        EXPECT_EQ(r.m.quickReleaseDelayCount(), i);
        EXPECT_EQ(r.m.view().ChannelMarks[1], TMark::QuickRelease) << i;
    }
    r.frame(5, false);
    EXPECT_EQ(r.m.view().ChannelMarks[1], TMark::None);
    EXPECT_TRUE(r.m.takeChanges().ChannelPictures.test(1));
}

TEST(QuickRelease, ChipTouchOnChannelOneReplacesTheHeldPicture)
{
    QrRig r;
    r.frame(5, true);
    r.s.FTouchBools[1] = true;
    r.frame(5, false);
    EXPECT_EQ(r.m.view().ChannelMarks[1], TMark::Touch);
    r.s.FTouchBools[1] = false;
    r.frame(5, false);
    EXPECT_EQ(r.m.view().ChannelMarks[1], TMark::None);
}

TEST(QuickRelease, FrozenDuringAtiAndClearedOnceWithoutSarUi)
{
    QrRig r;
    r.frame(50, true);
    r.s.FATIBusy = true;
    r.frame(80, false);
    EXPECT_EQ(r.m.view().QuickRelease.HeldMax, 50);
    EXPECT_EQ(r.m.quickReleaseDelayCount(), 0);

    r.s.FATIBusy = false;
    r.in.UiSar = false;
    r.frame(80, false);
    EXPECT_FALSE(r.m.view().QuickRelease.BarShown);
    EXPECT_FALSE(r.m.view().QuickRelease.MarkerShown);
    EXPECT_EQ(r.m.view().ChannelMarks[1], TMark::None);
    r.m.takeChanges();
    r.frame(90, false);
    EXPECT_FALSE(r.m.takeChanges().QuickRelease);
}

TEST(TemperatureAxis, GrowsWithHeadroomAndFallsBackTo230)
{
    TLiveChannelState s;
    TDisplayModel m;
    m.start();
    s.FTemperatureValue = 180;
    m.frame(s, {}, false);
    EXPECT_EQ(m.temperatureAxisMax(), 207);
    m.frame(s, {}, false);
    EXPECT_EQ(m.temperatureAxisMax(), 207);

    m.start();
    s.FTemperatureValue = 100;
    m.frame(s, {}, false);
    EXPECT_EQ(m.temperatureAxisMax(), 230);
    EXPECT_EQ(m.view().Temperature.AxisMax, 230);

    m.start();
    s.FTemperatureValue = 0; // 0 is not above 100 - 15: the axis stays
    m.frame(s, {}, false);
    EXPECT_EQ(m.temperatureAxisMax(), 100);
}

TEST(TemperatureAxis, LargeDropResetsAndClickSets230)
{
    TTemperatureAxis a;
    a.update(1000);
    EXPECT_EQ(a.max(), 1150);
    a.update(600); // 600 > 1150 - 173? no; 600 < 575? no: stays
    EXPECT_EQ(a.max(), 1150);
    a.update(500); // below half of 1150 (575): reset
    EXPECT_EQ(a.max(), 230);
    a.update(500); // 230 is in 200..230: grows again
    EXPECT_EQ(a.max(), 575);
    a.click();
    EXPECT_EQ(a.max(), 230);
    a.update(65535); // does not wrap
    EXPECT_EQ(a.max(), 65535 + 9830);
}

TEST(TemperatureAxis, RoundsHalfToEven)
{
    EXPECT_EQ(TTemperatureAxis::fifteenPercent(30), 4);  // 4.5
    EXPECT_EQ(TTemperatureAxis::fifteenPercent(10), 2);  // 1.5
    EXPECT_EQ(TTemperatureAxis::fifteenPercent(50), 8);  // 7.5
    EXPECT_EQ(TTemperatureAxis::fifteenPercent(70), 10); // 10.5
    EXPECT_EQ(TTemperatureAxis::fifteenPercent(11), 2);  // 1.65
    EXPECT_EQ(TTemperatureAxis::roundHalfEven(1001, 2), 500);
    EXPECT_EQ(TTemperatureAxis::roundHalfEven(1003, 2), 502);
}

namespace {

class FakeScope : public IScopeFeed {
public:
    TScopeBoxes boxes;
    std::vector<TScopeSample> samples;
    std::vector<std::pair<int, TMark>> marks;
    TScopeBoxes scopeBoxes() const override { return boxes; }
    void addSample(const TScopeSample& s) override { samples.push_back(s); }
    void showChannelMark(int channel, TMark mark) override { marks.emplace_back(channel, mark); }
};

TLiveChannelState scopeState()
{
    TLiveChannelState s;
    s.FCurrentChs = {1000, 1100, 1200, 1300, 1400, 1500};
    s.FLTAChs = {1050, 1080, 1250, 1300, 1400, 1500};
    s.FTemperatureValue = 250;
    s.FQRDValue = 12;
    s.FMetalUIValue = 333;
    s.FHallValue = 300;
    s.FHallNS = false;
    return s;
}

} // namespace

TEST(ScopeFeed, FeedsAllTracesAtOneSample)
{
    FakeScope scope;
    scope.boxes.ActiveChannels = true;
    TDisplayModel m;
    m.setScopeFeed(&scope);
    m.frame(scopeState(), {}, false);
    ASSERT_EQ(scope.samples.size(), 1u);
    const auto& smp = scope.samples[0];
    EXPECT_TRUE(smp.Count);
    EXPECT_FALSE(smp.StopTimer);
    EXPECT_EQ(smp.Present.count(), 13u);
    EXPECT_EQ(smp.Points[0], 1000);
    EXPECT_EQ(smp.Points[5], 1500);
    EXPECT_EQ(smp.Points[scopetrace::Lta0 + 2], 1250);
    EXPECT_EQ(smp.Points[scopetrace::Temperature], 250);
    EXPECT_EQ(smp.Points[scopetrace::QuickRelease], 12);
    EXPECT_EQ(smp.Points[scopetrace::Hysteresis], 333);
    EXPECT_EQ(smp.Points[scopetrace::Hall], -300);
}

TEST(ScopeFeed, ActivityDecision)
{
    FakeScope scope;
    TDisplayInputs in;
    TScopeSample smp;
    EXPECT_FALSE(scopeSample(scopeState(), in, scope.boxes, smp)); // no active trace
    scope.boxes.ActiveChannels = true;
    in.ChannelChecked.fill(false);
    EXPECT_FALSE(scopeSample(scopeState(), in, scope.boxes, smp)); // no channel box

    in.ChannelChecked[4] = true;
    in.CSActive = in.LTAActive = false;
    ASSERT_TRUE(scopeSample(scopeState(), in, scope.boxes, smp));
    EXPECT_TRUE(smp.StopTimer);
    EXPECT_FALSE(smp.Count);
    EXPECT_FALSE(smp.has(0));

    scope.boxes.Hall = true; // a sensor box keeps the scope running
    ASSERT_TRUE(scopeSample(scopeState(), in, scope.boxes, smp));
    EXPECT_TRUE(smp.Count);
    EXPECT_FALSE(smp.StopTimer);
}

TEST(ScopeFeed, BaselineViewFeedsDeltasOfTickedChannelsZeroToThree)
{
    FakeScope scope;
    scope.boxes.ActiveChannels = true;
    scope.boxes.CountBoxes = {true, true, false, true, true, true};
    TDisplayInputs in;
    in.DeltaOnly = true;
    in.ChannelChecked[3] = false;
    TScopeSample smp;
    ASSERT_TRUE(scopeSample(scopeState(), in, scope.boxes, smp));
    EXPECT_EQ(smp.Points[0], 50);
    EXPECT_EQ(smp.Points[1], -20);
    EXPECT_FALSE(smp.has(2)); // scope box off
    EXPECT_FALSE(smp.has(3)); // main box off
    EXPECT_FALSE(smp.has(4)); // channels 4, 5 have no delta
}

TEST(ScopeFeed, SmallPicturesFollowChannelsZeroToTwo)
{
    FakeScope scope;
    TDisplayModel m;
    m.setScopeFeed(&scope);
    auto s = scopeState();
    s.FProxBools[0] = true;
    s.FTouchBools[3] = true;
    m.frame(s, {}, false);
    ASSERT_EQ(scope.marks.size(), 1u);
    EXPECT_EQ(scope.marks[0], (std::pair<int, TMark>{0, TMark::Prox}));
}

TEST(BaselineView, LookOnAndOff)
{
    const auto on = baselineViewLook(true, true, false);
    EXPECT_TRUE(on.DeltaOnly);
    EXPECT_TRUE(on.CaptionBold);
    EXPECT_EQ(on.AxisMin, -100);
    EXPECT_EQ(on.AxisMax, 500);
    EXPECT_EQ(on.AxisStep, 50);
    EXPECT_EQ(on.LtaSeriesColour, dispcolour::CountSeries);
    EXPECT_EQ(on.ScopeYMin, -200);
    EXPECT_EQ(on.ScopeYMax, 1000);
    EXPECT_FALSE(on.ScopeRescaleEnabled);
    ASSERT_EQ(on.Errors.size(), 2u);
    EXPECT_STREQ(on.Errors[0], "Long Term Averages are disabled");
    EXPECT_STREQ(on.Errors[1], "Unable to calculate deltas!");
    EXPECT_EQ(baselineViewLook(true, false, false).Errors.size(), 4u);

    const auto off = baselineViewLook(false, false, false);
    EXPECT_TRUE(off.Errors.empty());
    EXPECT_EQ(off.AxisMax, 1500);
    EXPECT_EQ(off.LtaSeriesColour, 0x004080u);
    EXPECT_TRUE(off.RunScopeRescale);
}

TEST(QuickReleaseResetTime, BoxText)
{
    EXPECT_EQ(quickReleaseResetTime(""), 2000u);
    EXPECT_EQ(quickReleaseResetTime("  "), 2000u);
    EXPECT_EQ(quickReleaseResetTime("750"), 750u);
    EXPECT_EQ(quickReleaseResetTime(" 750 "), 750u);
    EXPECT_EQ(quickReleaseResetTime("7.5"), 2000u);
    EXPECT_EQ(quickReleaseResetTime("-5"), 2000u);
    EXPECT_EQ(quickReleaseResetTime("99999999999"), 2000u);
}
