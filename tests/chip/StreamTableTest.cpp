// Stream address table and the setup model that builds it.

#include "SetupModel.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// (position, address) of every non-zero entry among the first length entries.
std::vector<std::pair<int, int>> marks(const TStreamTable& t)
{
    std::vector<std::pair<int, int>> r;
    for (int k = 0; k < t.Layout.StreamLength; ++k) {
        if (t.Bytes[static_cast<std::size_t>(k)] != 0)
            r.emplace_back(k, t.Bytes[static_cast<std::size_t>(k)]);
    }
    return r;
}

TStreamTable build(const TStreamSelection& sel)
{
    TStreamTable t;
    t.Bytes.fill(0xEE); // every entry must be rewritten
    buildStreamTable(sel, t);
    return t;
}

} // namespace

TEST(StreamTable, OnlyCounts)
{
    TStreamSelection sel;
    sel.PT = sel.LTA = false;
    const TStreamTable t = build(sel);
    EXPECT_EQ(marks(t), (std::vector<std::pair<int, int>>{{0, 0x10}, {12, 0x20}, {24, 0xF2}}));
    EXPECT_EQ(t.Layout.StreamLength, 26);
    EXPECT_EQ(t.Layout.frameSize(), 29);
    EXPECT_TRUE(t.Layout.CSActive);
    EXPECT_FALSE(t.Layout.LTAActive);
    EXPECT_FALSE(t.Layout.PTActive);
    EXPECT_EQ(t.Layout.CSStartIndex, 15);
    EXPECT_EQ(t.Layout.QRDStartIndex, 27);
    EXPECT_EQ(t.Bytes[26], 0);
    EXPECT_EQ(t.Bytes[kStreamTableSize - 1], 0);
}

TEST(StreamTable, FixedStartIndicesOfTheStatusBlock)
{
    const TStreamLayout l = buildStreamLayout({});
    EXPECT_TRUE(l.SysFlagsActive);
    EXPECT_EQ(l.SysFlagsStartIndex, 3);
    EXPECT_EQ(l.PTStartIndex, 5);
    EXPECT_EQ(l.SarStartIndex, 6);
    EXPECT_EQ(l.MetalStartIndex, 7);
    EXPECT_EQ(l.HallStartIndex, 9);
    EXPECT_EQ(l.TempStartIndex, 12);
}

TEST(StreamTable, AveragesWithoutCounts)
{
    TStreamSelection sel;
    sel.CS = false;
    const TStreamTable t = build(sel);
    EXPECT_EQ(t.Bytes[12], 0x30);
    EXPECT_EQ(t.Layout.LTAStartIndex, 15);
    EXPECT_FALSE(t.Layout.CSActive);
    EXPECT_EQ(t.Layout.StreamLength, 20);
}

TEST(StreamTable, BothBlocksAndActiveChannels)
{
    TStreamSelection sel;
    sel.DoChStream = true;
    const TStreamTable t = build(sel);
    EXPECT_EQ(t.Bytes[30], 0xD1);
    EXPECT_EQ(t.Layout.ChStartIndex, 33);
    EXPECT_EQ(t.Bytes[31], 0xF2);
    EXPECT_EQ(t.Layout.QRDStartIndex, 34);
    EXPECT_EQ(t.Layout.StreamLength, 33);
}

TEST(StreamTable, DebugRowsTakeOneByteEachInRowOrder)
{
    TStreamSelection sel;
    sel.Addresses[0] = 0x1F;
    sel.Addresses[3] = 0x40;
    sel.Addresses[19] = 0x99;
    TStreamTable t = build(sel);
    EXPECT_EQ(t.Bytes[32], 0x1F);
    EXPECT_EQ(t.Bytes[33], 0x40);
    EXPECT_EQ(t.Bytes[34], 0x99);
    EXPECT_EQ(t.Layout.AdrStartIndexArray[0], 35);
    EXPECT_EQ(t.Layout.AdrStartIndexArray[3], 36);
    EXPECT_EQ(t.Layout.AdrStartIndexArray[19], 37);
    EXPECT_FALSE(t.Layout.AdrActiveArray[1]);
    EXPECT_EQ(t.Layout.StreamLength, 35);

    // Clearing a row moves the later rows up by one position.
    sel.Addresses[0].reset();
    t = build(sel);
    EXPECT_EQ(t.Bytes[32], 0x40);
    EXPECT_EQ(t.Layout.AdrStartIndexArray[3], 35);
    EXPECT_EQ(t.Layout.AdrStartIndexArray[19], 36);
    EXPECT_FALSE(t.Layout.AdrActiveArray[0]);
    EXPECT_EQ(t.Layout.StreamLength, 34);
}

