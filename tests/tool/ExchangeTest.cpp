// The report exchange: message ids, reply search, statuses, results, read bound,
// tool selection.

#include "HidDevice.h"
#include "ToolRig.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using scripted::Report;
using scripted::reply;

namespace {

// A rig whose tool answers nothing by itself: the test queues every report.
struct QuietRig : ToolRig {
    QuietRig() { responder->silent = true; }
    // The message id the next exchange will carry.
    std::uint8_t nextId() const
    {
        const int id = tool.MessageID() + 1;
        return static_cast<std::uint8_t>(id == 255 ? 1 : id);
    }
    TExchangeResult exchange()
    {
        TKvnByteArray send{};
        send[2] = 0x09;
        return tool.SendReceive(send, tool.Receive);
    }
    Report other(std::uint8_t status = 0) const { return reply(status, 3, nextId() ^ 0x40); }
};

}  // namespace

TEST(Exchange, EmptyToolTableGives2AndClearsTheReplyHead)
{
    ToolRig rig(false);
    rig.tool.Receive.fill(0xAA);
    TKvnByteArray send{};
    EXPECT_EQ(rig.tool.SendReceive(send, rig.tool.Receive), 2);
    for (std::size_t i = 0; i < 80; ++i)
        ASSERT_EQ(rig.tool.Receive[i], 0) << i;
    EXPECT_EQ(rig.tool.Receive[80], 0xAA);
}

TEST(Exchange, MessageIdsRunFrom2To254ThenWrapTo1)
{
    ToolRig rig;
    for (int i = 0; i < 256; ++i)
        ASSERT_EQ(rig.tool.SoftReset(), 0);
    const auto written = rig.device->written();
    ASSERT_EQ(written.size(), 256u);
    for (int i = 0; i < 256; ++i) {
        const int expected = (i % 254) + 2 == 255 ? 1 : (i % 254) + 2;
        ASSERT_EQ(written[static_cast<std::size_t>(i)][1], expected) << "exchange " << i;
    }
    EXPECT_EQ(written[252][1], 254);
    EXPECT_EQ(written[253][1], 1);
    EXPECT_EQ(written[254][1], 2);
}

TEST(Exchange, WritesTheReportAsBuiltAndLeavesTheCallersArray)
{
    ToolRig rig;
    TKvnByteArray send{};
    send[2] = 0x11;
    send[3] = 2;
    send[4] = 7;
    send[64] = 0x55;
    std::vector<TKvnByteArray> logged;
    rig.tool.OnSendCommands = [&](const TKvnByteArray& c) { logged.push_back(c); };
    TKvnByteArray receive{};
    ASSERT_EQ(rig.tool.SendReceive(send, receive), 0);
    EXPECT_EQ(send[1], 0) << "the caller's array is not changed";
    const auto written = rig.device->written();
    ASSERT_EQ(written.size(), 1u);
    ASSERT_EQ(written[0].size(), 65u) << "output report length";
    EXPECT_EQ(written[0][1], 2);
    EXPECT_EQ(written[0][2], 0x11);
    EXPECT_EQ(written[0][64], 0x55);
    ASSERT_EQ(logged.size(), 1u);
    EXPECT_TRUE(std::equal(written[0].begin(), written[0].end(), logged[0].begin()));
    EXPECT_EQ(receive[2], 2) << "the reply carries the message id";
    EXPECT_EQ(receive[3], 0x11);
}

TEST(Exchange, ReplySearchAcceptsAndSkipsByStatusAndMessageId)
{
    struct Case {
        const char* name;
        std::uint8_t status;
        bool rightId;
        TExchangeResult result;  // 3: not a reply, and nothing else came
    };
    const Case cases[] = {
        {"ordinary reply", 0x0, true, 0},
        {"ordinary reply, another id", 0x0, false, 3},
        {"0xD, another id", 0xD, false, 0},
        {"0xE, right id", 0xE, true, 0x0A03},
        {"0xE, another id", 0xE, false, 3},
        {"0xF, right id", 0xF, true, 3},
    };
    for (const Case& c : cases) {
        QuietRig rig;
        rig.tool.SetReadTimeout(20);
        const std::uint8_t id = c.rightId ? rig.nextId() : rig.nextId() ^ 0x40;
        rig.device->queueReply(reply(c.status, 3, id, {0x0A, 0x03}));
        EXPECT_EQ(rig.exchange(), c.result) << c.name;
    }
}

TEST(Exchange, SearchExaminesAtMost90ReportsOtherThanStreamingFrames)
{
    for (const int others : {89, 90}) {
        QuietRig rig;
        rig.tool.SetReadTimeout(50);
        rig.device->setOnWrite([others](scripted::ScriptedDevice& d, const Report& w) {
            const std::uint8_t wrongId = w[1] ^ 0x40;
            for (int i = 0; i < others; ++i) {
                // Error replies of other exchanges count too; streaming frames,
                // even one carrying the message id as counter, do not.
                d.pushInput(reply(i % 2 ? 0x0 : 0xE, 3, wrongId, {0x0A, 0x03}));
                d.pushInput(scripted::frame(3, w[1], 0, {}));
            }
            d.pushInput(reply(0, 3, w[1]));
        });
        EXPECT_EQ(rig.exchange(), others == 89 ? 0 : 3) << others << " other reports first";
    }
}

