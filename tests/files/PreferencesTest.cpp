#include "Preferences.h"

#include "TempFolder.h"

#include <QtGlobal>
#include <gtest/gtest.h>

namespace {

class PreferencesTest : public ::testing::Test {
protected:
    TTempFolder tmp;
    std::filesystem::path file = tmp / "Kelvan" / "MFS380A" / "KelvanMFS380A.ini";
    TPreferences prefs{file};
};

TWindowPlacement current()
{
    return {100, 50, 1024, 700, false};
}

} // namespace

TEST(PreferencesLocation, IsKelvanMfs380aUnderTheXdgDataFolder)
{
    TTempFolder tmp;
    const bool wasSet = qEnvironmentVariableIsSet("XDG_DATA_HOME");
    const QByteArray old = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(tmp.path().string()));
    const auto path = TPreferences::standardPath();
    if (wasSet)
        qputenv("XDG_DATA_HOME", old);
    else
        qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(path, tmp.path() / "Kelvan" / "MFS380A" / "KelvanMFS380A.ini");
}

TEST_F(PreferencesTest, FirstStartCreatesFoldersAndOnlyTheWidth)
{
    ASSERT_EQ(prefs.prepare(1024), TPreferences::TStart::FirstStart) << prefs.lastError();
    EXPECT_EQ(TTempFolder::read(file), "[MainForm]\r\nWidth=1024\r\n");
    TMainFormPrefs main;
    main.placement = current();
    ASSERT_TRUE(prefs.readMainForm(main));
    EXPECT_TRUE(main.hints);
    EXPECT_TRUE(main.tips);
    EXPECT_TRUE(main.notifyReset);
    EXPECT_FALSE(main.updates);
    EXPECT_TRUE(main.updates1);
    EXPECT_EQ(main.placement.width, 1024);
    EXPECT_EQ(main.placement.left, 100);
    EXPECT_FALSE(main.placement.maximised);
    EXPECT_EQ(prefs.prepare(800), TPreferences::TStart::Existing);
    EXPECT_EQ(TTempFolder::read(file), "[MainForm]\r\nWidth=1024\r\n");
}

TEST_F(PreferencesTest, UnparsableWidthIsAnErrorAndKeepsTheDefaultSize)
{
    ASSERT_EQ(prefs.prepare(1024), TPreferences::TStart::FirstStart);
    TTempFolder::write(file, "[MainForm]\r\nWidth=abc\r\nHints=0\r\n");
    TMainFormPrefs main;
    main.placement = current();
    EXPECT_FALSE(prefs.readMainForm(main));
    EXPECT_STREQ(TPreferences::loadErrorText(), "Error loading saved settings!");
    EXPECT_NE(prefs.lastError().find("Width"), std::string::npos) << prefs.lastError();
    EXPECT_FALSE(main.placementRead);
    EXPECT_EQ(main.placement.width, 1024);
    EXPECT_TRUE(main.hints) << "keys after the failure stay unread";
}

TEST_F(PreferencesTest, ValuesBeforeAFailureStay)
{
    TTempFolder::write(tmp / "p.ini",
                       "[MainForm]\r\nHints=0\r\nTips=0\r\nNotifyReset=x\r\nUpdates=-1\r\n");
    TPreferences p(tmp / "p.ini");
    TMainFormPrefs main;
    EXPECT_FALSE(p.readMainForm(main));
    EXPECT_TRUE(main.placementRead);
    EXPECT_FALSE(main.hints);
    EXPECT_FALSE(main.tips);
    EXPECT_TRUE(main.notifyReset);
    EXPECT_FALSE(main.updates);
}

