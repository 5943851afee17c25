// The display model: bar colours and heights, label texts, picture marks and
// the sensor panels, from hand-made live channel states.

#include "DisplayModel.h"

#include <gtest/gtest.h>

namespace {

TLiveChannelState counts(std::array<std::int32_t, 6> cs, std::array<std::int32_t, 3> lta)
{
    TLiveChannelState s;
    s.FCurrentChs = cs;
    for (std::size_t n = 0; n < 6; ++n)
        s.FLTAChs[n] = n < 3 ? lta[n] : cs[n];
    return s;
}

void setPowerMode(TLiveChannelState& s, int mode)
{
    s.FPowerMode = static_cast<std::uint8_t>(mode);
    s.FLP = mode != 0;
}

void touch(TLiveChannelState& s, int n, bool on = true)
{
    s.FTouchBools[static_cast<std::size_t>(n)] = on;
}
void prox(TLiveChannelState& s, int n, bool on = true)
{
    s.FProxBools[static_cast<std::size_t>(n)] = on;
}

TDisplayModel modelAfter(const TLiveChannelState& s, const TDisplayInputs& in)
{
    TDisplayModel m;
    m.frame(s, in, false);
    return m;
}

std::array<std::uint32_t, 6> countColours(const TDisplayModel& m)
{
    std::array<std::uint32_t, 6> c{};
    for (std::size_t n = 0; n < 6; ++n)
        c[n] = m.view().Bars.Counts[n].Colour;
    return c;
}

constexpr auto Red = dispcolour::Touch, Blue = dispcolour::Prox, Green = dispcolour::None,
               Teal = dispcolour::LowPower, Grey = dispcolour::Inactive;

} // namespace

TEST(DisplayBars, StateColoursTouchBeforeProxBeforeNone)
{
    auto s = counts({}, {});
    touch(s, 0);
    prox(s, 0);
    prox(s, 1);
    const auto m = modelAfter(s, {});
    EXPECT_EQ(countColours(m),
              (std::array<std::uint32_t, 6>{Red, Blue, Green, Green, Green, Green}));
    // Averages: darker colours for channels 0..2, the bar colour itself for 3..5.
    EXPECT_EQ(m.view().Bars.Ltas[0].Colour, dispcolour::TouchLta);
    EXPECT_EQ(m.view().Bars.Ltas[1].Colour, dispcolour::ProxLta);
    EXPECT_EQ(m.view().Bars.Ltas[2].Colour, dispcolour::NoneLta);
    EXPECT_EQ(m.view().Bars.Ltas[3].Colour, Green);
}

TEST(DisplayBars, LowPowerModesOverrideTheState)
{
    struct Case {
        int mode;
        std::array<std::uint32_t, 6> colours;
    };
    const Case cases[] = {
        {1, {Teal, Teal, Teal, Teal, Teal, Teal}},
        {2, {Teal, Grey, Grey, Grey, Grey, Grey}},
        {3, {Grey, Grey, Grey, Grey, Grey, Grey}},
    };
    for (const auto& c : cases) {
        auto s = counts({}, {});
        for (int n = 0; n < 4; ++n)
            touch(s, n);
        setPowerMode(s, c.mode);
        const auto m = modelAfter(s, {});
        EXPECT_EQ(countColours(m), c.colours) << "mode " << c.mode;
        EXPECT_EQ(m.view().Bars.Ltas[0].Colour,
                  c.mode == 3 ? dispcolour::InactiveLta : dispcolour::LowPowerLta);
    }
}

TEST(DisplayBars, InactiveMovementChannelIsGrey)
{
    struct Case {
        bool uiSar, overrideOn;
        std::uint8_t activeChs;
        std::uint32_t ch1;
    };
    const Case cases[] = {
        {true, false, 0x00, Grey}, // SAR UI, no override, bit 1 clear
        {true, false, 0x02, Red},  // the movement channel is active
        {true, true, 0x00, Red},   // override on
        {false, false, 0x00, Red}, // SAR UI off
    };
    for (const auto& c : cases) {
        auto s = counts({}, {});
        touch(s, 1);
        s.FSarChStr = c.activeChs;
        TDisplayInputs in;
        in.UiSar = c.uiSar;
        in.MovementOverride = c.overrideOn;
        const auto m = modelAfter(s, in);
        EXPECT_EQ(m.view().Bars.Counts[1].Colour, c.ch1)
            << c.uiSar << c.overrideOn << int(c.activeChs);
        EXPECT_EQ(m.view().Bars.Counts[0].Colour, Green);
    }
}

