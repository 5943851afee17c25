// Field table and codec: bit positions, masking, ranges, carried bits and the
// texts shown beside fields.

#include "FieldCodec.h"

#include "MemoryMap.h"

#include <gtest/gtest.h>
#include <map>
#include <set>
#include <vector>

namespace {

using Block = std::vector<std::int32_t>;

Block encode(TSettingsGroup g, const TFieldValues& v, const Block& carried = {})
{
    const std::size_t n = groupDesc(g).ElementCount;
    Block c = carried.empty() ? Block(n, 0) : carried;
    Block out(n, 0);
    encodeGroup(g, v, c, out);
    return out;
}

// Set then Get: what the next write sends after a block was read.
Block roundTrip(TSettingsGroup g, const Block& in)
{
    TFieldValues v = defaultFieldValues();
    decodeGroup(g, in, v);
    return encode(g, v, in);
}

int element(TSettingsGroup g, std::uint8_t address)
{
    return groupDesc(g).elementOf(address);
}

} // namespace

TEST(FieldTable, EveryRowIsWhereItsIdSays)
{
    const auto t = fieldTable();
    ASSERT_EQ(t.size(), kFieldCount);
    std::set<std::string> controls;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const TFieldDesc& d = t[i];
        EXPECT_EQ(fieldIndex(d.Id), i);
        EXPECT_FALSE(d.Control.empty()) << i;
        EXPECT_TRUE(controls.insert(d.Control).second) << "duplicate control " << d.Control;
        EXPECT_LE(d.Min, d.FormDefault) << d.Control;
        EXPECT_LE(d.FormDefault, d.Max) << d.Control;
        EXPECT_LE(d.Max, d.valueMask()) << d.Control;
        if (d.Kind == TFieldKind::Radio || d.Kind == TFieldKind::List) {
            EXPECT_EQ(static_cast<int>(d.Entries.size()), d.Max + 1) << d.Control;
        }
        for (const TBitPart& p : d.parts())
            EXPECT_EQ(groupDesc(d.Group).Registers[p.Element], p.Register) << d.Control;
    }
    EXPECT_EQ(findFieldByControl("ATITarg2Spin")->Id, channelField(TFieldId::ATITarg, 2));
    EXPECT_EQ(findFieldByControl("TX1Check1")->Id, channelField(TFieldId::TX1, 1));
    EXPECT_EQ(fieldDesc(channelField(TFieldId::SM, 2)).Control, "SM2RadioGroup");
    EXPECT_EQ(fieldDesc(channelField(TFieldId::SM, 1)).Page, 5);
}

TEST(FieldTable, NoTwoFieldsShareARegisterBit)
{
    std::map<std::uint8_t, int> used;
    for (const TFieldDesc& d : fieldTable()) {
        for (const TBitPart& p : d.parts()) {
            const int bits = ((1 << p.Width) - 1) << p.Shift;
            EXPECT_EQ(used[p.Register] & bits, 0) << d.Control;
            used[p.Register] |= bits;
        }
    }
}

// Writable bits of every register: every field at its maximum. Bits not listed
// are written 0 whatever was read; 0xC0 bit 7 and 0xDA come from the block.
TEST(FieldCodec, AllOnesReadBackKeepsOnlyFieldAndCarriedBits)
{
    const std::map<TSettingsGroup, Block> expected = {
        {TSettingsGroup::PxsSetup, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE,
                                    0xFE, 0xFE, 0xFF, 0xBF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}},
        {TSettingsGroup::PxsUI, Block(7, 0xFF)},
        {TSettingsGroup::SarUI, Block(6, 0xFF)},
        {TSettingsGroup::Thr, {0xB3, 0xFF, 0xFF, 0xFF}},
        {TSettingsGroup::Hall, {0xF3, 0xFF, 0xFF, 0xFF, 0x77, 0xFF, 0xFF}},
        {TSettingsGroup::Temp, {0xFF, 0x3F, 0xFF, 0xFF, 0xFF}},
        {TSettingsGroup::Device, {0x3C, 0xFF}},
        {TSettingsGroup::Tim, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x07}},
    };
    for (TSettingsGroup g : kAllGroups) {
        const Block ones(groupDesc(g).ElementCount, 0xFF);
        EXPECT_EQ(roundTrip(g, ones), expected.at(g)) << groupDesc(g).Name;
    }
}

TEST(FieldCodec, ZeroReadForARangeStartingAtOneIsWrittenAsOne)
{
    EXPECT_EQ(roundTrip(TSettingsGroup::PxsUI, Block(7, 0)), Block(7, 1));
    EXPECT_EQ(roundTrip(TSettingsGroup::Thr, Block(4, 0)), (Block{0, 1, 1, 1}));
    EXPECT_EQ(roundTrip(TSettingsGroup::Hall, Block(7, 0)), (Block{0, 0, 0, 0, 0, 1, 1}));
    // Ranges from 0 keep 0.
    EXPECT_EQ(roundTrip(TSettingsGroup::SarUI, Block(6, 0)), Block(6, 0));
}

