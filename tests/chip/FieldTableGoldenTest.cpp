// The golden table of every settings field, typed from the chip's register
// descriptions rather than from the field table: register and bits, the
// control that edits it, its caption, its entries, its range and its form
// default. A swapped bit, a wrong default, a misspelt caption or a missing
// field fails here; the encoding check then proves the codec puts each field
// where this table says.
#include "FieldTable.h"
#include "SettingsModel.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>

namespace {

enum Kind { Radio, Check, Spin, List };

struct Golden {
    const char* control; // '#' stands for the channel digit
    int reg;             // + channel for channel fields
    int hi, lo;          // register bits hi:lo hold value bits (hi-lo):0
    Kind kind;
    const char* caption;  // the control's own caption
    const char* box;      // the group box around it, or ""
    const char* entries;  // radio and list entries, '|' between them
    int min, max, def;    // range and form default
    bool eng = false;     // shown in engineering mode only
};

// Channel fields (CH0; CH1 and CH2 add 1 and 2 to the register). The
// compensation's bits 9:8 sit in bits 7:6 of 0x55 + n (checked below).
const Golden kChannel[] = {
    {"SM#RadioGroup", 0x40, 7, 6, Radio, "Sensor Mode", "", "Prox|Hall|External|Temperature", 0, 3, 0},
    {"LC#Radio", 0x40, 5, 5, Radio, "L/C", "", "Capacitive|Inductive", 0, 1, 0},
    {"Cap#Radio", 0x40, 4, 4, Radio, "Mult Range", "", "Small|Large", 0, 1, 0},
    {"TX1Check#", 0x40, 3, 3, Check, "TX 1", "", "", 0, 1, 0},
    {"TX0Check#", 0x40, 2, 2, Check, "TX 0 ", "", "", 0, 1, 0},
    {"RX1Check#", 0x40, 1, 1, Check, "RX 1", "", "", 0, 1, 0},
    {"RX0Check#", 0x40, 0, 0, Check, "RX 0 ", "", "", 0, 1, 0},
    {"HallPwrSave#Radio", 0x43, 7, 7, Radio, "HALL Power Save", "", "Disabled|Enabled", 0, 1, 0},
    {"CSCap#Radio", 0x43, 6, 6, Radio, "CS Cap Size", "", "Small|Large", 0, 1, 0},
    {"Tmr1PreProx#Radio", 0x43, 5, 4, Radio, "Timer1_Pre Prox", "", "1|2|3|4", 0, 3, 0},
    {"ProjBias#Radio", 0x43, 3, 2, Radio, "Projected Bias", "",
     "2.5 \u00b5A|5 \u00b5A|10 \u00b5A|20 \u00b5A", 0, 3, 0},
    {"AutoATIMode#Radio", 0x43, 1, 0, Radio, "Auto ATI Mode", "", "1|2|3|4", 0, 3, 0},
    {"ATIBase#Radio", 0x46, 7, 6, Radio, "ATI Base", "", "75|100|150|200", 0, 3, 0},
    {"ATITarg#Spin", 0x46, 5, 0, Spin, "", "ATI Target x32", "", 0, 63, 4},
    {"UpLenSel#Radio", 0x49, 7, 6, Radio, "Up Length Select", "", "1|2|3|4", 0, 3, 0},
    {"PMirInc#Radio", 0x49, 5, 5, Radio, "PMIR Inc Out", "", "1|2", 0, 1, 0},
    {"PMirRng#Radio", 0x49, 4, 4, Radio, "PMIR Range", "", "1|2", 0, 1, 0},
    {"UpLen#Radio", 0x49, 3, 3, Radio, "Up Length", "", "Disabled|Enabled", 0, 1, 0},
    {"PassLenSel#Radio", 0x49, 2, 1, Radio, "Pass Length Select", "", "1|2|3|4", 0, 3, 0},
    {"Comp#Spin", 0x52, 7, 0, Spin, "", "Compensation", "", 0, 1023, 4},
    {"Sens#Combo", 0x55, 5, 4, List, "Sens : ", "", "1|2|3|4", 0, 3, 0},
    {"Comp#Combo", 0x55, 3, 0, List, "Comp : ", "", "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16", 0, 15, 0},
};

const char* const kDisEn = "Disabled|Enabled";
const char* const kHyst = "0|1/4|1/8|1/16";
const char* const kAtiModes = "ATI disabled |Partial ATI (all multipliers are fixed) |"
                              "Semi-Partial ATI (only coarse multipliers are fixed) |Full-ATI";

const Golden kSingle[] = {
    // 0x50, 0x51
    {"SarEnRadio", 0x50, 7, 7, Radio, "SAR UI Enable", "",
     "SAR UI Disabled  -  (PXS Enabled)|SAR UI Enabled  -  (PXS Disabled)", 0, 1, 0},
    {"MetalEnRadio", 0x50, 6, 6, Radio, "Hysteresis UI Enable", "",
     "Hysteresis UI disabled|Hysteresis UI enabled", 0, 1, 0},
    {"TwoSidedProxRadio", 0x50, 5, 5, Radio, "Two Sided Detection", "",
     "Bidirectional detection disabled |Bidirectional detection enabled ", 0, 1, 0},
    {"ACFRadio", 0x50, 4, 4, Radio, "Disable AC Filter", "", "AC Filter Enabled|AC Filter Disabled", 0, 1, 0},
    {"LTABetaRadio", 0x50, 3, 2, Radio, "LTA Beta Value", "", "7|8|9|10", 0, 3, 0},
    {"ACFBetaRadio", 0x50, 1, 0, Radio, "AC Filter Beta Value", "", "1|2|3|4", 0, 3, 0},
    {"SarMovActive", 0x51, 7, 7, Check, "Movement Channel Manual Override", "", "", 0, 1, 0, true},
    {"CalibRadio", 0x51, 5, 5, Radio, "Calibration", "", kDisEn, 0, 1, 0, true},
    {"IntCoilRadio", 0x51, 4, 4, Radio, "Int Coil / Halt Calib", "", "1|2", 0, 1, 0, true},
    {"CalCapSelRadio", 0x51, 3, 2, Radio, "Cap Cap Select", "", "1|2|3|4", 0, 3, 0, true},
    {"CalCapRadio", 0x51, 1, 1, Radio, "Cal Cap", "", kDisEn, 0, 1, 0, true},
    {"CRxVssRadio", 0x51, 0, 0, Radio, "CRX_VSS", "", "1|2", 0, 1, 0, true},
    // prox UI
    {"ProxSpin", 0x60, 7, 0, Spin, "", "", "", 1, 255, 4},
    {"Touch1Spin", 0x61, 7, 0, Spin, "", "", "", 1, 255, 16},
    {"ProxSpin1", 0x62, 7, 0, Spin, "", "", "", 1, 255, 16},
    {"Touch2Spin", 0x63, 7, 0, Spin, "", "", "", 1, 255, 16},
    {"ProxSpin2", 0x64, 7, 0, Spin, "", "", "", 1, 255, 4},
    {"Touch3Spin", 0x65, 7, 0, Spin, "", "", "", 1, 255, 16},
    {"PxsHaltSpin", 0x66, 7, 0, Spin, "", "Senvara Discrete UI Halt Time", "", 1, 255, 4},
    // SAR UI
    {"SarFMFBRadio", 0x70, 7, 7, Radio, "Fast Movement Filter Beta", "", "0|3", 0, 1, 0},
    {"SarQRDBSpin", 0x70, 6, 4, Spin, "Quick Release Detection Beta", "", "", 0, 7, 0},
    {"SARToGPIORadio", 0x70, 3, 3, Radio, "SAR Standoff State To GPIO0", "",
     "SAR standoff state to GPIO0 not active|SAR standoff state to GPIO0 active", 0, 1, 0},
    {"SarMDBSpin", 0x70, 2, 0, Spin, "Slow Movement Filter Beta Offset", "", "", 0, 7, 0},
    {"SarLHPTSpin", 0x71, 7, 4, Spin, "LTA Halt Timeout In No Prox (x500ms)", "", "", 0, 15, 0},
    {"SarMDTSpin", 0x71, 3, 0, Spin, "Movement Detection Threshold", "", "", 0, 15, 0},
    {"SarQRDTSpin", 0x72, 7, 0, Spin, "Quick Release Detection Threshold (x4)", "", "", 0, 255, 0},
    {"SarFHThrSpin", 0x73, 7, 0, Spin, "Filter Halt Threshold Value", "", "", 0, 255, 0},
    {"SarPTSpin", 0x74, 7, 0, Spin, "Proximity Threshold Value", "", "", 0, 255, 0},
    {"SarC0LHT2Spin", 0x75, 7, 0, Spin, "Quick Release Halt Time (x500ms)", "", "", 0, 255, 0},
    // hysteresis UI
    {"MetalSingleChRadio", 0x80, 7, 7, Radio, "Single Channel", "Hysteresis", kDisEn, 0, 1, 0, true},
    {"MetalHystTRadio", 0x80, 5, 4, Radio, "Touch Hysteresis", "Hysteresis", kHyst, 0, 3, 0},
    {"MetalHystPRadio", 0x80, 1, 0, Radio, "Proximity Hysteresis", "Hysteresis", kHyst, 0, 3, 0},
    {"MetalFhaltSpin", 0x81, 7, 0, Spin, "Filter Halt Threshold", "Hysteresis", "", 1, 255, 4},
    {"MetalProxSpin", 0x82, 7, 0, Spin, "Proximity Threshold ", "Hysteresis", "", 1, 255, 4},
    {"MetalTouchSpin", 0x83, 7, 0, Spin, "Touch Threshold (x4)", "Hysteresis", "", 1, 255, 16},
    // Hall sensor; the compensation's bits 9:8 sit in bits 7:6 of 0x93
    {"HallBoostGainRadio", 0x90, 7, 7, Radio, "Hall Boost Gain", "", kDisEn, 0, 1, 0, true},
    {"HallPowerSaveRadio", 0x90, 6, 6, Radio, "Hall Power Save", "", kDisEn, 0, 1, 0, true},
    {"Tmr1PreHallRadio", 0x90, 5, 4, Radio, "Charge Frequency Divider", "", "1/2|1/4|1/8|1/16", 0, 3, 0},
    {"HallAutoATIModesRadio", 0x90, 1, 0, Radio, "Auto ATI Mode", "", kAtiModes, 0, 3, 0},
    {"HallATIBaseRadio", 0x91, 7, 6, Radio, "Auto ATI Base Value", "", "75|100|150|200", 0, 3, 0},
    {"HallTargRadio", 0x91, 5, 0, Spin, "", "ATI Target x32", "", 0, 63, 4},
    {"Comp4Spin", 0x92, 7, 0, Spin, "Compensation", "", "", 0, 1023, 4},
    {"Sens4Combo", 0x93, 5, 4, List, "Coarse : ", "", "1|2|3|4", 0, 3, 0},
    {"Comp4Combo", 0x93, 3, 0, List, "Fine : ", "", "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16", 0, 15, 0},
    // Hall switch UI
    {"LinModeRadio", 0xA0, 6, 6, Radio, "Linearize Output", "Hall Switch UI", kDisEn, 0, 1, 0},
    {"HysteresisTRadio", 0xA0, 5, 4, Radio, "Touch Hysteresis", "Hall Switch UI", kHyst, 0, 3, 0},
    {"SwapDirCheck", 0xA0, 2, 2, Check, "Swap Field Direction Indication", "Hall Switch UI", "", 0, 1, 0},
    {"HysteresisPRadio", 0xA0, 1, 0, Radio, "Proximity Hysteresis", "Hall Switch UI", kHyst, 0, 3, 0},
    {"HSUIThPSpin", 0xA1, 7, 0, Spin, "Proximity Threshold ", "Hall Switch UI", "", 1, 255, 4},
    {"HSUIThTSpin", 0xA2, 7, 0, Spin, "Touch Threshold (x4)", "Hall Switch UI", "", 1, 255, 16},
    // temperature UI
    {"TempRIPRadio", 0xC0, 6, 6, Radio, "Reseed In Prox", "", kDisEn, 0, 1, 0},
    {"TempReseedEnRadio", 0xC0, 5, 5, Radio, "Reseed Enable", "", kDisEn, 0, 1, 0},
    {"TempReseedThrSpin", 0xC0, 4, 0, Spin, "Reseed Threshold", "", "", 0, 31, 4},
    {"TempSens0Combo", 0xC1, 5, 4, List, "Coarse : ", "", "1|2|3|4", 0, 3, 0},
    {"TempComp0Combo", 0xC1, 3, 0, List, "Fine : ", "", "1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16", 0, 15, 0},
    {"TempMultSpin", 0xC2, 7, 0, Spin, "Temperature Multiplier", "Temperature Calibration Data", "", 0, 255, 4},
    {"TempDivSpin", 0xC3, 7, 0, Spin, "Temperature Divider", "Temperature Calibration Data", "", 0, 255, 4},
    {"TempOffsetSpin", 0xC4, 7, 0, Spin, "Temperature Offset", "Temperature Calibration Data", "", 0, 255, 16},
    // device: 0xD0 and 0xD2
    {"CommsModeRadio", 0xD0, 5, 5, Radio, "Mode", "Event Mode", "Streaming Mode|Event Mode", 0, 1, 0},
    {"EightMhzRadio", 0xD0, 4, 4, Radio, "Main Oscillator", "", "16Mhz|4Mhz", 0, 1, 0},
    {"CommsATIRadio", 0xD0, 3, 3, Radio, "Comms in ATI", "", kDisEn, 0, 1, 0},
    {"SmallATIBandRadio", 0xD0, 2, 2, Radio, "Small ATI Band", "", kDisEn, 0, 1, 0},
    {"PWMOutCheck", 0xD2, 7, 7, Check, "PWM Out", "PWM", "", 0, 1, 0},
    {"EnULPModeRadio", 0xD2, 6, 6, Radio, "Ultra Low Power", "", kDisEn, 0, 1, 0},
    {"AutoModesRadio", 0xD2, 5, 5, Radio, "Auto Modes", "", "Enabled|Disabled", 0, 1, 0},
    {"PowerModesRadio", 0xD2, 4, 3, Radio, "Power Modes", "",
     "Normal Mode|Low Power|Ultra Low Power|Halt Mode", 0, 3, 0},
    {"NPSegRateRadio", 0xD2, 2, 0, Radio, "Normal Power Segment Update Rate", "",
     "\u00bd ULP rate |\u00bc ULP rate |1/8 ULP rate |1/16 ULP rate |1/32 ULP rate |"
     "1/64 ULP rate |1/128 ULP rate |1/256 ULP rate",
     0, 7, 0},
    // report rates and timings
    {"NPRRSpin", 0xD3, 7, 0, Spin, "Normal Power Mode Report Rate ", "", "", 0, 255, 0},
    {"LPSpin", 0xD4, 7, 0, Spin, "Low Power Mode Report Rate", "", "", 0, 255, 0},
    {"ULPSpin", 0xD5, 7, 0, Spin, "Ultra Low Power Mode Report Rate", "", "", 0, 255, 0},
    {"ModeTimeSpin", 0xD6, 7, 0, Spin, "Auto Mode Timer ", "", "", 0, 255, 0},
    {"EMpxsCheck", 0xD7, 0, 0, Check, "Prox Sensor Event", "Global Event Mask", "", 0, 1, 0},
    {"EMsarCheck", 0xD7, 1, 1, Check, "SAR Event", "Global Event Mask", "", 0, 1, 0},
    {"EMhallCheck", 0xD7, 2, 2, Check, "HALL Event", "Global Event Mask", "", 0, 1, 0},
    {"EMmdCheck", 0xD7, 3, 3, Check, "Hysteresis Event", "Global Event Mask", "", 0, 1, 0},
    {"EMTempCheck", 0xD7, 4, 4, Check, "Temperature Event", "Global Event Mask", "", 0, 1, 0},
    {"EMsysCheck", 0xD7, 5, 5, Check, "System Event", "Global Event Mask", "", 0, 1, 0},
    {"EMpmuCheck", 0xD7, 6, 6, Check, "PMU Event", "Global Event Mask", "", 0, 1, 0},
    {"EMSarAcCheck", 0xD7, 7, 7, Check, "SAR Active Event", "Global Event Mask", "", 0, 1, 0},
    {"PWMOutSpin", 0xD8, 7, 0, Spin, "", "PWM", "", 0, 255, 4},
    {"ProxCFG1Spin", 0xD9, 7, 0, Spin, "RDY Timeout Period", "", "", 0, 255, 0, true},
    {"CH0ReseedEnable", 0xDB, 0, 0, Check, "CH0", "Channel Reseed Enable", "", 0, 1, 0},
    {"CH1ReseedEnable", 0xDB, 1, 1, Check, "CH1", "Channel Reseed Enable", "", 0, 1, 0},
    {"CH2ReseedEnable", 0xDB, 2, 2, Check, "CH2", "Channel Reseed Enable", "", 0, 1, 0},
};

// A golden row made concrete: channel digit and register filled in, and the
// second register of a 10-bit compensation.
struct Row {
    Golden g;
    std::string control;
    int reg;
    int highReg; // -1 for fields within one register
};

std::vector<Row> goldenRows()
{
    std::vector<Row> rows;
    for (int n = 0; n < 3; ++n) {
        for (const Golden& g : kChannel) {
            std::string c = g.control;
            c[c.find('#')] = static_cast<char>('0' + n);
            const bool comp = std::string(g.control) == "Comp#Spin";
            rows.push_back({g, c, g.reg + n, comp ? 0x55 + n : -1});
        }
    }
    for (const Golden& g : kSingle)
        rows.push_back({g, g.control, g.reg, std::string(g.control) == "Comp4Spin" ? 0x93 : -1});
    return rows;
}

std::string joined(const std::vector<std::string>& entries)
{
    std::string s;
    for (std::size_t i = 0; i < entries.size(); ++i)
        s += (i ? "|" : "") + entries[i];
    return s;
}

TFieldKind kindOf(Kind k)
{
    switch (k) {
    case Radio: return TFieldKind::Radio;
    case Check: return TFieldKind::Check;
    case Spin: return TFieldKind::Spin;
    case List: return TFieldKind::List;
    }
    return TFieldKind::Radio;
}

// Register byte of the block that holds address.
int registerByte(const TSettingsModel& m, TSettingsGroup g, int address)
{
    const int e = groupDesc(g).elementOf(static_cast<std::uint8_t>(address));
    return e < 0 ? -1 : m.current(g)[static_cast<std::size_t>(e)] & 0xFF;
}

} // namespace

