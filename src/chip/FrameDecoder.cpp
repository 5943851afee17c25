#include "FrameDecoder.h"

namespace {

inline std::uint16_t le16(const std::uint8_t* f, int at)
{
    return static_cast<std::uint16_t>(f[at] | (f[at + 1] << 8));
}

inline bool bit(std::uint8_t b, int n)
{
    return ((b >> n) & 1u) != 0;
}

} // namespace

bool decodeFrame(std::span<const std::uint8_t> frame, const TStreamLayout& layout, bool uiSar,
                 TLiveChannelState& s)
{
    // Every start index lies below frameSize(); one check covers all reads.
    if (layout.StreamLength < 0 || frame.size() < static_cast<std::size_t>(layout.frameSize()))
        return false;
    const std::uint8_t* f = frame.data();

    // 0x10, 0x11: system flags and events.
    const std::uint8_t sys = f[layout.SysFlagsStartIndex];
    const std::uint8_t events = f[layout.SysFlagsStartIndex + 1];
    s.FSysFlags = sys;
    s.FSysEvents = events;

    // 0x13: SAR and UI flags.
    const std::uint8_t sar = f[layout.SarStartIndex];
    s.FSarTState = bit(sar, 0);
    s.FSarMov = bit(sar, 1);
    s.FSarQR = bit(sar, 2);
    s.FSarPState = bit(sar, 4);
    s.FSarCh1TState = bit(sar, 5);
    s.FSarCh1DState = bit(sar, 6);
    s.FMetalType = bit(sar, 7);
    s.FMetalProx = bit(sar, 5);
    s.FMetalTouch = bit(sar, 6);

    s.FQRDValue = le16(f, layout.QRDStartIndex);

    // 0x12: prox and touch flags, also read as SAR channel states.
    const std::uint8_t pt = f[layout.PTStartIndex];
    s.FSarCh0PState = bit(pt, 0);
    s.FSarCh1PState = bit(pt, 2);
    s.FSarCh0TState = bit(pt, 4);
    s.FSarCh0DState = bit(pt, 5);

    s.FMetalUIValue = le16(f, layout.MetalStartIndex);
    s.FSarChStr = (uiSar && layout.ChActive) ? f[layout.ChStartIndex] : 0;

    // 0x16..0x18: Hall flags and value.
    const std::uint8_t hall = f[layout.HallStartIndex];
    s.FHallNS = bit(hall, 0);
    s.FHallPState = bit(hall, 1);
    s.FHallTState = bit(hall, 2);
    s.FHallValue = le16(f, layout.HallStartIndex + 1);

    // 0x19..0x1B: temperature flags and value.
    s.FTemperatureFlags = f[layout.TempStartIndex];
    s.FETempTrip = bit(s.FTemperatureFlags, 7);
    s.FTemperatureValue = le16(f, layout.TempStartIndex + 1);

    // Channels 0..5: counts, averages (channels 3..5 have none and take their
    // count), deltas.
    const bool cs = layout.CSActive;
    const bool lta = layout.LTAActive;
    for (int n = 0; n < 6; ++n) {
        if (cs)
            s.FCurrentChs[n] = le16(f, layout.CSStartIndex + 2 * n);
        if (lta)
            s.FLTAChs[n] = n < 3 ? le16(f, layout.LTAStartIndex + 2 * n) : s.FCurrentChs[n];
        s.FDeltaChs[n] = (cs && lta) ? s.FCurrentChs[n] - s.FLTAChs[n] : 0;
    }
    s.FLPcsCH = cs ? s.FCurrentChs[0] : 0;
    s.FLPltaCH = lta ? s.FLTAChs[0] : 0;

    if (layout.PTActive) {
        s.FProx = pt & 0x0F;
        s.FTouch = pt >> 4;
    } else {
        s.FProx = 0;
        s.FTouch = 0;
    }
    for (int n = 0; n < 4; ++n) {
        s.FProxBools[n] = bit(static_cast<std::uint8_t>(s.FProx), n);
        s.FTouchBools[n] = bit(static_cast<std::uint8_t>(s.FTouch), n);
    }

    // System flags and events.
    s.FPowerMode = static_cast<std::uint8_t>((sys >> 3) & 0x03);
    s.FLP = s.FPowerMode != 0;
    s.FEGlobal = bit(sys, 1);
    s.FSegNPActive = bit(sys, 0);
    s.FShowReset = bit(sys, 7);
    s.FEPxs = bit(events, 0);
    s.FESAR = bit(events, 1);
    s.FEHall = bit(events, 2);
    s.FEMetal = bit(events, 3);
    s.FETemp = bit(events, 4);
    s.FESys = bit(events, 5);
    s.FEPmu = bit(events, 6);
    s.FESarActive = bit(events, 7);

    // Debug rows and the two extra bars.
    for (int j = 0; j < kDebugRows; ++j) {
        if (layout.AdrActiveArray[j])
            s.DebugBytes[j] = f[layout.AdrStartIndexArray[j]];
    }
    s.Bar1Val =
        layout.AdrActiveArray[kExtraBar1] ? le16(f, layout.AdrStartIndexArray[kExtraBar1]) : 0;
    s.Bar2Val =
        layout.AdrActiveArray[kExtraBar2] ? le16(f, layout.AdrStartIndexArray[kExtraBar2]) : 0;
    return true;
}

void trackAtiBusy(TLiveChannelState& s)
{
    if (bit(s.FSysFlags, 2)) {
        s.FATIBusy = true;
    } else if (s.FATIBusy) {
        s.FATIBusy = false;
        s.FWasATIBusy = true;
    }
}

std::string debugByteText(std::uint8_t value)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string s(13, ' ');
    for (int i = 0; i < 8; ++i)
        s[static_cast<std::size_t>(i)] = bit(value, 7 - i) ? '1' : '0';
    s[9] = '0';
    s[10] = 'x';
    s[11] = kHex[value >> 4];
    s[12] = kHex[value & 0xF];
    return s;
}
