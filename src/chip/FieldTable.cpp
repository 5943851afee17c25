#include "FieldTable.h"

#include <cstdlib>
#include <initializer_list>

namespace {

using F = TFieldId;
using G = TSettingsGroup;

constexpr int kPageProxUI = 1, kPageSarUI = 2, kPageHall = 3, kPageGlobal = 4, kPageThr = 6,
              kPageTimings = 7, kPageDevice = 8, kPageTemp = 14;
constexpr int kChannelPage[kCapChannels] = {11, 5, 13};

const std::initializer_list<const char*> kOneToFour = {"1", "2", "3", "4"};
const std::initializer_list<const char*> kDisabledEnabled = {"Disabled", "Enabled"};
const std::initializer_list<const char*> kAtiBases = {"75", "100", "150", "200"};
const std::initializer_list<const char*> kHysteresis = {"0", "1/4", "1/8", "1/16"};

TSettingsGroup groupOfRegister(std::uint8_t address, std::uint8_t& element)
{
    for (TSettingsGroup g : kAllGroups) {
        const int e = groupDesc(g).elementOf(address);
        if (e >= 0) {
            element = static_cast<std::uint8_t>(e);
            return g;
        }
    }
    std::abort(); // a register outside every group in the table itself
}

// Fills one table row in a few readable calls.
class TRow {
public:
    TRow(TFieldDesc& d) : FD(d) {}
    TRow& radio(std::string control, std::string caption,
                std::initializer_list<const char*> entries)
    {
        FD.Kind = TFieldKind::Radio;
        FD.Control = std::move(control);
        FD.Caption = std::move(caption);
        FD.Entries.assign(entries.begin(), entries.end());
        FD.Max = static_cast<int>(FD.Entries.size()) - 1;
        return *this;
    }
    TRow& check(std::string control, std::string caption)
    {
        FD.Kind = TFieldKind::Check;
        FD.Control = std::move(control);
        FD.Caption = std::move(caption);
        FD.Max = 1;
        return *this;
    }
    TRow& spin(std::string control, std::string caption, int min, int max, int formDefault)
    {
        FD.Kind = TFieldKind::Spin;
        FD.Control = std::move(control);
        FD.Caption = std::move(caption);
        FD.Min = min;
        FD.Max = max;
        FD.FormDefault = formDefault;
        return *this;
    }
    // A drop-down list of "1".."count".
    TRow& list(std::string control, std::string caption, int count)
    {
        FD.Kind = TFieldKind::List;
        FD.Control = std::move(control);
        FD.Caption = std::move(caption);
        for (int i = 1; i <= count; ++i)
            FD.Entries.push_back(std::to_string(i));
        FD.Max = count - 1;
        return *this;
    }
    TRow& shown(TShownKind kind, int factor, std::string label)
    {
        FD.Shown = kind;
        FD.ShownFactor = factor;
        FD.ShownControl = std::move(label);
        return *this;
    }
    TRow& box(std::string groupCaption)
    {
        FD.GroupCaption = std::move(groupCaption);
        return *this;
    }
    TRow& unit(std::string unitLabel)
    {
        FD.UnitLabel = std::move(unitLabel);
        return *this;
    }
    TRow& eng()
    {
        FD.EngineeringOnly = true;
        return *this;
    }
    // Value bits above the first part, in a second register.
    TRow& high(std::uint8_t address, int shift, int width, int valueShift)
    {
        TBitPart& p = FD.Parts[FD.PartCount++];
        p.Register = address;
        groupOfRegister(address, p.Element);
        p.Shift = static_cast<std::uint8_t>(shift);
        p.Width = static_cast<std::uint8_t>(width);
        p.ValueShift = static_cast<std::uint8_t>(valueShift);
        return *this;
    }

private:
    TFieldDesc& FD;
};

class TTableBuilder {
public:
    TTableBuilder() : FTable(kFieldCount) {}

