// Settings and preferences files that are damaged, hand-edited or placed
// oddly: they never lie about what they hold and never lose what they had.
#include "FileIo.h"
#include "IniDocument.h"
#include "Preferences.h"
#include "SettingsFile.h"
#include "SettingsModel.h"
#include "SetupModel.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace fs = std::filesystem;
using S = TSettingsFileRead::TStatus;

namespace {

const std::string kValidSettings = "[IC]\r\nDevice=MFS380A\r\n[PXSUi]\r\nSetting0=20\r\n"
                                   "Setting1=30\r\n[Channels]\r\nCH0=0\r\n";

fs::perms permsOf(const fs::path& p)
{
    return fs::status(p).permissions() & fs::perms::mask;
}

}  // namespace

// A NUL byte used to end the file early without a word: everything after it
// read as missing (zeros, all channels on) and the load said it succeeded.
TEST(FileRobustness, ASettingsFileThatIsNotTextIsABadFileAndChangesNothing)
{
    TTempFolder tmp;
    const std::string damaged[] = {
        std::string("[IC]\r\nDevice=MFS380A\r\n\0[PXSUi]\r\nSetting0=20\r\n", 35),
        kValidSettings + std::string("\0", 1),
        "[IC]\r\nDevice=MFS380A\r\n[PXSUi]\r\nSetting0=\xFF\xFE\r\n",  // not UTF-8
        "[IC]\r\nDevice=MFS380A\r\n[Other]\r\nComms=\xC3\r\n",        // a cut sequence
    };
    for (const std::string& text : damaged) {
        TTempFolder::write(tmp / "s.ini", text);
        const TSettingsFileRead read = readSettingsFile(tmp / "s.ini");
        EXPECT_EQ(read.status, S::Unreadable);
        EXPECT_NE(read.detail.find("not a text file"), std::string::npos) << read.detail;
        TSettingsModel model;
        TSetupModel setup;
        TChannelBoxes boxes{true, false, true, false, true, false};
        const TSettingsModel untouched;
        const TSettingsLoadPlan plan = applySettingsFile(read, model, setup, boxes);
        EXPECT_TRUE(plan.writes.empty());
        EXPECT_EQ(boxes, (TChannelBoxes{true, false, true, false, true, false}));
        for (TSettingsGroup g : kAllGroups)
            EXPECT_TRUE(std::ranges::equal(model.current(g), untouched.current(g)));
    }
    // UTF-8 with its byte-order mark and non-ASCII text is still text.
    TTempFolder::write(tmp / "s.ini", "\xEF\xBB\xBF" + kValidSettings + "; caf\xC3\xA9\r\n");
    EXPECT_EQ(readSettingsFile(tmp / "s.ini").status, S::Ok);
}

// The same byte in the preferences file lost every key after it, and the next
// write deleted them.
TEST(FileRobustness, APreferencesFileThatIsNotTextIsNeitherReadNorRewritten)
{
    TTempFolder tmp;
    const fs::path file = tmp / "p.ini";
    const std::string text = std::string("[MainForm]\r\nWidth=800\r\n\0\r\nHints=0\r\n", 36) +
                             "[SettingsForm]\r\nRecent0=/a/b.ini\r\n";
    TTempFolder::write(file, text);
    TPreferences prefs(file);
    TMainFormPrefs main;
    EXPECT_FALSE(prefs.readMainForm(main));
    EXPECT_NE(prefs.lastError().find("not a text file"), std::string::npos) << prefs.lastError();
    EXPECT_FALSE(prefs.writeMainForm(main));
    EXPECT_FALSE(prefs.writeRecentEntry(1, "/c.ini"));
    EXPECT_EQ(TTempFolder::read(file), text) << "the file is left as it was";
}

TEST(FileRobustness, AHeaderWithoutItsBracketDoesNotGrowTheFile)
{
    TTempFolder tmp;
    const fs::path file = tmp / "p.ini";
    TTempFolder::write(file, "[MainForm]\r\nWidth=800\r\n[Debug\r\nBar1=-1\r\n");
    TPreferences prefs(file);
    TMainFormPrefs main;
    ASSERT_TRUE(prefs.readMainForm(main)) << prefs.lastError();
    EXPECT_TRUE(main.bar1) << "the section is taken by the name on its line";
    ASSERT_TRUE(prefs.writeMainForm(main));
    const std::string once = TTempFolder::read(file);
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(prefs.writeMainForm(main));
    EXPECT_EQ(TTempFolder::read(file), once);
    EXPECT_NE(once.find("[Debug]\r\n"), std::string::npos) << once;
}

