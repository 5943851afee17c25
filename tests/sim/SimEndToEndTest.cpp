// The program's tool components against the simulator: each test a scenario
// a real tool and chip would show.

#include "SimRig.h"
#include "Simulation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <thread>

using simtest::SimRig;

namespace {

TEST(SimEndToEnd, ToolTableListsTheSimulatedTool)
{
    SimRig rig;
    ASSERT_TRUE(rig.list.Connected());
    ASSERT_EQ(rig.list.CTData().Count, 1);
    EXPECT_EQ(rig.list.CTData().ProductID[0], "264");
    EXPECT_EQ(rig.list.CTData().SerialNumber[0], "SIM0001");
    std::uint32_t version = 0;
    std::uint8_t build = 0, release = 0;
    EXPECT_EQ(rig.tool.GetCTFWVersion(version, build, release), 0);
    EXPECT_EQ(version, 0x0106u);
    EXPECT_EQ(build, 20);
    EXPECT_EQ(release, 0x0B);
}

TEST(SimEndToEnd, MainWindowStartSequenceStreams)
{
    SimRig rig;
    // Stop the stream and switch off (both refused on an idle tool), wait.
    EXPECT_EQ(rig.chip.StopStreaming(), 0x0D01);
    EXPECT_EQ(rig.chip.PowerOff(), 0x0301);
    rig.tool.SetReadTimeout(TKelvanHidTool::kDefaultReadTimeoutMs);
    rig.run(500);
    // Stop bit off and restore, event mode off, tool set-up.
    EXPECT_EQ(rig.tool.StopBitControl(sbOff), 0);
    EXPECT_EQ(rig.tool.StopBitControl(sbRestore), 0);
    EXPECT_EQ(rig.tool.EventMode(false), 0);
    ASSERT_EQ(rig.chip.SetupCT(), 0);
    // SetEventMode: I2C polling at medium speed, then the five-parameter form.
    ASSERT_EQ(rig.tool.SetupComms(ctI2CPolling, csMedium), 0);
    ASSERT_EQ(rig.tool.EventMode(1, 240, 2000, 60, 0), 0);
    EXPECT_TRUE(rig.ctl.eventModeEnabled());
    ASSERT_EQ(rig.chip.PowerOn(), 0);
    rig.run(1000);
    // Address search from the box's 44, version, comms in ATI, streaming.
    ASSERT_EQ(rig.tool.ConfigI2C(RDY_ActiveLow, prNotConnected, 0x44, rpPin10, scUseStop,
                                 ipNoPolling),
              0);
    TExchangeResult res = 1;
    rig.read(0x00, 2, &res);
    ASSERT_EQ(res, 0);
    std::uint32_t version = 0;
    ASSERT_EQ(rig.tool.GetCTFWVersion(version), 0);
    EXPECT_EQ(rig.read(0x00, 3), (std::vector<std::uint8_t>{60, 2, 1}));
    ASSERT_EQ(rig.setBits(0xD0, 0x08), 0);
    ASSERT_EQ(rig.setBits(0x80, 0x80), 0);
    ASSERT_EQ(rig.startStreaming(), 0);
    rig.run(100);
    EXPECT_EQ(rig.frames.size(), 6u);
    EXPECT_EQ(rig.missed, 0);
    // Stop: power off ends the stream on the tool.
    EXPECT_EQ(rig.chip.StopStreaming(), 0);
    EXPECT_EQ(rig.chip.PowerOff(), 0);
    EXPECT_EQ(rig.tool.EventMode(false), 0);
}

TEST(SimEndToEnd, SetupAcceptedAndInvalidVoltageRefused)
{
    SimRig rig;
    EXPECT_EQ(rig.chip.SetupCT(), 0);
    rig.chip.SetDUTVoltage(vAdjustable);
    rig.chip.SetAdjustableDUTVoltage(1.0);
    double selected = 0;
    EXPECT_EQ(rig.chip.SetupCT(selected), 0) << "the DAC takes 1 V";
    EXPECT_NEAR(selected, 1.0, 0.02);
    EXPECT_EQ(rig.chip.PowerOn(), 0x0201);
    EXPECT_FALSE(rig.ctl.chipPowered());
    EXPECT_FALSE(rig.tool.IsPowerOn());

    rig.chip.SetAdjustableDUTVoltage(1.8);
    EXPECT_EQ(rig.chip.SetupCT(), 0);
    EXPECT_EQ(rig.chip.PowerOn(), 0);
    EXPECT_TRUE(rig.ctl.chipPowered());
    EXPECT_TRUE(rig.tool.IsPowerOn());
    EXPECT_NEAR(rig.ctl.dutVoltage(), 1.8, 0.01);
    EXPECT_EQ(rig.chip.PowerOn(), 0x0203);
    EXPECT_EQ(rig.chip.PowerOff(), 0);
    EXPECT_EQ(rig.chip.PowerOff(), 0x0301);
}

TEST(SimEndToEnd, VersionReadAnsweredOnlyAtTheChipsAddress)
{
    SimRig rig;
    rig.ctl.setChipAddress(0x4D);
    ASSERT_EQ(rig.start(), 0);
    // The address search of the start sequence.
    std::uint8_t found = 0;
    for (std::uint8_t candidate : {0x44, 0x45, 0x46, 0x47, 0x4C, 0x4D, 0x4E, 0x4F}) {
        ASSERT_EQ(rig.tool.ConfigI2C(RDY_ActiveLow, prNotConnected, candidate, rpPin10,
                                     scUseStop, ipNoPolling),
                  0);
        TExchangeResult res = 0;
        rig.read(0x00, 2, &res);
        if (res == 0) {
            found = candidate;
            break;
        }
        EXPECT_EQ(res, 0x1203);
    }
    EXPECT_EQ(found, 0x4D);
    EXPECT_EQ(rig.read(0x00, 3), (std::vector<std::uint8_t>{60, 2, 1}));
}

TEST(SimEndToEnd, CommsInAtiReadModifyWrite)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    EXPECT_EQ(rig.setBits(0xD0, 0x08), 0);
    EXPECT_EQ(rig.setBits(0x80, 0x80), 0);
    EXPECT_EQ(rig.read1(0xD0), 0x08);
    EXPECT_EQ(rig.read1(0x80), 0x91);
    EXPECT_EQ(rig.ctl.chipRegister(0xD0), 0x08);
}

