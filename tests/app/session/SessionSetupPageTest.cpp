// The "Setup" and "Data Logging" pages' operations against the simulated
// chip: setup states on Apply, recent settings files, the data log start.
#include "Preferences.h"
#include "SessionRig.h"

#include <QDir>
#include <QFile>
#include <fstream>
#include <gtest/gtest.h>

namespace {

int count(const QStringList& list, const QString& text)
{
    return static_cast<int>(list.count(text));
}

std::string touch(const QTemporaryDir& dir, const char* name)
{
    const std::string path = (dir.path() + '/' + name).toStdString();
    std::ofstream(path) << "[IC]\nDevice=MFS380A\n";
    return path;
}

} // namespace

TEST(SessionSetupPage, CommsTypeAndAddressChangesReportTheirMessages)
{
    SessionRig rig;
    rig.startStreaming();
    TSetupModel& setup = rig.session->Setup();

    setup.CommsIndex = 1; // "RDY Active High"
    ASSERT_TRUE(setup.detectSetupChecksChange());
    ASSERT_TRUE(rig.session->ApplyButtonClick());
    EXPECT_TRUE(rig.hasMessage("Comms Type changed"));
    EXPECT_EQ(rig.session->Device().I2CType(), RDY_ActiveHigh);
    EXPECT_FALSE(setup.setupChecksChanged());

    setup.CommsIndex = 2; // "Polling": event mode with the stream
    ASSERT_TRUE(rig.session->ApplyButtonClick());
    EXPECT_EQ(count(rig.messageTexts(), "Comms Type changed"), 2);

    setup.I2CAddressText = "45";
    ASSERT_TRUE(rig.session->ApplyButtonClick());
    EXPECT_TRUE(rig.hasMessage("Device Address : 45H"));
    EXPECT_EQ(rig.session->Device().I2CAddress(), "45");
    EXPECT_EQ(setup.prevSetupCheckStates()[9], 0x45);

    // Undo of a later change puts the applied address back as hexadecimal text.
    setup.I2CAddressText = "4f";
    setup.detectSetupChecksChange();
    rig.session->CancelButtonClick();
    EXPECT_EQ(setup.I2CAddressText, "45");
}

TEST(SessionSetupPage, BadAddressChangesNothing)
{
    SessionRig rig;
    rig.startStreaming();
    TSetupModel& setup = rig.session->Setup();
    setup.VoltageIndex = 1;
    for (const char* bad : {"4x", "", "80", "0"}) {
        setup.I2CAddressText = bad;
        const auto before = rig.messageTexts().size();
        EXPECT_FALSE(rig.session->ApplyButtonClick()) << bad;
        EXPECT_TRUE(rig.hasMessage("I2C Address must be a hexadecimal number from 01 to 7F!"));
        EXPECT_EQ(rig.session->settingsWindow().statusError, "Could not update settings");
        EXPECT_EQ(rig.messageTexts().size(), before + 1) << "no voltage change either";
        EXPECT_EQ(rig.session->Device().I2CAddress(), "44");
        EXPECT_TRUE(setup.setupChecksChanged());
    }
    setup.I2CAddressText = "44";
    EXPECT_TRUE(rig.session->ApplyButtonClick());
    EXPECT_TRUE(rig.hasMessage("Voltage changed successfully"));
}

TEST(SessionSetupPage, AxisMaximumNotAboveMinimumStopsApply)
{
    SessionRig rig;
    rig.startStreaming();
    TSetupModel& setup = rig.session->Setup();
    std::vector<double> axis;
    QObject::connect(rig.session.get(), &TSession::barAxisChanged,
                     [&](double min, double max, double) {
                         axis = {min, max};
                     });

    // A register group changed as well: it is not written after the refusal.
    ASSERT_TRUE(rig.session->ReadFromDevice(false));
    rig.session->ResetDefault();
    const std::int32_t touch = rig.session->Settings().fieldValue(TFieldId::Touch0);
    rig.session->Settings().setFieldValue(TFieldId::Touch0, touch == 10 ? 11 : 10);
    rig.session->Settings().detectChange(TSettingsGroup::PxsUI);
    setup.GraphMin = 100;
    setup.GraphMax = 100;
    EXPECT_FALSE(rig.session->ApplyButtonClick());
    EXPECT_EQ(rig.session->settingsWindow().axisMessage,
              "Min value must be smaller than Max value!");
    EXPECT_EQ(rig.session->settingsWindow().statusError, "Could not update settings");
    EXPECT_TRUE(axis.empty());
    EXPECT_TRUE(rig.session->Settings().isChanged(TSettingsGroup::PxsUI));
    EXPECT_TRUE(setup.setupChecksChanged());

    setup.GraphMax = 300;
    EXPECT_TRUE(rig.session->ApplyButtonClick());
    EXPECT_EQ(axis, (std::vector<double>{100, 300}));
    EXPECT_TRUE(rig.session->settingsWindow().axisMessage.isEmpty());
    EXPECT_FALSE(rig.session->Settings().isChanged(TSettingsGroup::PxsUI));
}

