// The HID side of the simulator: plugging, identity, handles, DFU, queue
// limits, the clock, and real-time mode with its own thread.

#include "RawTool.h"
#include "SimBackend.h"
#include "Simulation.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

using simtest::RawTool;

namespace {

TEST(SimBackend, PluggedToolsShowTheirIdentity)
{
    sim::SimBackend backend;
    std::atomic<int> changes{0};
    backend.setChangeNotifier([&] { ++changes; });
    backend.plug();
    sim::ToolConfig second;
    second.productId = 0x0104;
    second.serialNumber = "ABC123";
    second.productString.clear();
    backend.plug(second);
    EXPECT_EQ(changes, 2);

    const auto devices = backend.enumerate();
    ASSERT_EQ(devices.size(), 2u);
    hid::Attributes a;
    ASSERT_TRUE(devices[0]->attributes(a));
    EXPECT_EQ(a.vendorId, 0x2E5B);
    EXPECT_EQ(a.productId, 0x0108);
    EXPECT_EQ(a.serialNumber, "SIM0001");
    EXPECT_FALSE(a.productString.empty());
    ASSERT_TRUE(devices[1]->attributes(a));
    EXPECT_EQ(a.productId, 0x0104);
    EXPECT_EQ(a.serialNumber, "ABC123");
    EXPECT_TRUE(a.productString.empty());
    hid::Capabilities caps;
    ASSERT_TRUE(devices[0]->capabilities(caps));
    EXPECT_EQ(caps.inputReportLength, 65);
    EXPECT_EQ(caps.outputReportLength, 65);
    EXPECT_NE(devices[0]->path(), devices[1]->path());
    EXPECT_EQ(backend.enumerate()[0], devices[0]) << "same object while plugged";
}

TEST(SimBackend, UnplugFailsEveryHandleAndDevice)
{
    sim::SimBackend backend;
    const int key = backend.plug();
    auto device = backend.enumerate().at(0);
    RawTool tool(device);
    ASSERT_EQ(tool.run(0x09, {}), 0);
    std::atomic<int> changes{0};
    backend.setChangeNotifier([&] { ++changes; });
    ASSERT_TRUE(backend.unplug(key));
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(backend.enumerate().empty());
    sim::Report buf{};
    std::size_t length = 0;
    EXPECT_EQ(tool.handle().read(buf.data(), buf.size(), length, 50), hid::ReadStatus::Failed);
    EXPECT_FALSE(tool.handle().write(buf.data(), buf.size()));
    EXPECT_FALSE(tool.handle().flush());
    EXPECT_EQ(device->open(), nullptr);
    hid::Attributes a;
    EXPECT_FALSE(device->attributes(a));
    EXPECT_FALSE(backend.tool(key).present());
    EXPECT_FALSE(backend.unplug(key));
}

TEST(SimBackend, UnplugWakesAWaitingReader)
{
    sim::SimBackend backend;
    const int key = backend.plug();
    RawTool tool(backend.enumerate().at(0));
    std::thread unplugger([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        backend.unplug(key);
    });
    sim::Report buf{};
    std::size_t length = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(tool.handle().read(buf.data(), buf.size(), length, 2000), hid::ReadStatus::Failed);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1500));
    unplugger.join();
}

TEST(SimBackend, HandlesSeeOnlyReportsSentAfterTheyOpened)
{
    sim::SimBackend backend;
    backend.plug();
    RawTool first(backend.enumerate().at(0));
    ASSERT_EQ(first.run(0x09, {}), 0);
    RawTool late(backend.enumerate().at(0));
    EXPECT_TRUE(late.drain().empty());
}

TEST(SimBackend, UnreadQueueKeepsTheNewestReports)
{
    sim::SimBackend backend;
    backend.plug();
    RawTool tool(backend.enumerate().at(0));
    RawTool idle(backend.enumerate().at(0));
    for (int i = 0; i < 100; ++i)
        tool.run(0x09, {});
    const auto queued = idle.drain();
    ASSERT_EQ(queued.size(), 64u);
    EXPECT_EQ(queued.back()[2], tool.lastCommand()[1]);
}

