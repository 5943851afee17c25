#include "ScopeFeed.h"

#include "FrameDecoder.h"

namespace {

void put(TScopeSample& s, int trace, double value)
{
    s.Present.set(static_cast<std::size_t>(trace));
    s.Points[static_cast<std::size_t>(trace)] = value;
}

} // namespace

bool scopeSample(const TLiveChannelState& state, const TDisplayInputs& in, const TScopeBoxes& boxes,
                 TScopeSample& out)
{
    out = TScopeSample{};
    if (!boxes.ActiveChannels || !in.anyChannelChecked())
        return false;

    if (!in.CSActive && !in.LTAActive && !boxes.QRD && !boxes.Hall && !boxes.MD)
        out.StopTimer = true;
    else
        out.Count = true;

    if (in.CSActive) {
        if (!in.DeltaOnly) {
            for (int n = 0; n < 6; ++n)
                put(out, scopetrace::Count0 + n, state.FCurrentChs[static_cast<std::size_t>(n)]);
        } else {
            for (std::size_t n = 0; n < 4; ++n) {
                if (!boxes.CountBoxes[n] || !in.ChannelChecked[n])
                    continue;
                const double delta =
                    in.LTAActive ? double(state.FLTAChs[n]) - double(state.FCurrentChs[n]) : 0.0;
                put(out, scopetrace::Count0 + static_cast<int>(n), delta);
            }
        }
    }
    for (int n = 0; n < 3; ++n)
        put(out, scopetrace::Lta0 + n, state.FLTAChs[static_cast<std::size_t>(n)]);
    put(out, scopetrace::Temperature, state.FTemperatureValue);
    put(out, scopetrace::QuickRelease, state.FQRDValue);
    put(out, scopetrace::Hysteresis, state.FMetalUIValue);
    put(out, scopetrace::Hall, shownHallValue(state));
    return true;
}
