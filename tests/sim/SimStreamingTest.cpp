// Streaming at the report level: template runs, long frames over several
// reports, short frames, counters, lost reports and streaming errors.

#include "RawTool.h"
#include "SimBackend.h"

#include <gtest/gtest.h>

using simtest::RawTool;

namespace {

class SimStreaming : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(tool.setUpAndPowerOn(), 0);
        backend.advance(200);  // the ATI after power-up is over
    }

    // Sends the long-stream length and the template in 32-byte pieces.
    std::uint16_t startLong(const std::vector<std::uint8_t>& table)
    {
        const auto L = static_cast<std::uint16_t>(table.size());
        if (const auto res = tool.run(0x14, {static_cast<std::uint8_t>(L >> 8),
                                             static_cast<std::uint8_t>(L & 0xFF)}))
            return res;
        for (std::size_t piece = 0; piece * 32 < table.size(); ++piece) {
            const auto from = table.begin() + static_cast<long>(piece * 32);
            const auto to = table.begin() + static_cast<long>(std::min(table.size(), piece * 32 + 32));
            const auto res = RawTool::result(
                tool.send(0x15, {from, to}, static_cast<int>(piece)));
            if (res)
                return res;
        }
        return 0;
    }

    // Stream frames among the queued reports.
    std::vector<sim::Report> frames()
    {
        std::vector<sim::Report> out;
        for (const auto& r : tool.drain())
            if ((r[1] & 0x0F) == 0x0F)
                out.push_back(r);
        return out;
    }

    sim::SimBackend backend{{.mode = sim::Mode::Deterministic, .seed = 5}};
    int key = backend.plug();
    RawTool tool{backend.enumerate().at(0)};
};

// System flags, counts and averages: the table the settings window builds.
std::vector<std::uint8_t> standardTable()
{
    std::vector<std::uint8_t> t(32, 0);
    t[0] = 0x10;
    t[12] = 0x20;
    t[24] = 0x30;
    t[30] = 0xF2;
    return t;
}

TEST_F(SimStreaming, FramesFollowTheTemplateAtTheReportRate)
{
    ASSERT_EQ(startLong(standardTable()), 0);
    EXPECT_TRUE(frames().empty());
    backend.advance(160);  // ten cycles of 16 ms
    const auto f = frames();
    ASSERT_EQ(f.size(), 10u);
    for (std::size_t i = 0; i < f.size(); ++i) {
        EXPECT_EQ(f[i][1], 0x0F);
        EXPECT_EQ(f[i][2], i);  // counter from 0
        EXPECT_EQ(f[i][3], 0);  // report number
    }
    // The last frame holds the registers as they are now.
    const sim::Report& last = f.back();
    auto ctl = backend.tool(key);
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(last[4 + k], ctl.chipRegister(static_cast<std::uint8_t>(0x10 + k))) << k;
    for (int k = 0; k < 12; ++k)
        EXPECT_EQ(last[16 + k], ctl.chipRegister(static_cast<std::uint8_t>(0x20 + k))) << k;
    for (int k = 0; k < 6; ++k)
        EXPECT_EQ(last[28 + k], ctl.chipRegister(static_cast<std::uint8_t>(0x30 + k))) << k;
    EXPECT_GT(last[16] | (last[17] << 8), 0);
}

TEST_F(SimStreaming, LongFrameSpansNumberedReports)
{
    std::vector<std::uint8_t> table(70, 0);
    table[0] = 0x40;  // 0x40 .. 0x85
    ASSERT_EQ(startLong(table), 0);
    backend.advance(16);
    const auto f = frames();
    ASSERT_EQ(f.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(f[i][2], 0) << "same counter in every report";
        EXPECT_EQ(f[i][3], i);
    }
    auto ctl = backend.tool(key);
    for (int k = 0; k < 70; ++k)
        EXPECT_EQ(f[k / 32][4 + k % 32], ctl.chipRegister(static_cast<std::uint8_t>(0x40 + k)))
            << k;
    EXPECT_EQ(f[0][4], 0x01);  // CH0 senses RX0
    EXPECT_EQ(f[2][4 + 6], 0); // 6 payload bytes in the last report
}

