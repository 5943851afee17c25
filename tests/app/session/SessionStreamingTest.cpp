// Streaming control against the simulated tool and chip.
#include "FieldTable.h"
#include "SessionRig.h"
#include "SettingsFile.h"
#include "SessionTexts.h"

#include <gtest/gtest.h>

namespace {

TEST(SessionStreaming, StartWithDefaultSetupStreamsDecodedFrames)
{
    SessionRig rig;
    ASSERT_TRUE(rig.session->buttons().startEnabled);
    EXPECT_EQ(rig.session->toolLabel().text.toStdString(), "Kelvan CT108 Configuration Tool");
    rig.startStreaming();

    const auto& b = rig.session->buttons();
    EXPECT_EQ(b.startCaption, "Stop");
    EXPECT_EQ(b.pauseCaption, "Pause");
    EXPECT_TRUE(b.pauseEnabled);
    EXPECT_TRUE(rig.session->state().FIsStreaming);
    EXPECT_TRUE(rig.session->state().FPowerOn);
    const QStringList m = rig.messageTexts();
    const int address = m.indexOf("Device Address : 44H");
    const int version = m.indexOf("Device Version:");
    const int started = m.indexOf("Device streaming started");
    ASSERT_GE(address, 0) << m.join('\n').toStdString();
    EXPECT_LT(address, version);
    EXPECT_LT(version, started);
    EXPECT_EQ(rig.session->settingsWindow().deviceVersionText, "60 : 2 : 1");
    EXPECT_GT(rig.frames(), 5);
    // The counts of the three capacitive channels were decoded.
    const auto& live = rig.session->Live();
    EXPECT_GT(live.FCurrentChs[0], 0);
    EXPECT_GT(live.FLTAChs[0], 0);
    EXPECT_EQ(rig.session->state().ComRes, 0);
}

TEST(SessionStreaming, CancelledStartupChoiceChangesNothing)
{
    SessionRig rig;
    rig.prompts.startup.mode = TStartupChoice::TMode::Closed;
    const auto before = rig.session->messages().size();
    rig.session->StartButtonClick();
    rig.run(100);
    EXPECT_EQ(rig.prompts.startupAsked, 1);
    EXPECT_EQ(rig.session->messages().size(), before);
    EXPECT_EQ(rig.session->buttons().startCaption, "Start");
    EXPECT_FALSE(rig.session->state().FPowerOn);
    EXPECT_EQ(rig.frames(), 0);
}

TEST(SessionStreaming, FindsTheChipAtAnotherAddressOnTheSixthProbe)
{
    sim::ToolConfig tool;
    tool.chip.i2cAddress = 0x4D;
    SessionRig rig(tool);
    std::vector<int> probes;
    QObject::connect(rig.session.get(), &TSession::commandSent, [&](const QString& line) {
        const QStringList b = line.split(' ', Qt::SkipEmptyParts);
        if (b.size() > 6 && b[2] == "0F")
            probes.push_back(b[6].toInt(nullptr, 16));
    });
    rig.startStreaming();
    // The tool set-up configures the link first; then the search probes.
    EXPECT_EQ(probes, (std::vector<int>{0x44, 0x44, 0x45, 0x46, 0x47, 0x4C, 0x4D}));
    EXPECT_EQ(rig.session->Setup().I2CAddressText, "4D");
    EXPECT_EQ(rig.session->state().FDeviceAddress, 0x4D);
    EXPECT_TRUE(rig.hasMessage("Device Address : 4DH"));
    EXPECT_GT(rig.frames(), 0);
}

TEST(SessionStreaming, NoChipAnsweringFailsTheStartWithOneWarning)
{
    sim::ToolConfig tool;
    tool.chip.i2cAddress = 0x30;
    SessionRig rig(tool);
    rig.startStreaming();
    ASSERT_EQ(rig.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.prompts.shown[0].text, sessionmsg::kUnableToStart);
    EXPECT_FALSE(rig.session->state().FPowerOn);
    EXPECT_FALSE(rig.session->state().FIsStreaming);
    EXPECT_EQ(rig.session->buttons().startCaption, "Start");
}

TEST(SessionStreaming, PauseAndResume)
{
    SessionRig rig;
    rig.startStreaming();
    rig.session->PauseButtonClick();
    EXPECT_EQ(rig.session->buttons().pauseCaption, "Resume");
    EXPECT_TRUE(rig.session->state().FIsPaused);
    EXPECT_FALSE(rig.session->state().FIsStreaming);
    EXPECT_TRUE(rig.hasMessage("Device streaming paused"));
    const int paused = rig.frames();
    rig.run(200);
    EXPECT_EQ(rig.frames(), paused);

    rig.session->PauseButtonClick();
    EXPECT_EQ(rig.session->buttons().pauseCaption, "Pause");
    EXPECT_TRUE(rig.hasMessage("Device streaming resumed"));
    rig.run(200);
    EXPECT_GT(rig.frames(), paused);
}

TEST(SessionStreaming, RestartAfterAReadDropsSixFrames)
{
    SessionRig rig;
    rig.startStreaming();
    int delivered = 0;
    rig.session->DevList().OnDeviceData = [&](std::uint16_t, std::uint8_t, const std::uint8_t* d) {
        if ((d[0] & 0x0F) == 0x0F)
            ++delivered;
    };
    ASSERT_TRUE(rig.session->ReadGroup(TSettingsGroup::PxsUI));
    delivered = 0;
    const int before = rig.frames();
    rig.run(400);
    ASSERT_GT(delivered, 6);
    EXPECT_EQ(rig.frames() - before, delivered - 6);
}

TEST(SessionStreaming, PowerOffReturnsToIdle)
{
    SessionRig rig;
    rig.startStreaming();
    rig.session->StartButtonClick();  // Stop
    EXPECT_FALSE(rig.session->state().FPowerOn);
    EXPECT_FALSE(rig.session->state().FIsStreaming);
    EXPECT_EQ(rig.session->buttons().startCaption, "Start");
    EXPECT_EQ(rig.session->buttons().powerCaption, "Power On");
    EXPECT_FALSE(rig.session->buttons().pauseEnabled);
    EXPECT_TRUE(rig.hasMessage("Device powered off"));
    const int frames = rig.frames();
    rig.run(200);
    EXPECT_EQ(rig.frames(), frames);
    // A register access now finds the chip unpowered.
    EXPECT_FALSE(rig.session->ReadGroup(TSettingsGroup::PxsUI));
    EXPECT_EQ(rig.messageTexts().back(), "Device power is off!");
}

TEST(SessionStreaming, UnpluggingWhilePausedReturnsToIdle)
{
    SessionRig rig;
    rig.startStreaming();
    rig.session->PauseButtonClick();
    rig.backend.unplug(rig.toolKey);
    rig.pump();
    EXPECT_TRUE(rig.hasMessage("Streaming device disconnected!"));
    EXPECT_EQ(rig.session->buttons().startCaption, "Start");
    EXPECT_EQ(rig.session->buttons().pauseCaption, "Pause");
    EXPECT_FALSE(rig.session->buttons().pauseEnabled);
    EXPECT_FALSE(rig.session->buttons().startEnabled);
    EXPECT_EQ(rig.session->toolLabel().text, "No device(s) connected");
    EXPECT_FALSE(rig.session->state().FIsPaused);
    EXPECT_FALSE(rig.session->state().FPowerOn);

    // Plugged again, the tool can start a new session.
    rig.toolKey = rig.backend.plug();
    rig.pump();
    EXPECT_TRUE(rig.session->buttons().startEnabled);
    rig.startStreaming();
    EXPECT_TRUE(rig.session->state().FIsStreaming);
}

}  // namespace