TEST(Exchange, StreamingFramesBeforeTheReplyDoNotEndTheSearch)
{
    QuietRig rig;
    rig.device->setOnWrite([](scripted::ScriptedDevice& d, const Report& w) {
        for (int i = 0; i < 500; ++i)
            d.pushInput(scripted::frame(3, static_cast<std::uint8_t>(i), 0, {1, 2, 3}));
        d.pushInput(reply(0, 3, w[1], {0x42}));
    });
    EXPECT_EQ(rig.exchange(), 0);
    EXPECT_EQ(rig.tool.Receive[4], 0x42);
}

TEST(Exchange, WithoutMessageIdMatchingTheFirstReportIsTheReply)
{
    struct Case {
        Report first;
        TExchangeResult result;
    };
    const Case cases[] = {
        {reply(0x0, 3, 0x77, {0x11}), 0},
        {reply(0xE, 3, 0x77, {0x0B, 0x02}), 0x0B02},
        {scripted::frame(3, 9, 0, {0x11}), 0},
    };
    for (const Case& c : cases) {
        QuietRig rig;
        rig.tool.SetMatchMsgIDs(false);
        rig.device->queueReply(c.first);
        EXPECT_EQ(rig.exchange(), c.result);
        EXPECT_EQ(rig.tool.Receive[2], c.first[2]);
    }
}

TEST(Exchange, FailuresOfTheDeviceGiveTheirResults)
{
    {
        QuietRig rig;
        rig.device->setFailOpen(true);
        EXPECT_EQ(rig.exchange(), 1) << "command handle cannot be opened";
        EXPECT_TRUE(rig.device->written().empty());
    }
    {
        QuietRig rig;
        rig.device->setFailFlush(true);
        EXPECT_EQ(rig.exchange(), 1) << "queue not flushed";
        EXPECT_TRUE(rig.device->written().empty());
    }
    {
        ToolRig rig(false);
        auto device = rig.plugTool("A", "SN1");
        device->setFailCapabilities(true);  // before anything asked for them
        rig.dispatcher.runAll();
        TKvnByteArray send{};
        EXPECT_EQ(rig.tool.SendReceive(send, rig.tool.Receive), 1) << "report lengths unknown";
        EXPECT_TRUE(device->written().empty());
    }
    {
        QuietRig rig;
        rig.device->setFailRead(true);
        EXPECT_EQ(rig.exchange(), 12) << "read failed";
        EXPECT_EQ(rig.device->written().size(), 1u);
    }
}

TEST(Exchange, FlushDiscardsReportsQueuedBeforeTheCommand)
{
    QuietRig rig;
    rig.tool.SetReadTimeout(20);
    rig.tool.SetMatchMsgIDs(false);
    // Opens the command handle, then leaves a stale report on it.
    rig.device->queueReply(reply(0, 3, 0));
    ASSERT_EQ(rig.exchange(), 0);
    rig.device->pushInput(reply(0xE, 3, 0, {0x01, 0x01}));
    rig.device->queueReply(reply(0, 3, 0, {0x33}));
    EXPECT_EQ(rig.exchange(), 0);
    EXPECT_EQ(rig.tool.Receive[4], 0x33);
}

TEST(Exchange, SilentToolEndsWith3AfterTheReadBound)
{
    QuietRig rig;
    rig.tool.SetReadTimeout(30);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rig.exchange(), 3);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_GE(ms, 25);
    EXPECT_LT(ms, 1000);
}

TEST(Exchange, SilentToolEndsWith3AfterTheDefaultBoundOfOneSecond)
{
    QuietRig rig;
    ASSERT_EQ(rig.tool.ReadTimeout(), 1000);
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rig.exchange(), 3);
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    EXPECT_GE(ms, 950);
    EXPECT_LT(ms, 10000) << "bounded, however loaded the machine";
}

TEST(Exchange, ToolUnpluggedWhileTheExchangeWaitsEndsItAtOnce)
{
    QuietRig rig;
    auto device = rig.device;
    std::thread unplug([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        rig.backend.unplug(device);
    });
    const auto start = std::chrono::steady_clock::now();
    const TExchangeResult r = rig.exchange();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    unplug.join();
    EXPECT_EQ(r, 12) << "USB hardware not responding";
    EXPECT_LT(ms, 900) << "not left to the read bound";
    rig.dispatcher.runAll();
    EXPECT_FALSE(rig.list.Connected());
    EXPECT_EQ(rig.exchange(), 2);
}

