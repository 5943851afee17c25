// The scope's rules: rescale, reset, restart, the update tick, active traces,
// axis entries, "All" boxes, label spacing and the CSV text.
#include "ScopeCsv.h"
#include "ScopeModel.h"
#include "ScopeTexts.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace scope;

namespace {

struct Host : IScopeHost {
    bool streaming = true;
    bool delta = false;
    std::array<bool, 6> enabled{true, true, true, true, true, true};
    bool isStreaming() const override { return streaming; }
    bool deltaOnly() const override { return delta; }
    bool channelEnabled(int n) const override { return enabled[static_cast<std::size_t>(n)]; }
};

struct Rig {
    Host host;
    TScopeModel m{host};
    // One sample with the given points (trace, value).
    void sample(std::initializer_list<std::pair<int, double>> points)
    {
        TScopeSample s;
        s.Count = true;
        for (auto [t, v] : points) {
            s.Present.set(static_cast<std::size_t>(t));
            s.Points[static_cast<std::size_t>(t)] = v;
        }
        m.Feed(s);
    }
    void samples(int n, int trace, double value)
    {
        for (int i = 0; i < n; ++i)
            sample({{trace, value}});
    }
};

} // namespace

TEST(ScopeRescale, ScansTheSelectedTracesOfTheVisibleWindowRoundingHalvesToEven)
{
    Rig r;
    r.m.setSelected(1, false);
    r.samples(100, 0, 5000); // older than the 600-point window once 700 more follow
    r.samples(698, 0, 500);
    r.sample({{0, 1002.5}, {1, 9000}}); // trace 1 is not selected
    r.sample({{0, -20.5}});
    ASSERT_EQ(r.m.NrOfChartPoints(), 800);
    EXPECT_TRUE(r.m.Rescale());
    // High 1002.5 -> 1002, low -20.5 -> -20 (halves to even).
    EXPECT_EQ(r.m.Y, (TAxisRange{-120, 1102}));

    // A selected count whose main channel box is unticked is not drawn but
    // still takes part.
    r.host.enabled[3] = false;
    r.m.setSelected(3, true);
    r.sample({{3, 3001.5}}); // -> 3002
    EXPECT_TRUE(r.m.Rescale());
    EXPECT_EQ(r.m.Y.Max, 3102);
    r.m.UpdateVisibility();
    EXPECT_FALSE(r.m.visible().test(3));
    EXPECT_TRUE(r.m.visible().test(0));
}

TEST(ScopeRescale, FullBuffersScanTheirLastXRangePointsAndBaselineViewGivesTheFixedRange)
{
    Rig r;
    r.samples(2500, 0, 100);
    r.samples(2000, 0, 200); // buffers full: only the last 600 points count
    r.sample({{0, 250}});
    ASSERT_TRUE(r.m.buffers().full());
    r.m.Rescale();
    EXPECT_EQ(r.m.Y, (TAxisRange{100, 350}));

    r.host.delta = true;
    r.m.Y = {-200, 1000};
    EXPECT_TRUE(r.m.Rescale());
    EXPECT_EQ(r.m.Y, (TAxisRange{0, 1500}));
}

TEST(ScopeRescale, KeepsMinimumBelowMaximumAtEveryStepAndKeepsTheRangeWithoutPoints)
{
    Rig r;
    r.m.Y = {0, 100};
    r.samples(10, 0, 50000); // new range lies wholly above the old maximum
    EXPECT_TRUE(r.m.Rescale());
    EXPECT_EQ(r.m.Y, (TAxisRange{49900, 50100}));
    r.m.Restart(600);
    r.samples(10, 0, -70000); // wholly below; high stays at its start -65535
    EXPECT_TRUE(r.m.Rescale());
    EXPECT_EQ(r.m.Y, (TAxisRange{-70100, -65435}));

    Rig none;
    none.m.setSelected(0, false);
    none.m.setSelected(1, false);
    none.samples(10, 2, 50);
    none.m.Y = {5, 6};
    EXPECT_FALSE(none.m.Rescale());
    EXPECT_EQ(none.m.Y, (TAxisRange{5, 6}));
}