TEST_F(SimStreaming, ShortStreamingCountsRemainingBytes)
{
    std::vector<std::uint8_t> table(40, 0);
    table[0] = 0x60;
    EXPECT_EQ(RawTool::result(tool.send(0x0C, {table.begin(), table.begin() + 32}, 40)), 0);
    EXPECT_EQ(RawTool::result(tool.send(0x0C, {table.begin() + 32, table.end()}, 8)), 0);
    backend.advance(16);
    const auto f = frames();
    ASSERT_EQ(f.size(), 2u);
    EXPECT_EQ(f[0][3], 40);
    EXPECT_EQ(f[1][3], 8);
    EXPECT_EQ(f[0][4], 0x0A);  // prox threshold CH0
}

TEST_F(SimStreaming, StartNeedsPowerAndAnAnsweringChip)
{
    ASSERT_EQ(tool.run(0x03, {}), 0);
    EXPECT_EQ(startLong(standardTable()), 0x1505);
    ASSERT_EQ(tool.run(0x02, {}), 0);
    backend.tool(key).setChipAnswering(false);
    EXPECT_EQ(startLong(standardTable()), 0x1503);
    backend.tool(key).setChipAnswering(true);
    EXPECT_EQ(RawTool::result(tool.send(0x15, {0x10}, 1)), 0x15FE);  // piece out of order
    EXPECT_EQ(startLong(standardTable()), 0);
    EXPECT_EQ(tool.run(0x0D, {}), 0);
    EXPECT_EQ(tool.run(0x0D, {}), 0x0D01);
}

TEST_F(SimStreaming, CounterWrapsAndRestartsFromZero)
{
    ASSERT_EQ(startLong(standardTable()), 0);
    std::vector<sim::Report> f;
    for (int i = 0; i < 6; ++i) {  // read in between: a handle queues at most 64 reports
        backend.advance(16 * 43);
        for (const auto& r : frames())
            f.push_back(r);
    }
    ASSERT_EQ(f.size(), 258u);
    EXPECT_EQ(f[255][2], 255);
    EXPECT_EQ(f[256][2], 0);
    ASSERT_EQ(tool.run(0x0D, {}), 0);
    ASSERT_EQ(startLong(standardTable()), 0);
    backend.advance(16);
    f = frames();
    ASSERT_EQ(f.size(), 1u);
    EXPECT_EQ(f[0][2], 0);
}

TEST_F(SimStreaming, LostReportLeavesACounterGap)
{
    ASSERT_EQ(startLong(standardTable()), 0);
    backend.advance(32);
    backend.tool(key).loseStreamReports(1);
    backend.advance(48);
    const auto f = frames();
    ASSERT_EQ(f.size(), 4u);
    EXPECT_EQ(f[1][2], 1);
    EXPECT_EQ(f[2][2], 3);
}

TEST_F(SimStreaming, ChipThatStopsAnsweringRaisesStreamingErrors)
{
    ASSERT_EQ(startLong(standardTable()), 0);
    backend.advance(16);
    backend.tool(key).setChipAnswering(false);
    backend.advance(1100);
    std::vector<sim::Report> errors;
    for (const auto& r : tool.drain())
        if ((r[1] & 0x0F) == 0x0E)
            errors.push_back(r);
    ASSERT_EQ(errors.size(), 2u);  // at once, then once a second
    EXPECT_EQ(errors[0][2], 0);    // no message id
    EXPECT_EQ(errors[0][4], 0);
    EXPECT_EQ(errors[0][5], 14);   // "No comms reply"
}

TEST_F(SimStreaming, PowerOffEndsTheStream)
{
    ASSERT_EQ(startLong(standardTable()), 0);
    ASSERT_EQ(tool.run(0x03, {}), 0);
    EXPECT_FALSE(backend.tool(key).streaming());
    backend.advance(100);
    EXPECT_TRUE(frames().empty());
}

TEST_F(SimStreaming, CommandsAnswerWhileStreaming)
{
    ASSERT_EQ(startLong(standardTable()), 0);
    backend.advance(100);
    // The reply is found among the queued frames.
    EXPECT_EQ(tool.write({0x60, 0x30}), 0);
    EXPECT_EQ(tool.read1(0x60), 0x30);
}

}  // namespace

