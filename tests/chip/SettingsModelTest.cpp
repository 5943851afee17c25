// Settings blocks, change flags, the reader/Apply bookkeeping and what goes
// over the wire for each group.

#include "SettingsModel.h"

#include "GroupTransfer.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using Block = std::vector<std::int32_t>;
using G = TSettingsGroup;

Block vec(std::span<const std::int32_t> s)
{
    return {s.begin(), s.end()};
}

// Readers' order: previous from the device, Set from it, snapshot.
void readGroup(TSettingsModel& m, G g, const Block& values)
{
    ASSERT_TRUE(m.setPrevious(g, values));
    ASSERT_TRUE(m.set(g, m.previous(g)));
    m.snapshot(g);
}

} // namespace

TEST(SettingsModel, StartsZeroAndUnchanged)
{
    TSettingsModel m;
    for (G g : kAllGroups) {
        EXPECT_EQ(vec(m.current(g)), Block(groupDesc(g).ElementCount, 0));
        EXPECT_EQ(vec(m.previous(g)), Block(groupDesc(g).ElementCount, 0));
        EXPECT_FALSE(m.isChanged(g));
    }
    EXPECT_EQ(m.fieldValue(TFieldId::Touch0), 16);
    EXPECT_EQ(m.fieldValue(channelField(TFieldId::Comp, 2)), 4);
}

TEST(SettingsModel, ChangedExactlyWhileCurrentDiffersFromPrevious)
{
    TSettingsModel m;
    readGroup(m, G::PxsUI, {4, 16, 16, 16, 4, 16, 4});
    EXPECT_FALSE(m.detectChange(G::PxsUI));

    m.setFieldValue(TFieldId::Touch0, 200);
    EXPECT_TRUE(m.detectChange(G::PxsUI));
    EXPECT_TRUE(m.anyChanged());
    EXPECT_EQ(m.current(G::PxsUI)[1], 200);
    EXPECT_EQ(m.previous(G::PxsUI)[1], 16);

    m.setFieldValue(TFieldId::Touch0, 16); // changed back
    EXPECT_FALSE(m.detectChange(G::PxsUI));
    EXPECT_FALSE(m.anyChanged());
}

TEST(SettingsModel, ReadSnapshotTakesTheShownValuesAsUnchanged)
{
    TSettingsModel m;
    // 0 for a threshold starting at 1; bits 7 and 3 of 0xA0 set.
    readGroup(m, G::Hall, {0x0C, 0, 0, 0, 0x88, 0, 16});
    EXPECT_FALSE(m.isChanged(G::Hall));
    EXPECT_FALSE(m.detectChange(G::Hall));
    EXPECT_EQ(vec(m.current(G::Hall)), (Block{0, 0, 0, 0, 0, 1, 16}));
    EXPECT_EQ(vec(m.previous(G::Hall)), vec(m.current(G::Hall)));
    EXPECT_EQ(m.fieldValue(TFieldId::HallThP), 1);
}

TEST(SettingsModel, SetCopiesTheValuesAndLeavesPreviousAlone)
{
    TSettingsModel m;
    const Block v = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(m.SetSarUIValues(v));
    EXPECT_EQ(vec(m.current(G::SarUI)), v);
    EXPECT_EQ(vec(m.previous(G::SarUI)), Block(6, 0));
    EXPECT_EQ(m.fieldValue(TFieldId::SarFHThr), 4);

    // Too few values: refused, nothing touched.
    EXPECT_FALSE(m.SetSarUIValues(Block{9, 9}));
    EXPECT_FALSE(m.setPrevious(G::SarUI, Block{9, 9}));
    EXPECT_EQ(vec(m.current(G::SarUI)), v);
    EXPECT_EQ(vec(m.previous(G::SarUI)), Block(6, 0));
    // More values than the group holds: only the group's count is taken.
    ASSERT_TRUE(m.SetDeviceSetValues(Block{0x08, 0x10, 0x77}));
    EXPECT_EQ(vec(m.current(G::Device)), (Block{0x08, 0x10}));
}

TEST(SettingsModel, TemperatureCurrentBlockKeepsTheFullByteAfterSet)
{
    // Exporting right after an Undo writes what the chip holds, not a bare bit 7.
    TSettingsModel m;
    readGroup(m, G::Temp, {0x9F, 0x12, 4, 4, 16});
    m.setFieldValue(TFieldId::TempMult, 9);
    m.detectChange(G::Temp);
    m.undo(G::Temp);
    EXPECT_EQ(m.current(G::Temp)[0], 0x9F);
    EXPECT_FALSE(m.isChanged(G::Temp));
    m.setFieldValue(TFieldId::TempDiv, 7);
    EXPECT_TRUE(m.detectChange(G::Temp));
    EXPECT_EQ(m.current(G::Temp)[0], 0x9F);
}

TEST(SettingsModel, UndoRestoresOnlyTheGroupUndone)
{
    TSettingsModel m;
    readGroup(m, G::SarUI, {0, 0, 0, 10, 20, 0});
    readGroup(m, G::Thr, {0x11, 4, 4, 16});
    m.setFieldValue(TFieldId::SarPT, 99);
    m.setFieldValue(TFieldId::MetalProx, 50);
    m.detectChange(G::SarUI);
    m.detectChange(G::Thr);

    m.undo(G::SarUI);
    EXPECT_EQ(m.fieldValue(TFieldId::SarPT), 20);
    EXPECT_FALSE(m.isChanged(G::SarUI));
    EXPECT_EQ(m.fieldValue(TFieldId::MetalProx), 50);
    EXPECT_TRUE(m.isChanged(G::Thr));
}

