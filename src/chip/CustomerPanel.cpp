#include "CustomerPanel.h"

#include "SettingsModel.h"

namespace {

using F = TFieldId;

constexpr int kProx = 0;     // engineering "Prox"
constexpr int kExternal = 2; // engineering "External"

const TPanelControlDesc kControls[] = {
    {"Sensor Mode", {"Capacitive Sensor Mode", "Inductive Sensor Mode"}, 2, F::Count_},
    {"Multiplier Range", {"Large", "Small"}, 2, F::MultRange},
    {"Auto ATI Mode",
     {"ATI disabled ", "Partial ATI (all multipliers are fixed) ",
      "Semi-Partial ATI (only coarse multipliers are fixed) ", "Full-ATI"},
     4,
     F::AutoATIMode},
    {"Auto ATI Base Value", {"75", "100", "150", "200"}, 4, F::ATIBase},
    {"Coarse : ", {}, 0, F::Sens},
    {"Fine : ", {}, 0, F::CompMult},
    {"Auto ATI Target x32", {}, 0, F::ATITarg},
    {"Compensation", {}, 0, F::Comp},
    {"Charge Frequency Divider", {"1/2", "1/4", "1/8", "1/16"}, 4, F::Tmr1PreProx},
    {"CS Size", {"Capacitor size 15pF", "Capacitor size 60pF"}, 2, F::CSCap},
    {"Up Length Select", {"0010", "0110", "1010", "1110"}, 4, F::UpLenSel},
    {"CS Divider", {"Divider disabled", "Divider enabled"}, 2, F::PMirInc},
    {"Up Length", {"Disabled", "Enabled"}, 2, F::UpLen},
    {"Pass Length Select", {"001", "011", "101", "111"}, 4, F::PassLenSel},
    {"RX 0 ", {}, 0, F::RX0},
    {"RX 1", {}, 0, F::RX1},
    {"Projected Bias",
     {"2.5\u03bcA / 88k\u03a9", "5\u03bcA / 66k\u03a9", "10\u03bcA / 44k\u03a9",
      "20\u03bcA / 22k\u03a9"},
     4,
     F::ProjBias},
};

// The simplified fields copied by entry index, with their engineering twins.
struct TIndexLink {
    int TCustomerPanel::*Panel;
    TFieldId Eng;
};
const TIndexLink kIndexLinks[] = {
    {&TCustomerPanel::MultRange, F::MultRange},
    {&TCustomerPanel::AutoATIMode, F::AutoATIMode},
    {&TCustomerPanel::ATIBase, F::ATIBase},
    {&TCustomerPanel::CSSize, F::CSCap},
    {&TCustomerPanel::ChargeFreqDiv, F::Tmr1PreProx},
    {&TCustomerPanel::PassLenSel, F::PassLenSel},
    {&TCustomerPanel::CSDivider, F::PMirInc},
    {&TCustomerPanel::UpLenSel, F::UpLenSel},
    {&TCustomerPanel::UpLen, F::UpLen},
    {&TCustomerPanel::ProjBias, F::ProjBias},
    {&TCustomerPanel::Coarse, F::Sens},
    {&TCustomerPanel::Fine, F::CompMult},
};

} // namespace

void TCustomerPanel::applyVisibility()
{
    switch (SensorMode) {
    case 0: // "Capacitive Sensor Mode"
        MultRangeVisible = false;
        MultRange = 0;
        UpLengthVisible = true;
        ProjBiasVisible = false;
        break;
    case 1: // "Inductive Sensor Mode"
        MultRangeVisible = true;
        UpLengthVisible = false;
        ProjBiasVisible = true;
        break;
    default: // no simplified mode (engineering "Temperature"): show everything
        MultRangeVisible = true;
        UpLengthVisible = true;
        ProjBiasVisible = true;
        break;
    }
}

std::string TCustomerPanel::atiTargetLabel() const
{
    return ATITarget ? std::to_string(*ATITarget * 32) : std::string();
}

std::span<const TPanelControlDesc> panelControls()
{
    return kControls;
}

bool LinkToEng(TSettingsModel& model)
{
    for (int n = 0; n < kCapChannels; ++n) {
        TCustomerPanel& p = model.panels()[static_cast<std::size_t>(n)];
        auto eng = [n](TFieldId ch0) { return channelField(ch0, n); };

        // 1. Sensor mode. A Hall or Temperature channel keeps its mode until
        //    the user picks a simplified mode on this panel.
        const int engMode = model.fieldValue(eng(F::SM));
        const bool customerMode = engMode == kProx || engMode == kExternal;
        if ((p.SensorMode == 0 || p.SensorMode == 1) &&
            (customerMode || p.SensorMode != p.LinkedSensorMode)) {
            model.setFieldValue(eng(F::SM), p.SensorMode == 0 ? kProx : kExternal);
            p.applyVisibility();
        }
        p.LinkedSensorMode = p.SensorMode;

        // 2. Fields copied by entry index (and both multiplier lists).
        for (const TIndexLink& l : kIndexLinks)
            p.*l.Panel = model.setFieldValue(eng(l.Eng), p.*l.Panel);
        // 3. RX boxes.
        model.setFieldValue(eng(F::RX0), p.RX0 ? 1 : 0);
        model.setFieldValue(eng(F::RX1), p.RX1 ? 1 : 0);
        // 4., 5. Spins, unless their text is empty.
        if (p.Compensation)
            p.Compensation = model.setFieldValue(eng(F::Comp), *p.Compensation);
        if (p.ATITarget)
            p.ATITarget = model.setFieldValue(eng(F::ATITarg), *p.ATITarget);
    }
    return model.detectChange(TSettingsGroup::PxsSetup);
}

void LinkEngToCh(TSettingsModel& model)
{
    for (int n = 0; n < kCapChannels; ++n) {
        TCustomerPanel& p = model.panels()[static_cast<std::size_t>(n)];
        auto eng = [n](TFieldId ch0) { return channelField(ch0, n); };

        switch (model.fieldValue(eng(F::SM))) {
        case kProx:
            p.SensorMode = 0;
            p.applyVisibility();
            break;
        case kExternal:
            p.SensorMode = 1;
            p.applyVisibility();
            break;
        case 3: // "Temperature": no simplified entry fits
            p.SensorMode = -1;
            p.applyVisibility();
            break;
        default: // "Hall": simplified mode and visibility stay as they are
            break;
        }
        p.LinkedSensorMode = p.SensorMode;

        for (const TIndexLink& l : kIndexLinks)
            p.*l.Panel = model.fieldValue(eng(l.Eng));
        p.RX0 = model.fieldValue(eng(F::RX0)) != 0;
        p.RX1 = model.fieldValue(eng(F::RX1)) != 0;
        p.ATITarget = model.fieldValue(eng(F::ATITarg));
        p.Compensation = model.fieldValue(eng(F::Comp));
    }
}