namespace {

TEST_F(SimStreaming, ReportRateRegisterSetsTheFrameRate)
{
    backend.advance(200);
    ASSERT_EQ(tool.write({0xD3, 50}), 0);
    ASSERT_EQ(startLong(standardTable()), 0);
    backend.advance(1000);
    EXPECT_EQ(frames().size(), 20u);
}

TEST_F(SimStreaming, EventModeSendsFramesOnlyOnEvents)
{
    backend.advance(2000);
    tool.modify(0xD0, 0x60, 0);  // event mode, acknowledge the reset
    ASSERT_EQ(startLong(standardTable()), 0);
    backend.advance(1000);
    EXPECT_TRUE(frames().empty());
    backend.tool(key).setFinger(0, 1.0);
    backend.advance(300);
    const auto f = frames();
    ASSERT_FALSE(f.empty());
    EXPECT_LE(f.size(), 3u);
    EXPECT_TRUE(f.front()[4 + 1] & 0x01) << "prox event flag";
    EXPECT_TRUE(f.front()[4] & 0x02) << "global event flag";
    // With the prox event masked out, the finger leaving sends nothing.
    ASSERT_EQ(tool.write({0xD7, 0xFE}), 0);
    backend.tool(key).setFinger(0, 0.0);
    backend.advance(300);
    EXPECT_TRUE(frames().empty());
}

TEST_F(SimStreaming, CommsInAtiDecidesWhetherFramesFlowDuringAti)
{
    backend.advance(200);
    ASSERT_EQ(startLong(standardTable()), 0);
    tool.modify(0xD0, 0x02, 0);  // redo ATI without comms in ATI
    backend.advance(100);
    EXPECT_TRUE(frames().empty());
    backend.advance(100);
    auto f = frames();
    ASSERT_FALSE(f.empty());
    EXPECT_FALSE(f.front()[4] & 0x04);

    tool.modify(0xD0, 0x0A, 0);  // comms in ATI and redo ATI
    backend.advance(200);
    f = frames();
    ASSERT_GE(f.size(), 10u);
    EXPECT_TRUE(f.front()[4] & 0x04) << "ATI busy in the first frames";
    EXPECT_FALSE(f.back()[4] & 0x04) << "and clear once it is over";
}

}  // namespace

// Stress rate: frames on their own microsecond schedule, whatever the chip's cycle.
namespace {

TEST_F(SimStreaming, StressRateSendsFramesOnItsOwnScheduleWithoutDrift)
{
    ASSERT_EQ(tool.write({0xD3, 50}), 0);  // the chip cycles every 50 ms
    auto ctl = backend.tool(key);
    ctl.setStreamRate(3000);               // a period of 333.3 us
    const std::uint64_t before = ctl.framesStreamed();
    ASSERT_EQ(startLong(standardTable()), 0);
    std::vector<sim::Report> f;
    for (int ms = 0; ms < 1000; ms += 10) {  // read before the 64-report queue fills
        backend.advance(10);
        for (const auto& r : frames())
            f.push_back(r);
    }
    ASSERT_EQ(f.size(), 3000u);
    EXPECT_EQ(ctl.framesStreamed() - before, 3000u);
    for (std::size_t i = 0; i < f.size(); ++i)
        ASSERT_EQ(f[i][2], i % 256) << i;

    // Back to the chip's cycle.
    ctl.setStreamRate(0);
    backend.advance(500);
    EXPECT_EQ(frames().size(), 10u);
}

TEST_F(SimStreaming, StressRateKeepsMultiReportFramesAndRestartsWithTheStream)
{
    backend.tool(key).setStreamRate(8000);
    std::vector<std::uint8_t> table(70, 0);
    table[0] = 0x40;
    ASSERT_EQ(startLong(table), 0);
    backend.advance(2);
    auto f = frames();
    ASSERT_EQ(f.size(), 16u * 3);  // 16 frames of three reports
    for (std::size_t i = 0; i < f.size(); ++i) {
        EXPECT_EQ(f[i][2], i / 3) << i;
        EXPECT_EQ(f[i][3], i % 3) << i;
    }
    ASSERT_EQ(tool.run(0x0D, {}), 0);
    backend.advance(5);
    EXPECT_TRUE(frames().empty());
    ASSERT_EQ(startLong(table), 0);
    backend.advance(1);
    f = frames();
    ASSERT_EQ(f.size(), 8u * 3);
    EXPECT_EQ(f[0][2], 0);
}

TEST_F(SimStreaming, FullQueueLosesTheOldestReports)
{
    auto ctl = backend.tool(key);
    ctl.setStreamRate(8000);
    const std::uint64_t before = ctl.framesStreamed();
    ASSERT_EQ(startLong(standardTable()), 0);
    backend.advance(100);  // 800 frames, nobody reading
    const auto f = frames();
    EXPECT_EQ(ctl.framesStreamed() - before, 800u);
    ASSERT_EQ(f.size(), 64u);
    EXPECT_EQ(f.front()[2], (800 - 64) % 256);
    EXPECT_EQ(f.back()[2], 799 % 256);
}

}  // namespace