TEST(SimBackend, EnterDfuLeavesAndReturnsWithNewFirmware)
{
    sim::SimBackend backend;
    sim::ToolConfig config;
    config.dfuReturnMs = 1000;
    config.firmwareAfterDfu = sim::FirmwareVersion{0x0107, 3, 0x0C};
    const int key = backend.plug(config);
    auto before = backend.enumerate().at(0);
    RawTool tool(before);
    std::atomic<int> changes{0};
    backend.setChangeNotifier([&] { ++changes; });
    EXPECT_EQ(tool.run(0xFF, {}), 0) << "the reply goes out before the tool leaves";
    backend.advance(60);
    EXPECT_TRUE(backend.enumerate().empty());
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(backend.tool(key).present());
    backend.advance(1000);
    ASSERT_EQ(backend.enumerate().size(), 1u);
    EXPECT_EQ(changes, 2);
    auto after = backend.enumerate().at(0);
    EXPECT_NE(after, before);
    hid::Attributes a;
    ASSERT_TRUE(after->attributes(a));
    EXPECT_EQ(a.serialNumber, "SIM0001");
    RawTool again(after);
    const sim::Report reply = again.send(0x09, {});
    EXPECT_EQ(reply[7], 0x07);
    EXPECT_EQ(reply[8], 3);
    EXPECT_EQ(reply[9], 0x0C);
}

TEST(SimBackend, DeterministicClockRunsTheSimulation)
{
    sim::SimBackend backend;
    backend.plug();
    RawTool tool(backend.enumerate().at(0));
    ASSERT_EQ(tool.setUpAndPowerOn(), 0);
    Clock& clock = backend.clock();
    const auto t0 = clock.nowMs();
    EXPECT_TRUE(tool.read1(0x10) & 0x04);
    clock.sleepMs(500);
    EXPECT_EQ(clock.nowMs() - t0, 500);
    EXPECT_FALSE(tool.read1(0x10) & 0x04);
}

TEST(SimBackend, SameSeedSameCounts)
{
    auto run = [](std::uint32_t seed) {
        sim::SimBackend backend({.mode = sim::Mode::Deterministic, .seed = seed});
        backend.plug();
        RawTool tool(backend.enumerate().at(0));
        tool.setUpAndPowerOn();
        backend.advance(1000);
        return tool.read(0x20, 6);
    };
    EXPECT_EQ(run(4), run(4));
}

TEST(SimBackend, RealTimeSimulationStreamsOnItsOwn)
{
    auto backend = sim::makeSimulation();
    ASSERT_EQ(backend->mode(), sim::Mode::RealTime);
    const auto devices = backend->enumerate();
    ASSERT_EQ(devices.size(), 1u);
    hid::Attributes a;
    ASSERT_TRUE(devices[0]->attributes(a));
    EXPECT_EQ(a.productId, 0x0108);

    RawTool tool(devices[0]);
    auto reader = devices[0]->open();
    ASSERT_EQ(tool.setUpAndPowerOn(), 0);
    ASSERT_EQ(tool.run(0x14, {0, 12}), 0);
    ASSERT_EQ(RawTool::result(tool.send(0x15, {0x10}, 0)), 0);

    // A background reader sees frames arrive while commands are exchanged.
    std::atomic<int> frames{0};
    std::atomic<bool> stop{false};
    std::thread thread([&] {
        sim::Report r{};
        std::size_t length = 0;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (!stop && std::chrono::steady_clock::now() < until)
            if (reader->read(r.data(), r.size(), length, 100) == hid::ReadStatus::Ok &&
                (r[1] & 0x0F) == 0x0F)
                ++frames;
    });
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(tool.run(0x09, {}), 0);
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (frames < 10 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    stop = true;
    thread.join();
    EXPECT_GE(frames, 10);
}

}  // namespace
