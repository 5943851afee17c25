#pragma once
// The nine event indicators of the "Events" group and the temperature trip
// picture: which are lit and since when. A frame lights an indicator whose
// event flag is set; outside event mode the next frames darken it once its
// flag is clear and it has been lit for EventsTime; in event mode only the
// event timer darkens it (frames may not come again). Plain C++.

#include <array>
#include <cstdint>

struct TLiveChannelState;

enum class TEventIndicator {
    Global,     // "Global Event"
    Pxs,        // "PXS"
    Sar,        // "SAR"
    Hall,       // "HALL"
    Hysteresis, // "Hysteresis"
    System,     // "System"
    Pmu,        // "PMU"
    SarActive,  // "SAR Active"
    Temperature // "Temperature"
};
inline constexpr int kEventIndicatorCount = 9;

struct TEventIndicatorLook {
    const char* caption;
    const char* hint;    // empty when none
    std::uint32_t litColour;  // RGB, red in the high byte
    bool whiteText;      // lit text colour: white, else black
};
// Caption and lit colours of each indicator; an unlit one is F0F0F0 with black text.
const TEventIndicatorLook& eventIndicatorLook(TEventIndicator indicator);
inline constexpr std::uint32_t kEventUnlitColour = 0xF0F0F0;

class TEventIndicators {
public:
    std::uint32_t EventsTime = 200; // ms an indicator stays lit at least

    // Per-frame rule. Returns true when an indicator (or the trip picture) was
    // lit by this frame while in event mode: the event timer must run.
    bool frame(const TLiveChannelState& state, std::int64_t nowMs, bool eventMode);
    // The event timer: darkens what has been lit for EventsTime.
    void timerTick(std::int64_t nowMs);
    void clear();

    bool lit(TEventIndicator i) const { return FLit[index(i)]; }
    // Tick count when it was lit (0 when dark).
    std::int64_t litAt(TEventIndicator i) const { return FCount[index(i)]; }
    bool tempTripShown() const { return FTempTrip; }
    // Changes since the view last drew them.
    bool takeChanged()
    {
        const bool c = FChanged;
        FChanged = false;
        return c;
    }

private:
    static int index(TEventIndicator i) { return static_cast<int>(i); }
    std::array<bool, kEventIndicatorCount> FLit{};
    std::array<std::int64_t, kEventIndicatorCount> FCount{};
    bool FTempTrip = false; // FTempResources == 2
    std::int64_t FETempTripCount = 0;
    bool FChanged = true;
};
