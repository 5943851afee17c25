// Simplified channel panels: the mapping to and from the engineering fields.

#include "CustomerPanel.h"

#include "SettingsModel.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

using G = TSettingsGroup;

int eng(const TSettingsModel& m, TFieldId ch0, int n)
{
    return m.fieldValue(channelField(ch0, n));
}

// A read of the Senvara group with the given sensor modes on CH0..CH2.
TSettingsModel modelWithModes(int m0, int m1, int m2)
{
    std::vector<std::int32_t> v(20, 0);
    v[0] = m0 << 6;
    v[1] = m1 << 6;
    v[2] = m2 << 6;
    TSettingsModel m;
    m.setPrevious(G::PxsSetup, v);
    m.set(G::PxsSetup, m.previous(G::PxsSetup));
    m.snapshot(G::PxsSetup);
    return m;
}

} // namespace

TEST(CustomerPanel, EngineeringModesSelectTheSimplifiedMode)
{
    TSettingsModel m = modelWithModes(0, 2, 3);
    m.panels()[0].SensorMode = 1; // shown before the link
    LinkEngToCh(m);
    const auto& p = m.panels();
    EXPECT_EQ(p[0].SensorMode, 0);
    EXPECT_FALSE(p[0].MultRangeVisible);
    EXPECT_TRUE(p[0].UpLengthVisible);
    EXPECT_FALSE(p[0].ProjBiasVisible);
    EXPECT_EQ(p[1].SensorMode, 1);
    EXPECT_TRUE(p[1].MultRangeVisible);
    EXPECT_FALSE(p[1].UpLengthVisible);
    EXPECT_TRUE(p[1].ProjBiasVisible);
    // Temperature: no simplified mode, every control shown.
    EXPECT_EQ(p[2].SensorMode, -1);
    EXPECT_TRUE(p[2].MultRangeVisible && p[2].UpLengthVisible && p[2].ProjBiasVisible);
}

TEST(CustomerPanel, HallLeavesTheSimplifiedModeAsItWas)
{
    TSettingsModel m = modelWithModes(1, 1, 0);
    m.panels()[0].SensorMode = 1;
    m.panels()[0].applyVisibility();
    LinkEngToCh(m);
    EXPECT_EQ(m.panels()[0].SensorMode, 1);
    EXPECT_TRUE(m.panels()[0].ProjBiasVisible);
    EXPECT_EQ(m.panels()[1].SensorMode, 0); // initial choice, untouched
}

TEST(CustomerPanel, LinkEngToChCopiesEveryMappedField)
{
    std::vector<std::int32_t> v(20, 0);
    v[1] = 0x80 | 0x10 | 0x03;         // CH1: External, mult range 1, RX 1 and RX 0
    v[4] = 0x40 | 0x20 | 0x08 | 0x02;  // CS large, divider 2, bias 2, ATI mode 2
    v[7] = 0xC0 | 33;                  // base 3, target 33
    v[10] = 0x80 | 0x20 | 0x08 | 0x06; // up len sel 2, PMIR inc 1, up len 1, pass 3
    v[15] = 0x2C;                      // 0x53: compensation low byte
    v[18] = 0x80 | 0x20 | 0x05;        // 0x56: comp high 2, coarse 2, fine 5
    TSettingsModel m;
    m.SetPxsSetupValues(v);
    LinkEngToCh(m);
    const TCustomerPanel& p = m.panels()[1];
    EXPECT_EQ(p.SensorMode, 1);
    EXPECT_EQ(p.MultRange, 1);
    EXPECT_TRUE(p.RX0 && p.RX1);
    EXPECT_EQ(p.CSSize, 1);
    EXPECT_EQ(p.ChargeFreqDiv, 2);
    EXPECT_EQ(p.ProjBias, 2);
    EXPECT_EQ(p.AutoATIMode, 2);
    EXPECT_EQ(p.ATIBase, 3);
    EXPECT_EQ(p.ATITarget, 33);
    EXPECT_EQ(p.atiTargetLabel(), "1056");
    EXPECT_EQ(p.UpLenSel, 2);
    EXPECT_EQ(p.CSDivider, 1);
    EXPECT_EQ(p.UpLen, 1);
    EXPECT_EQ(p.PassLenSel, 3);
    EXPECT_EQ(p.Compensation, 0x22C);
    EXPECT_EQ(p.Coarse, 2);
    EXPECT_EQ(p.Fine, 5);
}

