// More of the session against the simulated tool: tool preferences, register
// access, streaming events, event mode, the follow-up after an ATI and the
// start-up modes that apply a settings file.
#include "FieldTable.h"
#include "SessionRig.h"
#include "SessionTexts.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

std::string serialOf(SessionRig& rig)
{
    return rig.session->HidTool().SerialNumber();
}

TEST(SessionTools, FirstToolIsRememberedAndPreferredLater)
{
    QTemporaryDir prefsDir;
    const std::string prefs = (prefsDir.path() + "/p.ini").toStdString();
    {
        SessionRig rig;
        // The rig keeps its preferences in its own folder; check what it wrote.
        std::vector<std::string> prev;
        ASSERT_TRUE(rig.session->Preferences().readPrevTools(prev));
        ASSERT_EQ(prev.size(), 1u);
        EXPECT_EQ(prev[0], serialOf(rig));

        // A second tool plugged: the remembered one stays current.
        sim::ToolConfig second;
        second.serialNumber = "SECOND";
        rig.backend.plug(second);
        rig.pump();
        EXPECT_EQ(rig.session->DevList().CTData().Count, 2);
        EXPECT_EQ(serialOf(rig), prev[0]);

        // Preferring the second tool makes it current at the next change.
        rig.session->Preferences().writePrevTools({"SECOND", prev[0]});
        rig.backend.plug();
        rig.pump();
        EXPECT_EQ(serialOf(rig), "SECOND");
    }
}

TEST(SessionRegisters, DirectAndIndirectAccess)
{
    SessionRig rig;
    rig.startStreaming();
    const auto v = rig.session->MemoryRead("00");
    ASSERT_TRUE(v);
    EXPECT_EQ(*v, 60);
    const int frames = rig.frames();
    rig.run(100);
    EXPECT_GT(rig.frames(), frames);  // streaming went on

    EXPECT_FALSE(rig.session->MemoryRead(""));
    EXPECT_EQ(rig.messageTexts().back(), sessionmsg::kNoAddress);
    rig.session->MemoryWrite("60", "");
    EXPECT_EQ(rig.messageTexts().back(), sessionmsg::kNoAddressOrData);

    rig.session->MemoryWrite("60", "0C");
    EXPECT_EQ(*rig.session->MemoryRead("60"), 0x0C);

    rig.session->IndirectWrite("12", "5A");
    const auto indirect = rig.session->IndirectRead("12");
    ASSERT_TRUE(indirect);
    EXPECT_EQ(*indirect, 0x5A);
    // No address: nothing is sent and the stream is not stopped.
    std::vector<QString> sent;
    auto c = QObject::connect(rig.session.get(), &TSession::commandSent,
                              [&](const QString& line) { sent.push_back(line); });
    EXPECT_FALSE(rig.session->IndirectRead(""));
    QObject::disconnect(c);
    EXPECT_TRUE(sent.empty());
}

TEST(SessionRegisters, AccessNeedsPower)
{
    SessionRig rig;
    EXPECT_FALSE(rig.session->MemoryRead("00"));
    EXPECT_EQ(rig.messageTexts().back(), sessionmsg::kPowerOff);
    rig.session->PowerButtonClick();  // Power On from idle
    EXPECT_TRUE(rig.hasMessage(sessionmsg::kPoweredOn));
    EXPECT_EQ(rig.session->buttons().powerCaption, "Power Off");
    EXPECT_TRUE(rig.session->state().FPowerOn);
    rig.run(50);
    EXPECT_EQ(*rig.session->MemoryRead("00"), 60);
    rig.session->PowerButtonClick();
    EXPECT_FALSE(rig.session->state().FPowerOn);
}

TEST(SessionEvents, LostReportShowsDataMissedAndChipSilenceIsAStreamingError)
{
    SessionRig rig;
    rig.startStreaming();
    EXPECT_FALSE(rig.session->settingsWindow().dataMissedVisible);
    rig.backend.tool(rig.toolKey).loseStreamReports(1);
    rig.run(100);
    EXPECT_TRUE(rig.session->settingsWindow().dataMissedVisible);
    EXPECT_EQ(rig.session->state().FDataMissedCount, 1u);

    rig.backend.tool(rig.toolKey).setChipAnswering(false);
    rig.run(100);
    EXPECT_TRUE(rig.hasMessage("No comms reply"));
}

