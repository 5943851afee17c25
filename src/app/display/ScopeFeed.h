#pragma once
// The live display's feed of the scope window: per frame one sample of up to
// 13 trace points, and the decision whether the scope counts the sample and
// runs its update timer.
//
// A scope applies a sample like this:
//   if (s.StopTimer) stop the update timer (the sample is not counted);
//   if (s.Count) { start the update timer if stopped; ++NrOfChartPoints; }
//   for each trace t with s.has(t): AddXY(t, XPos, s.Points[t]);
//   if (s.Count) ++XPos;

#include "DisplayInputs.h"
#include "DisplayTypes.h"
#include "LiveChannelState.h"

#include <array>
#include <bitset>

inline constexpr int kScopeTraces = 13;

// Scope traces by number.
namespace scopetrace {
inline constexpr int Count0 = 0; // 0..5: counts (baseline view: 0..3 deltas)
inline constexpr int Lta0 = 6;   // 6..8: averages of channels 0..2
inline constexpr int Temperature = 9;
inline constexpr int QuickRelease = 10;
inline constexpr int Hysteresis = 11;
inline constexpr int Hall = 12;
} // namespace scopetrace

// The scope window's boxes the feed reads.
struct TScopeBoxes {
    bool ActiveChannels = false;                // the scope reports an active trace
    std::array<bool, 6> CountBoxes{};           // CH0CurCheck..CH5CurCheck
    bool QRD = false, Hall = false, MD = false; // "SAR Quick Release", "Hall Value", "Hysteresis"
};

struct TScopeSample {
    bool StopTimer = false; // nothing streamed worth a point: stop the update timer
    bool Count = false;     // count the sample and advance XPos; start the timer if stopped
    std::bitset<kScopeTraces> Present;
    std::array<double, kScopeTraces> Points{};
    bool has(int trace) const { return Present.test(static_cast<std::size_t>(trace)); }
};

// The scope window as the display sees it.
class IScopeFeed {
public:
    virtual ~IScopeFeed() = default;
    virtual TScopeBoxes scopeBoxes() const = 0;
    virtual void addSample(const TScopeSample& sample) = 0;
    // The small state picture beside count box 0..2.
    virtual void showChannelMark(int channel, TMark mark) = 0;
};

// One frame's sample into out. Returns false (nothing to feed) while the
// scope has no active trace or no main channel box is ticked.
bool scopeSample(const TLiveChannelState& state, const TDisplayInputs& in, const TScopeBoxes& boxes,
                 TScopeSample& out);