TEST(FieldTableGolden, EveryFieldAsTheRegisterDescriptionsGiveIt)
{
    const std::vector<Row> rows = goldenRows();
    EXPECT_EQ(rows.size(), kFieldCount) << "a field is missing from the table, or one too many";
    std::set<std::string> controls;
    for (const Row& r : rows) {
        SCOPED_TRACE(r.control);
        EXPECT_TRUE(controls.insert(r.control).second) << "listed twice";
        const TFieldDesc* d = findFieldByControl(r.control);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->Kind, kindOf(r.g.kind));
        EXPECT_EQ(d->Caption, r.g.caption);
        EXPECT_EQ(d->GroupCaption, r.g.box);
        EXPECT_EQ(joined(d->Entries), r.g.entries);
        EXPECT_EQ(d->Min, r.g.min);
        EXPECT_EQ(d->Max, r.g.max);
        EXPECT_EQ(d->FormDefault, r.g.def);
        EXPECT_EQ(d->EngineeringOnly, r.g.eng);
        ASSERT_GE(d->parts().size(), 1u);
        const TBitPart& low = d->parts()[0];
        EXPECT_EQ(low.Register, r.reg);
        EXPECT_EQ(low.Shift, r.g.lo);
        EXPECT_EQ(low.Width, r.g.hi - r.g.lo + 1);
        EXPECT_EQ(low.ValueShift, 0);
        if (r.highReg >= 0) {
            ASSERT_EQ(d->parts().size(), 2u);
            EXPECT_EQ(d->parts()[1].Register, r.highReg);
            EXPECT_EQ(d->parts()[1].Shift, 6);
            EXPECT_EQ(d->parts()[1].Width, 2);
            EXPECT_EQ(d->parts()[1].ValueShift, 8);
        } else {
            EXPECT_EQ(d->parts().size(), 1u);
        }
    }
}

