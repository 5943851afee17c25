// The generic HID layer: device-change passes, report hand-over in manual and
// threaded reader modes, and clean stops.

#include "HidLayer.h"
#include "ScriptedBackend.h"
#include "TestDispatcher.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using scripted::Report;

namespace {

struct Delivery {
    HidDevice* device;
    std::vector<std::uint8_t> data;
};

// Waits (bounded) until the dispatcher holds `n` items; true if it did.
bool waitForPending(const TestDispatcher& d, std::size_t n)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (d.pending() < n) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

Report numbered(std::uint8_t n)
{
    return Report{0, 0x3F, n, 0, n};
}

}  // namespace

TEST(HidLayer, FirstPassAlwaysCallsTheChangeHandlerLaterOnlyChangesDo)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    HidLayer layer(backend, dispatcher, HidReaderMode::Manual);
    int changes = 0;
    std::vector<std::string> arrivals;
    layer.setDeviceChangeHandler([&] { ++changes; });
    layer.setArrivalHook([&](HidDevice& d) { arrivals.push_back(d.path()); });
    EXPECT_EQ(changes, 0) << "the first pass is posted, not run at creation";
    dispatcher.runAll();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(arrivals.empty());

    auto a = backend.plug(0x2E5B, 0x0104);
    auto b = backend.plug(0x2E5B, 0x0105);
    dispatcher.runAll();
    EXPECT_EQ(changes, 2) << "two notifications, one pass";
    EXPECT_EQ(arrivals.size(), 2u);
    ASSERT_EQ(layer.devices().size(), 2u);
    const HidDevice* first = layer.devices()[0].get();

    backend.notify();
    dispatcher.runAll();
    layer.deviceChangePass();
    EXPECT_EQ(changes, 2) << "same devices: no change";

    backend.unplug(b);
    dispatcher.runAll();
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(arrivals.size(), 2u);
    ASSERT_EQ(layer.devices().size(), 1u);
    EXPECT_EQ(layer.devices()[0].get(), first) << "same object across passes";
}

TEST(HidLayer, NotificationsFromOtherThreadsArePostedAndCoalesced)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    HidLayer layer(backend, dispatcher, HidReaderMode::Manual);
    dispatcher.runAll();
    const auto uiThread = std::this_thread::get_id();
    std::vector<std::thread::id> ranOn;
    layer.setDeviceChangeHandler([&] { ranOn.push_back(std::this_thread::get_id()); });
    std::thread other([&] {
        backend.plug(0x2E5B, 0x0104);
        for (int i = 0; i < 20; ++i)
            backend.notify();
    });
    other.join();
    EXPECT_TRUE(ranOn.empty());
    EXPECT_EQ(dispatcher.pending(), 1u);
    dispatcher.runAll();
    EXPECT_EQ(ranOn, std::vector<std::thread::id>{uiThread});
}

TEST(HidLayer, EnumerationStopsWhenTheCallbackSaysSo)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    backend.plug(1, 1);
    backend.plug(1, 2);
    backend.plug(1, 3);
    HidLayer layer(backend, dispatcher, HidReaderMode::Manual);
    dispatcher.runAll();
    int seen = 0;
    EXPECT_FALSE(layer.enumerate([&](const std::shared_ptr<HidDevice>&) { return ++seen < 2; }));
    EXPECT_EQ(seen, 2);
    seen = 0;
    EXPECT_TRUE(layer.enumerate([&](const std::shared_ptr<HidDevice>&) { return ++seen > 0; }));
    EXPECT_EQ(seen, 3);
}

TEST(HidLayer, ManualReadersDeliverReportsWithoutTheirIdByte)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    auto raw = backend.plug(0x2E5B, 0x0104);
    HidLayer layer(backend, dispatcher, HidReaderMode::Manual);
    dispatcher.runAll();
    std::vector<Delivery> got;
    layer.setDataHandler([&](HidDevice& d, const std::uint8_t* data, std::uint16_t size) {
        got.push_back({&d, {data, data + size}});
    });
    HidDevice& device = *layer.devices()[0];
    raw->pushInput(numbered(0));  // before check-out: no reader yet
    ASSERT_TRUE(layer.checkOut(device));
    EXPECT_TRUE(device.hasReader());
    raw->pushInput(numbered(1));
    raw->pushInput(Report{0});  // only the report-ID byte: nothing to hand on
    raw->pushInput(numbered(2));
    EXPECT_EQ(layer.pollReaders(), 2u);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].device, &device);
    EXPECT_EQ(got[0].data, (std::vector<std::uint8_t>{0x3F, 1, 0, 1}));
    EXPECT_EQ(got[1].data[1], 2);
    EXPECT_EQ(layer.pollReaders(), 0u);

    layer.checkIn(device);
    EXPECT_FALSE(device.hasReader());
    EXPECT_EQ(raw->openHandles(), 0);
}