TEST(SimEndToEnd, SettingsWrittenAreReadBackAndLongWritesStayOneTransaction)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    std::vector<std::uint8_t> block{0x60};
    for (int i = 0; i < 40; ++i)
        block.push_back(static_cast<std::uint8_t>(i + 1));
    EXPECT_EQ(rig.write(block), 0);  // stop bit off, 32 bytes, restore, 9 bytes
    EXPECT_EQ(rig.read(0x60, 7), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(rig.read(0x70, 6), (std::vector<std::uint8_t>{17, 18, 19, 20, 21, 22}));
    EXPECT_EQ(rig.read1(0x80), 33);
}

TEST(SimEndToEnd, LongStreamingAtTheReportRate)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    ASSERT_EQ(rig.startStreaming(), 0);
    EXPECT_TRUE(rig.tool.IsStreaming());
    rig.run(160);
    ASSERT_EQ(rig.frames.size(), 10u);
    for (std::size_t i = 0; i < rig.frames.size(); ++i) {
        const auto& f = rig.frames[i];
        EXPECT_EQ(f.data.size(), 64u);
        EXPECT_EQ(f.data[1], i) << "counter";
        EXPECT_EQ(f.data[2], 0);
        EXPECT_GT(f.payload(12) | (f.payload(13) << 8), 400) << "CH0 count";
        EXPECT_GT(f.payload(24) | (f.payload(25) << 8), 400) << "CH0 average";
    }
    EXPECT_EQ(rig.missed, 0);

    ASSERT_EQ(rig.write({0xD3, 40}), 0);  // 40 ms report rate
    rig.frames.clear();
    rig.run(400);
    EXPECT_EQ(rig.frames.size(), 10u);
    EXPECT_EQ(rig.missed, 0);
}