TEST(SettingsModel, RebaselineKeepsThePendingFlag)
{
    TSettingsModel m;
    m.setFieldValue(TFieldId::NPRR, 33);
    EXPECT_TRUE(m.detectChange(G::Tim));
    m.rebaseline(G::Tim);
    EXPECT_TRUE(m.isChanged(G::Tim));
    EXPECT_EQ(vec(m.previous(G::Tim)), vec(m.current(G::Tim)));
    m.snapshot(G::Tim);
    EXPECT_FALSE(m.isChanged(G::Tim));
}

TEST(SettingsModel, ResetDefaultSnapshotsEveryGroup)
{
    TSettingsModel m;
    for (G g : kAllGroups)
        m.detectChange(g); // form defaults differ from the zero blocks
    EXPECT_TRUE(m.isChanged(G::PxsSetup));
    m.ResetDefault();
    for (G g : kAllGroups) {
        EXPECT_FALSE(m.isChanged(g));
        EXPECT_EQ(vec(m.previous(g)), vec(m.current(g)));
    }
    EXPECT_EQ(m.current(G::PxsUI)[6], 4); // halt time form default
}

TEST(GroupTransfer, ReadsDropBytesOutsideTheGroup)
{
    const std::vector<std::uint8_t> pxsUi = {1, 2, 3, 4, 5, 6, 7, 0xEE, 0xEE};
    const std::span<const std::uint8_t> one[] = {pxsUi};
    EXPECT_EQ(*valuesFromRead(G::PxsUI, one), (Block{1, 2, 3, 4, 5, 6, 7}));

    const std::vector<std::uint8_t> dev = {0x28, 0x3F, 0x11};
    const std::span<const std::uint8_t> d[] = {dev};
    EXPECT_EQ(*valuesFromRead(G::Device, d), (Block{0x28, 0x11}));

    const std::vector<std::uint8_t> hall90 = {1, 2, 3, 4}, hallA0 = {5, 6, 7};
    const std::span<const std::uint8_t> h[] = {hall90, hallA0};
    EXPECT_EQ(*valuesFromRead(G::Hall, h), (Block{1, 2, 3, 4, 5, 6, 7}));

    // Short or missing bursts are refused.
    const std::span<const std::uint8_t> shortRead[] = {std::span(pxsUi).first(7)};
    EXPECT_FALSE(valuesFromRead(G::PxsUI, shortRead).has_value());
    EXPECT_FALSE(valuesFromRead(G::Hall, one).has_value());
}

TEST(GroupTransfer, WriteBuffersFollowTheBursts)
{
    const Block hall = {1, 2, 3, 4, 5, 6, 7};
    auto w = groupWriteBuffers(G::Hall, hall);
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0], (TWriteBuffer{0x90, 1, 2, 3, 4}));
    EXPECT_EQ(w[1], (TWriteBuffer{0xA0, 5, 6, 7}));

    auto d = groupWriteBuffers(G::Device, Block{0x28, 0x11});
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0], (TWriteBuffer{0xD0, 0x28}));
    EXPECT_EQ(d[1], (TWriteBuffer{0xD2, 0x11}));

    auto p = groupWriteBuffers(G::PxsUI, Block{1, 2, 3, 4, 5, 6, 7});
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].size(), 8u); // address and 7 bytes, never the two read beyond

    EXPECT_TRUE(groupWriteBuffers(G::Hall, Block{1, 2}).empty());
}

TEST(GroupTransfer, OneShotCommandsGoIntoTheByteSentOnly)
{
    TSettingsModel m;
    readGroup(m, G::Device, {0x28, 0x00});
    TOneShotCommands cmds;
    cmds.FRedoATI = true;
    cmds.FAckReset = true;
    auto d = groupWriteBuffers(G::Device, m.current(G::Device), cmds);
    EXPECT_EQ(d[0], (TWriteBuffer{0xD0, 0x28 | 0x02 | 0x40}));
    EXPECT_EQ(m.current(G::Device)[0], 0x28); // never in the block

    cmds.FReseed = cmds.FSoftReset = true;
    EXPECT_EQ(mergeSystemSettings(0x00, cmds), 0xC3);
    cmds.deviceWritten();
    EXPECT_FALSE(cmds.FRedoATI || cmds.FReseed || cmds.FSoftReset);
    EXPECT_TRUE(cmds.FAckReset);

    cmds.FHAllForceCal = true;
    auto h = groupWriteBuffers(G::Hall, Block{0, 0, 0, 0, 0x44, 4, 16}, cmds);
    EXPECT_EQ(h[1][1], 0xC4);
    cmds.hallWritten();
    EXPECT_EQ(groupWriteBuffers(G::Hall, Block{0, 0, 0, 0, 0x44, 4, 16}, cmds)[1][1], 0x44);
}

TEST(GroupTransfer, ActiveChannels)
{
    EXPECT_EQ(activeChsMask({true, true, true, false, false, false}), 0x07);
    EXPECT_EQ(activeChsMask({true, true, true, true, true, true}), 0x3F);

    using Boxes = std::array<bool, 6>;
    EXPECT_EQ(channelBoxesFromActiveChs(0x05, false, false),
              (Boxes{true, false, true, false, false, false}));
    // SAR UI without movement override: box 1 ticked regardless.
    EXPECT_EQ(channelBoxesFromActiveChs(0x05, true, false),
              (Boxes{true, true, true, false, false, false}));
    EXPECT_EQ(channelBoxesFromActiveChs(0x05, true, true),
              (Boxes{true, false, true, false, false, false}));
}
