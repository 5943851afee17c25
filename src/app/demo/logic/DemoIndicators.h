#pragma once
// The six indicators of the SAR UI demo: prox, touch and deep touch of SAR
// channel 0 ("SAR Antenna 1") and channel 1 ("SAR Antenna 2"), their states
// in a frame and the picture each shows.

#include <array>

struct TLiveChannelState;

enum class TDemoIndicator { CH0Prox, CH0Touch, CH0Deep, CH1Prox, CH1Touch, CH1Deep };
inline constexpr int kDemoIndicators = 6;

// The demo's pictures, in the order of the program's picture resources.
enum class TDemoPicture { SARNone = 0, SARProx = 1, SARTouch = 2, SARDeep = 3 };

// The picture an indicator shows: its own when State is set, else "SARNone".
TDemoPicture demoPicture(TDemoIndicator indicator, bool State);

// The indicators' states in a frame, in TDemoIndicator order.
std::array<bool, kDemoIndicators> demoStates(const TLiveChannelState& live);
