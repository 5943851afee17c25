// The device list: tool filter, display names, rescans, activation, events.

#include "HidDevice.h"
#include "ToolRig.h"

#include <gtest/gtest.h>

namespace {

struct Events {
    std::vector<std::string> log;  // "change:<arrived>:<count>:<connected>:<streaming>", "multiple:<names>"
    void attach(TKelvanDevList& list)
    {
        list.OnDeviceChange = [this](TKelvanDevList* sender, bool arrived) {
            log.push_back("change:" + std::to_string(arrived) + ":" +
                          std::to_string(sender->CTData().Count) + ":" +
                          std::to_string(sender->Connected()) + ":" +
                          std::to_string(sender->IsStreaming()));
        };
        list.OnMultipleDevices = [this](TKelvanDevList*, const std::vector<std::string>& names) {
            std::string all = "multiple:";
            for (const auto& n : names)
                all += n + ";";
            log.push_back(all);
        };
    }
};

}  // namespace

TEST(DevList, RecognisesConfigurationToolsByVendorAndProduct)
{
    struct Case {
        std::uint16_t vid, pid;
        bool tool;
    };
    const Case cases[] = {
        {0x2E5B, 0x0104, true},  {0x2E5B, 0x01FF, true},  {0x2E5B, 0x0100, true},
        {0x2E5B, 0x0201, true},  {0x2E5B, 0x0306, true},  {0x2E5B, 0x04AB, true},
        {0x2E5B, 0x0301, true},  {0x2E5B, 0x0308, true},  {0x2E5B, 0x0200, false},
        {0x2E5B, 0x0305, false}, {0x2E5B, 0x0309, false}, {0x2E5B, 0x0500, false},
        {0x2E5B, 0x0001, false}, {0x0483, 0x5751, true},  {0x0483, 0x5750, false},
        {0x04D8, 0xFE04, true},  {0x04D8, 0xFE05, false}, {0x1234, 0x0104, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TKelvanDevList::IsConfigurationTool(c.vid, c.pid), c.tool)
            << std::hex << c.vid << ":" << c.pid;
}

TEST(DevList, DisplayNameIsTheProductStringOrVidPidText)
{
    EXPECT_EQ(TKelvanDevList::DisplayName({0x04D8, 0xFE04, "", ""}), "Device VID=04d8 PID=fe04");
    EXPECT_EQ(TKelvanDevList::DisplayName({0x2E5B, 0x0104, "CT210A", "7"}), "CT210A");
}

TEST(DevList, FirstPassRaisesDeviceChangeEvenWithoutATool)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    TKelvanDevList list(backend, dispatcher, HidReaderMode::Manual);
    Events events;
    events.attach(list);
    list.Activate();
    EXPECT_TRUE(events.log.empty()) << "the first pass runs from the event loop";
    dispatcher.runAll();
    EXPECT_EQ(events.log, std::vector<std::string>{"change:0:0:0:0"});
    EXPECT_FALSE(list.Connected());
    // A notification after which the same devices are present: no rescan.
    backend.notify();
    dispatcher.runAll();
    list.HidDeviceChange();
    EXPECT_EQ(events.log.size(), 1u);
}

TEST(DevList, PluggingToolsBuildsTheTableAndRaisesEvents)
{
    ToolRig rig(false);
    Events events;
    events.attach(rig.list);
    rig.backend.plug(0x1234, 0x0001, "Keyboard", "K");  // not a tool
    auto a = rig.plugTool("Tool A", "SN1");
    rig.dispatcher.runAll();
    auto b = rig.plugTool("", "SN2", 0x0301);
    rig.dispatcher.runAll();

    const std::vector<std::string> expected = {"change:1:1:1:0", "change:1:2:1:0",
                                               "multiple:Tool A;Device VID=2e5b PID=0301;"};
    EXPECT_EQ(events.log, expected);
    const TCTData& t = rig.list.CTData();
    ASSERT_EQ(t.Count, 2);
    EXPECT_EQ(t.Name, (std::vector<std::string>{"Tool A", "Device VID=2e5b PID=0301"}));
    EXPECT_EQ(t.Index, (std::vector<std::string>{"1", "2"}));
    EXPECT_EQ(t.VendorID, (std::vector<std::string>{"11867", "11867"}));
    EXPECT_EQ(t.ProductID, (std::vector<std::string>{"260", "769"}));
    EXPECT_EQ(t.SerialNumber, (std::vector<std::string>{"SN1", "SN2"}));
    EXPECT_EQ(rig.list.HidDevices().size(), 3u);
    EXPECT_EQ(rig.list.HidDevices()[0].Name, "Keyboard");
}

