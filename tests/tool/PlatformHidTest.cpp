// The platform adapters of the tool link: the hidapi backend (on a machine
// that may have no tool at all), the report descriptor reader, and the Qt
// dispatcher.

#include "HidLayer.h"
#include "HidapiBackend.h"
#include "KelvanDevList.h"
#include "QtUiDispatcher.h"
#include "ReportDescriptor.h"
#include "TestDispatcher.h"

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

TEST(HidapiBackend, EnumeratesWithoutErrorWhateverIsPlugged)
{
    HidapiBackend backend;
    EXPECT_TRUE(backend.initialised());
    const auto first = backend.enumerate();
    const auto second = backend.enumerate();
    ASSERT_EQ(first.size(), second.size());
    for (std::size_t i = 0; i < first.size(); ++i) {
        EXPECT_EQ(first[i], second[i]) << "same object while plugged";
        hid::Capabilities caps;
        ASSERT_TRUE(first[i]->capabilities(caps));
        EXPECT_GE(caps.inputReportLength, 2);
    }
    backend.setChangeNotifier([] {});
    backend.setChangeNotifier({});
}

TEST(HidapiBackend, DriveADeviceListWithTheQtDispatcher)
{
    int argc = 1;
    char name[] = "platform_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    HidapiBackend backend;
    QtUiDispatcher dispatcher;
    TKelvanDevList list(backend, dispatcher);
    int changes = 0;
    list.OnDeviceChange = [&](TKelvanDevList*, bool) {
        ++changes;
        app.quit();
    };
    list.Activate();
    QTimer::singleShot(2000, &app, &QCoreApplication::quit);
    app.exec();
    EXPECT_EQ(changes, 1) << "the first pass runs from the event loop";
}

TEST(QtUiDispatcher, RunsPostedWorkOnTheContextThreadInOrder)
{
    int argc = 1;
    char name[] = "platform_test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    QtUiDispatcher dispatcher;
    const auto uiThread = std::this_thread::get_id();
    std::vector<int> order;
    bool allOnUi = true;
    std::thread worker([&] {
        for (int i = 0; i < 100; ++i) {
            dispatcher.post([&, i] {
                allOnUi = allOnUi && std::this_thread::get_id() == uiThread;
                order.push_back(i);
                if (i == 99)
                    app.quit();
            });
        }
    });
    QTimer::singleShot(2000, &app, &QCoreApplication::quit);
    app.exec();
    worker.join();
    ASSERT_EQ(order.size(), 100u);
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(order[static_cast<std::size_t>(i)], i);
    EXPECT_TRUE(allOnUi);
}

TEST(ReportDescriptor, VendorReportsOf64BytesGive65)
{
    // Usage page 0xFF00, usage 1, collection; 64 x 8-bit input and output.
    const std::uint8_t descriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x01,
                                       0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40,
                                       0x81, 0x02, 0x09, 0x01, 0x95, 0x40, 0x91, 0x02, 0xC0};
    const ReportLayout layout = parseReportDescriptor(descriptor, sizeof descriptor);
    EXPECT_TRUE(layout.valid);
    EXPECT_FALSE(layout.numbered);
    EXPECT_EQ(layout.inputLength, 65);
    EXPECT_EQ(layout.outputLength, 65);
}

TEST(ReportDescriptor, NumberedReportsTakeTheLongestReport)
{
    // Report 1: 8 input bytes; report 2: 16 input bytes and 4 output bytes.
    const std::uint8_t descriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x85, 0x01,
                                       0x75, 0x08, 0x95, 0x08, 0x81, 0x02, 0x85, 0x02, 0x95,
                                       0x10, 0x81, 0x02, 0x95, 0x04, 0x91, 0x02, 0xC0};
    const ReportLayout layout = parseReportDescriptor(descriptor, sizeof descriptor);
    EXPECT_TRUE(layout.valid);
    EXPECT_TRUE(layout.numbered);
    EXPECT_EQ(layout.inputLength, 17);
    EXPECT_EQ(layout.outputLength, 5);
}

