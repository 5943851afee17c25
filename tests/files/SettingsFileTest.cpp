#include "SettingsFile.h"

#include "FileMessages.h"
#include "RecentSettings.h"
#include "SettingsModel.h"
#include "SetupModel.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

using G = TSettingsGroup;
using W = TSettingsWrite;
using S = TSettingsFileRead::TStatus;

std::vector<std::int32_t> block(const TSettingsModel& m, G g, bool previous = false)
{
    const auto b = previous ? m.previous(g) : m.current(g);
    return {b.begin(), b.end()};
}

// A model as after a read from the chip: varied register values, snapshotted
// so that every block is what the fields encode.
TSettingsModel readModel(bool sarUi)
{
    TSettingsModel m;
    int seed = 7;
    for (G g : kAllGroups) {
        std::vector<std::int32_t> v(groupDesc(g).ElementCount);
        for (auto& x : v)
            x = (seed = (seed * 73 + 41) % 256);
        m.setPrevious(g, v);
        m.set(g, m.previous(g));
    }
    m.setFieldValue(TFieldId::SarEn, sarUi ? 1 : 0);
    m.ResetDefault();
    return m;
}

struct Loaded {
    TSettingsModel model;
    TSetupModel setup;
    TChannelBoxes boxes = {true, true, true, true, true, true};
    TSettingsFileRead read;
    TSettingsLoadPlan plan;
};

void load(Loaded& l, const std::string& text)
{
    l.read = parseSettingsFile(text);
    l.plan = applySettingsFile(l.read, l.model, l.setup, l.boxes);
}

std::vector<W> writes(std::initializer_list<G> groups)
{
    std::vector<W> w = {{W::TKind::ChannelMask, G::Device}};
    for (G g : groups)
        w.push_back({W::TKind::Group, g});
    return w;
}

} // namespace

TEST(SettingsFile, SavedFileReloadsToTheSameRegistersAndBoxes)
{
    TTempFolder tmp;
    TSettingsModel model = readModel(true);
    // An edit of the timing group not yet applied: the file keeps what the chip has.
    const auto timOnChip = block(model, G::Tim, true);
    model.setFieldValue(TFieldId::SarEn, 1);
    std::vector<std::int32_t> timEdited = timOnChip;
    timEdited[0] ^= 0x01;
    model.set(G::Tim, timEdited);
    ASSERT_NE(block(model, G::Tim), timOnChip);

    TSetupModel setup;
    setup.BaselineView = true;
    setup.CommsIndex = 2;
    setup.CSCheck = false;
    const TChannelBoxes boxes = {true, false, true, true, false, true};
    std::string error;
    const auto file = tmp / "MFS380A.ini";
    ASSERT_TRUE(saveSettingsFile(file, model, setup, boxes, error)) << error;

    Loaded l;
    l.read = readSettingsFile(file);
    ASSERT_EQ(l.read.status, S::Ok) << l.read.detail;
    l.plan = applySettingsFile(l.read, l.model, l.setup, l.boxes);
    for (G g : kAllGroups) {
        const auto expected = g == G::Tim ? timOnChip : block(model, g);
        EXPECT_EQ(block(l.model, g), expected) << groupDesc(g).Name;
        EXPECT_EQ(block(l.model, g, true), expected) << groupDesc(g).Name;
        EXPECT_FALSE(l.model.isChanged(g));
    }
    EXPECT_EQ(l.boxes, boxes);
    EXPECT_TRUE(l.setup.BaselineView);
    EXPECT_EQ(l.setup.CommsIndex, 2);
    EXPECT_FALSE(l.setup.CSCheck);
    EXPECT_TRUE(l.setup.LTACheck);
    EXPECT_TRUE(l.setup.PTCheck);
    EXPECT_TRUE(l.plan.complete);
    EXPECT_EQ(l.plan.uiSar, true);
    EXPECT_TRUE(l.setup.DoChStream);
    EXPECT_FALSE(l.setup.streamLayout().CSActive) << "the stream table follows the file";
    EXPECT_FALSE(l.setup.streamSetupChanged());
    EXPECT_TRUE(l.setup.setupChecksChanged()) << "the comms choice waits for Apply";
    EXPECT_EQ(l.plan.writes,
              writes({G::Device, G::PxsSetup, G::SarUI, G::Hall, G::Tim, G::Thr, G::Temp}));

    // Saving the reloaded model gives the same file.
    EXPECT_EQ(settingsFileText(l.model, l.setup, l.boxes), TTempFolder::read(file));
}