TEST(ScopeTick, ScrollsWithTheNewestSampleAndRescalesOnTheFirstThenEvery21stTick)
{
    Rig r;
    r.host.streaming = false;
    r.samples(5, 0, 700);
    EXPECT_FALSE(r.m.Tick().Ran);
    r.host.streaming = true;

    int rescales = 0;
    std::vector<int> at;
    for (int tick = 1; tick <= 43; ++tick) {
        const TTickResult t = r.m.Tick();
        ASSERT_TRUE(t.Ran);
        if (t.Rescaled)
            at.push_back(tick), ++rescales;
    }
    EXPECT_EQ(at, (std::vector<int>{1, 22, 43}));
    EXPECT_EQ(r.m.Y, (TAxisRange{600, 800}));

    r.m.AutoScale = false;
    while (r.m.XPos < 600) { // five samples a tick
        r.samples(5, 0, 700);
        EXPECT_FALSE(r.m.Tick().Scrolled);
    }
    r.samples(5, 0, 700); // XPos 605 > 600: moved by 605 - 600
    EXPECT_TRUE(r.m.Tick().Scrolled);
    EXPECT_EQ(r.m.X, (TAxisRange{5, 605}));
    r.samples(10, 0, 700);
    const TTickResult t = r.m.Tick();
    EXPECT_TRUE(t.Scrolled);
    EXPECT_EQ(r.m.X, (TAxisRange{15, 615}));
    EXPECT_TRUE(t.HandOver.test(0));
    EXPECT_FALSE(t.HandOver.test(1));

    r.m.NoUpdate = true;
    EXPECT_FALSE(r.m.Tick().Ran);
}

TEST(ScopeRestart, WhileStreamingEmptiesTracesAndStartsXAgainAtTheNextSample)
{
    Rig r;
    r.samples(3000, 0, 10);
    r.m.X = {2400, 3000};
    r.m.Restart(800);
    EXPECT_EQ(r.m.NrOfChartPoints(), 0);
    EXPECT_EQ(r.m.buffers().count(), 0);
    EXPECT_FALSE(r.m.buffers().full());
    EXPECT_EQ(r.m.XPos, 0);
    EXPECT_FALSE(r.m.UpdateTimer);
    EXPECT_EQ(r.m.X, (TAxisRange{0, 800}));
    EXPECT_TRUE(r.m.ActiveChannels());
    EXPECT_FALSE(r.m.NoUpdate);
    EXPECT_EQ(r.m.XRange(), 600); // the spin value is only shown on the axis

    r.sample({{0, 42}});
    EXPECT_TRUE(r.m.UpdateTimer);
    EXPECT_EQ(r.m.buffers().x(0, 0), 0);
    EXPECT_EQ(r.m.buffers().y(0, 0), 42);
    EXPECT_EQ(r.m.XPos, 1);
}

TEST(ScopeFeed, StopTimerSamplesAreNotCounted)
{
    Rig r;
    r.sample({{0, 1}});
    TScopeSample stop;
    stop.StopTimer = true;
    stop.Present.set(6);
    stop.Points[6] = 99;
    r.m.Feed(stop);
    EXPECT_FALSE(r.m.UpdateTimer);
    EXPECT_EQ(r.m.NrOfChartPoints(), 1);
    EXPECT_EQ(r.m.XPos, 1);
    EXPECT_EQ(r.m.buffers().y(6, 0), 99); // lands on the last counted sample
}

TEST(ScopeActiveChannels, BaselineViewCountsOnlyTheCountBoxes)
{
    Rig r;
    r.m.setSelected(0, false);
    r.m.setSelected(1, false);
    EXPECT_FALSE(r.m.ActiveChannels());
    r.m.setSelected(scopetrace::Hall, true);
    EXPECT_TRUE(r.m.ActiveChannels());
    r.host.delta = true;
    r.m.CheckActiveChannels();
    EXPECT_FALSE(r.m.ActiveChannels());
    r.host.delta = false;
    r.m.setSelected(scopetrace::Hall, false);
    r.m.setSelected(scopetrace::Lta0 + 2, true);
    EXPECT_TRUE(r.m.ActiveChannels());
    r.host.enabled[2] = false; // the LTA's channel is off
    r.m.CheckActiveChannels();
    EXPECT_FALSE(r.m.ActiveChannels());
    r.m.setSelected(5, true);
    EXPECT_TRUE(r.m.ActiveChannels());
}

TEST(ScopeAxisEntries, RefuseEqualBoundsAndDecimalsAndReturnTheEditToTheAxis)
{
    Rig r;
    r.m.Y = {-200, 1000};
    TEntryResult e = r.m.SetYMax("-200");
    EXPECT_STREQ(e.Message, msg::kMaxNotAboveMin);
    EXPECT_EQ(e.EditText, "1000");
    e = r.m.SetYMin("1000");
    EXPECT_STREQ(e.Message, msg::kMinNotBelowMax);
    EXPECT_EQ(e.EditText, "-200");
    e = r.m.SetYMin("12.5");
    EXPECT_STREQ(e.Message, msg::kNotWhole);
    EXPECT_EQ(e.EditText, "-200");
    for (const char* bad : {"", "abc", "1e3", "0x10", "99999999999", "--4", "+-4"})
        EXPECT_STREQ(r.m.SetYMax(bad).Message, msg::kNotWhole) << bad;
    EXPECT_EQ(r.m.Y, (TAxisRange{-200, 1000}));

    EXPECT_TRUE(r.m.SetYMax(" 2500 ").accepted());
    EXPECT_TRUE(r.m.SetYMin("+5").accepted());
    EXPECT_TRUE(r.m.SetYMin("-301").accepted());
    EXPECT_EQ(r.m.Y, (TAxisRange{-301, 2500}));

    // A zoomed axis shows whole numbers in its edits.
    r.m.Y = {10.4, 20.5};
    EXPECT_EQ(r.m.SetYMax("x").EditText, "21");
}

