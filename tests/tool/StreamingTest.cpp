// The streaming engine: start and stop, frame assembly, counters, errors,
// event reports, raw mode, as the application's OnStreaming sees them.

#include "ToolRig.h"

#include <gtest/gtest.h>

using scripted::frame;
using scripted::Report;

namespace {

std::vector<std::uint8_t> pattern(int n, std::uint8_t seed)
{
    std::vector<std::uint8_t> p(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        p[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(seed + i);
    return p;
}

struct StreamRig : ToolRig {
    static constexpr std::uint8_t kToolId = 3;
    std::vector<std::vector<std::uint8_t>> frames;  // what OnStreaming received
    std::vector<int> frameIds;
    std::vector<std::uint8_t> missed;
    std::vector<std::uint16_t> errors;
    int deviceData = 0;

    StreamRig()
    {
        responder->toolId = kToolId;
        tool.OnStreaming = [this](std::uint16_t size, std::uint8_t id, const std::uint8_t* d) {
            frames.emplace_back(d, d + size);
            frameIds.push_back(id);
        };
        tool.OnStreamingDataMissed = [this](std::uint8_t id) { missed.push_back(id); };
        tool.OnStreamingError = [this](std::uint16_t code) { errors.push_back(code); };
        list.OnDeviceData = [this](std::uint16_t, std::uint8_t, const std::uint8_t*) { ++deviceData; };
    }

    void startLong(std::uint16_t length)
    {
        ASSERT_EQ(tool.SetLongStreamingLength(length), 0);
        std::uint32_t version = 0;
        ASSERT_EQ(tool.GetCTFWVersion(version), 0);
        TKvnByteArray table{};
        ASSERT_EQ(tool.StartLongStreaming(table), 0);
        settle();
    }
    // Delivers what the readers hold (command replies included) and forgets it.
    void settle()
    {
        list.PollReaders();
        frames.clear();
        frameIds.clear();
        missed.clear();
        errors.clear();
        deviceData = 0;
    }
    void send(const Report& r)
    {
        device->pushInput(r);
        list.PollReaders();
    }
    // One long frame of `length` payload bytes; `skip` leaves one report out.
    void sendLong(std::uint8_t counter, int length, std::uint8_t seed, int skip = -1)
    {
        const std::vector<std::uint8_t> payload = pattern(length, seed);
        const int reports = length <= 32 ? 1 : (length + 31) / 32;
        for (int k = 0; k < reports; ++k) {
            if (k == skip)
                continue;
            const auto from = payload.begin() + k * 32;
            const auto to = payload.begin() + std::min(length, (k + 1) * 32);
            send(frame(kToolId, counter, static_cast<std::uint8_t>(k), {from, to}));
        }
    }
};

}  // namespace

TEST(Streaming, StartLongStreamingSendsTheTemplateInNumberedPieces)
{
    StreamRig rig;
    ASSERT_EQ(rig.tool.SetLongStreamingLength(70), 0);
    TKvnByteArray table{};
    for (int i = 0; i < 70; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i + 1);
    rig.device->clearWritten();
    ASSERT_EQ(rig.tool.StartLongStreaming(table), 0);
    EXPECT_EQ(rig.commands(4), (std::vector<std::vector<std::uint8_t>>{
                                   {0x15, 0, 1, 2}, {0x15, 1, 33, 34}, {0x15, 2, 65, 66}}));
    EXPECT_EQ(rig.device->written()[2][4 + 5], 70);
    EXPECT_EQ(rig.device->written()[2][4 + 6], 0);
    EXPECT_TRUE(rig.list.IsStreaming());
    EXPECT_TRUE(rig.list.DoLongStream());
    EXPECT_EQ(rig.list.LongStreamingPackets(), 2);
    EXPECT_EQ(rig.list.StreamingNumberOfDevices(), 1);
    EXPECT_EQ(rig.list.StreamingCounter().DevID(0), "0") << "no version asked yet: tool ID 0";
    EXPECT_EQ(rig.list.StreamingCounter().Counter(0), "0");

    rig.device->clearWritten();
    EXPECT_EQ(rig.tool.StartLongStreaming(table), 8) << "already streaming";
    EXPECT_TRUE(rig.device->written().empty());
}

TEST(Streaming, LengthAndTemplateSettings)
{
    StreamRig rig;
    rig.device->clearWritten();
    EXPECT_EQ(rig.tool.SetLongStreamingLength(70, 3), 254);
    EXPECT_TRUE(rig.device->written().empty());
    EXPECT_EQ(rig.tool.SetLongStreamingLength(70, 40), 0);
    EXPECT_EQ(rig.list.LongStreamingLength(), 70);
    EXPECT_EQ(rig.list.LongStreamingSetupLength(), 40u);
    EXPECT_EQ(rig.list.LongStreamingSetupPackets(), 2);
    rig.device->clearWritten();
    TKvnByteArray table{};
    ASSERT_EQ(rig.tool.StartLongStreaming(table), 0);
    EXPECT_EQ(rig.device->written().size(), 2u) << "a 40-byte template in two pieces";
    EXPECT_EQ(rig.list.LongStreamingPackets(), 2) << "from L = 70";

    rig.responder->fail(0x14, 0x14FE);
    EXPECT_EQ(rig.tool.SetLongStreamingLength(20), 0x14FE);
    EXPECT_EQ(rig.list.LongStreamingLength(), 70) << "kept on failure";
    EXPECT_EQ(rig.list.LongStreamingSetupPackets(), 2);
}

TEST(Streaming, FailedStartLeavesNothingBehind)
{
    StreamRig rig;
    ASSERT_EQ(rig.tool.SetLongStreamingLength(70), 0);
    rig.responder->fail(0x15, 0x15FE);
    TKvnByteArray table{};
    EXPECT_EQ(rig.tool.StartLongStreaming(table), 0x15FE);
    EXPECT_FALSE(rig.list.IsStreaming());
    EXPECT_FALSE(rig.list.DoLongStream());
    EXPECT_EQ(rig.list.StreamingNumberOfDevices(), 0);
    EXPECT_EQ(rig.list.StreamingCounter().Count(), 0);
}

TEST(Streaming, SingleReportFramesAreHandedOnAsReceived)
{
    StreamRig rig;
    rig.startLong(20);
    EXPECT_EQ(rig.list.LongStreamingPackets(), 0);
    rig.sendLong(0, 20, 10);
    rig.sendLong(1, 20, 50);
    ASSERT_EQ(rig.frames.size(), 2u);
    EXPECT_EQ(rig.frames[0].size(), 64u) << "input report length minus one";
    EXPECT_EQ(rig.frames[0][0], 0x3F);
    EXPECT_EQ(rig.frames[0][1], 0);
    EXPECT_EQ(rig.frames[0][2], 0);
    EXPECT_EQ(std::vector<std::uint8_t>(rig.frames[1].begin() + 3, rig.frames[1].begin() + 23),
              pattern(20, 50));
    EXPECT_EQ(rig.frameIds, (std::vector<int>{3, 3}));
    EXPECT_TRUE(rig.missed.empty());
    EXPECT_EQ(rig.list.StreamingCounter().Counter(0), "2");
}

TEST(Streaming, LongFramesAreAssembledOverSeveralReports)
{
    for (const int length : {64, 70, 33}) {
        StreamRig rig;
        rig.startLong(static_cast<std::uint16_t>(length));
        EXPECT_EQ(rig.list.LongStreamingPackets(), (length + 31) / 32 - 1);
        rig.sendLong(0, length, 1);
        rig.sendLong(1, length, 101);
        ASSERT_EQ(rig.frames.size(), 2u) << length;
        for (std::size_t f = 0; f < 2; ++f) {
            const auto& d = rig.frames[f];
            ASSERT_EQ(d.size(), static_cast<std::size_t>(length + 3)) << length;
            EXPECT_EQ(d[0], 0x3F);
            EXPECT_EQ(d[1], f);
            EXPECT_EQ(d[2], 0xFF);
            EXPECT_EQ(std::vector<std::uint8_t>(d.begin() + 3, d.end()),
                      pattern(length, f ? 101 : 1))
                << length;
        }
        EXPECT_TRUE(rig.missed.empty());
        EXPECT_EQ(rig.deviceData, 2 * ((length + 31) / 32)) << "every report is device data";
    }
}

TEST(Streaming, ALostMiddleReportDropsThatFrameOnly)
{
    StreamRig rig;
    rig.startLong(70);
    rig.sendLong(0, 70, 1);
    rig.sendLong(1, 70, 2, /*skip*/ 1);  // reports 0 and 2
    rig.sendLong(2, 70, 3);
    ASSERT_EQ(rig.frames.size(), 2u);
    EXPECT_EQ(rig.frames[1][1], 2);
    EXPECT_EQ(std::vector<std::uint8_t>(rig.frames[1].begin() + 3, rig.frames[1].end()),
              pattern(70, 3));
    EXPECT_EQ(rig.missed, std::vector<std::uint8_t>{3}) << "the next frame is one ahead";
    EXPECT_EQ(rig.list.StreamingCounter().Counter(0), "3");
}

TEST(Streaming, CounterGapsRaiseOneEventEachAndAreFollowed)
{
    StreamRig rig;
    rig.startLong(20);
    for (const int c : {0, 1, 2, 3, 4, 5, 6, 8, 9})
        rig.sendLong(static_cast<std::uint8_t>(c), 20, 0);
    EXPECT_EQ(rig.frames.size(), 9u) << "frames after a gap are still delivered";
    EXPECT_EQ(rig.missed, std::vector<std::uint8_t>{3});
    EXPECT_EQ(rig.list.StreamingCounter().Counter(0), "10");
    EXPECT_EQ(rig.list.FramesMissed(), 1u);
    for (const int c : {10, 14, 15})  // 11 to 13 missed
        rig.sendLong(static_cast<std::uint8_t>(c), 20, 0);
    EXPECT_EQ(rig.list.FramesMissed(), 4u);
}

TEST(Streaming, CounterWrapsFrom255To0)
{
    StreamRig rig;
    rig.startLong(20);
    rig.sendLong(0, 20, 0);
    rig.missed.clear();
    rig.sendLong(255, 20, 0);  // one gap
    rig.sendLong(0, 20, 0);
    rig.sendLong(1, 20, 0);
    EXPECT_EQ(rig.missed.size(), 1u);
    EXPECT_EQ(rig.list.StreamingCounter().Counter(0), "2");
    EXPECT_EQ(rig.list.FramesMissed(), 254u) << "1 to 254 were missed";
}

TEST(Streaming, StopThenRestartResynchronisesSilently)
{
    StreamRig rig;
    rig.responder->answer(0x09, 0, {0, 0, 1, 0});
    rig.startLong(20);
    rig.sendLong(0, 20, 0);
    rig.sendLong(1, 20, 0);
    rig.device->clearWritten();
    ASSERT_EQ(rig.tool.StopStreaming(), 0);
    EXPECT_EQ(rig.commands(2), (std::vector<std::vector<std::uint8_t>>{{0x09, 0}, {0x0D, 0}}));
    EXPECT_FALSE(rig.list.IsStreaming());
    EXPECT_FALSE(rig.list.DoLongStream());
    EXPECT_EQ(rig.list.StreamingCounter().Count(), 0);
    EXPECT_EQ(rig.list.StreamingNumberOfDevices(), 0);

    TKvnByteArray table{};
    ASSERT_EQ(rig.tool.StartLongStreaming(table), 0);
    rig.settle();
    rig.sendLong(17, 20, 0);  // first mismatch after the stop
    rig.sendLong(30, 20, 0);  // and the one after it
    rig.sendLong(31, 20, 0);
    EXPECT_TRUE(rig.missed.empty());
    EXPECT_EQ(rig.list.FramesMissed(), 0u) << "a resynchronisation loses nothing";
    rig.sendLong(40, 20, 0);
    EXPECT_EQ(rig.missed.size(), 1u);
    EXPECT_EQ(rig.list.FramesMissed(), 8u);
    EXPECT_EQ(rig.frames.size(), 4u);
}

TEST(Streaming, StopWithAFailingCommandKeepsStreamingState)
{
    StreamRig rig;
    rig.startLong(20);
    rig.responder->fail(0x0D, 0x0D01);
    EXPECT_EQ(rig.tool.StopStreaming(), 0x0D01);
    EXPECT_TRUE(rig.list.IsStreaming());
    EXPECT_EQ(rig.list.StreamingNumberOfDevices(), 0) << "the slot was freed first";
}

TEST(Streaming, ShortStreamingCountsDownTemplateAndPayload)
{
    StreamRig rig;
    rig.responder->answer(0x09, 0, {0, 0, 1, 0});
    TKvnByteArray table{};
    for (int i = 0; i < 40; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    rig.device->clearWritten();
    ASSERT_EQ(rig.tool.StartStreaming(40, table), 0);
    EXPECT_EQ(rig.commands(3), (std::vector<std::vector<std::uint8_t>>{
                                   {0x09, 0, 0}, {0x0C, 40, 0}, {0x0C, 8, 32}}));
    EXPECT_FALSE(rig.list.DoLongStream());
    rig.settle();
    // A frame of 40 payload bytes: "40 to come" then "8 to come".
    const auto payload = pattern(40, 7);
    rig.send(frame(StreamRig::kToolId, 0, 40, {payload.begin(), payload.begin() + 32}));
    rig.send(frame(StreamRig::kToolId, 0, 8, {payload.begin() + 32, payload.end()}));
    rig.send(frame(StreamRig::kToolId, 1, 5, pattern(5, 0)));
    ASSERT_EQ(rig.frames.size(), 2u);
    EXPECT_EQ(rig.frames[0].size(), 43u);
    EXPECT_EQ(rig.frames[0][2], 40) << "short streaming keeps byte 2 of the first report";
    EXPECT_EQ(std::vector<std::uint8_t>(rig.frames[0].begin() + 3, rig.frames[0].end()), payload);
    EXPECT_EQ(rig.frames[1].size(), 64u);
    EXPECT_TRUE(rig.missed.empty());
}

TEST(Streaming, ErrorReportsDuringStreaming)
{
    StreamRig rig;
    rig.startLong(20);
    rig.send(scripted::reply(0xE, 3, 0x00, {0x00, 0x0E}));  // Data bytes 3, 4 = 0x00 0x0E
    Report commandError(65, 0);
    commandError[1] = 0x3E;
    commandError[4] = 0x0B;  // Data byte 3: a command code
    commandError[5] = 0x02;
    rig.send(commandError);
    EXPECT_EQ(rig.errors, std::vector<std::uint16_t>{14});
    EXPECT_TRUE(rig.frames.empty());
    EXPECT_TRUE(rig.list.IsStreaming()) << "the engine keeps streaming";
}

TEST(Streaming, EventReportsReachTheApplicationOnlyOutsideStreaming)
{
    StreamRig rig;
    Report event(65, 0);
    event[1] = 0x3B;
    event[2] = 0xFF;
    event[4] = 0x12;
    rig.send(event);
    ASSERT_EQ(rig.frames.size(), 1u);
    EXPECT_EQ(rig.frameIds[0], 0);
    EXPECT_EQ(rig.frames[0].size(), 64u);
    EXPECT_EQ(rig.frames[0][3], 0x12);
    event[2] = 0xFE;
    rig.send(event);
    EXPECT_EQ(rig.frames.size(), 1u) << "byte 1 must be 0xFF";
    rig.startLong(20);
    event[2] = 0xFF;
    rig.send(event);
    EXPECT_TRUE(rig.frames.empty());
}

TEST(Streaming, RawModePassesStreamingReportsUnprocessed)
{
    StreamRig rig;
    rig.tool.SetRawStream(true);
    EXPECT_TRUE(rig.list.RawStream());
    rig.send(frame(5, 9, 2, {1, 2}));
    rig.send(scripted::reply(0x0, 5, 1));
    ASSERT_EQ(rig.frames.size(), 1u);
    EXPECT_EQ(rig.frameIds[0], 0);
    EXPECT_EQ(rig.frames[0][1], 9);
    EXPECT_EQ(rig.deviceData, 2);
}

TEST(Streaming, DeactivatedListDeliversNothing)
{
    StreamRig rig;
    rig.startLong(20);
    rig.list.Deactivate();
    rig.send(frame(StreamRig::kToolId, 0, 0, {1}));
    EXPECT_TRUE(rig.frames.empty());
    EXPECT_EQ(rig.deviceData, 0);
}

TEST(Streaming, ShortAndOversizedReportsAreHandledSafely)
{
    StreamRig rig;
    rig.startLong(70);
    // Reports shorter than a full piece: what they lack reads as 0.
    rig.send(Report{0, 0x3F, 0, 0, 1, 2});
    rig.send(Report{0, 0x3F, 0, 1});
    rig.send(Report{0, 0x3F, 0, 2, 9});
    ASSERT_EQ(rig.frames.size(), 1u);
    EXPECT_EQ(rig.frames[0].size(), 73u);
    EXPECT_EQ(rig.frames[0][3], 1);
    EXPECT_EQ(rig.frames[0][4], 2);
    EXPECT_EQ(rig.frames[0][5], 0);
    EXPECT_EQ(rig.frames[0][3 + 64], 9);
    // A report number beyond the frame is dropped.
    rig.send(frame(StreamRig::kToolId, 1, 7, {1}));
    EXPECT_EQ(rig.frames.size(), 1u);
}
