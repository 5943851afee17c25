// Frame decoding: frames are filled from a register file by walking the
// stream address table the way the tool does.

#include "FrameDecoder.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

namespace {

using Regs = std::array<std::uint8_t, 256>;

std::vector<std::uint8_t> frameFrom(const TStreamTable& t, const Regs& regs, int toolId = 1)
{
    std::vector<std::uint8_t> f(static_cast<std::size_t>(t.Layout.frameSize()), 0);
    f[0] = static_cast<std::uint8_t>(toolId << 4);
    std::uint8_t address = 0;
    for (int k = 0; k < t.Layout.StreamLength; ++k) {
        const std::uint8_t entry = t.Bytes[static_cast<std::size_t>(k)];
        address = entry != 0 ? entry : static_cast<std::uint8_t>(address + 1);
        f[static_cast<std::size_t>(k + kFrameHeader)] = regs[address];
    }
    return f;
}

void put16(Regs& r, int address, int value)
{
    r[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(value & 0xFF);
    r[static_cast<std::size_t>(address + 1)] = static_cast<std::uint8_t>(value >> 8);
}

Regs sampleRegisters()
{
    Regs r{};
    r[0x10] = 0x80 | 0x10 | 0x02 | 0x01; // reset, power mode 2, global event, NP seg
    r[0x11] = 0xA5;
    r[0x12] = 0x35; // touch 0b0011, prox 0b0101
    r[0x13] = 0xB5; // bits 0, 2, 4, 5, 7
    put16(r, 0x14, 777);
    r[0x16] = 0x06; // pole clear, prox, touch
    put16(r, 0x17, 300);
    r[0x19] = 0x80;
    put16(r, 0x1A, 180);
    for (int n = 0; n < 6; ++n)
        put16(r, 0x20 + 2 * n, 1000 + 100 * n);
    for (int n = 0; n < 3; ++n)
        put16(r, 0x30 + 2 * n, 990 + 100 * n);
    r[0xD1] = 0x3D;
    put16(r, 0xF2, 42);
    r[0x12 + 0x50] = 0x12; // 0x62, a debug row
    put16(r, 0x90, 0xBEEF);
    put16(r, 0xA0, 0x1234);
    return r;
}

TStreamTable fullTable()
{
    TStreamSelection sel;
    sel.DoChStream = sel.CH6Check = sel.CH7Check = true;
    sel.Addresses[0] = 0x62;
    sel.Addresses[20] = 0x90;
    sel.Addresses[21] = 0xA0;
    TStreamTable t;
    buildStreamTable(sel, t);
    return t;
}

} // namespace

TEST(FrameDecoder, DecodesEveryBlock)
{
    const TStreamTable t = fullTable();
    const auto frame = frameFrom(t, sampleRegisters());
    TLiveChannelState s;
    ASSERT_TRUE(decodeFrame(frame, t.Layout, true, s));

    EXPECT_EQ(s.FSysFlags, 0x93);
    EXPECT_EQ(s.FSysEvents, 0xA5);
    EXPECT_EQ(s.FPowerMode, 2);
    EXPECT_TRUE(s.FLP);
    EXPECT_TRUE(s.FEGlobal && s.FSegNPActive && s.FShowReset);
    EXPECT_TRUE(s.FEPxs && s.FEHall && s.FESys && s.FESarActive);
    EXPECT_FALSE(s.FESAR || s.FEMetal || s.FETemp || s.FEPmu);

    EXPECT_TRUE(s.FSarTState && s.FSarQR && s.FSarPState && s.FSarCh1TState && s.FMetalType);
    EXPECT_TRUE(s.FMetalProx);
    EXPECT_FALSE(s.FSarMov || s.FSarCh1DState || s.FMetalTouch);
    EXPECT_TRUE(s.FSarCh0PState && s.FSarCh1PState && s.FSarCh0TState && s.FSarCh0DState);

    EXPECT_EQ(s.FMetalUIValue, 777);
    EXPECT_EQ(s.FQRDValue, 42);
    EXPECT_EQ(s.FSarChStr, 0x3D);
    EXPECT_EQ(s.FTemperatureValue, 180);
    EXPECT_TRUE(s.FETempTrip);

    EXPECT_EQ(s.FCurrentChs, (std::array<std::int32_t, 6>{1000, 1100, 1200, 1300, 1400, 1500}));
    EXPECT_EQ(s.FLTAChs, (std::array<std::int32_t, 6>{990, 1090, 1190, 1300, 1400, 1500}));
    EXPECT_EQ(s.FDeltaChs, (std::array<std::int32_t, 6>{10, 10, 10, 0, 0, 0}));
    EXPECT_EQ(s.FLPcsCH, 1000);
    EXPECT_EQ(s.FLPltaCH, 990);

    EXPECT_EQ(s.FProx, 0x5);
    EXPECT_EQ(s.FTouch, 0x3);
    EXPECT_EQ(s.FProxBools, (std::array<bool, 4>{true, false, true, false}));
    EXPECT_EQ(s.FTouchBools, (std::array<bool, 4>{true, true, false, false}));

    EXPECT_EQ(s.DebugBytes[0], 0x12);
    EXPECT_EQ(s.Bar1Val, 0xBEEF);
    EXPECT_EQ(s.Bar2Val, 0x1234);
    EXPECT_EQ(frameToolId(frame), 1);
}

TEST(FrameDecoder, HallValueIsNegativeWhilePoleBitIsClear)
{
    const TStreamTable t = fullTable();
    Regs r = sampleRegisters();
    TLiveChannelState s;
    decodeFrame(frameFrom(t, r), t.Layout, false, s);
    EXPECT_FALSE(s.FHallNS);
    EXPECT_TRUE(s.FHallPState && s.FHallTState);
    EXPECT_EQ(s.FHallValue, 300);
    EXPECT_EQ(shownHallValue(s), -300);

    r[0x16] = 0x01;
    put16(r, 0x17, 65535);
    decodeFrame(frameFrom(t, r), t.Layout, false, s);
    EXPECT_EQ(shownHallValue(s), 65535);
}

TEST(FrameDecoder, BlocksNotStreamedKeepTheirValues)
{
    TStreamSelection sel;
    TStreamTable t;
    buildStreamTable(sel, t);
    Regs r = sampleRegisters();
    TLiveChannelState s;
    decodeFrame(frameFrom(t, r), t.Layout, false, s);

    // Counts off: counts stay, averages follow, deltas and CH0 count read 0.
    sel.CS = false;
    buildStreamTable(sel, t);
    for (int n = 0; n < 6; ++n)
        put16(r, 0x20 + 2 * n, 1); // would show if wrongly decoded
    put16(r, 0x30, 500);
    ASSERT_TRUE(decodeFrame(frameFrom(t, r), t.Layout, false, s));
    EXPECT_EQ(s.FCurrentChs[0], 1000);
    EXPECT_EQ(s.FCurrentChs[5], 1500);
    EXPECT_EQ(s.FLTAChs[0], 500);
    EXPECT_EQ(s.FLTAChs[4], 1400); // channels 3..5 take their (kept) count
    EXPECT_EQ(s.FDeltaChs, (std::array<std::int32_t, 6>{}));
    EXPECT_EQ(s.FLPcsCH, 0);
    EXPECT_EQ(s.FLPltaCH, 500);

    // Averages off as well, prox and touch off.
    sel.LTA = false;
    sel.PT = false;
    buildStreamTable(sel, t);
    put16(r, 0x30, 7);
    ASSERT_TRUE(decodeFrame(frameFrom(t, r), t.Layout, false, s));
    EXPECT_EQ(s.FLTAChs[0], 500);
    EXPECT_EQ(s.FLPltaCH, 0);
    EXPECT_EQ(s.FProx, 0);
    EXPECT_EQ(s.FTouch, 0);
    EXPECT_EQ(s.FProxBools, (std::array<bool, 4>{}));
    EXPECT_TRUE(s.FSarCh0PState); // 0x12 is always in the frame
    EXPECT_EQ(s.FQRDValue, 42);   // quick release always streamed
    EXPECT_EQ(t.Layout.QRDStartIndex, 15);
}

TEST(FrameDecoder, ActiveChannelsByteNeedsSarUiAndTheStream)
{
    TStreamSelection sel;
    TStreamTable t;
    buildStreamTable(sel, t); // 0xD1 not streamed
    const Regs r = sampleRegisters();
    TLiveChannelState s;
    decodeFrame(frameFrom(t, r), t.Layout, true, s);
    EXPECT_EQ(s.FSarChStr, 0);

    sel.DoChStream = true;
    buildStreamTable(sel, t);
    decodeFrame(frameFrom(t, r), t.Layout, false, s);
    EXPECT_EQ(s.FSarChStr, 0);
    decodeFrame(frameFrom(t, r), t.Layout, true, s);
    EXPECT_EQ(s.FSarChStr, 0x3D);
}

TEST(FrameDecoder, ExtraBarsReadZeroWhileNotStreamed)
{
    TStreamTable t = fullTable();
    TLiveChannelState s;
    decodeFrame(frameFrom(t, sampleRegisters()), t.Layout, false, s);
    ASSERT_EQ(s.Bar1Val, 0xBEEF);

    TStreamSelection sel;
    sel.Addresses[20] = 0x90; // box not ticked
    buildStreamTable(sel, t);
    decodeFrame(frameFrom(t, sampleRegisters()), t.Layout, false, s);
    EXPECT_EQ(s.Bar1Val, 0);
    EXPECT_EQ(s.Bar2Val, 0);
    EXPECT_EQ(s.DebugBytes[0], 0x12); // row no longer streamed: kept
}

TEST(FrameDecoder, ShortFrameIsRefusedAndChangesNothing)
{
    const TStreamTable t = fullTable();
    auto frame = frameFrom(t, sampleRegisters());
    frame.pop_back();
    TLiveChannelState s;
    s.FQRDValue = 9;
    EXPECT_FALSE(decodeFrame(frame, t.Layout, true, s));
    EXPECT_EQ(s.FQRDValue, 9);
    EXPECT_EQ(s.FCurrentChs[0], 0);
    EXPECT_FALSE(decodeFrame({}, t.Layout, true, s));
    EXPECT_EQ(frameToolId({}), 0);
}

TEST(FrameDecoder, AtiBusyFallingEdge)
{
    TLiveChannelState s;
    s.FSysFlags = 0x04;
    trackAtiBusy(s);
    EXPECT_TRUE(s.FATIBusy);
    EXPECT_FALSE(s.FWasATIBusy);
    trackAtiBusy(s);
    EXPECT_FALSE(s.FWasATIBusy);
    s.FSysFlags = 0x00;
    trackAtiBusy(s);
    EXPECT_FALSE(s.FATIBusy);
    EXPECT_TRUE(s.FWasATIBusy);
    s.FWasATIBusy = false; // the session's follow-up
    trackAtiBusy(s);
    EXPECT_FALSE(s.FWasATIBusy);
}

TEST(FrameDecoder, DebugByteText)
{
    EXPECT_EQ(debugByteText(0x12), "00010010 0x12");
    EXPECT_EQ(debugByteText(0xFF), "11111111 0xFF");
    EXPECT_EQ(debugByteText(0x00), "00000000 0x00");
}