TEST(DisplayBars, HeightsFollowCountsAveragesAndBaselineView)
{
    const auto s = counts({1000, 1100, 1200, 1300, 1400, 1500}, {1050, 1080, 1250});
    TDisplayInputs in;
    in.ChannelChecked[2] = false;

    auto m = modelAfter(s, in);
    const auto& b = m.view().Bars;
    EXPECT_EQ(b.CountBars, 6);
    EXPECT_EQ(b.LtaBars, 6);
    EXPECT_EQ(b.Counts[0].Height, 1000);
    EXPECT_EQ(b.Counts[2].Height, 0); // box not ticked
    EXPECT_EQ(b.Ltas[1].Height, 1080);
    EXPECT_EQ(b.Ltas[2].Height, 0);
    EXPECT_EQ(b.Ltas[5].Height, 1500); // channels 3..5: average = count

    in.DeltaOnly = true;
    m.frame(s, in, false);
    EXPECT_EQ(m.view().Bars.Counts[0].Height, 50);
    EXPECT_EQ(m.view().Bars.Ltas[0].Height, 50);
    EXPECT_EQ(m.view().Bars.Counts[1].Height, -20);
    EXPECT_EQ(m.view().Bars.Counts[4].Height, 0);
}

TEST(DisplayBars, BaselineViewWithOneBlockMissingDrawsZeroHeights)
{
    const auto s = counts({1000, 1100, 1200, 0, 0, 0}, {1050, 1080, 1250});
    TDisplayInputs in;
    in.DeltaOnly = true;
    in.CSActive = false; // averages streamed, counts not
    auto m = modelAfter(s, in);
    EXPECT_EQ(m.view().Bars.CountBars, 6);
    EXPECT_EQ(m.view().Bars.LtaBars, 6);
    for (std::size_t n = 0; n < 6; ++n) {
        EXPECT_EQ(m.view().Bars.Counts[n].Height, 0) << n;
        EXPECT_EQ(m.view().Bars.Ltas[n].Height, 0) << n;
    }
    in.CSActive = true;
    in.LTAActive = false; // counts streamed, averages not: no LTA bars, counts at 0
    m.frame(s, in, false);
    EXPECT_EQ(m.view().Bars.LtaBars, 0);
    EXPECT_EQ(m.view().Bars.Counts[0].Height, 0);
}

TEST(DisplayBars, EngineeringBarsAtSixAndSeven)
{
    auto s = counts({1, 2, 3, 4, 5, 6}, {1, 2, 3});
    s.Bar1Val = 777;
    s.Bar2Val = 888;
    TDisplayInputs in;
    in.EngineeringMode = true;
    in.CH6Check = true;
    in.AdrActive[kExtraBar1] = true;
    in.AdrActive[kExtraBar2] = true; // streamed, but CH7Check not ticked
    auto m = modelAfter(s, in);
    EXPECT_EQ(m.view().Bars.CountBars, 8);
    EXPECT_EQ(m.view().Bars.Counts[6], (TBarValue{777, Green}));
    EXPECT_EQ(m.view().Bars.Counts[7].Height, 0);
    EXPECT_EQ(m.view().EngTexts[0], "777");
    EXPECT_EQ(m.view().EngTexts[1], "N/A");

    s.DebugBytes[3] = 0x12;
    in.AdrActive[3] = true;
    m.frame(s, in, false);
    EXPECT_EQ(m.view().DebugTexts[3], "00010010 0x12");
    EXPECT_EQ(m.view().DebugTexts[4], "");
    EXPECT_EQ(m.takeDebugTextChanges().to_ulong(), 0b1000u);

    in.EngineeringMode = false;
    m.EngineeringModeChanged(s, in);
    EXPECT_EQ(m.view().Bars.CountBars, 6);
}

TEST(DisplayLabels, NotAvailableRules)
{
    const auto s = counts({1000, 1100, 1200, 1300, 1400, 1500}, {1050, 1080, 1250});
    struct Case {
        const char* name;
        bool cs, lta, delta, ticked0;
        const char *count0, *lta0, *dt0;
    };
    const Case cases[] = {
        {"all streamed", true, true, false, true, "1000", "1050", "50"},
        {"box unticked", true, true, false, false, "N/A", "N/A", "N/A"},
        {"baseline view", true, true, true, true, "N/A", "N/A", "50"},
        {"no counts", false, true, false, true, "N/A", "1050", "N/A"},
        {"no averages", true, false, false, true, "1000", "N/A", "N/A"},
    };
    for (const auto& c : cases) {
        TDisplayInputs in;
        in.CSActive = c.cs;
        in.LTAActive = c.lta;
        in.DeltaOnly = c.delta;
        in.ChannelChecked[0] = c.ticked0;
        const auto m = modelAfter(s, in);
        EXPECT_EQ(m.view().CountTexts[0], c.count0) << c.name;
        EXPECT_EQ(m.view().LtaTexts[0], c.lta0) << c.name;
        EXPECT_EQ(m.view().DeltaTexts[0], c.dt0) << c.name;
    }
    const auto m = modelAfter(s, {});
    EXPECT_EQ(m.view().LtaTexts[3], "1300");
    EXPECT_EQ(m.view().DeltaTexts[3], "0");
    EXPECT_EQ(m.view().LtaTexts[4], "N/A");
    EXPECT_EQ(m.view().DeltaTexts[5], "N/A");
    EXPECT_EQ(m.view().CountTexts[5], "1500");
}