namespace {

TEST(SessionShippedFiles, EveryShippedSettingsFileIsComplete)
{
    for (const char* name :
         {"MFS380_TEST.ini", "MFS380_INDUCTIVE.ini", "MFS380_PIR_TOUCH.ini", "MFS380_DUAL_PIR.ini",
          "MFS380A_3level_SAR_settings.ini", "Nimbra.ini", "Nimbra1.ini", "Nimbra2.ini",
          "Nimbra3.ini"}) {
        const auto read = readSettingsFile(std::filesystem::path(MFS_SHIPPED_DIR) / name);
        EXPECT_EQ(read.status, TSettingsFileRead::TStatus::Ok) << name << " " << read.detail;
    }
}

TEST(SessionShippedFiles, PirMiniCarrierStartDetectsTheSensorAndAppliesItsFile)
{
    SessionRig rig;
    rig.prompts.startup.mode = TStartupChoice::TMode::DualPir;
    rig.startStreaming();
    // The simulated channels count well below 2000: two PIR sensors.
    EXPECT_TRUE(rig.hasMessage("Dual PIR Mode")) << rig.messageTexts().join('\n').toStdString();
    EXPECT_GE(rig.messageTexts().filter("Settings loaded successfully").size(), 2);
    EXPECT_EQ(rig.session->Settings().fieldValue(TFieldId::Prox0), 6);
    EXPECT_TRUE(rig.session->state().FIsStreaming);
    EXPECT_TRUE(rig.session->state().FSettingsFile.empty());
}

TEST(SessionShippedFiles, DemoStartAppliesTheSarSettings)
{
    SessionRig rig;
    rig.startStreaming();
    int shown = 0;
    QObject::connect(rig.session.get(), &TSession::demoShowRequested, [&] { ++shown; });
    rig.session->DemoButtonClick();
    EXPECT_TRUE(rig.session->state().UI_SAR);
    EXPECT_TRUE(rig.session->Setup().DoChStream);
    EXPECT_EQ(shown, 1);
    EXPECT_FALSE(rig.hasMessage("Error loading input file 'load.txt'."));
    rig.run(300);
    EXPECT_GT(rig.frames(), 0);
}

}  // namespace