TEST(SimEndToEnd, LongFramesOverSeveralReportsAreAssembled)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    std::vector<std::uint8_t> extra;
    for (std::uint8_t reg = 0x60; reg < 0x66; ++reg)
        extra.push_back(reg);
    ASSERT_EQ(rig.startStreaming(extra), 0);  // 38 bytes: two reports
    EXPECT_EQ(rig.list.LongStreamingPackets(), 1);
    rig.run(48);
    ASSERT_EQ(rig.frames.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(rig.frames[i].data.size(), 41u);
        EXPECT_EQ(rig.frames[i].data[2], 0xFF);
        EXPECT_EQ(rig.frames[i].payload(32), 0x0A) << "prox threshold CH0";
        EXPECT_EQ(rig.frames[i].payload(33), 0x10) << "touch threshold CH0";
    }
    EXPECT_EQ(rig.missed, 0);
}

TEST(SimEndToEnd, FingerRaisesProxThenTouch)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    ASSERT_EQ(rig.startStreaming(), 0);
    rig.run(1000);
    rig.frames.clear();
    for (double p : {0.2, 0.4, 0.6, 0.8, 1.0}) {
        rig.ctl.setFinger(0, p);
        rig.run(100);
    }
    // First frame with prox on CH0, first with touch on CH0.
    auto first = [&](std::uint8_t mask) {
        return std::find_if(rig.frames.begin(), rig.frames.end(),
                            [mask](const simtest::Frame& f) { return f.payload(2) & mask; }) -
               rig.frames.begin();
    };
    const auto prox = first(0x01);
    const auto touch = first(0x10);
    ASSERT_LT(touch, static_cast<long>(rig.frames.size()));
    EXPECT_LT(prox, touch);
    EXPECT_TRUE(rig.frames[static_cast<std::size_t>(prox)].payload(1) & 0x01)
        << "the prox event is flagged with the change";
    rig.frames.clear();
    rig.ctl.setFinger(0, 0.0);
    rig.run(300);
    EXPECT_EQ(rig.frames.back().payload(2) & 0x11, 0);
}

TEST(SimEndToEnd, AtiBusyThenClear)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    ASSERT_EQ(rig.setBits(0xD0, 0x08), 0);  // comms in ATI: frames during ATI
    ASSERT_EQ(rig.startStreaming(), 0);
    rig.run(100);
    rig.frames.clear();
    ASSERT_EQ(rig.setBits(0xD0, 0x02), 0);  // redo ATI
    rig.run(300);
    ASSERT_GT(rig.frames.size(), 10u);
    EXPECT_TRUE(rig.frames.front().payload(0) & 0x04);
    EXPECT_FALSE(rig.frames.back().payload(0) & 0x04);
    const auto busy = std::count_if(rig.frames.begin(), rig.frames.end(),
                                    [](const simtest::Frame& f) { return f.payload(0) & 0x04; });
    EXPECT_GE(busy, 6);
    EXPECT_LE(busy, 9);
}

TEST(SimEndToEnd, ResetFlagUntilAcknowledged)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    ASSERT_EQ(rig.startStreaming(), 0);
    rig.run(100);
    EXPECT_TRUE(rig.frames.back().payload(0) & 0x80);
    ASSERT_EQ(rig.setBits(0xD0, 0x40), 0);
    rig.frames.clear();
    rig.run(100);
    ASSERT_FALSE(rig.frames.empty());
    for (const auto& f : rig.frames)
        EXPECT_FALSE(f.payload(0) & 0x80);
    ASSERT_EQ(rig.setBits(0xD0, 0x80), 0);  // soft reset
    rig.frames.clear();
    rig.run(300);
    ASSERT_FALSE(rig.frames.empty());
    EXPECT_TRUE(rig.frames.back().payload(0) & 0x80);
}

TEST(SimEndToEnd, UnpluggingAStreamingTool)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    ASSERT_EQ(rig.startStreaming(), 0);
    rig.run(50);
    rig.deviceChanges.clear();
    rig.backend.unplug(rig.key);
    rig.dispatcher.runAll();
    ASSERT_EQ(rig.deviceChanges, std::vector<bool>{false});
    EXPECT_FALSE(rig.list.Connected());
    EXPECT_FALSE(rig.list.IsStreaming());
    EXPECT_EQ(rig.list.CTData().Count, 0);
    std::uint32_t version = 0;
    EXPECT_EQ(rig.tool.GetCTFWVersion(version), 2);
}