TEST(DisplayLabels, ReportOnlyLabelsThatChanged)
{
    auto s = counts({1000, 1100, 1200, 1300, 1400, 1500}, {1050, 1080, 1250});
    TDisplayModel m;
    m.frame(s, {}, false);
    m.takeChanges();
    s.FCurrentChs[1] = 1101;
    m.frame(s, {}, false);
    const auto c = m.takeChanges();
    EXPECT_EQ(c.CountLabels.to_ulong(), 0b10u);
    EXPECT_EQ(c.DeltaLabels.to_ulong(), 0b10u);
    EXPECT_TRUE(c.LtaLabels.none());
    EXPECT_TRUE(c.ChannelPictures.none());
    EXPECT_FALSE(c.SystemFlags);
}

TEST(DisplayLabels, SystemFlagsAndPowerMode)
{
    TLiveChannelState s;
    s.FShowReset = true;
    s.FATIBusy = true;
    setPowerMode(s, 2);
    const auto m = modelAfter(s, {});
    EXPECT_STREQ(m.view().SystemFlagTexts[0], "Reset : Yes");
    EXPECT_STREQ(m.view().SystemFlagTexts[1], "Low Power : Yes");
    EXPECT_STREQ(m.view().SystemFlagTexts[2], "In ATI : Yes");
    EXPECT_STREQ(m.view().SystemFlagTexts[3], "NP Seg Active: No");
    EXPECT_STREQ(m.view().PowerMode.Text, "Ultra Low Power");
    EXPECT_EQ(m.view().PowerMode.Colour, 0xC0C0C0u);
    setPowerMode(s, 3);
    EXPECT_STREQ(modelAfter(s, {}).view().PowerMode.Text, "Halt Mode");
    setPowerMode(s, 0);
    EXPECT_EQ(modelAfter(s, {}).view().PowerMode.Colour, 0x00C161u);
}

TEST(DisplayPictures, MarksChangeOnlyWithTheState)
{
    TLiveChannelState s;
    TDisplayModel m;
    m.frame(s, {}, false);
    m.takeChanges();
    m.frame(s, {}, false);
    EXPECT_TRUE(m.takeChanges().ChannelPictures.none());

    prox(s, 2);
    m.frame(s, {}, false);
    auto c = m.takeChanges();
    EXPECT_EQ(c.ChannelPictures.to_ulong(), 0b100u);
    EXPECT_EQ(c.ScopePictures.to_ulong(), 0b100u);
    EXPECT_EQ(m.view().ChannelMarks[2], TMark::Prox);

    touch(s, 2); // touch wins over prox
    m.frame(s, {}, false);
    m.frame(s, {}, false);
    EXPECT_EQ(m.takeChanges().ChannelPictures.to_ulong(), 0b100u);
    EXPECT_EQ(m.view().ChannelMarks[2], TMark::Touch);

    TDisplayInputs noPt;
    noPt.PTActive = false; // every picture turns neutral
    m.frame(s, noPt, false);
    EXPECT_EQ(m.takeChanges().ChannelPictures.to_ulong(), 0b100u);
    EXPECT_EQ(m.view().ChannelMarks[2], TMark::None);
}

TEST(DisplayPictures, ChannelBoxClickRedrawsTickedAndNeutralisesUnticked)
{
    TLiveChannelState s;
    touch(s, 0);
    touch(s, 1);
    TDisplayModel m;
    m.frame(s, {}, false);
    m.takeChanges();

    m.ChannelBoxesClicked({true, false, true, true, true, true});
    auto c = m.takeChanges();
    EXPECT_EQ(c.ChannelPictures.to_ulong(), 0b10u); // channel 1 neutral at once
    EXPECT_EQ(m.view().ChannelMarks[1], TMark::None);

    m.frame(s, {}, false); // ticked boxes redraw even with an unchanged mark
    c = m.takeChanges();
    EXPECT_EQ(c.ChannelPictures.to_ulong(), 0b111111u);
    m.frame(s, {}, false);
    EXPECT_TRUE(m.takeChanges().ChannelPictures.none());
}