TEST(DevList, DevicesKeepTheirObjectAcrossRescansAndPositionsShift)
{
    ToolRig rig(false);
    auto a = rig.plugTool("A", "SN1");
    auto b = rig.plugTool("B", "SN2");
    rig.dispatcher.runAll();
    const std::shared_ptr<HidDevice> objectB = rig.list.CTData().Device[1];
    auto c = rig.plugTool("C", "SN3");
    rig.dispatcher.runAll();
    EXPECT_EQ(rig.list.CTData().Device[1], objectB);
    rig.backend.unplug(a);
    rig.dispatcher.runAll();
    ASSERT_EQ(rig.list.CTData().Count, 2);
    EXPECT_EQ(rig.list.CTData().Device[0], objectB);
    EXPECT_EQ(rig.list.CTData().Index, (std::vector<std::string>{"0", "1"}));
    EXPECT_EQ(rig.list.CTData().Name, (std::vector<std::string>{"B", "C"}));
}

TEST(DevList, OnlyToolsAreOpenedAndReadWhileActivated)
{
    ToolRig rig(false);
    auto other = rig.backend.plug(0x1234, 0x0001, "Keyboard", "K");
    auto tool = rig.plugTool("A", "SN1");
    rig.dispatcher.runAll();
    EXPECT_EQ(other->openHandles(), 0);
    EXPECT_EQ(tool->openHandles(), 1) << "the background reader";
    rig.list.Deactivate();
    EXPECT_EQ(tool->openHandles(), 0);
    rig.list.Activate();
    EXPECT_EQ(tool->openHandles(), 1);
}

TEST(DevList, BeforeActivationTheTableFollowsButNoEventIsRaised)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    TKelvanDevList list(backend, dispatcher, HidReaderMode::Manual);
    Events events;
    events.attach(list);
    backend.plug(0x2E5B, 0x0104, "A", "SN1");
    dispatcher.runAll();
    EXPECT_TRUE(list.Connected());
    EXPECT_EQ(list.CTData().Count, 1);
    EXPECT_TRUE(events.log.empty());
    list.Activate();
    backend.plug(0x1234, 0x0001, "Mouse", "");
    dispatcher.runAll();
    EXPECT_EQ(events.log, std::vector<std::string>{"change:1:1:1:0"})
        << "the arrival flag waited for the first rescan after activation";
    backend.plug(0x1234, 0x0002, "Mouse 2", "");
    list.Deactivate();
    dispatcher.runAll();
    EXPECT_EQ(events.log.size(), 1u);
}

TEST(DevList, UnpluggingTheOnlyToolEmptiesTheTable)
{
    ToolRig rig;
    Events events;
    events.attach(rig.list);
    rig.backend.unplug(rig.device);
    rig.dispatcher.runAll();
    EXPECT_EQ(events.log, std::vector<std::string>{"change:0:0:0:0"});
    EXPECT_TRUE(rig.list.HidDevices().empty());
    EXPECT_EQ(rig.tool.SoftReset(), 2);
}

TEST(DevList, UnpluggingAStreamingToolEndsStreamingBeforeTheEvent)
{
    ToolRig rig;
    ASSERT_EQ(rig.tool.SetLongStreamingLength(20), 0);
    std::uint32_t version = 0;
    ASSERT_EQ(rig.tool.GetCTFWVersion(version), 0);
    TKvnByteArray bytes{};
    ASSERT_EQ(rig.tool.StartLongStreaming(bytes), 0);
    ASSERT_TRUE(rig.list.IsStreaming());
    ASSERT_EQ(rig.list.StreamingCounter().Count(), 1);
    Events events;
    events.attach(rig.list);
    rig.backend.unplug(rig.device);
    rig.dispatcher.runAll();
    EXPECT_EQ(events.log, std::vector<std::string>{"change:0:0:0:0"});
    EXPECT_EQ(rig.list.StreamingNumberOfDevices(), 0);
    EXPECT_EQ(rig.list.StreamingCounter().Count(), 0);
    EXPECT_EQ(rig.list.StreamingDevices().Device(0), nullptr);
}

TEST(DevList, ADeviceThatCannotBeAddedEndsThePass)
{
    ToolRig rig;
    Events events;
    events.attach(rig.list);
    // A device whose attributes cannot be read, enumerated before the known tool.
    auto bad = rig.backend.plugAt(0, 0x2E5B, 0x0104, "Bad", "X");
    bad->setFailAttributes(true);
    rig.dispatcher.runAll();
    EXPECT_EQ(rig.list.CTData().Count, 0) << "the known tool after it is dropped for now";
    EXPECT_TRUE(rig.list.HidDevices().empty());
    bad->setFailAttributes(false);
    rig.backend.plug(0x1234, 0x0001, "Mouse", "");
    rig.dispatcher.runAll();
    EXPECT_EQ(rig.list.CTData().Count, 2) << "a later rescan finds both";
    EXPECT_EQ(rig.list.CTData().Name, (std::vector<std::string>{"Bad", "KVN tool"}));
}

TEST(DevList, DestroyingTheListReleasesItsDevices)
{
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    auto device = backend.plug(0x2E5B, 0x0104, "A", "SN1");
    {
        TKelvanDevList list(backend, dispatcher, HidReaderMode::Threaded);
        list.Activate();
        dispatcher.runAll();
        EXPECT_EQ(device->openHandles(), 1);
    }
    EXPECT_EQ(device->openHandles(), 0);
    EXPECT_FALSE(backend.hasNotifier());
    dispatcher.runAll();  // nothing left that refers to the list
}