TEST(ScopeAxes, ResetFollowsTheSampleCounterOnlyPastTheRange)
{
    Rig r;
    r.m.X = {100, 300}; // zoomed near the start: X 0..600
    r.m.Y = {7, 9};
    r.m.ResetAxes();
    EXPECT_EQ(r.m.X, (TAxisRange{0, 600}));
    EXPECT_EQ(r.m.Y, (TAxisRange{0, 1500}));
    r.m.XPos = 5000;
    r.m.X = {4200, 4800};
    r.m.Y = {-900, -500}; // maximum below zero: the maximum moves first
    EXPECT_TRUE(r.m.SetXRange(1000));
    EXPECT_EQ(r.m.X, (TAxisRange{4000, 5000}));
    EXPECT_EQ(r.m.Y, (TAxisRange{0, 1500}));
    EXPECT_FALSE(r.m.SetXRange(1600));
    EXPECT_EQ(r.m.XRange(), 1000);
}

TEST(ScopeAllBoxes, CycleAndSetTheirBoxes)
{
    EXPECT_EQ(nextAllState(TAllState::Unchecked), TAllState::Greyed);
    EXPECT_EQ(nextAllState(TAllState::Greyed), TAllState::Checked);
    EXPECT_EQ(nextAllState(TAllState::Checked), TAllState::Unchecked);

    std::array<bool, kTraces> saved{};
    saved[2] = true;
    saved[7] = true;
    const auto counts = allBoxEffect(TTraceGroup::Counts, TAllState::Greyed, saved);
    for (int t = 0; t < 6; ++t)
        EXPECT_EQ(counts[static_cast<std::size_t>(t)], t == 2) << t;
    EXPECT_FALSE(counts[6].has_value());
    const auto ltas = allBoxEffect(TTraceGroup::Ltas, TAllState::Checked, saved);
    EXPECT_EQ(ltas[6], true);
    EXPECT_EQ(ltas[7], true);
    EXPECT_FALSE(ltas[8].has_value()); // CH2's LTA box is not the "All" box's
    EXPECT_FALSE(ltas[0].has_value());
}

TEST(ScopeAxes, LabelStepsKeepLabelsApartAndShowTwoWhenZoomed)
{
    EXPECT_EQ(labelStep(10, 1500, 300, 25), 200); // 1500/200*25 = 187 <= 300
    EXPECT_EQ(labelStep(10, 100, 300, 25), 10);
    EXPECT_EQ(labelStep(100, 600, 800, 60), 100);
    EXPECT_EQ(labelStep(100, 30, 800, 60), 10); // zoomed to 30 samples
    EXPECT_EQ(labelStep(1, 1, 800, 60), 1);
    EXPECT_EQ(labelStep(10, 0, 300, 25), 10);
}

TEST(ScopeCsv, OneColumnPerShownTraceWithEmptyCellsWhereATraceHasNoPoint)
{
    Rig r;
    r.m.setSelected(scopetrace::Hall, true);
    r.m.setSelected(scopetrace::Lta0, true);
    r.host.enabled[0] = false; // CH0 count and LTA are not drawn
    r.sample({{0, 1}, {1, 10}, {6, 1}, {12, -3.5}});
    r.sample({{0, 2}, {1, 11}, {6, 2}});
    r.sample({{0, 3}, {1, 12}, {6, 3}, {12, 4}});
    r.m.UpdateVisibility();
    EXPECT_EQ(scopeCsv(r.m, false), "Sample,CH1 Count,Hall Value\n"
                                    "0,10,-3.5\n"
                                    "1,11,\n" // no Hall value in this sample
                                    "2,12,4\n");
    r.host.delta = true;
    EXPECT_EQ(scopeCsv(r.m, true).substr(0, 27), "Sample,CH1 Delta,Hall Value");
}

TEST(ScopeAxes, ReadoutShowsWholeNumbers)
{
    EXPECT_EQ(readoutText(12.6, -3.4, true, true), "X: 13   Y: -3");
    EXPECT_EQ(readoutText(12.6, -3.4, false, true), "Y: -3");
    EXPECT_EQ(readoutText(-0.2, 7, true, false), "X: 0");
}
