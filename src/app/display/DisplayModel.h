#pragma once
// The live display without widgets: per accepted frame it turns the live
// channel state and the display inputs into everything the main window shows
// (TDisplayView) and records what changed (TDisplayChanges), so that widgets
// redraw only that and pictures are reassigned only when their mark changes.
//
// Per frame, in this order (frame() does all of it):
//   UpdateEngineeringReadouts  (engineering mode only)
//   UpdateSensorPanels
//   UpdateChannelDisplay, UpdateGraphs   (unless FBlockDisplay)
// Then the view takes the changes (takeChanges) and the QRDTimer owner takes
// the timer request (takeQuickReleaseTimerRequest).

#include "DisplayInputs.h"
#include "DisplayTypes.h"
#include "LiveChannelState.h"
#include "QuickRelease.h"
#include "ScopeFeed.h"
#include "TemperatureAxis.h"

#include <array>
#include <bitset>

class TDisplayModel {
public:
    TDisplayModel();

    // The scope window (may be null: no scope feed).
    void setScopeFeed(IScopeFeed* scope) { FScope = scope; }

    void frame(const TLiveChannelState& state, const TDisplayInputs& in, bool blockDisplay);

    void UpdateEngineeringReadouts(const TLiveChannelState& state, const TDisplayInputs& in);
    void UpdateSensorPanels(const TLiveChannelState& state, const TDisplayInputs& in);
    void UpdateChannelDisplay(const TLiveChannelState& state, const TDisplayInputs& in);
    void UpdateGraphs(const TLiveChannelState& state, const TDisplayInputs& in);

    // Start: channel and SAR pictures neutral, quick-release state cleared,
    // temperature axis maximum 100, both bar series empty.
    void start();
    // Empties both bar series (demo start).
    void clearBarSeries();
    // QRDTimer fired.
    void QRDTimerFired();
    // A click on the temperature bar: axis maximum 230.
    void TempBarClicked();
    // A channel box click was written: ticked boxes redraw their picture with
    // the next frame, an unticked channel's picture turns neutral now.
    void ChannelBoxesClicked(const std::array<bool, 6>& checked);
    // Engineering mode switched: the count series is rebuilt with or without
    // the two bars at X = 6 and 7 (empty until the next frame).
    void EngineeringModeChanged(const TLiveChannelState& state, const TDisplayInputs& in);

    const TDisplayView& view() const { return FView; }
    // Changes since the last take (everything after construction).
    TDisplayChanges takeChanges();
    const TDisplayChanges& pendingChanges() const { return FChanges; }
    // Debug result labels changed since the last take (settings window).
    std::bitset<kDisplayDebugRows> takeDebugTextChanges();

    TTimerRequest takeQuickReleaseTimerRequest() { return FQuickRelease.takeTimerRequest(); }
    bool quickReleaseTimerRunning() const { return FQuickRelease.timerRunning(); }
    int quickReleaseDelayCount() const { return FQuickRelease.delayCount(); }
    std::int32_t temperatureAxisMax() const { return FTemperature.max(); }

private:
    void setChannelMark(int n, TMark mark);
    void setSarMark(TSarPicture p, TMark mark);
    void setHallMark(int i, TMark mark);
    void syncScopeMark(int n);
    void computeBars(const TLiveChannelState& state, const TDisplayInputs& in);

    TDisplayView FView;
    TDisplayChanges FChanges;
    std::bitset<kDisplayDebugRows> FDebugChanges;
    std::bitset<kDisplayChannels> FPictureStale; // redraw on the next frame whatever the mark
    TQuickRelease FQuickRelease;
    TTemperatureAxis FTemperature;
    IScopeFeed* FScope = nullptr;
    TScopeSample FSample;
};