TEST(FileRobustness, DuplicateKeysAndSectionsTheFirstOneWins)
{
    TIniDocument doc;
    doc.parse("[IC]\nDevice=MFS380A\nDevice=MFS240\n[X]\nA=1\n[Y]\nC=5\n[x]\nA=2\nB=3\n");
    EXPECT_EQ(doc.value("IC", "Device"), "MFS380A");
    EXPECT_EQ(doc.value("X", "A"), "1");
    EXPECT_EQ(doc.value("X", "B"), "3") << "keys only the second section has are kept";
    EXPECT_EQ(doc.serialise(), "[IC]\r\nDevice=MFS380A\r\n\r\n[X]\r\nA=1\r\nB=3\r\n\r\n"
                               "[Y]\r\nC=5\r\n");

    const TSettingsFileRead read =
        parseSettingsFile(kValidSettings + "[PXSUi]\r\nSetting0=7F\r\n[IC]\r\nDevice=Other\r\n");
    ASSERT_EQ(read.status, S::Ok);
    EXPECT_EQ((*read.content.groups[groupIndex(TSettingsGroup::PxsUI)])[0], 0x20);
}

// Writing what was read and reading it again changes nothing more: odd lines
// do not move, merge or multiply at every write.
TEST(FileRobustness, TheIniReaderSettlesAfterOneRewrite)
{
    const std::string texts[] = {
        std::string("\0=", 2),                 // a name cut by a NUL byte
        "[M\r[",                                // an empty section name
        "[A]\nk=1\n[]\nj=2\n",                  // keys of no section after a section
        "\n\xEF\xBB\xBF=",                        // a byte-order mark on a later line
        "\xEF\xBB\xBF\xEF\xBB\xBFk=v\r",              // two of them
        "[a]b]\n x = y \nno equals\n;c\n#d\n[[x]\nz=1",
    };
    for (const std::string& text : texts) {
        TIniDocument doc;
        doc.parse(text);
        const std::string once = doc.serialise();
        TIniDocument again;
        again.parse(once);
        EXPECT_EQ(again.serialise(), once) << testing::PrintToString(text);
    }
}

TEST(FileRobustness, SavingThroughASymlinkWritesItsTargetAndKeepsPermissions)
{
    TTempFolder tmp;
    fs::create_directory(tmp / "real");
    const fs::path target = tmp / "real" / "chip.ini";
    const fs::path link = tmp / "chip.ini";
    TTempFolder::write(target, "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(fs::path("real") / "chip.ini", link);
    std::string error;
    ASSERT_TRUE(files::writeWholeFile(link, "new", error)) << error;
    EXPECT_TRUE(fs::is_symlink(link)) << "the link stays a link";
    EXPECT_EQ(TTempFolder::read(target), "new");
    EXPECT_EQ(permsOf(target),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    // A chain of links, and a link to a file not made yet.
    fs::create_symlink("chip.ini", tmp / "again.ini");
    ASSERT_TRUE(files::writeWholeFile(tmp / "again.ini", "newer", error)) << error;
    EXPECT_EQ(TTempFolder::read(target), "newer");
    fs::create_symlink(fs::path("real") / "later.ini", tmp / "later.ini");
    ASSERT_TRUE(files::writeWholeFile(tmp / "later.ini", "first", error)) << error;
    EXPECT_TRUE(fs::is_symlink(tmp / "later.ini"));
    EXPECT_EQ(TTempFolder::read(tmp / "real" / "later.ini"), "first");
}

TEST(FileRobustness, AFileNoOneMayWriteIsRefusedWithTheSaveError)
{
    TTempFolder tmp;
    const fs::path file = tmp / "locked.ini";
    TTempFolder::write(file, "keep");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::string error;
    EXPECT_FALSE(files::writeWholeFile(file, "lost", error));
    EXPECT_NE(error.find("locked.ini"), std::string::npos) << error;
    EXPECT_EQ(TTempFolder::read(file), "keep");

    TSettingsModel model;
    TSetupModel setup;
    EXPECT_FALSE(saveSettingsFile(file, model, setup, {}, error));
    EXPECT_EQ(TTempFolder::read(file), "keep");
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
}

// Whatever the debug address boxes hold when the main window closes, the
// next start reads the file without an error and reads the keys after them.
TEST(FileRobustness, DebugAddressesReadBackWhateverTheBoxesHeld)
{
    TTempFolder tmp;
    TPreferences prefs(tmp / "p.ini");
    TMainFormPrefs saved;
    saved.debugAddresses[0] = "1f";
    saved.debugAddresses[1] = "zz";
    saved.debugAddresses[2] = "1FF";
    saved.debugAddresses[3] = "1F\n";
    saved.debugAddresses[4] = " 0A ";
    saved.bar2 = true;
    ASSERT_TRUE(prefs.writeMainForm(saved)) << prefs.lastError();
    TMainFormPrefs read;
    ASSERT_TRUE(prefs.readMainForm(read)) << prefs.lastError();
    EXPECT_EQ(read.debugAddresses[0], "1f");
    EXPECT_EQ(read.debugAddresses[1], "");
    EXPECT_EQ(read.debugAddresses[2], "");
    EXPECT_EQ(read.debugAddresses[3], "");
    EXPECT_EQ(read.debugAddresses[4], "0A");
    EXPECT_TRUE(read.bar2);
}