    // Starts the row of field id: bits [shift, shift + width) of register address.
    TRow bits(TFieldId id, std::uint8_t address, int shift, int width, std::string description)
    {
        TFieldDesc& d = FTable[fieldIndex(id)];
        d.Id = id;
        d.PartCount = 0;
        d.Min = 0;
        d.Max = (1 << width) - 1;
        d.FormDefault = 0;
        d.Shown = TShownKind::None;
        d.ShownFactor = 1;
        d.Page = FPage;
        d.Channel = FChannel;
        d.EngineeringOnly = false;
        d.Description = std::move(description);
        TRow row(d);
        row.high(address, shift, width, 0);
        d.Group = groupOfRegister(address, d.Parts[0].Element);
        return row;
    }
    void page(int p, int channel = -1)
    {
        FPage = p;
        FChannel = channel;
    }
    std::vector<TFieldDesc> take() { return std::move(FTable); }

private:
    std::vector<TFieldDesc> FTable;
    int FPage = 0;
    int FChannel = -1;
};

// "SM#RadioGroup" with the channel digit in place of '#'.
std::string named(const char* pattern, int channel)
{
    std::string s(pattern);
    for (char& c : s) {
        if (c == '#')
            c = static_cast<char>('0' + channel);
    }
    return s;
}

std::uint8_t addr(int a)
{
    return static_cast<std::uint8_t>(a);
}

void addChannelFields(TTableBuilder& b)
{
    for (int n = 0; n < kCapChannels; ++n) {
        b.page(kChannelPage[n], n);
        auto c = [n](F f) { return channelField(f, n); };
        auto k = [n](const char* pattern) { return named(pattern, n); };
        const std::uint8_t setup = addr(0x40 + n), charge = addr(0x43 + n), ati = addr(0x46 + n),
                           timing = addr(0x49 + n), comp = addr(0x52 + n), mult = addr(0x55 + n);

        b.bits(c(F::SM), setup, 6, 2, "sensor mode")
            .radio(k("SM#RadioGroup"), "Sensor Mode", {"Prox", "Hall", "External", "Temperature"});
        b.bits(c(F::LC), setup, 5, 1, "L/C")
            .radio(k("LC#Radio"), "L/C", {"Capacitive", "Inductive"});
        b.bits(c(F::MultRange), setup, 4, 1, "multiplier range")
            .radio(k("Cap#Radio"), "Mult Range", {"Small", "Large"});
        b.bits(c(F::TX1), setup, 3, 1, "TX 1").check(k("TX1Check#"), "TX 1");
        b.bits(c(F::TX0), setup, 2, 1, "TX 0").check(k("TX0Check#"), "TX 0 ");
        b.bits(c(F::RX1), setup, 1, 1, "RX 1").check(k("RX1Check#"), "RX 1");
        b.bits(c(F::RX0), setup, 0, 1, "RX 0").check(k("RX0Check#"), "RX 0 ");

        b.bits(c(F::HallPwrSave), charge, 7, 1, "Hall power save")
            .radio(k("HallPwrSave#Radio"), "HALL Power Save", kDisabledEnabled);
        b.bits(c(F::CSCap), charge, 6, 1, "CS capacitor size")
            .radio(k("CSCap#Radio"), "CS Cap Size", {"Small", "Large"});
        b.bits(c(F::Tmr1PreProx), charge, 4, 2, "charge frequency divider")
            .radio(k("Tmr1PreProx#Radio"), "Timer1_Pre Prox", kOneToFour);
        b.bits(c(F::ProjBias), charge, 2, 2, "projected bias")
            .radio(k("ProjBias#Radio"), "Projected Bias",
                   {"2.5 \u00b5A", "5 \u00b5A", "10 \u00b5A", "20 \u00b5A"});
        b.bits(c(F::AutoATIMode), charge, 0, 2, "auto ATI mode")
            .radio(k("AutoATIMode#Radio"), "Auto ATI Mode", kOneToFour);

        b.bits(c(F::ATIBase), ati, 6, 2, "ATI base")
            .radio(k("ATIBase#Radio"), "ATI Base", kAtiBases);
        b.bits(c(F::ATITarg), ati, 0, 6, "ATI target, units of 32")
            .spin(k("ATITarg#Spin"), "", 0, 63, 4)
            .box("ATI Target x32")
            .shown(TShownKind::Times, 32, k("ATITarg#Label"));

        b.bits(c(F::UpLenSel), timing, 6, 2, "up length select")
            .radio(k("UpLenSel#Radio"), "Up Length Select", kOneToFour);
        b.bits(c(F::PMirInc), timing, 5, 1, "PMIR increment out")
            .radio(k("PMirInc#Radio"), "PMIR Inc Out", {"1", "2"});
        b.bits(c(F::PMirRng), timing, 4, 1, "PMIR range")
            .radio(k("PMirRng#Radio"), "PMIR Range", {"1", "2"});
        b.bits(c(F::UpLen), timing, 3, 1, "up length")
            .radio(k("UpLen#Radio"), "Up Length", kDisabledEnabled);
        b.bits(c(F::PassLenSel), timing, 1, 2, "pass length select")
            .radio(k("PassLenSel#Radio"), "Pass Length Select", kOneToFour);

        // 10 bits: 7:0 in 0x52 + n, 9:8 in bits 7:6 of 0x55 + n.
        b.bits(c(F::Comp), comp, 0, 8, "compensation")
            .high(mult, 6, 2, 8)
            .spin(k("Comp#Spin"), "", 0, 1023, 4)
            .box("Compensation");
        b.bits(c(F::Sens), mult, 4, 2, "coarse multiplier").list(k("Sens#Combo"), "Sens : ", 4);
        b.bits(c(F::CompMult), mult, 0, 4, "fine multiplier").list(k("Comp#Combo"), "Comp : ", 16);
    }
}

void addGlobalFields(TTableBuilder& b)
{
    b.page(kPageGlobal);
    b.bits(F::SarEn, 0x50, 7, 1, "SAR UI enable")
        .radio("SarEnRadio", "SAR UI Enable",
               {"SAR UI Disabled  -  (PXS Enabled)", "SAR UI Enabled  -  (PXS Disabled)"});
    b.bits(F::MetalEn, 0x50, 6, 1, "hysteresis UI enable")
        .radio("MetalEnRadio", "Hysteresis UI Enable",
               {"Hysteresis UI disabled", "Hysteresis UI enabled"});
    b.bits(F::TwoSidedProx, 0x50, 5, 1, "two-sided detection")
        .radio("TwoSidedProxRadio", "Two Sided Detection",
               {"Bidirectional detection disabled ", "Bidirectional detection enabled "});
    b.bits(F::ACF, 0x50, 4, 1, "AC filter disable")
        .radio("ACFRadio", "Disable AC Filter", {"AC Filter Enabled", "AC Filter Disabled"});
    b.bits(F::LTABeta, 0x50, 2, 2, "LTA beta")
        .radio("LTABetaRadio", "LTA Beta Value", {"7", "8", "9", "10"});
    b.bits(F::ACFBeta, 0x50, 0, 2, "AC filter beta")
        .radio("ACFBetaRadio", "AC Filter Beta Value", kOneToFour);

    b.bits(F::SarMovActive, 0x51, 7, 1, "movement channel manual override")
        .check("SarMovActive", "Movement Channel Manual Override")
        .eng();
    b.bits(F::Calib, 0x51, 5, 1, "calibration")
        .radio("CalibRadio", "Calibration", kDisabledEnabled)
        .eng();
    b.bits(F::IntCoil, 0x51, 4, 1, "internal coil / halt calibration")
        .radio("IntCoilRadio", "Int Coil / Halt Calib", {"1", "2"})
        .eng();
    b.bits(F::CalCapSel, 0x51, 2, 2, "calibration capacitor select")
        .radio("CalCapSelRadio", "Cap Cap Select", kOneToFour)
        .eng();
    b.bits(F::CalCap, 0x51, 1, 1, "calibration capacitor")
        .radio("CalCapRadio", "Cal Cap", kDisabledEnabled)
        .eng();
    b.bits(F::CRxVss, 0x51, 0, 1, "CRX to VSS").radio("CRxVssRadio", "CRX_VSS", {"1", "2"}).eng();
}

void addProxUiFields(TTableBuilder& b)
{
    b.page(kPageProxUI);
    b.bits(F::Prox0, 0x60, 0, 8, "CH0 prox threshold").spin("ProxSpin", "", 1, 255, 4);
    b.bits(F::Touch0, 0x61, 0, 8, "CH0 touch threshold")
        .spin("Touch1Spin", "", 1, 255, 16)
        .shown(TShownKind::Percent256, 1, "Touch1Label");
    b.bits(F::Prox1, 0x62, 0, 8, "CH1 prox threshold").spin("ProxSpin1", "", 1, 255, 16);
    b.bits(F::Touch1, 0x63, 0, 8, "CH1 touch threshold")
        .spin("Touch2Spin", "", 1, 255, 16)
        .shown(TShownKind::Percent256, 1, "Touch2Label");
    b.bits(F::Prox2, 0x64, 0, 8, "CH2 prox threshold").spin("ProxSpin2", "", 1, 255, 4);
    b.bits(F::Touch2, 0x65, 0, 8, "CH2 touch threshold")
        .spin("Touch3Spin", "", 1, 255, 16)
        .shown(TShownKind::Percent256, 1, "Touch3Label");
    b.bits(F::PxsHalt, 0x66, 0, 8, "discrete UI halt time, units of 500 ms")
        .spin("PxsHaltSpin", "", 1, 255, 4)
        .box("Senvara Discrete UI Halt Time")
        .unit("x 500ms")
        .shown(TShownKind::TimesMs, 500, "HaltTimeLabel");
}

void addSarUiFields(TTableBuilder& b)
{
    b.page(kPageSarUI);
    b.bits(F::SarFMFB, 0x70, 7, 1, "fast movement filter beta")
        .radio("SarFMFBRadio", "Fast Movement Filter Beta", {"0", "3"});
    b.bits(F::SarQRDB, 0x70, 4, 3, "quick release detection beta")
        .spin("SarQRDBSpin", "Quick Release Detection Beta", 0, 7, 0);
    b.bits(F::SarToGPIO, 0x70, 3, 1, "SAR standoff state to GPIO0")
        .radio("SARToGPIORadio", "SAR Standoff State To GPIO0",
               {"SAR standoff state to GPIO0 not active", "SAR standoff state to GPIO0 active"});
    b.bits(F::SarMDB, 0x70, 0, 3, "slow movement filter beta offset")
        .spin("SarMDBSpin", "Slow Movement Filter Beta Offset", 0, 7, 0);
    b.bits(F::SarLHPT, 0x71, 4, 4, "LTA halt timeout in no prox, units of 500 ms")
        .spin("SarLHPTSpin", "LTA Halt Timeout In No Prox (x500ms)", 0, 15, 0)
        .shown(TShownKind::TimesMs, 500, "SarLTAHaltLabel");
    b.bits(F::SarMDT, 0x71, 0, 4, "movement detection threshold")
        .spin("SarMDTSpin", "Movement Detection Threshold", 0, 15, 0);
    b.bits(F::SarQRDT, 0x72, 0, 8, "quick release detection threshold, units of 4")
        .spin("SarQRDTSpin", "Quick Release Detection Threshold (x4)", 0, 255, 0)
        .shown(TShownKind::Times, 4, "SarQRDThrLabel");
    b.bits(F::SarFHThr, 0x73, 0, 8, "filter halt threshold")
        .spin("SarFHThrSpin", "Filter Halt Threshold Value", 0, 255, 0);
    b.bits(F::SarPT, 0x74, 0, 8, "proximity threshold")
        .spin("SarPTSpin", "Proximity Threshold Value", 0, 255, 0);
    b.bits(F::SarQRHalt, 0x75, 0, 8, "quick release halt time, units of 500 ms")
        .spin("SarC0LHT2Spin", "Quick Release Halt Time (x500ms)", 0, 255, 0)
        .shown(TShownKind::TimesMs, 500, "SarQRDHatlTimeLabel");
}

void addThrFields(TTableBuilder& b)
{
    b.page(kPageThr);
    b.bits(F::MetalSingleCh, 0x80, 7, 1, "single channel")
        .radio("MetalSingleChRadio", "Single Channel", kDisabledEnabled)
        .box("Hysteresis")
        .eng();
    b.bits(F::MetalHystT, 0x80, 4, 2, "touch hysteresis")
        .radio("MetalHystTRadio", "Touch Hysteresis", kHysteresis)
        .box("Hysteresis");
    b.bits(F::MetalHystP, 0x80, 0, 2, "proximity hysteresis")
        .radio("MetalHystPRadio", "Proximity Hysteresis", kHysteresis)
        .box("Hysteresis");
    b.bits(F::MetalFhalt, 0x81, 0, 8, "filter halt threshold")
        .spin("MetalFhaltSpin", "Filter Halt Threshold", 1, 255, 4)
        .box("Hysteresis");
    b.bits(F::MetalProx, 0x82, 0, 8, "proximity threshold")
        .spin("MetalProxSpin", "Proximity Threshold ", 1, 255, 4)
        .box("Hysteresis");
    b.bits(F::MetalTouch, 0x83, 0, 8, "touch threshold, units of 4")
        .spin("MetalTouchSpin", "Touch Threshold (x4)", 1, 255, 16)
        .box("Hysteresis")
        .shown(TShownKind::Times, 4, "MetalTouchThLabel");
}

void addHallFields(TTableBuilder& b)
{
    b.page(kPageHall);
    b.bits(F::HallBoostGain, 0x90, 7, 1, "Hall boost gain")
        .radio("HallBoostGainRadio", "Hall Boost Gain", kDisabledEnabled)
        .eng();
    b.bits(F::HallPowerSave, 0x90, 6, 1, "Hall power save")
        .radio("HallPowerSaveRadio", "Hall Power Save", kDisabledEnabled)
        .eng();
    b.bits(F::Tmr1PreHall, 0x90, 4, 2, "charge frequency divider")
        .radio("Tmr1PreHallRadio", "Charge Frequency Divider", {"1/2", "1/4", "1/8", "1/16"});
    b.bits(F::HallAutoATIModes, 0x90, 0, 2, "auto ATI mode")
        .radio("HallAutoATIModesRadio", "Auto ATI Mode",
               {"ATI disabled ", "Partial ATI (all multipliers are fixed) ",
                "Semi-Partial ATI (only coarse multipliers are fixed) ", "Full-ATI"});
    b.bits(F::HallATIBase, 0x91, 6, 2, "ATI base")
        .radio("HallATIBaseRadio", "Auto ATI Base Value", kAtiBases);
    b.bits(F::HallTarg, 0x91, 0, 6, "ATI target, units of 32")
        .spin("HallTargRadio", "", 0, 63, 4)
        .box("ATI Target x32")
        .shown(TShownKind::Times, 32, "HallTargLabel");
    b.bits(F::HallComp, 0x92, 0, 8, "compensation")
        .high(0x93, 6, 2, 8)
        .spin("Comp4Spin", "Compensation", 0, 1023, 4);
    b.bits(F::HallCoarse, 0x93, 4, 2, "coarse multiplier").list("Sens4Combo", "Coarse : ", 4);
    b.bits(F::HallFine, 0x93, 0, 4, "fine multiplier").list("Comp4Combo", "Fine : ", 16);

    b.bits(F::HallLinMode, 0xA0, 6, 1, "linearize output")
        .radio("LinModeRadio", "Linearize Output", kDisabledEnabled)
        .box("Hall Switch UI");
    b.bits(F::HallHystT, 0xA0, 4, 2, "touch hysteresis")
        .radio("HysteresisTRadio", "Touch Hysteresis", kHysteresis)
        .box("Hall Switch UI");
    b.bits(F::HallSwapDir, 0xA0, 2, 1, "swap field direction indication")
        .check("SwapDirCheck", "Swap Field Direction Indication")
        .box("Hall Switch UI");
    b.bits(F::HallHystP, 0xA0, 0, 2, "proximity hysteresis")
        .radio("HysteresisPRadio", "Proximity Hysteresis", kHysteresis)
        .box("Hall Switch UI");
    b.bits(F::HallThP, 0xA1, 0, 8, "proximity threshold")
        .spin("HSUIThPSpin", "Proximity Threshold ", 1, 255, 4)
        .box("Hall Switch UI");
    b.bits(F::HallThT, 0xA2, 0, 8, "touch threshold, units of 4")
        .spin("HSUIThTSpin", "Touch Threshold (x4)", 1, 255, 16)
        .box("Hall Switch UI")
        .shown(TShownKind::Times, 4, "HallTouchThrLabel");
}

void addTempFields(TTableBuilder& b)
{
    b.page(kPageTemp);
    b.bits(F::TempRIP, 0xC0, 6, 1, "reseed in prox")
        .radio("TempRIPRadio", "Reseed In Prox", kDisabledEnabled);
    b.bits(F::TempReseedEn, 0xC0, 5, 1, "reseed enable")
        .radio("TempReseedEnRadio", "Reseed Enable", kDisabledEnabled);
    b.bits(F::TempReseedThr, 0xC0, 0, 5, "reseed threshold")
        .spin("TempReseedThrSpin", "Reseed Threshold", 0, 31, 4);
    b.bits(F::TempCoarse, 0xC1, 4, 2, "coarse multiplier").list("TempSens0Combo", "Coarse : ", 4);
    b.bits(F::TempFine, 0xC1, 0, 4, "fine multiplier").list("TempComp0Combo", "Fine : ", 16);
    b.bits(F::TempMult, 0xC2, 0, 8, "temperature multiplier")
        .spin("TempMultSpin", "Temperature Multiplier", 0, 255, 4)
        .box("Temperature Calibration Data");
    b.bits(F::TempDiv, 0xC3, 0, 8, "temperature divider")
        .spin("TempDivSpin", "Temperature Divider", 0, 255, 4)
        .box("Temperature Calibration Data");
    b.bits(F::TempOffset, 0xC4, 0, 8, "temperature offset")
        .spin("TempOffsetSpin", "Temperature Offset", 0, 255, 16)
        .box("Temperature Calibration Data");
}

void addDeviceFields(TTableBuilder& b)
{
    b.page(kPageDevice);
    b.bits(F::CommsMode, 0xD0, 5, 1, "communication mode")
        .radio("CommsModeRadio", "Mode", {"Streaming Mode", "Event Mode"})
        .box("Event Mode");
    b.bits(F::EightMhz, 0xD0, 4, 1, "main oscillator")
        .radio("EightMhzRadio", "Main Oscillator", {"16Mhz", "4Mhz"});
    b.bits(F::CommsATI, 0xD0, 3, 1, "communication during ATI")
        .radio("CommsATIRadio", "Comms in ATI", kDisabledEnabled);
    b.bits(F::SmallATIBand, 0xD0, 2, 1, "small ATI band")
        .radio("SmallATIBandRadio", "Small ATI Band", kDisabledEnabled);

    b.bits(F::PWMOut, 0xD2, 7, 1, "PWM output").check("PWMOutCheck", "PWM Out").box("PWM");
    b.bits(F::EnULPMode, 0xD2, 6, 1, "ultra low power enable")
        .radio("EnULPModeRadio", "Ultra Low Power", kDisabledEnabled);
    b.bits(F::AutoModes, 0xD2, 5, 1, "automatic mode switching")
        .radio("AutoModesRadio", "Auto Modes", {"Enabled", "Disabled"});
    b.bits(F::PowerModes, 0xD2, 3, 2, "power mode")
        .radio("PowerModesRadio", "Power Modes",
               {"Normal Mode", "Low Power", "Ultra Low Power", "Halt Mode"});
    b.bits(F::NPSegRate, 0xD2, 0, 3, "normal power segment update rate")
        .radio("NPSegRateRadio", "Normal Power Segment Update Rate",
               {"\u00bd ULP rate ", "\u00bc ULP rate ", "1/8 ULP rate ", "1/16 ULP rate ",
                "1/32 ULP rate ", "1/64 ULP rate ", "1/128 ULP rate ", "1/256 ULP rate"});
}

void addTimingFields(TTableBuilder& b)
{
    b.page(kPageTimings);
    b.bits(F::NPRR, 0xD3, 0, 8, "normal power mode report rate")
        .spin("NPRRSpin", "Normal Power Mode Report Rate ", 0, 255, 0)
        .shown(TShownKind::TimesSpaceMs, 1, "NPRRLabel");
    b.bits(F::LPRR, 0xD4, 0, 8, "low power mode report rate")
        .spin("LPSpin", "Low Power Mode Report Rate", 0, 255, 0)
        .shown(TShownKind::TimesSpaceMs, 1, "LPLabel");
    b.bits(F::ULPRR, 0xD5, 0, 8, "ultra low power mode report rate, units of 16 ms")
        .spin("ULPSpin", "Ultra Low Power Mode Report Rate", 0, 255, 0)
        .unit("x16ms")
        .shown(TShownKind::TimesSpaceMs, 16, "ULPLabel");
    b.bits(F::ModeTime, 0xD6, 0, 8, "auto mode timer, units of 500 ms")
        .spin("ModeTimeSpin", "Auto Mode Timer ", 0, 255, 0)
        .unit("x500ms")
        .shown(TShownKind::HalfSeconds, 500, "ModeTimeLabel");

    b.page(kPageDevice);
    const struct {
        F Id;
        const char* Control;
        const char* Caption;
    } events[8] = {
        {F::EMpxs, "EMpxsCheck", "Prox Sensor Event"},
        {F::EMsar, "EMsarCheck", "SAR Event"},
        {F::EMhall, "EMhallCheck", "HALL Event"},
        {F::EMmd, "EMmdCheck", "Hysteresis Event"},
        {F::EMTemp, "EMTempCheck", "Temperature Event"},
        {F::EMsys, "EMsysCheck", "System Event"},
        {F::EMpmu, "EMpmuCheck", "PMU Event"},
        {F::EMSarAc, "EMSarAcCheck", "SAR Active Event"},
    };
    for (int bit = 0; bit < 8; ++bit) {
        b.bits(events[bit].Id, 0xD7, bit, 1, "global event mask")
            .check(events[bit].Control, events[bit].Caption)
            .box("Global Event Mask");
    }
    b.bits(F::PWMDuty, 0xD8, 0, 8, "PWM duty cycle").spin("PWMOutSpin", "", 0, 255, 4).box("PWM");

    b.page(kPageTimings);
    b.bits(F::RdyTimeout, 0xD9, 0, 8, "RDY time-out, units of 0.32 ms")
        .spin("ProxCFG1Spin", "RDY Timeout Period", 0, 255, 0)
        .unit("x0.32ms")
        .shown(TShownKind::RdyMs, 1, "ProxCFG1Label")
        .eng();

    b.page(kPageDevice);
    const F reseed[3] = {F::CH0Reseed, F::CH1Reseed, F::CH2Reseed};
    for (int n = 0; n < 3; ++n) {
        b.bits(reseed[n], 0xDB, n, 1, "channel reseed enable")
            .check(named("CH#ReseedEnable", n), named("CH#", n))
            .box("Channel Reseed Enable");
    }
}

std::vector<TFieldDesc> buildTable()
{
    TTableBuilder b;
    addChannelFields(b);
    addGlobalFields(b);
    addProxUiFields(b);
    addSarUiFields(b);
    addThrFields(b);
    addHallFields(b);
    addTempFields(b);
    addDeviceFields(b);
    addTimingFields(b);
    return b.take();
}

const std::vector<TFieldDesc>& table()
{
    static const std::vector<TFieldDesc> t = buildTable();
    return t;
}

std::array<std::vector<TFieldId>, kGroupCount> buildGroupFields()
{
    std::array<std::vector<TFieldId>, kGroupCount> r;
    for (const TFieldDesc& d : table())
        r[groupIndex(d.Group)].push_back(d.Id);
    return r;
}

} // namespace

int TFieldDesc::valueMask() const
{
    int mask = 0;
    for (const TBitPart& p : parts())
        mask |= ((1 << p.Width) - 1) << p.ValueShift;
    return mask;
}

std::span<const TFieldDesc> fieldTable()
{
    return table();
}

const TFieldDesc& fieldDesc(TFieldId f)
{
    return table()[fieldIndex(f)];
}

std::span<const TFieldId> groupFields(TSettingsGroup g)
{
    static const auto fields = buildGroupFields();
    return fields[groupIndex(g)];
}

const TFieldDesc* findFieldByControl(std::string_view name)
{
    for (const TFieldDesc& d : table()) {
        if (d.Control == name)
            return &d;
    }
    return nullptr;
}
