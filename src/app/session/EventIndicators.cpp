#include "EventIndicators.h"

#include "LiveChannelState.h"

namespace {

const std::array<TEventIndicatorLook, kEventIndicatorCount> kLooks = {{
    {"Global Event", "", 0x00FFFF, false},
    {"PXS", "Halvex Event", 0x0000FF, true},
    {"SAR", "", 0xFFFF00, false},
    {"HALL", "", 0x00FF00, false},
    {"Hysteresis", "", 0x808080, true},
    {"System", "", 0xFF0000, true},
    {"PMU", "Power Mode Event", 0x008000, true},
    {"SAR Active", "", 0xA6CAF0, false},
    {"Temperature", "", 0xFF8000, true},
}};

std::array<bool, kEventIndicatorCount> flagsOf(const TLiveChannelState& s)
{
    return {s.FEGlobal, s.FEPxs, s.FESAR, s.FEHall, s.FEMetal,
            s.FESys,    s.FEPmu, s.FESarActive, s.FETemp};
}

}  // namespace

const TEventIndicatorLook& eventIndicatorLook(TEventIndicator indicator)
{
    return kLooks[static_cast<std::size_t>(indicator)];
}

bool TEventIndicators::frame(const TLiveChannelState& state, std::int64_t nowMs, bool eventMode)
{
    bool startTimer = false;
    const auto flags = flagsOf(state);
    for (int i = 0; i < kEventIndicatorCount; ++i) {
        if (flags[i] && !FLit[i]) {
            FLit[i] = true;
            FCount[i] = nowMs;
            FChanged = true;
            startTimer |= eventMode;
        } else if (!flags[i] && FLit[i] && !eventMode && nowMs - FCount[i] >= EventsTime) {
            FLit[i] = false;
            FCount[i] = 0;
            FChanged = true;
        }
    }
    if (state.FETempTrip && !FTempTrip) {
        FTempTrip = true;
        FETempTripCount = nowMs;
        FChanged = true;
        startTimer |= eventMode;
    } else if (!state.FETempTrip && FTempTrip && !eventMode &&
               nowMs - FETempTripCount >= EventsTime) {
        FTempTrip = false;
        FETempTripCount = 0;
        FChanged = true;
    }
    return startTimer;
}

void TEventIndicators::timerTick(std::int64_t nowMs)
{
    for (int i = 0; i < kEventIndicatorCount; ++i) {
        if (FLit[i] && nowMs - FCount[i] >= EventsTime) {
            FLit[i] = false;
            FCount[i] = 0;
            FChanged = true;
        }
    }
    if (FTempTrip && nowMs - FETempTripCount >= EventsTime) {
        FTempTrip = false;
        FETempTripCount = 0;
        FChanged = true;
    }
}

void TEventIndicators::clear()
{
    FLit.fill(false);
    FCount.fill(0);
    FTempTrip = false;
    FETempTripCount = 0;
    FChanged = true;
}