// Waits (bounded) until the device holds `n` unread reports; true if it did.
bool waitForQueued(const scripted::ScriptedDevice& raw, std::size_t n)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (raw.queuedInput() != n) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

TEST(HidLayer, ThreadedReaderReadsAheadAndHandsOverInOneBatchInOrder)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    auto raw = backend.plug(0x2E5B, 0x0104);
    HidLayer layer(backend, dispatcher, HidReaderMode::Threaded);
    dispatcher.runAll();
    constexpr int kReports = 50;
    std::vector<int> order;
    const auto uiThread = std::this_thread::get_id();
    bool onUiThread = true;
    layer.setDataHandler([&](HidDevice&, const std::uint8_t* data, std::uint16_t size) {
        onUiThread = onUiThread && std::this_thread::get_id() == uiThread;
        EXPECT_EQ(size, 4u) << "without the report-ID byte";
        order.push_back(data[1]);
    });
    ASSERT_TRUE(layer.checkOut(*layer.devices()[0]));
    for (int i = 0; i < kReports; ++i)
        raw->pushInput(numbered(static_cast<std::uint8_t>(i)));
    // The reader does not wait for the user-interface thread.
    ASSERT_TRUE(waitForQueued(*raw, 0));
    EXPECT_EQ(dispatcher.pending(), 1u) << "one drain for the whole batch";
    dispatcher.runAll();
    ASSERT_EQ(order.size(), static_cast<std::size_t>(kReports));
    for (int i = 0; i < kReports; ++i)
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    EXPECT_TRUE(onUiThread);

    // Later reports start a new batch.
    raw->pushInput(numbered(kReports));
    ASSERT_TRUE(dispatcher.runOne(2000));
    ASSERT_EQ(order.size(), static_cast<std::size_t>(kReports + 1));
    EXPECT_EQ(order.back(), kReports);
}

TEST(HidLayer, AFullHandOverQueueLeavesTheReportsInTheDevice)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    auto raw = backend.plug(0x2E5B, 0x0104);
    HidLayer layer(backend, dispatcher, HidReaderMode::Threaded);
    layer.setReaderQueueReports(8);
    dispatcher.runAll();
    std::vector<int> order;
    layer.setDataHandler([&](HidDevice&, const std::uint8_t* data, std::uint16_t) {
        order.push_back(data[1]);
    });
    ASSERT_TRUE(layer.checkOut(*layer.devices()[0]));
    for (int i = 0; i < 20; ++i)
        raw->pushInput(numbered(static_cast<std::uint8_t>(i)));
    // While the user-interface thread is busy the reader holds eight reports
    // and reads no further: memory stays bounded.
    ASSERT_TRUE(waitForQueued(*raw, 12));
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    EXPECT_EQ(raw->queuedInput(), 12u);
    // Draining makes room; the rest follows in order.
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (order.size() < 20 && std::chrono::steady_clock::now() < until)
        dispatcher.runOne(100);
    ASSERT_EQ(order.size(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
}

TEST(HidLayer, ReleasingADeviceWhileItsHandOverWaitsDoesNotBlock)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    auto raw = backend.plug(0x2E5B, 0x0104);
    HidLayer layer(backend, dispatcher, HidReaderMode::Threaded);
    dispatcher.runAll();
    int delivered = 0;
    layer.setDataHandler([&](HidDevice&, const std::uint8_t*, std::uint16_t) { ++delivered; });
    HidDevice& device = *layer.devices()[0];
    ASSERT_TRUE(layer.checkOut(device));
    raw->pushInput(numbered(1));
    ASSERT_TRUE(waitForPending(dispatcher, 1));
    layer.checkIn(device);  // the reader waits for the hand-over: it must still stop
    EXPECT_EQ(raw->openHandles(), 0);
    dispatcher.runAll();
    EXPECT_EQ(delivered, 0) << "a hand-over after the stop does nothing";
}