TEST(SessionEvents, InEventModeOnlyTheEventTimerDarkensAnIndicator)
{
    SessionRig rig;
    rig.startStreaming();
    rig.session->PauseButtonClick();
    auto& model = rig.session->Settings();
    model.setFieldValue(TFieldId::CommsMode, 1);  // "Event Mode"
    model.detectChange(TSettingsGroup::Device);
    ASSERT_TRUE(rig.session->ApplyButtonClick());
    ASSERT_TRUE(rig.session->state().FEventMode);

    const TStreamLayout& layout = rig.session->Setup().streamLayout();
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(layout.frameSize()), 0);
    frame[0] = 0x0F;
    frame[static_cast<std::size_t>(layout.SysFlagsStartIndex + 1)] = 0x04;  // Hall event
    rig.session->HandleFrame(static_cast<std::uint16_t>(frame.size()), 0, frame.data());
    EXPECT_TRUE(rig.session->Events().lit(TEventIndicator::Hall));
    rig.backend.clock().sleepMs(150);
    rig.session->EventTimerTimer();
    EXPECT_TRUE(rig.session->Events().lit(TEventIndicator::Hall));
    rig.backend.clock().sleepMs(60);
    rig.session->EventTimerTimer();
    EXPECT_FALSE(rig.session->Events().lit(TEventIndicator::Hall));
}

TEST(SessionAti, AutoAtiNoticeOrReadAllAfterAnAti)
{
    SessionRig rig;
    rig.startStreaming();
    rig.run(300);
    rig.session->settingsWindow().atiNoticeVisible = false;
    // "Do nothing" after an automatic ATI: the notice comes up.
    rig.session->RedoATIButtonClick();
    rig.run(400);
    EXPECT_TRUE(rig.session->settingsWindow().atiNoticeVisible);

    // "Update all settings": everything is read again instead.
    rig.session->settingsWindow().atiNoticeVisible = false;
    rig.session->settingsWindow().afterAtiUpdateAll = true;
    rig.session->MemoryWrite("61", "22");
    rig.session->RedoATIButtonClick();
    rig.run(400);
    EXPECT_FALSE(rig.session->settingsWindow().atiNoticeVisible);
    EXPECT_EQ(rig.session->Settings().previous(TSettingsGroup::PxsUI)[1], 0x22);
    EXPECT_TRUE(rig.session->state().FIsStreaming);
}

TEST(SessionStartup, SettingsFileAppliedAtStartOnceTheAtiEnds)
{
    SessionRig rig;
    rig.startStreaming();
    rig.session->Settings().setFieldValue(TFieldId::Touch2, 40);
    rig.session->Settings().detectChange(TSettingsGroup::PxsUI);
    const QString file = rig.dir.path() + "/startup.ini";
    ASSERT_TRUE(rig.session->SaveSettingsTo(file));
    rig.session->StartButtonClick();  // Stop
    ASSERT_EQ(rig.session->BrowseSettingsFile(file.toStdString()), 0);
    rig.session->settingsWindow().loadSettingsOnStartup = true;
    int waitShown = 0;
    QObject::connect(rig.session.get(), &TSession::barBackgroundChanged,
                     [&](TBarBackground b) { waitShown += b == TBarBackground::Wait; });
    rig.startStreaming();
    EXPECT_EQ(waitShown, 1);
    EXPECT_FALSE(rig.session->state().FBlockDisplay);
    EXPECT_EQ(rig.messageTexts().filter("Settings loaded successfully").size(), 1);
    std::vector<std::uint8_t> touch2;
    ASSERT_EQ(rig.session->ReadRegisters(0x65, 1, touch2), 0);
    EXPECT_EQ(touch2[0], 40);
}

TEST(SessionStartup, CustomModeAppliesTheChosenRecentFile)
{
    SessionRig rig;
    rig.startStreaming();
    rig.session->Settings().setFieldValue(TFieldId::Prox2, 33);
    rig.session->Settings().detectChange(TSettingsGroup::PxsUI);
    const QString file = rig.dir.path() + "/custom.ini";
    ASSERT_TRUE(rig.session->SaveSettingsTo(file));
    rig.session->StartButtonClick();  // Stop
    rig.session->Settings().setFieldValue(TFieldId::Prox2, 9);
    rig.prompts.startup = {TStartupChoice::TMode::Custom, 0};
    rig.startStreaming();
    EXPECT_EQ(rig.session->Settings().fieldValue(TFieldId::Prox2), 33);
    EXPECT_FALSE(rig.hasMessage("Dual PIR Mode"));

    // No entry chosen: the default set-up, and the user is told so.
    rig.session->StartButtonClick();
    rig.prompts.startup = {TStartupChoice::TMode::Custom, -1};
    rig.startStreaming();
    EXPECT_TRUE(rig.session->state().FIsStreaming);
    EXPECT_TRUE(rig.messageTexts().filter("No custom setup file selected").size() == 1);
}

TEST(SessionStartup, MissingDemoFileIsReported)
{
    QTemporaryDir app;
    SessionRig rig({}, true, app.path().toStdString());
    EXPECT_TRUE(rig.session->LoadDemoSettings(2));
    ASSERT_EQ(rig.prompts.shown.size(), 1u);
    EXPECT_EQ(rig.prompts.shown[0].text, sessionmsg::kDemoFileMissing);
}

}  // namespace