TEST(SimEndToEnd, LostReportRaisesOneDataMissedEvent)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    ASSERT_EQ(rig.startStreaming(), 0);
    rig.run(100);
    rig.ctl.loseStreamReports(1);
    rig.run(200);
    EXPECT_EQ(rig.missed, 1);
}

TEST(SimEndToEnd, LostReportOfALongFrameDropsThatFrame)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    ASSERT_EQ(rig.startStreaming({0x60, 0x61, 0x62, 0x63}), 0);
    rig.run(64);
    const std::size_t before = rig.frames.size();
    rig.ctl.loseStreamReports(1);  // the first report of the next frame
    rig.run(64);
    EXPECT_EQ(rig.frames.size(), before + 3);
    EXPECT_EQ(rig.missed, 1);
}

TEST(SimEndToEnd, ChipThatStopsAnsweringRaisesNoCommsReply)
{
    SimRig rig;
    ASSERT_EQ(rig.start(), 0);
    ASSERT_EQ(rig.startStreaming(), 0);
    rig.run(50);
    rig.ctl.setChipAnswering(false);
    rig.run(50);
    EXPECT_EQ(rig.streamErrors, std::vector<std::uint16_t>{14});
    EXPECT_TRUE(rig.list.IsStreaming());
}

TEST(SimEndToEnd, SilentToolEndsTheExchangeWithinTheReadBound)
{
    SimRig rig;
    rig.tool.SetReadTimeout(200);
    rig.ctl.setSilent(true);
    std::uint32_t version = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(rig.tool.GetCTFWVersion(version), 3);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(190));
    EXPECT_LT(took, std::chrono::milliseconds(1000));
    rig.ctl.setSilent(false);
    EXPECT_EQ(rig.tool.GetCTFWVersion(version), 0);
}

TEST(SimEndToEnd, ErrorReplyToTheNextCommand)
{
    SimRig rig;
    rig.ctl.failNextCommand(0x01);
    EXPECT_EQ(rig.chip.SetupCT(), 0x0101);
    EXPECT_EQ(rig.chip.SetupCT(), 0);
}

TEST(SimEndToEnd, FirmwareUpdateTakesTheToolOffTheBusAndBack)
{
    SimRig rig;
    ASSERT_EQ(rig.tool.EnterDFU(), 0);
    rig.deviceChanges.clear();
    rig.run(100);
    EXPECT_EQ(rig.deviceChanges, std::vector<bool>{false});
    EXPECT_FALSE(rig.list.Connected());
    rig.run(2000);
    EXPECT_EQ(rig.deviceChanges, (std::vector<bool>{false, true}));
    ASSERT_TRUE(rig.list.Connected());
    EXPECT_EQ(rig.list.CTData().SerialNumber[0], "SIM0001");
    std::uint32_t version = 0;
    EXPECT_EQ(rig.tool.GetCTFWVersion(version), 0);
}

TEST(SimEndToEnd, SecondToolRaisesMultipleDevices)
{
    SimRig rig;
    std::vector<std::string> names;
    rig.list.OnMultipleDevices = [&](TKelvanDevList*, const std::vector<std::string>& n) {
        names = n;
    };
    rig.backend.plug();
    rig.dispatcher.runAll();
    EXPECT_EQ(rig.deviceChanges.back(), true);
    ASSERT_EQ(names.size(), 2u);
    EXPECT_TRUE(rig.tool.SetCurrentSerial("SIM0002"));
    EXPECT_EQ(rig.tool.SetCTID(4), 0);
    EXPECT_EQ(rig.backend.tool(1).toolId(), 4);
    EXPECT_EQ(rig.ctl.toolId(), 0);
}

}  // namespace