TEST(FieldCodec, CompensationSplitsOverTwoRegisters)
{
    const TSettingsGroup g = TSettingsGroup::PxsSetup;
    struct Case {
        int Channel, Value, Low, High;
    } cases[] = {{2, 1023, 0xFF, 3}, {2, 256, 0x00, 1}, {0, 4, 0x04, 0}, {1, 0x2AB, 0xAB, 2}};
    for (const Case& c : cases) {
        TFieldValues v = defaultFieldValues();
        v[fieldIndex(channelField(TFieldId::Comp, c.Channel))] = c.Value;
        v[fieldIndex(channelField(TFieldId::Sens, c.Channel))] = 2;     // coarse "3"
        v[fieldIndex(channelField(TFieldId::CompMult, c.Channel))] = 9; // fine "10"
        const Block b = encode(g, v);
        const auto low = static_cast<std::uint8_t>(0x52 + c.Channel);
        const auto high = static_cast<std::uint8_t>(0x55 + c.Channel);
        EXPECT_EQ(b[element(g, low)], c.Low) << c.Value;
        EXPECT_EQ(b[element(g, high)] >> 6, c.High) << c.Value;
        EXPECT_EQ(b[element(g, high)] & 0x3F, 0x29) << c.Value; // multipliers untouched

        TFieldValues back = defaultFieldValues();
        decodeGroup(g, b, back);
        EXPECT_EQ(back[fieldIndex(channelField(TFieldId::Comp, c.Channel))], c.Value);
        EXPECT_EQ(back[fieldIndex(channelField(TFieldId::Sens, c.Channel))], 2);
        EXPECT_EQ(back[fieldIndex(channelField(TFieldId::CompMult, c.Channel))], 9);
    }
}

TEST(FieldCodec, HallCompensationSplitsLikeTheChannels)
{
    TFieldValues v = defaultFieldValues();
    v[fieldIndex(TFieldId::HallComp)] = 1023;
    v[fieldIndex(TFieldId::HallCoarse)] = 0;
    v[fieldIndex(TFieldId::HallFine)] = 0;
    const Block b = encode(TSettingsGroup::Hall, v);
    EXPECT_EQ(b[2], 0xFF);
    EXPECT_EQ(b[3], 0xC0);
}

TEST(FieldCodec, AtiTargetAndBaseFillTheAtiRegister)
{
    for (int n = 0; n < 3; ++n) {
        TFieldValues v = defaultFieldValues();
        v[fieldIndex(channelField(TFieldId::ATITarg, n))] = 63;
        v[fieldIndex(channelField(TFieldId::ATIBase, n))] = 3; // "200"
        const Block b = encode(TSettingsGroup::PxsSetup, v);
        EXPECT_EQ(b[static_cast<std::size_t>(6 + n)], 0xFF);
        EXPECT_EQ(b[static_cast<std::size_t>(6 + (n + 1) % 3)], 0x04); // others at form default
    }
}

TEST(FieldCodec, SarTimeoutAndThresholdShareOneRegister)
{
    TFieldValues v = defaultFieldValues();
    v[fieldIndex(TFieldId::SarLHPT)] = 15;
    v[fieldIndex(TFieldId::SarMDT)] = 15;
    EXPECT_EQ(encode(TSettingsGroup::SarUI, v)[1], 0xFF);

    decodeGroup(TSettingsGroup::SarUI, Block{0, 0x5A, 0, 0, 0, 0}, v);
    EXPECT_EQ(v[fieldIndex(TFieldId::SarLHPT)], 5);
    EXPECT_EQ(v[fieldIndex(TFieldId::SarMDT)], 10);
}

TEST(FieldCodec, TemperatureBit7IsCarriedThrough)
{
    const TSettingsGroup g = TSettingsGroup::Temp;
    const Block read = {0x9F, 0x00, 4, 4, 16};
    TFieldValues v = defaultFieldValues();
    decodeGroup(g, read, v);
    EXPECT_EQ(v[fieldIndex(TFieldId::TempReseedThr)], 31);
    EXPECT_EQ(v[fieldIndex(TFieldId::TempRIP)], 0);
    EXPECT_EQ(v[fieldIndex(TFieldId::TempReseedEn)], 0);
    v[fieldIndex(TFieldId::TempMult)] = 99; // another field changes
    const Block b = encode(g, v, read);
    EXPECT_EQ(b[0], 0x9F);
    EXPECT_EQ(b[2], 99);
    // Without bit 7 in the block nothing sets it.
    EXPECT_EQ(encode(g, v, Block{0x1F, 0, 0, 0, 0})[0], 0x1F);
}

TEST(FieldCodec, I2CSettingsAreCarriedAndReseedEnablesMasked)
{
    const TSettingsGroup g = TSettingsGroup::Tim;
    const Block read = {1, 2, 3, 4, 0x81, 5, 6, 0xA5, 0xFF};
    TFieldValues v = defaultFieldValues();
    decodeGroup(g, read, v);
    EXPECT_EQ(v[fieldIndex(TFieldId::EMpxs)], 1);
    EXPECT_EQ(v[fieldIndex(TFieldId::EMSarAc)], 1);
    EXPECT_EQ(v[fieldIndex(TFieldId::EMsar)], 0);
    v[fieldIndex(TFieldId::NPRR)] = 200;
    const Block b = encode(g, v, read);
    EXPECT_EQ(b, (Block{200, 2, 3, 4, 0x81, 5, 6, 0xA5, 0x07}));
}

