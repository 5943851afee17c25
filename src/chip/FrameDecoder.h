#pragma once
// Streamed frame -> live channel state (pure).

#include "LiveChannelState.h"
#include "StreamTable.h"

#include <cstdint>
#include <span>
#include <string>

// The sending tool's identifier: upper four bits of frame byte 0 (0 for an
// empty frame).
inline int frameToolId(std::span<const std::uint8_t> frame)
{
    return frame.empty() ? 0 : frame[0] >> 4;
}

// Decodes one frame laid out by layout into state. uiSar is the SAR UI enable
// (UI_SAR): FSarChStr takes 0xD1 only while it is set and 0xD1 is streamed.
// A frame shorter than layout.frameSize() is refused: false, state untouched.
// FATIBusy and FWasATIBusy are left alone (see trackAtiBusy).
bool decodeFrame(std::span<const std::uint8_t> frame, const TStreamLayout& layout, bool uiSar,
                 TLiveChannelState& state);

// ATI tracking across frames, from FSysFlags bit 2: while it is set FATIBusy is
// true; on the first frame with it clear after that, FATIBusy is cleared and
// FWasATIBusy set (the session clears FWasATIBusy once it has followed up).
void trackAtiBusy(TLiveChannelState& state);

// The Hall value as shown and charted: negative while the pole bit is clear.
inline std::int32_t shownHallValue(const TLiveChannelState& state)
{
    return state.FHallNS ? state.FHallValue : -state.FHallValue;
}

// A debug row's read-out: eight binary digits, " 0x", two hexadecimal digits
// ("00010010 0x12").
std::string debugByteText(std::uint8_t value);