TEST(SessionSetupPage, MissingRecentFileRemovedKeepsTheLaterEntries)
{
    SessionRig rig;
    QTemporaryDir files;
    const std::string a = touch(files, "a.ini");
    const std::string b = touch(files, "b.ini");
    const std::string c = touch(files, "c.ini");
    for (const auto& p : {a, b, c})
        rig.session->BrowseSettingsFile(p);
    ASSERT_EQ(rig.session->Recent().size(), 3u);
    QFile::remove(QString::fromStdString(b));

    // No: the entry stays, nothing is selected.
    rig.prompts.answers = {TDialogResult::No};
    rig.session->SelectRecentSettings(1);
    EXPECT_EQ(rig.prompts.shown.back().text,
              "The selected file could not be loacated!\n\nDo you want to remove this file from "
              "the list?");
    EXPECT_EQ(rig.session->Recent().size(), 3u);
    EXPECT_EQ(rig.session->settingsWindow().recentSelection, -1);
    EXPECT_TRUE(rig.session->state().FSettingsFile.empty());

    // Yes: removed from both lists and from the preferences file, where the
    // later entry moves down so that it is read at the next start.
    rig.session->SelectRecentSettings(1);
    EXPECT_EQ(rig.session->Recent().paths(), (std::vector<std::string>{a, c}));
    EXPECT_EQ(rig.session->Recent().names(), (std::vector<std::string>{"a.ini", "c.ini"}));
    TPreferences reread(rig.dir.path().toStdString() + "/KelvanMFS380A.ini");
    std::vector<std::string> stored;
    ASSERT_TRUE(reread.readRecent(stored));
    EXPECT_EQ(stored, (std::vector<std::string>{a, c}));

    // An existing file is selected and becomes the current one.
    rig.session->SelectRecentSettings(1);
    EXPECT_EQ(rig.session->settingsWindow().recentSelection, 1);
    EXPECT_EQ(rig.session->state().FSettingsFile, c);
    EXPECT_FALSE(rig.session->buttons().applySettingsEnabled) << "not streaming";
}

TEST(SessionSetupPage, ClearListAsksAndEmptiesEverything)
{
    SessionRig rig;
    QTemporaryDir files;
    rig.session->BrowseSettingsFile(touch(files, "a.ini"));
    rig.session->settingsWindow().loadSettingsOnStartup = true;

    rig.prompts.answers = {TDialogResult::No};
    rig.session->ClearRecentButtonClick();
    EXPECT_EQ(rig.session->Recent().size(), 1u);

    rig.session->ClearRecentButtonClick();
    EXPECT_EQ(rig.prompts.shown.back().text,
              "Are you sure you want to clear the saved settings list?");
    EXPECT_EQ(rig.session->Recent().size(), 0u);
    EXPECT_EQ(rig.session->settingsWindow().recentSelection, -1);
    EXPECT_FALSE(rig.session->settingsWindow().loadSettingsOnStartup);
    EXPECT_TRUE(rig.session->state().FSettingsFile.empty());
    TPreferences reread(rig.dir.path().toStdString() + "/KelvanMFS380A.ini");
    std::vector<std::string> stored{"x"};
    ASSERT_TRUE(reread.readRecent(stored));
    EXPECT_TRUE(stored.empty());
}

TEST(SessionSetupPage, ApplySettingsSaysWhetherTheFileWasLoaded)
{
    SessionRig rig;
    rig.startStreaming();
    QTemporaryDir files;
    const std::string good = touch(files, "good.ini");
    rig.session->BrowseSettingsFile(good);
    EXPECT_TRUE(rig.session->buttons().applySettingsEnabled);
    rig.session->LoadSettingsButtonClick();
    EXPECT_EQ(rig.session->settingsWindow().statusNotice, "Custom settings loaded");
    EXPECT_TRUE(rig.hasMessage("Settings loaded successfully"));

    const std::string other = (files.path() + "/other.ini").toStdString();
    std::ofstream(other) << "[IC]\nDevice=XYZ\n";
    rig.session->BrowseSettingsFile(other);
    rig.session->LoadSettingsButtonClick();
    EXPECT_TRUE(rig.session->settingsWindow().statusNotice.isEmpty());
    EXPECT_EQ(rig.session->settingsWindow().statusError, "Error loading settings!");
    EXPECT_TRUE(rig.hasMessage("Invalid settings file selected!"));
}

