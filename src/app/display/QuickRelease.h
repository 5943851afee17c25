#pragma once
// The quick-release graph (QRDGraph) while SAR UI is enabled: the held maximum
// FQRDMax with its reset timer QRDTimer, the current value, and the channel-1
// touch picture that the quick-release flag holds (mark 3) until the flag has
// been clear for more than 10 frames.

#include "DisplayTypes.h"

#include <cstdint>

// What the QRDTimer owner must do after a frame.
struct TTimerRequest {
    enum class TAction { None, Start, Stop };
    TAction Action = TAction::None;
    std::uint32_t IntervalMs = 0; // for Start
};

class TQuickRelease {
public:
    static constexpr std::int32_t kAxisStart = 30;  // bottom axis 0..30 at creation
    static constexpr std::int32_t kAxisMargin = 30; // room kept above the value
    static constexpr int kReleaseFrames = 10;       // the touch picture outlasts the flag

    // One frame while the chip is not in ATI. channel1 is channel 1's picture
    // mark; it may change. Returns true when channel1 changed.
    bool frame(std::uint16_t value, bool qrFlag, bool uiSar, std::uint32_t resetMs,
               TMark& channel1);
    // QRDTimer fired: held maximum 0, bar gone, axis back to 0..30.
    void timerFired();
    // Start: held maximum, cleared flag and delay count to 0.
    void start();

    // The last request since it was taken (a later one replaces an earlier one).
    TTimerRequest takeTimerRequest();
    bool timerRunning() const { return FTimerRunning; }
    int delayCount() const { return FQRDDelayCount; }
    const TQuickReleaseView& view() const { return FView; }

private:
    void request(TTimerRequest::TAction action, std::uint32_t ms);

    TQuickReleaseView FView;
    std::int32_t FQRDMax = 0;
    bool FQRDCleared = false;
    int FQRDDelayCount = 0;
    bool FTimerRunning = false;
    TTimerRequest FRequest;
};