TEST(CustomerPanel, LinkToEngWritesTheEngineeringFields)
{
    TSettingsModel m = modelWithModes(2, 0, 0);
    LinkEngToCh(m);
    TCustomerPanel& p = m.panels()[0];
    p.SensorMode = 0; // capacitive: multiplier range forced to "Large" (0)
    p.MultRange = 1;
    p.ATIBase = 2;
    p.RX1 = true;
    p.ATITarget = 10;
    p.Compensation = 700;
    EXPECT_TRUE(LinkToEng(m));
    EXPECT_EQ(eng(m, TFieldId::SM, 0), 0);
    EXPECT_EQ(eng(m, TFieldId::MultRange, 0), 0);
    EXPECT_EQ(p.MultRange, 0);
    EXPECT_EQ(eng(m, TFieldId::ATIBase, 0), 2);
    EXPECT_EQ(eng(m, TFieldId::RX1, 0), 1);
    EXPECT_EQ(eng(m, TFieldId::ATITarg, 0), 10);
    EXPECT_EQ(eng(m, TFieldId::Comp, 0), 700);
    EXPECT_EQ(m.current(G::PxsSetup)[0], 0x02);

    p.SensorMode = 1; // inductive: "Large" stays 0 = engineering "Small"
    p.applyVisibility();
    p.MultRange = 0;
    LinkToEng(m);
    EXPECT_EQ(eng(m, TFieldId::SM, 0), 2);
    EXPECT_EQ(m.current(G::PxsSetup)[0] & 0x10, 0);
}

TEST(CustomerPanel, EmptySpinsAreNotCopied)
{
    TSettingsModel m = modelWithModes(0, 0, 0);
    LinkEngToCh(m);
    m.panels()[2].Compensation.reset();
    m.panels()[2].ATITarget.reset();
    EXPECT_FALSE(LinkToEng(m));
    EXPECT_EQ(m.panels()[2].atiTargetLabel(), "");
}

TEST(CustomerPanel, LinkingBackAndForthChangesNothing)
{
    std::vector<std::int32_t> v = {0x83, 0x00, 0x80, 0x4A, 0x22, 0x0B, 0xC4, 0x04, 0x3F, 0xDE,
                                   0x2A, 0x00, 0x00, 0x00, 0xFF, 0x10, 0x03, 0xFF, 0x15, 0xC0};
    TSettingsModel m;
    m.setPrevious(G::PxsSetup, v);
    m.set(G::PxsSetup, m.previous(G::PxsSetup));
    m.snapshot(G::PxsSetup);
    LinkEngToCh(m);
    EXPECT_FALSE(LinkToEng(m));
}

TEST(CustomerPanel, OtherEditsKeepHallAndTemperatureChannels)
{
    TSettingsModel m = modelWithModes(0, 1, 3);
    LinkEngToCh(m);
    // An edit on CH0's panel runs the link for all three channels.
    m.panels()[0].ATIBase = 3;
    EXPECT_TRUE(LinkToEng(m));
    EXPECT_EQ(eng(m, TFieldId::SM, 1), 1);
    EXPECT_EQ(eng(m, TFieldId::SM, 2), 3);
    EXPECT_EQ(eng(m, TFieldId::ATIBase, 0), 3);

    // Picking a mode on those panels does switch them.
    m.panels()[1].SensorMode = 1;
    m.panels()[2].SensorMode = 0;
    LinkToEng(m);
    EXPECT_EQ(eng(m, TFieldId::SM, 1), 2);
    EXPECT_EQ(eng(m, TFieldId::SM, 2), 0);
    EXPECT_FALSE(m.panels()[2].MultRangeVisible);
}

TEST(CustomerPanel, ControlDescriptions)
{
    const auto c = panelControls();
    ASSERT_FALSE(c.empty());
    EXPECT_EQ(c[0].Caption, "Sensor Mode");
    EXPECT_EQ(c[1].Entries[0], "Large");
    for (const TPanelControlDesc& d : c) {
        if (d.EngField != TFieldId::Count_ && d.EntryCount > 0) {
            EXPECT_EQ(static_cast<int>(d.EntryCount), fieldDesc(d.EngField).Max + 1) << d.Caption;
        }
    }
}

// Undo of the group sets the engineering fields from the previous block; the
// simplified panels must follow, or the next edit on any panel (which links
// all three channels) writes the undone values back.
TEST(CustomerPanel, UndoOfTheGroupAlsoUndoesThePanels)
{
    TSettingsModel m = modelWithModes(0, 0, 0);
    LinkEngToCh(m);
    const int base = eng(m, TFieldId::ATIBase, 0);
    m.panels()[0].ATIBase = 3;
    m.panels()[0].Compensation = 700;
    ASSERT_TRUE(LinkToEng(m));

    m.undo(G::PxsSetup);
    EXPECT_EQ(m.panels()[0].ATIBase, base);
    EXPECT_EQ(m.panels()[0].Compensation, eng(m, TFieldId::Comp, 0));

    // An edit on another channel's panel changes that channel only.
    m.panels()[1].CSSize = 1;
    EXPECT_TRUE(LinkToEng(m));
    EXPECT_EQ(eng(m, TFieldId::ATIBase, 0), base);
    EXPECT_EQ(eng(m, TFieldId::CSCap, 1), 1);
    EXPECT_EQ(m.current(G::PxsSetup)[6], m.previous(G::PxsSetup)[6]);
}