TEST_F(PreferencesTest, MainFormRoundTripKeepsOtherSections)
{
    ASSERT_EQ(prefs.prepare(1024), TPreferences::TStart::FirstStart);
    ASSERT_TRUE(prefs.writeRecent({"/a/one.ini"}));
    TMainFormPrefs saved;
    saved.placement = {-8, -8, 1936, 1056, true};
    saved.hints = false;
    saved.notifyReset = false;
    saved.updates = true;
    saved.updates1 = false;
    saved.resumeStreaming = false;
    saved.debugAddresses[0] = "1F";
    saved.debugAddresses[21] = "D1";
    saved.bar2 = true;
    ASSERT_TRUE(prefs.writeMainForm(saved)) << prefs.lastError();

    const std::string text = TTempFolder::read(file);
    EXPECT_NE(text.find("State=Max\r\n"), std::string::npos);
    EXPECT_NE(text.find("Hints=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("Updates=-1\r\n"), std::string::npos);
    EXPECT_NE(text.find("Adr1=\r\n"), std::string::npos);
    EXPECT_NE(text.find("Recent0=/a/one.ini\r\n"), std::string::npos);

    TMainFormPrefs read;
    read.placement = current();
    ASSERT_TRUE(prefs.readMainForm(read)) << prefs.lastError();
    EXPECT_TRUE(read.placementRead);
    EXPECT_EQ(read.placement.left, -8);
    EXPECT_EQ(read.placement.width, 1936);
    EXPECT_TRUE(read.placement.maximised);
    EXPECT_FALSE(read.hints);
    EXPECT_TRUE(read.tips);
    EXPECT_FALSE(read.notifyReset);
    EXPECT_TRUE(read.updates);
    EXPECT_FALSE(read.updates1);
    EXPECT_FALSE(read.resumeStreaming);
    EXPECT_EQ(read.debugAddresses, saved.debugAddresses);
    EXPECT_FALSE(read.bar1);
    EXPECT_TRUE(read.bar2);
    std::vector<std::string> recent;
    ASSERT_TRUE(prefs.readRecent(recent));
    EXPECT_EQ(recent, std::vector<std::string>{"/a/one.ini"});
}

TEST_F(PreferencesTest, DebugAddressMustBeARegisterAddress)
{
    TTempFolder::write(tmp / "p.ini", "[Debug]\r\nAdr0=1F\r\nAdr1=XYZ\r\nBar1=-1\r\n");
    TPreferences p(tmp / "p.ini");
    TMainFormPrefs main;
    EXPECT_FALSE(p.readMainForm(main));
    EXPECT_EQ(main.debugAddresses[0], "1F");
    EXPECT_EQ(main.debugAddresses[1], "");
    EXPECT_FALSE(main.bar1);
}

TEST_F(PreferencesTest, RecentListReadsToTheFirstGapAndRemovalRenumbers)
{
    TTempFolder::write(tmp / "p.ini",
                       "[SettingsForm]\r\nRecent0=/a.ini\r\nRecent1=/b.ini\r\nRecent3=/d.ini\r\n");
    TPreferences p(tmp / "p.ini");
    std::vector<std::string> recent;
    ASSERT_TRUE(p.readRecent(recent));
    EXPECT_EQ(recent, (std::vector<std::string>{"/a.ini", "/b.ini"}));

    ASSERT_TRUE(p.writeRecent({"/a.ini", "/b.ini", "/c.ini"}));
    // Remove the middle entry: the later one moves down, nothing hides behind a gap.
    ASSERT_TRUE(p.writeRecent({"/a.ini", "/c.ini"}));
    ASSERT_TRUE(p.readRecent(recent));
    EXPECT_EQ(recent, (std::vector<std::string>{"/a.ini", "/c.ini"}));
    const std::string text = TTempFolder::read(tmp / "p.ini");
    EXPECT_EQ(text.find("Recent2"), std::string::npos);
    EXPECT_EQ(text.find("Recent3"), std::string::npos) << "stale keys past the end go too";

    ASSERT_TRUE(p.writeRecentEntry(2, "/e.ini"));
    ASSERT_TRUE(p.readRecent(recent));
    EXPECT_EQ(recent.size(), 3u);
    ASSERT_TRUE(p.clearRecent());
    ASSERT_TRUE(p.readRecent(recent));
    EXPECT_TRUE(recent.empty());
}

TEST_F(PreferencesTest, PrevToolsReadsAtMostFour)
{
    TTempFolder::write(tmp / "p.ini", "[CTTool]\r\nPrev0=S0\r\nPrev1=S1\r\nPrev2=S2\r\n"
                                      "Prev3=S3\r\nPrev4=S4\r\n");
    TPreferences p(tmp / "p.ini");
    std::vector<std::string> serials;
    ASSERT_TRUE(p.readPrevTools(serials));
    EXPECT_EQ(serials, (std::vector<std::string>{"S0", "S1", "S2", "S3"}));
    ASSERT_TRUE(p.writePrevTools({"S2", "S0"}));
    ASSERT_TRUE(p.readPrevTools(serials));
    EXPECT_EQ(serials, (std::vector<std::string>{"S2", "S0"}));
}

TEST_F(PreferencesTest, ScopeSectionDefaultsAndRoundTrip)
{
    TScopeFormPrefs read;
    ASSERT_TRUE(prefs.readScopeForm(read)); // no file yet: all defaults
    EXPECT_EQ(read.colors[7], 65793);
    EXPECT_EQ(read.scopeMax, 1500);
    EXPECT_TRUE(read.traces[0]);
    EXPECT_TRUE(read.traces[1]);
    EXPECT_FALSE(read.traces[2]);

    TScopeFormPrefs saved;
    saved.colors[3] = 123;
    saved.xRange = 900;
    saved.autoScale = false;
    saved.traces[12] = true;
    saved.placement = {10, 20, 300, 200, false};
    ASSERT_TRUE(prefs.writeScopeForm(saved));
    TScopeFormPrefs again;
    ASSERT_TRUE(prefs.readScopeForm(again));
    EXPECT_EQ(again.colors, saved.colors);
    EXPECT_EQ(again.xRange, 900);
    EXPECT_FALSE(again.autoScale);
    EXPECT_EQ(again.traces, saved.traces);
    EXPECT_EQ(again.placement.top, 20);
    EXPECT_NE(TTempFolder::read(file).find("AutoScale=0\r\n"), std::string::npos);
}

TEST_F(PreferencesTest, PlacementOfOtherWindows)
{
    ASSERT_TRUE(prefs.writePlacement("SendComForm", {5, 6, 70, 80, true}));
    TWindowPlacement p = current();
    ASSERT_TRUE(prefs.readPlacement("SendComForm", p));
    EXPECT_EQ(p.left, 5);
    EXPECT_TRUE(p.maximised);
    TTempFolder::write(file, "[SettingsForm]\r\nState=Nor\r\nLeft=1\r\nHeight=zz\r\n");
    p = current();
    EXPECT_FALSE(prefs.readPlacement("SettingsForm", p));
    EXPECT_EQ(p.left, 100) << "an incomplete placement is not taken";
}

TEST_F(PreferencesTest, ResetDeletesTheFileSoTheNextStartIsAFirstStart)
{
    ASSERT_EQ(prefs.prepare(640), TPreferences::TStart::FirstStart);
    ASSERT_TRUE(prefs.writeMainForm(TMainFormPrefs{}));
    EXPECT_TRUE(prefs.resetIfMarked());
    EXPECT_TRUE(prefs.exists()) << "nothing happens without a request";
    prefs.markForReset();
    EXPECT_TRUE(prefs.resetIfMarked());
    EXPECT_FALSE(prefs.exists());
    TPreferences next(file);
    EXPECT_EQ(next.prepare(640), TPreferences::TStart::FirstStart);
}

TEST_F(PreferencesTest, UnwritableLocationReportsFailure)
{
    TTempFolder::write(tmp / "blocker", "a file, not a folder");
    TPreferences p(tmp / "blocker" / "MFS380A" / "KelvanMFS380A.ini");
    EXPECT_EQ(p.prepare(100), TPreferences::TStart::Failed);
    EXPECT_FALSE(p.writeMainForm(TMainFormPrefs{}));
    EXPECT_FALSE(p.lastError().empty());
    TMainFormPrefs main;
    EXPECT_TRUE(p.readMainForm(main)) << "a missing file reads as defaults";
}