TEST(SessionSetupPage, SaveSettingsOffersTheUpdateWhileTheAtiNoticeShows)
{
    SessionRig rig;
    rig.startStreaming();
    QTemporaryDir files;
    rig.session->settingsWindow().atiNoticeVisible = true;
    rig.prompts.saveAs = files.path() + "/saved.ini";
    rig.prompts.answers = {TDialogResult::Cancel}; // question closed: nothing more
    rig.session->SaveSettingsButtonClick();
    EXPECT_FALSE(QFile::exists(*rig.prompts.saveAs));

    rig.prompts.answers = {TDialogResult::Yes};
    rig.session->SaveSettingsButtonClick();
    EXPECT_EQ(rig.prompts.shown.back().text,
              "Do you want to update the settings from the chip before saving?");
    EXPECT_FALSE(rig.session->settingsWindow().atiNoticeVisible) << "updated from the chip";
    EXPECT_TRUE(QFile::exists(*rig.prompts.saveAs));
    EXPECT_EQ(rig.session->settingsWindow().statusNotice, "Settings saved");
    EXPECT_EQ(rig.session->Recent().size(), 1u);

    rig.prompts.saveAs.reset(); // save dialog cancelled
    rig.session->SaveSettingsButtonClick();
    EXPECT_EQ(rig.session->settingsWindow().statusNotice, "Canceled");
    rig.prompts.saveAs = files.path() + "/no/such/folder/x.ini";
    rig.session->SaveSettingsButtonClick();
    EXPECT_EQ(rig.session->settingsWindow().statusError, "Error saving settings!");
}

class SessionLogStart : public ::testing::TestWithParam<TDialogResult> {};

// Deltas need counts and averages; with counts not streamed the log offers to
// switch them on. Either answer starts the log.
TEST_P(SessionLogStart, DeltasWithoutCountsOfferTheMissingBlock)
{
    SessionRig rig;
    TSetupModel& setup = rig.session->Setup();
    setup.CSCheck = false;
    setup.SetupStreaming();
    setup.snapshotStreaming();
    rig.startStreaming();
    ASSERT_FALSE(setup.streamLayout().CSActive);

    TLogSelection sel;
    sel.qrd = sel.hall = sel.metal = false;
    sel.counts.fill(false);
    sel.delta[0] = true;
    rig.session->settingsWindow().logSelection = sel;
    rig.prompts.saveAs = rig.dir.path() + "/log.txt";
    rig.prompts.answers = {GetParam()};
    EXPECT_TRUE(rig.session->LogDataButtonClick());
    EXPECT_EQ(rig.prompts.shown.back().text,
              "Some of the data you want to log is not currently enabled.\nDo you want to enable "
              "these streaming options?");
    EXPECT_TRUE(rig.session->state().FDoLog);
    EXPECT_EQ(rig.session->buttons().logCaption, "Stop Log");
    const bool yes = GetParam() == TDialogResult::Yes;
    EXPECT_EQ(setup.CSCheck, yes);
    EXPECT_EQ(setup.streamLayout().CSActive, yes);
    EXPECT_TRUE(setup.streamLayout().LTAActive);
    EXPECT_FALSE(setup.streamSetupChanged());
    EXPECT_EQ(rig.hasMessage("Streaming setup configured"), yes);

    rig.run(300);
    EXPECT_TRUE(rig.session->LogDataButtonClick()); // Stop Log
    EXPECT_FALSE(rig.session->state().FDoLog);
    EXPECT_EQ(rig.session->buttons().logCaption, "Start Log");
    QFile log(*rig.prompts.saveAs);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = log.readAll().split('\n');
    ASSERT_GT(lines.size(), 3);
    EXPECT_EQ(lines[0], "Time Stamp\tTime Difference (ms)\tDelta CH0\r");
}

INSTANTIATE_TEST_SUITE_P(Answers, SessionLogStart,
                         ::testing::Values(TDialogResult::Yes, TDialogResult::No),
                         [](const auto& answer) {
                             return answer.param == TDialogResult::Yes ? "Yes" : "No";
                         });

TEST(SessionSetupPage, LogRefusedWithoutChannelColumnOrWritableFolder)
{
    SessionRig rig;
    rig.startStreaming();
    TLogSelection sel;
    sel.counts.fill(false);
    rig.session->settingsWindow().logSelection = sel;
    rig.prompts.saveAs = rig.dir.path() + "/log.txt";
    EXPECT_FALSE(rig.session->LogDataButtonClick());
    EXPECT_EQ(rig.prompts.shown.back().text, "Please select at least one logging option.");
    EXPECT_FALSE(QFile::exists(*rig.prompts.saveAs));

    sel.counts[0] = true; // streamed already: no question
    rig.session->settingsWindow().logSelection = sel;
    rig.prompts.saveAs = rig.dir.path() + "/missing/log.txt";
    const std::size_t shown = rig.prompts.shown.size();
    EXPECT_FALSE(rig.session->LogDataButtonClick());
    EXPECT_EQ(rig.prompts.shown.size(), shown + 1);
    EXPECT_EQ(rig.prompts.shown.back().text,
              "Unable to save log file!\nFile might be in use by another program.");
    EXPECT_TRUE(rig.hasMessage("Unabled to start data log!"));
    EXPECT_FALSE(rig.session->state().FDoLog);
    EXPECT_EQ(rig.session->buttons().logCaption, "Start Log");
    EXPECT_TRUE(rig.session->state().FIsStreaming);
}