TEST(FieldCodec, DeviceRegisters)
{
    TFieldValues v = defaultFieldValues();
    v[fieldIndex(TFieldId::CommsMode)] = 1; // "Event Mode"
    v[fieldIndex(TFieldId::EightMhz)] = 1;  // "4Mhz"
    v[fieldIndex(TFieldId::PowerModes)] = 3;
    v[fieldIndex(TFieldId::AutoModes)] = 1;
    v[fieldIndex(TFieldId::EnULPMode)] = 1;
    v[fieldIndex(TFieldId::NPSegRate)] = 7;
    v[fieldIndex(TFieldId::PWMOut)] = 1;
    EXPECT_EQ(encode(TSettingsGroup::Device, v), (Block{0x30, 0xFF}));
}

TEST(FieldCodec, EngineeringBitsOf0x51)
{
    const TSettingsGroup g = TSettingsGroup::PxsSetup;
    Block read(20, 0);
    read[13] = 0x20 | 0x40; // calibration on, bit 6 set
    TFieldValues v = defaultFieldValues();
    decodeGroup(g, read, v);
    EXPECT_EQ(v[fieldIndex(TFieldId::Calib)], 1);
    EXPECT_EQ(encode(g, v)[13], 0x20);
}

TEST(FieldCodec, UserValuesOutsideARangeTakeTheNearestEnd)
{
    const TFieldDesc& touch = fieldDesc(TFieldId::Touch0);
    EXPECT_EQ(clampToField(touch, 0), 1);
    EXPECT_EQ(clampToField(touch, 300), 255);
    EXPECT_EQ(fieldFromBits(fieldDesc(TFieldId::TempReseedThr), 0xFF), 31);
    TFieldValues v = defaultFieldValues();
    v[fieldIndex(TFieldId::SarQRDB)] = 9; // wider than its 3 bits
    EXPECT_EQ(encode(TSettingsGroup::SarUI, v)[0], 0x70);
}

TEST(ShownText, LabelsBesideFields)
{
    struct Case {
        TFieldId Field;
        int Value;
        const char* Text;
    } cases[] = {
        {TFieldId::Touch0, 255, "99.60%"},
        {TFieldId::Touch0, 1, "0.39%"},
        {TFieldId::Touch1, 16, "6.25%"},
        {TFieldId::Touch2, 128, "50.00%"},
        {TFieldId::Touch0, 80, "31.30%"}, // 31.25: halves round away from zero
        {TFieldId::PxsHalt, 255, "127500ms"},
        {TFieldId::PxsHalt, 4, "2000ms"},
        {TFieldId::SarLHPT, 15, "7500ms"},
        {TFieldId::SarQRDT, 3, "12"},
        {TFieldId::MetalTouch, 16, "64"},
        {TFieldId::HallThT, 255, "1020"},
        {TFieldId::HallTarg, 4, "128"},
        {channelField(TFieldId::ATITarg, 1), 63, "2016"},
        {TFieldId::NPRR, 7, "7 ms"},
        {TFieldId::ULPRR, 2, "32 ms"},
        {TFieldId::ModeTime, 255, "127.5 sec"},
        {TFieldId::ModeTime, 1, "0.5 sec"},
        {TFieldId::ModeTime, 0, "0.0 sec"},
        {TFieldId::RdyTimeout, 255, "81.6ms"},
        {TFieldId::RdyTimeout, 25, "8ms"},
        {TFieldId::RdyTimeout, 1, "0.32ms"},
        {TFieldId::RdyTimeout, 10, "3.2ms"},
        {TFieldId::Prox0, 10, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shownText(fieldDesc(c.Field), c.Value), c.Text) << fieldDesc(c.Field).Control;
    EXPECT_EQ(formShownText(fieldDesc(TFieldId::Touch0)), "6.25%");
    EXPECT_EQ(formShownText(fieldDesc(TFieldId::PxsHalt)), "2000ms");
    EXPECT_EQ(formShownText(fieldDesc(TFieldId::MetalTouch)), "64");
    EXPECT_EQ(formShownText(fieldDesc(channelField(TFieldId::ATITarg, 0))), "128");
}

TEST(MemoryMap, RegisterNamesForTheHeader)
{
    EXPECT_EQ(registerInfo(0x4A)->Name, "PXS_SETTINGS0_10");
    EXPECT_EQ(registerInfo(0x4A)->HeaderTabs, 5);
    EXPECT_EQ(registerInfo(0xD1)->Name, "ACTIVE_CHS");
    EXPECT_EQ(registerInfo(0xD1)->HeaderTabs, 7);
    EXPECT_EQ(registerInfo(0x10), nullptr);
    // Every group register has a name.
    for (TSettingsGroup g : kAllGroups) {
        for (std::uint8_t r : groupDesc(g).registers())
            EXPECT_NE(registerInfo(r), nullptr) << int(r);
    }
}