namespace {

// The tool components on a real-time simulation with threaded readers, as
// the program runs them.
struct RealTimeRig {
    explicit RealTimeRig(std::uint32_t streamRateHz = 0, std::size_t readerQueue = 0)
    {
        sim::SimulationOptions options;
        options.fingerCycle = false;
        options.tool.streamRateHz = streamRateHz;
        backend = sim::makeSimulation(options);
        list = std::make_unique<TKelvanDevList>(*backend, dispatcher, HidReaderMode::Threaded);
        if (readerQueue > 0)
            list->Layer().setReaderQueueReports(readerQueue);
        tool = std::make_unique<TKelvanHidTool>(backend->clock());
        tool->SetKelvanDevList(list.get());
        list->Activate();
        dispatcher.runAll();
        chip.SetHIDTool(tool.get());
        chip.SetCommsType(c240_I2C);
        chip.SetI2CType(RDY_ActiveLow);
        chip.SetI2CAddress("44");
    }
    ~RealTimeRig() { list->Deactivate(); }

    TExchangeResult startStreaming()
    {
        if (const auto res = chip.SetupCT())
            return res;
        if (const auto res = chip.PowerOn())
            return res;
        std::uint32_t version = 0;
        if (const auto res = tool->GetCTFWVersion(version))
            return res;
        std::uint16_t length = 0;
        if (const auto res = tool->SetLongStreamingLength(32))
            return res;
        return tool->StartLongStreaming(SimRig::table(length));
    }

    std::shared_ptr<sim::SimBackend> backend;
    TestDispatcher dispatcher;
    std::unique_ptr<TKelvanDevList> list;
    std::unique_ptr<TKelvanHidTool> tool;
    TMFS240Device chip;
};

// Frames arrive on their own while the user-interface thread exchanges commands.
TEST(SimEndToEndRealTime, StreamsWhileCommandsAreExchanged)
{
    RealTimeRig rig;
    TMFS240Device& chip = rig.chip;
    TKelvanHidTool& tool = *rig.tool;
    TestDispatcher& dispatcher = rig.dispatcher;
    int frames = 0;
    int lastCounter = -1;
    bool increasing = true;
    chip.OnStreaming = [&](std::uint16_t, std::uint8_t, const std::uint8_t* data) {
        increasing = increasing && (lastCounter < 0 || data[1] == ((lastCounter + 1) & 0xFF));
        lastCounter = data[1];
        ++frames;
    };
    int missed = 0;
    chip.OnStreamingDataMissed = [&](std::uint8_t) { ++missed; };
    ASSERT_EQ(rig.startStreaming(), 0);

    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    int exchanges = 0;
    while (frames < 20 && std::chrono::steady_clock::now() < until) {
        dispatcher.runOne(50);
        TKvnByteArray out{};
        EXPECT_EQ(tool.I2CRead(std::uint8_t{0x00}, std::uint8_t{3}, out), 0);
        EXPECT_EQ(out[0], 60);
        ++exchanges;
    }
    EXPECT_GE(frames, 20);
    EXPECT_TRUE(increasing);
    EXPECT_EQ(missed, 0);
    EXPECT_GT(exchanges, 0);
    EXPECT_EQ(tool.StopStreaming(), 0);
}

// A user-interface thread that stalls for longer than the queues hold loses
// frames, and the counter check counts them; streaming goes on afterwards.
TEST(SimEndToEndRealTime, AStalledUserInterfaceLosesFramesThatTheCounterCounts)
{
    RealTimeRig rig(8000, 16);  // 16 reports in the reader, 64 in the device
    int frames = 0;
    int missed = 0;
    rig.chip.OnStreaming = [&](std::uint16_t, std::uint8_t, const std::uint8_t*) { ++frames; };
    rig.chip.OnStreamingDataMissed = [&](std::uint8_t) { ++missed; };
    ASSERT_EQ(rig.startStreaming(), 0);
    const auto runUntil = [&](int n) {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (frames < n && std::chrono::steady_clock::now() < until)
            rig.dispatcher.runOne(50);
    };
    runUntil(10);
    ASSERT_GE(frames, 10);
    const std::uint64_t lostBefore = rig.list->FramesMissed();
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // 800 frames
    const int before = frames;
    runUntil(before + 200);
    EXPECT_GE(frames, before + 200);
    EXPECT_GE(missed, 1);
    EXPECT_GT(rig.list->FramesMissed(), lostBefore);
    EXPECT_EQ(rig.tool->StopStreaming(), 0);
}

}  // namespace