TEST(HidLayer, DestroyingTheLayerWhileAHandOverWaitsDoesNotBlock)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    auto raw = backend.plug(0x2E5B, 0x0104);
    int delivered = 0;
    {
        HidLayer layer(backend, dispatcher, HidReaderMode::Threaded);
        dispatcher.runAll();
        layer.setDataHandler([&](HidDevice&, const std::uint8_t*, std::uint16_t) { ++delivered; });
        ASSERT_TRUE(layer.checkOut(*layer.devices()[0]));
        raw->pushInput(numbered(1));
        ASSERT_TRUE(waitForPending(dispatcher, 1));
        backend.notify();  // a pass posted too
    }
    EXPECT_EQ(raw->openHandles(), 0);
    EXPECT_FALSE(backend.hasNotifier());
    dispatcher.runAll();
    EXPECT_EQ(delivered, 0);
}

TEST(HidLayer, AHandlerMayReleaseItsOwnDeviceOrRemoveItself)
{
    for (const bool removeHandler : {false, true}) {
        scripted::ScriptedBackend backend;
        TestDispatcher dispatcher;
        auto raw = backend.plug(0x2E5B, 0x0104);
        HidLayer layer(backend, dispatcher, HidReaderMode::Threaded);
        dispatcher.runAll();
        int delivered = 0;
        layer.setDataHandler([&](HidDevice& d, const std::uint8_t*, std::uint16_t) {
            ++delivered;
            if (removeHandler)
                layer.setDataHandler({});
            else
                layer.checkIn(d);
        });
        ASSERT_TRUE(layer.checkOut(*layer.devices()[0]));
        raw->pushInput(numbered(1));
        raw->pushInput(numbered(2));
        ASSERT_TRUE(dispatcher.runOne(2000));
        EXPECT_FALSE(dispatcher.runOne(150));
        EXPECT_EQ(delivered, 1);
        EXPECT_EQ(raw->openHandles(), 0);
    }
}

TEST(HidLayer, AnUnpluggedDeviceCannotBeCheckedOutAgain)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    auto raw = backend.plug(0x2E5B, 0x0104);
    HidLayer layer(backend, dispatcher, HidReaderMode::Threaded);
    dispatcher.runAll();
    layer.setDataHandler([](HidDevice&, const std::uint8_t*, std::uint16_t) {});
    std::shared_ptr<HidDevice> device = layer.devices()[0];
    ASSERT_TRUE(layer.checkOut(*device));
    backend.unplug(raw);
    dispatcher.runAll();
    EXPECT_FALSE(device->isPluggedIn());
    EXPECT_FALSE(device->hasReader());
    EXPECT_FALSE(layer.checkOut(*device));
    EXPECT_FALSE(device->flushQueue());
}

// A read fails when the tool went, or came back under the same node before
// anyone rescanned. The reader must not end for good: the failure asks for a
// rescan, and the pass starts a new reader for the device still present.
TEST(HidLayer, AFailedReadLeadsToARescanAndANewReader)
{
    for (const HidReaderMode mode : {HidReaderMode::Manual, HidReaderMode::Threaded}) {
        SCOPED_TRACE(mode == HidReaderMode::Manual ? "manual" : "threaded");
        scripted::ScriptedBackend backend;
        TestDispatcher dispatcher;
        auto raw = backend.plug(0x2E5B, 0x0104);
        HidLayer layer(backend, dispatcher, mode);
        layer.setReaderWaitMs(20);
        dispatcher.runAll();
        std::vector<int> got;
        layer.setDataHandler(
            [&](HidDevice&, const std::uint8_t* data, std::uint16_t) { got.push_back(data[1]); });
        HidDevice& device = *layer.devices()[0];
        ASSERT_TRUE(layer.checkOut(device));
        const auto handOver = [&] {
            return mode == HidReaderMode::Manual ? layer.pollReaders() > 0 : dispatcher.runOne(3000);
        };
        raw->pushInput(numbered(1));
        ASSERT_TRUE(handOver());

        raw->breakOpenHandles();
        if (mode == HidReaderMode::Manual) {
            EXPECT_EQ(layer.pollReaders(), 0u);
        }
        ASSERT_TRUE(dispatcher.runOne(3000)) << "the failed read asks for a rescan";
        EXPECT_TRUE(device.hasReader());
        EXPECT_EQ(raw->openHandles(), 1) << "the dead handle is closed";

        raw->pushInput(numbered(2));
        ASSERT_TRUE(handOver());
        EXPECT_EQ(got, (std::vector<int>{1, 2}));
        EXPECT_EQ(&device, layer.devices()[0].get()) << "still the same device";
    }
}
