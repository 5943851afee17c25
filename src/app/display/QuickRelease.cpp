#include "QuickRelease.h"

#include <algorithm>

void TQuickRelease::request(TTimerRequest::TAction action, std::uint32_t ms)
{
    FRequest.Action = action;
    FRequest.IntervalMs = ms;
    FTimerRunning = action == TTimerRequest::TAction::Start;
}

TTimerRequest TQuickRelease::takeTimerRequest()
{
    const TTimerRequest r = FRequest;
    FRequest = {};
    return r;
}

bool TQuickRelease::frame(std::uint16_t value, bool qrFlag, bool uiSar, std::uint32_t resetMs,
                          TMark& channel1)
{
    if (!uiSar) {
        bool changed = false;
        if (!FQRDCleared) {
            FQRDCleared = true;
            FQRDMax = 0;
            FView.BarShown = false;
            FView.MarkerShown = false;
            FView.HeldMax = 0;
            // Without SAR UI nothing releases the picture the flag set.
            if (channel1 == TMark::QuickRelease) {
                channel1 = TMark::None;
                changed = true;
            }
        }
        return changed;
    }

    const std::int32_t v = value;
    FQRDMax = std::max(FQRDMax, v);
    if (v < FQRDMax) {
        if (!FTimerRunning)
            request(TTimerRequest::TAction::Start, resetMs);
    } else if (FTimerRunning) {
        request(TTimerRequest::TAction::Stop, 0);
    }
    FQRDCleared = false;
    if (v > FView.AxisMax - kAxisMargin)
        FView.AxisMax = v + kAxisMargin;
    FView.LabelText = std::to_string(v);
    FView.BarShown = true;
    FView.HeldMax = FQRDMax;
    FView.BarColour = qrFlag ? dispcolour::Touch : dispcolour::Prox;
    FView.MarkerShown = true;
    FView.Value = v;

    if (qrFlag && channel1 == TMark::None) {
        channel1 = TMark::QuickRelease;
        FQRDDelayCount = 0;
        return true;
    }
    if (!qrFlag && channel1 == TMark::QuickRelease && ++FQRDDelayCount > kReleaseFrames) {
        channel1 = TMark::None;
        return true;
    }
    return false;
}

void TQuickRelease::timerFired()
{
    FTimerRunning = false;
    FQRDMax = 0;
    FView.HeldMax = 0;
    FView.BarShown = false;
    FView.AxisMax = kAxisStart;
}

void TQuickRelease::start()
{
    FQRDMax = 0;
    FQRDCleared = false;
    FQRDDelayCount = 0;
}