TEST(SettingsFile, WrittenAsWindowsProfileText)
{
    TSettingsModel model;
    std::vector<std::int32_t> dev = {0x0A, 0xAB};
    model.set(G::Device, dev);
    const std::string text =
        settingsFileText(model, TSetupModel{}, {true, true, false, true, true, true});
    EXPECT_EQ(
        text.rfind("[IC]\r\nDevice=MFS380A\r\n\r\n[DevSetup]\r\nSetting0=0A\r\nSetting1=AB\r\n"
                   "\r\n[Temperature]\r\nSetting0=00\r\n",
                   0),
        0u)
        << text;
    const char* order[] = {"[IC]",    "[DevSetup]", "[Temperature]", "[PXSUi]",
                           "[SARUi]", "[MetalUI]",  "[Hall]",        "[PXSSetup]",
                           "[RRT]",   "[Other]",    "[Channels]",    "[Streaming]"};
    std::size_t at = 0;
    for (const char* section : order) {
        const auto found = text.find(section, at);
        ASSERT_NE(found, std::string::npos) << section;
        at = found;
    }
    EXPECT_NE(text.find("Setting19=00\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Other]\r\nDeltaOnly=0\r\nComms=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("CH1=-1\r\nCH2=0\r\n"), std::string::npos);
    EXPECT_NE(text.find("[Streaming]\r\nCS=-1\r\nLT=-1\r\nPT=-1\r\n"), std::string::npos);
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
    EXPECT_EQ(text.find(" = "), std::string::npos);
}

TEST(SettingsFile, OnlyTheIcSectionAppliesZerosAllChannelsAndAllStreaming)
{
    Loaded l;
    l.model = readModel(false);
    l.boxes = {false, false, false, false, false, false};
    l.setup.CSCheck = l.setup.LTACheck = l.setup.PTCheck = false;
    load(l, "[IC]\r\nDevice=MFS380A\r\n");
    ASSERT_EQ(l.read.status, S::Ok);
    for (G g : kAllGroups) {
        const std::vector<std::int32_t> zeros(groupDesc(g).ElementCount, 0);
        EXPECT_EQ(block(l.model, g), zeros) << groupDesc(g).Name << ": written as zeros";
        EXPECT_EQ(block(l.model, g, true), zeros) << groupDesc(g).Name;
    }
    EXPECT_EQ(l.boxes, (TChannelBoxes{true, true, true, true, true, true}));
    EXPECT_TRUE(l.setup.CSCheck);
    EXPECT_TRUE(l.setup.LTACheck);
    EXPECT_TRUE(l.setup.PTCheck);
    EXPECT_FALSE(l.setup.BaselineView);
    EXPECT_EQ(l.setup.CommsIndex, 0);
    EXPECT_EQ(l.plan.uiSar, false);
    EXPECT_EQ(l.plan.writes,
              writes({G::Device, G::PxsSetup, G::PxsUI, G::Hall, G::Tim, G::Thr, G::Temp}));
}

TEST(SettingsFile, SarUiEnabledWritesTheSarGroupNotTheProxGroup)
{
    Loaded l;
    load(l, "[IC]\r\nDevice=MFS380A\r\n[PXSSetup]\r\nSetting12=80\r\n"
            "[SARUi]\r\nSetting0=11\r\n[PXSUi]\r\nSetting0=22\r\n");
    ASSERT_EQ(l.read.status, S::Ok);
    EXPECT_EQ(l.plan.uiSar, true);
    EXPECT_TRUE(l.setup.DoChStream);
    EXPECT_EQ(l.plan.writes,
              writes({G::Device, G::PxsSetup, G::SarUI, G::Hall, G::Tim, G::Thr, G::Temp}));
}

TEST(SettingsFile, AnotherChipsFileIsRefusedAndChangesNothing)
{
    for (const char* text : {"[IC]\r\nDevice=MFS240\r\n[DevSetup]\r\nSetting0=FF\r\n",
                             "[IC]\r\nDevice=mfs380a\r\n", "[DevSetup]\r\nSetting0=FF\r\n", ""}) {
        Loaded l;
        l.model = readModel(false);
        const auto before = block(l.model, G::Device);
        l.boxes = {false, true, false, true, false, true};
        load(l, text);
        EXPECT_EQ(l.read.status, S::WrongDevice) << text;
        EXPECT_FALSE(l.plan.complete);
        EXPECT_TRUE(l.plan.writes.empty());
        EXPECT_EQ(block(l.model, G::Device), before);
        EXPECT_EQ(l.boxes, (TChannelBoxes{false, true, false, true, false, true}));
    }
    EXPECT_STREQ(filemsg::kInvalidSettingsFile, "Invalid settings file selected!");
    EXPECT_STREQ(filemsg::kInvalidSettingsDialog,
                 "The selected settings file is invalid or meant for a different device.");
}

TEST(SettingsFile, BadValueKeepsWhatWasReadBeforeItAsPendingChanges)
{
    Loaded l;
    load(l, "[IC]\r\nDevice=MFS380A\r\n[DevSetup]\r\nSetting0=0C\r\n"
            "[Temperature]\r\nSetting1=05\r\n[PXSUi]\r\nSetting3=ZZ\r\n[Channels]\r\nCH0=0\r\n");
    EXPECT_EQ(l.read.status, S::BadValue);
    EXPECT_NE(l.read.detail.find("PXSUi"), std::string::npos) << l.read.detail;
    EXPECT_FALSE(l.plan.complete);
    EXPECT_FALSE(l.plan.uiSar.has_value());
    EXPECT_TRUE(l.plan.writes.empty());
    EXPECT_EQ(l.model.current(G::Device)[0], 0x0C);
    EXPECT_EQ(l.model.previous(G::Device)[0], 0) << "the chip's values are not overwritten";
    EXPECT_TRUE(l.model.isChanged(G::Device));
    EXPECT_EQ(l.model.current(G::Temp)[1], 0x05);
    EXPECT_EQ(l.boxes, (TChannelBoxes{true, true, true, true, true, true}));
    EXPECT_STREQ(filemsg::kSettingsLoadError, "Error loading settings!");
}

TEST(SettingsFile, ValuesThatDoNotParse)
{
    const char* bad[] = {
        "[DevSetup]\r\nSetting0=1FF\r\n", // wider than a register
        "[DevSetup]\r\nSetting0=\r\n",    // empty
        "[RRT]\r\nSetting8=0x12\r\n",     // prefix
        "[Other]\r\nComms=3\r\n",         // no such choice
        "[Other]\r\nDeltaOnly=yes\r\n",   "[Streaming]\r\nPT=true\r\n",
    };
    for (const char* text : bad) {
        const auto read = parseSettingsFile(std::string("[IC]\r\nDevice=MFS380A\r\n") + text);
        EXPECT_EQ(read.status, S::BadValue) << text;
    }
    // Any integer but 0 is true; hexadecimal digits in either case.
    Loaded l;
    load(l, "[IC]\r\nDevice=MFS380A\r\n[hall]\r\nsetting0=ab\r\n[Channels]\r\nCH0=1\r\nCH1=0\r\n"
            "[Streaming]\r\nCS=7\r\n");
    ASSERT_EQ(l.read.status, S::Ok) << l.read.detail;
    EXPECT_EQ(l.model.previous(G::Hall)[0], 0xAB);
    EXPECT_EQ(l.boxes, (TChannelBoxes{true, false, true, true, true, true}));
    EXPECT_TRUE(l.setup.CSCheck);
}

TEST(SettingsFile, MissingOrUnwritableFiles)
{
    TTempFolder tmp;
    const auto read = readSettingsFile(tmp / "none.ini");
    EXPECT_EQ(read.status, S::Unreadable);
    EXPECT_FALSE(read.detail.empty());
    std::string error;
    EXPECT_FALSE(saveSettingsFile(tmp / "no" / "folder.ini", TSettingsModel{}, TSetupModel{},
                                  {true, true, true, true, true, true}, error));
    EXPECT_FALSE(error.empty());
}

TEST(RecentSettings, GainsAFileOnceAndRenumbersOnRemoval)
{
    TRecentSettings recent;
    EXPECT_EQ(recent.add("/home/u/a.ini"), 0u);
    EXPECT_EQ(recent.add("/home/u/a.ini"), std::nullopt) << "saved again: not added twice";
    EXPECT_EQ(recent.add("C:\\Users\\u\\b.ini"), 1u);
    EXPECT_EQ(recent.add("/home/u/c.ini"), 2u);
    EXPECT_EQ(recent.names(), (std::vector<std::string>{"a.ini", "b.ini", "c.ini"}));
    EXPECT_TRUE(recent.remove(1));
    EXPECT_FALSE(recent.remove(5));
    EXPECT_EQ(recent.paths(), (std::vector<std::string>{"/home/u/a.ini", "/home/u/c.ini"}));
    EXPECT_EQ(recent.indexOf("/home/u/c.ini"), 1u);
    recent.assign({"/x.ini", "/x.ini", "/y.ini"});
    EXPECT_EQ(recent.size(), 2u);
}
