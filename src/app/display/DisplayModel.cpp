#include "DisplayModel.h"

#include "FrameDecoder.h"

#include <charconv>
#include <cstring>
#include <string>
#include <type_traits>

namespace {

constexpr const char* kNA = "N/A";

struct TStateColours {
    std::uint32_t Bar;
    std::uint32_t Lta;
};

// Bar colours of channel n: state, then low power, then the inactive movement
// channel.
TStateColours channelColours(const TLiveChannelState& s, const TDisplayInputs& in, int n)
{
    const auto i = static_cast<std::size_t>(n);
    TStateColours c{dispcolour::None, dispcolour::NoneLta};
    if (n < 4 && s.FTouchBools[i])
        c = {dispcolour::Touch, dispcolour::TouchLta};
    else if (n < 4 && s.FProxBools[i])
        c = {dispcolour::Prox, dispcolour::ProxLta};
    if (s.FLP) {
        const int mode = s.FPowerMode & 3;
        if (mode == 1 || (mode == 2 && n == 0))
            c = {dispcolour::LowPower, dispcolour::LowPowerLta};
        else if (mode == 2 || mode == 3)
            c = {dispcolour::Inactive, dispcolour::InactiveLta};
    }
    if (n == 1 && in.UiSar && !in.MovementOverride && (s.FSarChStr & 0x02) == 0)
        c = {dispcolour::Inactive, dispcolour::InactiveLta};
    return c;
}

// Writes a decimal number into text; true when the text changed.
bool setNumber(std::string& text, std::int64_t value)
{
    char buf[24];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    (void)ec;
    const std::string_view v(buf, static_cast<std::size_t>(end - buf));
    if (text == v)
        return false;
    text.assign(v);
    return true;
}

bool setText(std::string& text, std::string_view value)
{
    if (text == value)
        return false;
    text.assign(value);
    return true;
}

template <typename T> bool assign(T& field, const std::type_identity_t<T>& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// Fixed texts compare by content, not by address.
bool assignText(const char*& field, const char* value)
{
    if (std::strcmp(field, value) == 0)
        return false;
    field = value;
    return true;
}

TMark stateMark(bool touch, bool prox)
{
    return touch ? TMark::Touch : prox ? TMark::Prox : TMark::None;
}

std::uint32_t markColour(TMark m)
{
    switch (m) {
    case TMark::Touch:
    case TMark::QuickRelease:
        return dispcolour::Touch;
    case TMark::Prox:
        return dispcolour::Prox;
    case TMark::None:
        break;
    }
    return dispcolour::None;
}

} // namespace

TDisplayModel::TDisplayModel()
{
    for (auto* texts : {&FView.CountTexts, &FView.LtaTexts, &FView.DeltaTexts})
        texts->fill(kNA);
    FView.EngTexts.fill(kNA);
    FChanges = TDisplayChanges::all();
}

TDisplayChanges TDisplayModel::takeChanges()
{
    const TDisplayChanges c = FChanges;
    FChanges = {};
    return c;
}

std::bitset<kDisplayDebugRows> TDisplayModel::takeDebugTextChanges()
{
    const auto c = FDebugChanges;
    FDebugChanges.reset();
    return c;
}

void TDisplayModel::syncScopeMark(int n)
{
    if (n >= 3)
        return;
    const auto i = static_cast<std::size_t>(n);
    const TMark m =
        FView.ChannelMarks[i] == TMark::QuickRelease ? TMark::Touch : FView.ChannelMarks[i];
    if (FView.ScopeMarks[i] == m)
        return;
    FView.ScopeMarks[i] = m;
    FChanges.ScopePictures.set(i);
    if (FScope)
        FScope->showChannelMark(n, m);
}

void TDisplayModel::setChannelMark(int n, TMark mark)
{
    const auto i = static_cast<std::size_t>(n);
    if (FView.ChannelMarks[i] == mark && !FPictureStale.test(i))
        return;
    FPictureStale.reset(i);
    FView.ChannelMarks[i] = mark;
    FChanges.ChannelPictures.set(i);
    syncScopeMark(n);
}

void TDisplayModel::setSarMark(TSarPicture p, TMark mark)
{
    const auto i = static_cast<std::size_t>(p);
    if (assign(FView.SarMarks[i], mark))
        FChanges.SarPictures.set(i);
}

void TDisplayModel::setHallMark(int i, TMark mark)
{
    TMark& m = i == 0 ? FView.Hall.N : FView.Hall.S;
    if (assign(m, mark))
        FChanges.HallPictures.set(static_cast<std::size_t>(i));
}

void TDisplayModel::frame(const TLiveChannelState& state, const TDisplayInputs& in,
                          bool blockDisplay)
{
    if (in.EngineeringMode)
        UpdateEngineeringReadouts(state, in);
    UpdateSensorPanels(state, in);
    if (!blockDisplay) {
        UpdateChannelDisplay(state, in);
        UpdateGraphs(state, in);
    }
}

void TDisplayModel::UpdateEngineeringReadouts(const TLiveChannelState& state,
                                              const TDisplayInputs& in)
{
    for (std::size_t row = 0; row < kDisplayDebugRows; ++row) {
        if (in.AdrActive[row] &&
            setText(FView.DebugTexts[row], debugByteText(state.DebugBytes[row])))
            FDebugChanges.set(row);
    }
    const std::array<bool, 2> shown{in.AdrActive[kExtraBar1] && in.CH6Check,
                                    in.AdrActive[kExtraBar2] && in.CH7Check};
    const std::array<std::uint16_t, 2> values{state.Bar1Val, state.Bar2Val};
    for (std::size_t b = 0; b < 2; ++b) {
        FView.EngBarValues[b] = shown[b] ? values[b] : 0;
        const bool changed =
            shown[b] ? setNumber(FView.EngTexts[b], values[b]) : setText(FView.EngTexts[b], kNA);
        if (changed)
            FChanges.EngLabels.set(b);
    }
}

void TDisplayModel::UpdateSensorPanels(const TLiveChannelState& s, const TDisplayInputs& in)
{
    // "HALL Flags"
    const TMark hall = stateMark(s.FHallTState, s.FHallPState);
    setHallMark(s.FHallNS ? 1 : 0, TMark::None);
    setHallMark(s.FHallNS ? 0 : 1, hall);
    const std::int32_t hallValue = shownHallValue(s);
    const std::uint32_t hallColour = markColour(hall);
    if (FView.Hall.Value != hallValue || FView.Hall.Colour != hallColour) {
        FView.Hall.Value = hallValue;
        FView.Hall.Colour = hallColour;
        FChanges.HallValue = true;
    }

    // "SAR Flags"
    if (in.UiSar) {
        setSarMark(TSarPicture::FilterHalt, s.FSarTState ? TMark::Touch : TMark::None);
        setSarMark(TSarPicture::Movement, s.FSarMov ? TMark::Touch : TMark::None);
        setSarMark(TSarPicture::QuickRelease, s.FSarQR ? TMark::Touch : TMark::None);
        setSarMark(TSarPicture::SarActive, s.FSarPState ? TMark::Prox : TMark::None);
    }

    // "Hysteresis"
    TMetalView& m = FView.Metal;
    bool readout = false;
    if (in.MetalDetectEn) {
        const TMark mark = stateMark(s.FMetalTouch, s.FMetalProx);
        if (assign(m.Mark, mark))
            FChanges.MetalPicture = true;
        const char* stateText = mark == TMark::Touch ? "Touch" : mark == TMark::Prox ? "Prox" : kNA;
        const char* typeText = mark == TMark::None ? kNA : s.FMetalType ? "A" : "B";
        readout |= assignText(m.StateText, stateText);
        readout |= assignText(m.TypeText, typeText);
        readout |= setNumber(m.ValueText, s.FMetalUIValue);
        readout |= assign(m.BarValue, std::int32_t{s.FMetalUIValue});
        readout |= assign(m.Colour, markColour(mark));
    } else {
        if (assign(m.Mark, TMark::None))
            FChanges.MetalPicture = true;
        readout |= assignText(m.StateText, kNA);
        readout |= assignText(m.TypeText, "");
        readout |= setText(m.ValueText, "");
        readout |= assign(m.BarValue, 0);
        readout |= assign(m.Colour, dispcolour::None);
    }
    FChanges.MetalReadout |= readout;

    // "Temperature"
    FTemperature.update(s.FTemperatureValue);
    const TTemperatureView t{s.FTemperatureValue, FTemperature.max()};
    if (assign(FView.Temperature, t))
        FChanges.Temperature = true;
}

void TDisplayModel::UpdateChannelDisplay(const TLiveChannelState& s, const TDisplayInputs& in)
{
    // Channel pictures. While the chip shows neither prox nor touch on
    // channel 1, the quick-release logic owns its picture (mark 3) and
    // releases it after its delay.
    for (int n = 0; n < kDisplayChannels; ++n) {
        const auto i = static_cast<std::size_t>(n);
        TMark want = TMark::None;
        if (in.PTActive && n < 4)
            want = stateMark(s.FTouchBools[i], s.FProxBools[i]);
        if (want == TMark::None && FView.ChannelMarks[i] == TMark::QuickRelease &&
            !FPictureStale.test(i))
            continue;
        setChannelMark(n, want);
    }

    // Count, average and delta labels.
    for (std::size_t n = 0; n < kDisplayChannels; ++n) {
        const bool ticked = in.ChannelChecked[n];
        const bool cs = in.CSActive && !in.DeltaOnly && ticked;
        if (cs ? setNumber(FView.CountTexts[n], s.FCurrentChs[n])
               : setText(FView.CountTexts[n], kNA))
            FChanges.CountLabels.set(n);
        const bool lta = n < 4 && in.LTAActive && !in.DeltaOnly && ticked;
        if (lta ? setNumber(FView.LtaTexts[n], s.FLTAChs[n]) : setText(FView.LtaTexts[n], kNA))
            FChanges.LtaLabels.set(n);
        const bool dt = n < 4 && in.CSActive && in.LTAActive && ticked;
        if (dt ? setNumber(FView.DeltaTexts[n],
                           std::int64_t{s.FLTAChs[n]} - std::int64_t{s.FCurrentChs[n]})
               : setText(FView.DeltaTexts[n], kNA))
            FChanges.DeltaLabels.set(n);
    }

    // "System Flags"
    const std::array<const char*, 4> flags{
        s.FShowReset ? "Reset : Yes" : "Reset : No",
        s.FLP ? "Low Power : Yes" : "Low Power : No",
        s.FATIBusy ? "In ATI : Yes" : "In ATI : No",
        s.FSegNPActive ? "NP Seg Active: Yes" : "NP Seg Active: No",
    };
    bool flagsChanged = false;
    for (std::size_t i = 0; i < flags.size(); ++i)
        flagsChanged |= assignText(FView.SystemFlagTexts[i], flags[i]);
    FChanges.SystemFlags |= flagsChanged;

    // "Power Modes"
    static constexpr std::array<TPowerModeView, 4> kModes{{
        {"Normal Power", dispcolour::NormalPowerMode},
        {"Low Power", dispcolour::LowPowerMode},
        {"Ultra Low Power", dispcolour::UltraLowPowerMode},
        {"Halt Mode", dispcolour::HaltMode},
    }};
    const TPowerModeView& mode = kModes[s.FPowerMode & 3u];
    bool modeChanged = assignText(FView.PowerMode.Text, mode.Text);
    modeChanged |= assign(FView.PowerMode.Colour, mode.Colour);
    FChanges.PowerMode |= modeChanged;
}

void TDisplayModel::computeBars(const TLiveChannelState& s, const TDisplayInputs& in)
{
    TBarGraphData b;
    b.CountBars = kDisplayChannels;
    for (std::size_t n = 0; n < kDisplayChannels; ++n) {
        const TStateColours c = channelColours(s, in, static_cast<int>(n));
        const std::int32_t delta = s.FLTAChs[n] - s.FCurrentChs[n];
        if (in.CSActive && in.ChannelChecked[n]) {
            b.Counts[n] = {in.DeltaOnly ? (in.LTAActive ? delta : 0) : s.FCurrentChs[n], c.Bar};
        } else {
            b.Counts[n] = {0, c.Bar};
        }
        if (in.LTAActive) {
            const std::uint32_t colour = n < 3 ? c.Lta : c.Bar;
            const std::int32_t h = !in.ChannelChecked[n] ? 0
                                   : in.DeltaOnly        ? (in.CSActive ? delta : 0)
                                                         : s.FLTAChs[n];
            b.Ltas[n] = {h, colour};
        }
    }
    b.LtaBars = in.LTAActive ? kDisplayChannels : 0;
    if (in.EngineeringMode) {
        b.CountBars = kDisplayChannels + kEngineeringBars;
        for (std::size_t e = 0; e < kEngineeringBars; ++e)
            b.Counts[kDisplayChannels + e] = {FView.EngBarValues[e], dispcolour::None};
    }
    if (assign(FView.Bars, b))
        FChanges.BarGraph = true;
}

void TDisplayModel::UpdateGraphs(const TLiveChannelState& s, const TDisplayInputs& in)
{
    computeBars(s, in);

    if (!s.FATIBusy) {
        TMark ch1 = FView.ChannelMarks[1];
        if (FQuickRelease.frame(s.FQRDValue, s.FSarQR, in.UiSar, in.QuickReleaseResetMs, ch1))
            setChannelMark(1, ch1);
        if (FView.QuickRelease != FQuickRelease.view()) {
            FView.QuickRelease = FQuickRelease.view();
            FChanges.QuickRelease = true;
        }
    }

    if (FScope && scopeSample(s, in, FScope->scopeBoxes(), FSample))
        FScope->addSample(FSample);
}

void TDisplayModel::start()
{
    for (int n = 0; n < kDisplayChannels; ++n)
        setChannelMark(n, TMark::None);
    for (int p = 0; p < kSarPictures; ++p)
        setSarMark(static_cast<TSarPicture>(p), TMark::None);
    FQuickRelease.start();
    FTemperature.start();
    if (FView.Temperature.AxisMax != FTemperature.max()) {
        FView.Temperature.AxisMax = FTemperature.max();
        FChanges.Temperature = true;
    }
    clearBarSeries();
}

void TDisplayModel::clearBarSeries()
{
    if (assign(FView.Bars, TBarGraphData{}))
        FChanges.BarGraph = true;
}

void TDisplayModel::QRDTimerFired()
{
    FQuickRelease.timerFired();
    if (FView.QuickRelease != FQuickRelease.view()) {
        FView.QuickRelease = FQuickRelease.view();
        FChanges.QuickRelease = true;
    }
}

void TDisplayModel::TempBarClicked()
{
    FTemperature.click();
    if (FView.Temperature.AxisMax != FTemperature.max()) {
        FView.Temperature.AxisMax = FTemperature.max();
        FChanges.Temperature = true;
    }
}

void TDisplayModel::ChannelBoxesClicked(const std::array<bool, 6>& checked)
{
    for (int n = 0; n < kDisplayChannels; ++n) {
        const auto i = static_cast<std::size_t>(n);
        if (checked[i])
            FPictureStale.set(i);
        else
            setChannelMark(n, TMark::None);
    }
}

void TDisplayModel::EngineeringModeChanged(const TLiveChannelState& state, const TDisplayInputs& in)
{
    FView.EngBarValues.fill(0);
    computeBars(state, in);
}