// Setting one field to its largest value changes exactly its own bits of its
// own register(s), by the layout of the golden table.
TEST(FieldTableGolden, EachFieldEncodesIntoItsOwnBits)
{
    for (const Row& r : goldenRows()) {
        SCOPED_TRACE(r.control);
        const TFieldDesc* d = findFieldByControl(r.control);
        ASSERT_NE(d, nullptr);
        TSettingsModel m;
        const TSettingsGroup g = d->Group;
        m.setFieldValue(d->Id, r.g.min);
        m.get(g);
        std::map<int, int> before;
        for (std::uint8_t a : groupDesc(g).registers())
            before[a] = registerByte(m, g, a);
        m.setFieldValue(d->Id, r.g.max);
        m.get(g);
        const int width = r.g.hi - r.g.lo + 1;
        const int lowMask = (1 << width) - 1;
        for (std::uint8_t a : groupDesc(g).registers()) {
            int expected = before[a];
            if (a == r.reg)
                expected = (expected & ~(lowMask << r.g.lo)) | ((r.g.max & lowMask) << r.g.lo);
            if (a == r.highReg)
                expected = (expected & ~0xC0) | (((r.g.max >> 8) & 3) << 6);
            EXPECT_EQ(registerByte(m, g, a), expected) << "register 0x" << std::hex << int(a);
        }
    }
}

// Bits no field owns are written 0 (0xC0 bit 7 and the I2C settings byte are
// carried from what was read).
TEST(FieldTableGolden, BitsNoFieldOwnsAreWrittenZero)
{
    std::map<int, int> owned;
    for (const Row& r : goldenRows()) {
        owned[r.reg] |= ((1 << (r.g.hi - r.g.lo + 1)) - 1) << r.g.lo;
        if (r.highReg >= 0)
            owned[r.highReg] |= 0xC0;
    }
    for (TSettingsGroup g : kAllGroups) {
        TSettingsModel m;
        std::vector<std::int32_t> ones(groupDesc(g).ElementCount, 0xFF);
        m.set(g, ones);
        m.get(g);
        for (std::uint8_t a : groupDesc(g).registers()) {
            int carried = 0;
            if (a == 0xC0)
                carried = 0x80;
            if (a == 0xDA)
                carried = 0xFF;
            EXPECT_EQ(registerByte(m, g, a), (owned[a] | carried) & 0xFF)
                << "register 0x" << std::hex << int(a);
        }
    }
}