// The tool was unplugged and plugged back under the same node before the
// device list rescanned: the command handle is dead, the device object is not.
TEST(Exchange, ADeadCommandHandleIsReopenedAfterOneFailedExchange)
{
    QuietRig rig;
    rig.device->queueReply(reply(0, 3, rig.nextId()));
    ASSERT_EQ(rig.exchange(), 0);
    rig.device->breakOpenHandles();
    EXPECT_EQ(rig.exchange(), 1) << "queue not flushed";
    EXPECT_EQ(rig.dispatcher.pending(), 1u) << "a rescan is on its way";
    rig.device->queueReply(reply(0, 3, rig.nextId()));
    EXPECT_EQ(rig.exchange(), 0) << "a new handle";
    rig.dispatcher.runAll();
    EXPECT_TRUE(rig.list.Connected()) << "the same tool, still listed";
}

TEST(Exchange, ToolThatStreamsButNeverRepliesEndsWith3)
{
    QuietRig rig;
    rig.tool.SetReadTimeout(30);
    std::atomic<bool> stop{false};
    auto device = rig.device;
    std::thread streamer([&] {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        std::uint8_t counter = 0;
        while (!stop && std::chrono::steady_clock::now() < until) {
            device->pushInput(scripted::frame(3, counter++, 0, {1}));
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });
    const auto start = std::chrono::steady_clock::now();
    const TExchangeResult r = rig.exchange();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start)
                        .count();
    stop = true;
    streamer.join();
    EXPECT_EQ(r, 3);
    EXPECT_LT(ms, 1000);
}

TEST(ToolSelection, IndexBeyondTheTableFallsBackToEntry0)
{
    ToolRig rig;
    auto second = rig.plugTool("B", "SN2");
    rig.dispatcher.runAll();
    ASSERT_EQ(rig.list.CTData().Count, 2);
    ASSERT_TRUE(rig.tool.SetCurrentDevice(1));
    rig.backend.unplug(second);
    rig.dispatcher.runAll();
    ASSERT_EQ(rig.list.CTData().Count, 1);
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 1);
    EXPECT_EQ(rig.tool.SoftReset(), 0);
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 0);
    EXPECT_EQ(rig.device->written().size(), 1u);
    EXPECT_EQ(rig.tool.SoftReset(), 0);
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 0);
}

TEST(ToolSelection, SetCurrentDeviceRefusesIndicesOutsideTheTable)
{
    ToolRig rig;
    rig.plugTool("B", "SN2");
    rig.dispatcher.runAll();
    ASSERT_TRUE(rig.tool.SetCurrentDevice(1));
    EXPECT_FALSE(rig.tool.SetCurrentDevice(2)) << "index equal to Count";
    EXPECT_FALSE(rig.tool.SetCurrentDevice(-1));
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 1);
    EXPECT_TRUE(rig.tool.DeviceSelected());
    EXPECT_EQ(rig.tool.SerialNumber(), "SN2");
    EXPECT_EQ(rig.tool.VendorID(), 0x2E5B);
    EXPECT_EQ(rig.tool.ProductID(), 0x0104);
}

TEST(ToolSelection, SelectedSerialSteersEveryExchange)
{
    ToolRig rig;
    auto second = rig.plugTool("B", "SN2");
    rig.dispatcher.runAll();
    rig.tool.SetSelectedSerialNumber("SN2");
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 0);
    EXPECT_EQ(rig.tool.SoftReset(), 0);
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 1);
    EXPECT_EQ(second->written().size(), 1u);
    EXPECT_TRUE(rig.device->written().empty());

    EXPECT_FALSE(rig.tool.SetCurrentSerial("SN9"));
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 1);
    EXPECT_TRUE(rig.tool.SetCurrentSerial("SN1"));
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 0);
    EXPECT_TRUE(rig.tool.SetCurrentSerial(""));
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 0);
    // SetCurrentDevice keeps the selected serial: it wins at the next exchange.
    rig.tool.SetSelectedSerialNumber("SN2");
    ASSERT_TRUE(rig.tool.SetCurrentDevice(0));
    EXPECT_EQ(rig.tool.SoftReset(), 0);
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 1);
}

TEST(ToolSelection, ReselectFindsTheRememberedToolAfterARebuild)
{
    ToolRig rig;
    auto second = rig.plugTool("B", "SN2");
    rig.dispatcher.runAll();
    ASSERT_TRUE(rig.tool.SetCurrentDevice(1));
    rig.backend.unplug(rig.device);
    rig.dispatcher.runAll();
    EXPECT_TRUE(rig.tool.ReselectDevice());
    EXPECT_EQ(rig.tool.CurrentDeviceIndex(), 0);
    EXPECT_EQ(rig.tool.SerialNumber(), "SN2");
    rig.backend.unplug(second);
    rig.dispatcher.runAll();
    EXPECT_FALSE(rig.tool.ReselectDevice());
    EXPECT_FALSE(rig.tool.DeviceSelected());
    EXPECT_EQ(rig.tool.VendorID(), 0);
    EXPECT_EQ(rig.tool.SerialNumber(), "");
}