TEST(DisplayPictures, BlockDisplaySkipsChannelsAndGraphsButNotPanels)
{
    TLiveChannelState s;
    TDisplayModel m;
    m.frame(s, {}, false);
    m.takeChanges();
    touch(s, 0);
    s.FHallTState = true;
    s.FCurrentChs[0] = 5;
    m.frame(s, {}, true);
    const auto c = m.takeChanges();
    EXPECT_TRUE(c.ChannelPictures.none());
    EXPECT_FALSE(c.BarGraph);
    EXPECT_TRUE(c.HallPictures.any());
}

TEST(DisplayPanels, HallShownNegativeWithPoleBitClear)
{
    TLiveChannelState s;
    s.FHallValue = 300;
    s.FHallNS = false;
    s.FHallPState = true;
    auto m = modelAfter(s, {});
    EXPECT_EQ(m.view().Hall.Value, -300);
    EXPECT_EQ(m.view().Hall.S, TMark::Prox);
    EXPECT_EQ(m.view().Hall.N, TMark::None);
    EXPECT_EQ(m.view().Hall.Colour, Blue);

    s.FHallNS = true;
    s.FHallTState = true;
    m.frame(s, {}, false);
    EXPECT_EQ(m.view().Hall.Value, 300);
    EXPECT_EQ(m.view().Hall.N, TMark::Touch);
    EXPECT_EQ(m.view().Hall.S, TMark::None);
    EXPECT_EQ(m.view().Hall.Colour, Red);
}

TEST(DisplayPanels, SarPicturesOnlyWhileSarUiEnabled)
{
    TLiveChannelState s;
    s.FSarTState = s.FSarMov = s.FSarQR = s.FSarPState = true;
    TDisplayInputs in;
    auto m = modelAfter(s, in);
    EXPECT_EQ(m.view().SarMarks, (std::array<TMark, 4>{}));
    in.UiSar = true;
    m.frame(s, in, false);
    EXPECT_EQ(m.view().SarMarks,
              (std::array<TMark, 4>{TMark::Touch, TMark::Touch, TMark::Touch, TMark::Prox}));
    m.start();
    EXPECT_EQ(m.view().SarMarks, (std::array<TMark, 4>{}));
}

TEST(DisplayPanels, HysteresisEnabledAndDisabled)
{
    TLiveChannelState s;
    s.FMetalUIValue = 420;
    s.FMetalProx = true;
    s.FMetalType = false;
    TDisplayInputs in;
    in.MetalDetectEn = true;
    auto m = modelAfter(s, in);
    const auto& v = m.view().Metal;
    EXPECT_EQ(v.Mark, TMark::Prox);
    EXPECT_STREQ(v.StateText, "Prox");
    EXPECT_STREQ(v.TypeText, "B");
    EXPECT_EQ(v.ValueText, "420");
    EXPECT_EQ(v.BarValue, 420);
    EXPECT_EQ(v.Colour, Blue);

    s.FMetalProx = false; // neither: "N/A" type, value still shown
    m.frame(s, in, false);
    EXPECT_STREQ(m.view().Metal.TypeText, "N/A");
    EXPECT_EQ(m.view().Metal.ValueText, "420");

    in.MetalDetectEn = false; // disabled: cleared even though the picture was neutral
    m.frame(s, in, false);
    EXPECT_STREQ(m.view().Metal.StateText, "N/A");
    EXPECT_STREQ(m.view().Metal.TypeText, "");
    EXPECT_EQ(m.view().Metal.ValueText, "");
    EXPECT_EQ(m.view().Metal.BarValue, 0);
}

TEST(DisplayStart, ResetsPicturesQuickReleaseTemperatureAndBars)
{
    TLiveChannelState s;
    touch(s, 0);
    s.FTemperatureValue = 400;
    s.FQRDValue = 50;
    TDisplayInputs in;
    in.UiSar = true;
    TDisplayModel m;
    m.frame(s, in, false);
    ASSERT_EQ(m.temperatureAxisMax(), 460);
    m.takeChanges();

    m.start();
    const auto c = m.takeChanges();
    EXPECT_EQ(c.ChannelPictures.to_ulong(), 0b1u);
    EXPECT_TRUE(c.BarGraph);
    EXPECT_TRUE(c.Temperature);
    EXPECT_EQ(m.view().ChannelMarks[0], TMark::None);
    EXPECT_EQ(m.view().Bars.CountBars, 0);
    EXPECT_EQ(m.view().Bars.LtaBars, 0);
    EXPECT_EQ(m.temperatureAxisMax(), 100);
}