TEST(StreamTable, ExtraBarsNeedTheirBoxAndTakeTwoBytes)
{
    TStreamSelection sel;
    sel.Addresses[20] = 0x20;
    sel.Addresses[21] = 0x17;
    TStreamTable t = build(sel);
    EXPECT_FALSE(t.Layout.AdrActiveArray[20]);
    EXPECT_FALSE(t.Layout.AdrActiveArray[21]);
    EXPECT_EQ(t.Layout.StreamLength, 32);

    sel.CH7Check = true;
    t = build(sel);
    EXPECT_FALSE(t.Layout.AdrActiveArray[20]);
    EXPECT_TRUE(t.Layout.AdrActiveArray[21]);
    EXPECT_EQ(t.Bytes[32], 0x17);
    EXPECT_EQ(t.Bytes[33], 0); // the next register of the same run
    EXPECT_EQ(t.Layout.AdrStartIndexArray[21], 35);
    EXPECT_EQ(t.Layout.StreamLength, 34);
}

TEST(StreamTable, EverythingOn)
{
    TStreamSelection sel;
    sel.DoChStream = sel.CH6Check = sel.CH7Check = true;
    for (auto& a : sel.Addresses)
        a = 0x42;
    EXPECT_EQ(buildStreamLayout(sel).StreamLength, 12 + 12 + 6 + 1 + 2 + 20 + 4);
}

TEST(SetupModel, DebugAddressTextsAndRejectedRows)
{
    TSetupModel s;
    s.CSCheck = s.LTACheck = s.PTCheck = true;
    s.AdrsEditArray[0] = "1F";
    s.AdrsEditArray[1] = "";   // empty: no position
    s.AdrsEditArray[2] = "g1"; // not hexadecimal
    s.AdrsEditArray[3] = "00"; // would continue the previous run
    s.AdrsEditArray[4] = "1ff";
    s.AdrsEditArray[5] = "d1";
    const std::vector<int> rejected = s.SetupStreaming();
    EXPECT_EQ(rejected, (std::vector<int>{2, 3, 4}));
    EXPECT_EQ(s.StreamBytes()[32], 0x1F);
    EXPECT_EQ(s.StreamBytes()[33], 0xD1);
    EXPECT_EQ(s.StreamLength(), 34);
    EXPECT_TRUE(s.streamLayout().AdrActiveArray[5]);
    EXPECT_FALSE(s.streamLayout().AdrActiveArray[2]);
}

TEST(SetupModel, StreamingSelectionBits)
{
    TSetupModel s;
    EXPECT_EQ(s.GetStreamingSetup(), kStreamPT | kStreamCS | kStreamLTA);
    EXPECT_EQ(s.GetStreamingSetup(), 0x0E);
    EXPECT_FALSE(s.streamSetupChanged());

    s.LTACheck = false;
    EXPECT_TRUE(s.detectStreamingChange());
    EXPECT_EQ(s.curSetup(), 0x06);
    s.undoStreaming();
    EXPECT_TRUE(s.LTACheck);
    EXPECT_FALSE(s.streamSetupChanged());

    s.SetStreamingSetup(kStreamCS);
    EXPECT_TRUE(s.CSCheck);
    EXPECT_FALSE(s.PTCheck || s.LTACheck);
    EXPECT_TRUE(s.detectStreamingChange());
    s.snapshotStreaming();
    EXPECT_EQ(s.prevSetup(), kStreamCS);
}

TEST(SetupModel, SetupStates)
{
    TSetupModel s;
    EXPECT_EQ(s.GetSetupCheckStates(), (TSetupStates{0, 0, 0, 0, 4200, 10, 60, 1, 0, 0x44}));
    EXPECT_FALSE(s.setupChecksChanged());

    s.I2CAddressText = "4a";
    s.GraphMax = 99.6;
    EXPECT_TRUE(s.detectSetupChecksChange());
    EXPECT_EQ(s.curSetupCheckStates()[9], 0x4A);
    EXPECT_EQ(s.curSetupCheckStates()[4], 100);
    s.undoSetupChecks();
    EXPECT_EQ(s.I2CAddressText, "44");
    EXPECT_EQ(s.GraphMax, 4200);
    EXPECT_FALSE(s.setupChecksChanged());

    s.I2CAddressText = "4x";
    EXPECT_EQ(s.GetSetupCheckStates()[9], -1);
    EXPECT_TRUE(s.SetSetupCheckStates(TSetupStates{1, 1, 2, -100, 500, 50, 10, 0, 2, 0x0A}));
    EXPECT_EQ(s.I2CAddressText, "0A");
    EXPECT_EQ(s.CommsIndex, 2);
    EXPECT_TRUE(s.BaselineView);
    EXPECT_FALSE(s.SetSetupCheckStates(std::vector<std::int32_t>{1, 2}));
}