TEST(ReportDescriptor, TruncatedOrEmptyDescriptorsAreNotValid)
{
    const std::uint8_t truncated[] = {0x06, 0x00};
    EXPECT_FALSE(parseReportDescriptor(truncated, sizeof truncated).valid);
    EXPECT_FALSE(parseReportDescriptor(nullptr, 0).valid);
    const std::uint8_t longItem[] = {0xFE, 0x10};
    EXPECT_FALSE(parseReportDescriptor(longItem, sizeof longItem).valid);
}

// Hot-plug on Linux: a tool unplugged and plugged back before anyone rescans
// usually gets the same hidraw node back, and another HID device may take a
// node a tool freed. The backend must hand out a new device object then, so
// that the layer sees the old device go and the new one come.
namespace {

struct ListedDevices {
    std::vector<HidapiBackend::DeviceInfo> present;
    HidapiBackend::Lister lister()
    {
        return [this] { return present; };
    }
};

HidapiBackend::DeviceInfo tool(const char* identity)
{
    return {"/dev/hidraw0", identity, {0x2E5B, 0x0104, "Kelvan CT104", "SN1"}};
}

}  // namespace

TEST(HidapiBackendHotPlug, AToolBackUnderTheSameNodeIsANewDeviceAndAChangeIsRaised)
{
    ListedDevices listed;
    listed.present = {tool("0003:2E5B:0104.0001")};
    HidapiBackend backend(listed.lister());
    TestDispatcher dispatcher;
    HidLayer layer(backend, dispatcher, HidReaderMode::Manual);
    int changes = 0, arrivals = 0;
    layer.setDeviceChangeHandler([&] { ++changes; });
    layer.setArrivalHook([&](HidDevice&) { ++arrivals; });
    dispatcher.runAll();
    ASSERT_EQ(layer.devices().size(), 1u);
    const std::shared_ptr<HidDevice> before = layer.devices()[0];
    EXPECT_EQ(layer.devices()[0]->backendDevice(), backend.enumerate()[0]) << "same while plugged";

    // Unplugged and plugged back; the kernel numbers the new device on.
    listed.present = {tool("0003:2E5B:0104.0002")};
    layer.deviceChangePass();
    ASSERT_EQ(layer.devices().size(), 1u);
    EXPECT_NE(layer.devices()[0], before);
    EXPECT_FALSE(before->isPluggedIn()) << "the old device was released";
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(arrivals, 2);
}

TEST(HidapiBackendHotPlug, AnotherDeviceOnAFreedNodeDoesNotInheritTheToolsIdentity)
{
    ListedDevices listed;
    listed.present = {tool("0003:2E5B:0104.0001")};
    HidapiBackend backend(listed.lister());
    const auto first = backend.enumerate();
    // The kernel's name cannot be read (no sysfs): the attributes still differ.
    listed.present = {{"/dev/hidraw0", "", {0x046D, 0xC52B, "USB Receiver", ""}}};
    const auto second = backend.enumerate();
    ASSERT_EQ(second.size(), 1u);
    EXPECT_NE(first[0], second[0]);
    hid::Attributes a;
    ASSERT_TRUE(second[0]->attributes(a));
    EXPECT_EQ(a.vendorId, 0x046D);
    EXPECT_EQ(a.productString, "USB Receiver");
}

TEST(HidapiBackendHotPlug, ARemoveEventDropsTheDeviceEvenIfItComesBackUnchanged)
{
    ListedDevices listed;
    listed.present = {tool(""), {"/dev/hidraw1", "", {0x2E5B, 0x0108, "Kelvan CT108", "SN2"}}};
    HidapiBackend backend(listed.lister());
    int notified = 0;
    backend.setChangeNotifier([&] { ++notified; });
    const auto first = backend.enumerate();
    backend.deviceEvent("remove", "/dev/hidraw0");
    backend.deviceEvent("add", "/dev/hidraw0");
    EXPECT_EQ(notified, 2);
    const auto second = backend.enumerate();
    ASSERT_EQ(second.size(), 2u);
    EXPECT_NE(first[0], second[0]) << "removed and added: a new device";
    EXPECT_EQ(first[1], second[1]) << "the other device was not touched";
    backend.setChangeNotifier({});
}
