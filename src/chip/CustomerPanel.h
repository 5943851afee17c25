#pragma once
// The simplified ("customer") panel of a Senvara channel page. It holds no
// register state of its own: LinkToEng copies it into the engineering fields,
// which alone feed the settings block; LinkEngToCh copies back.
//
// Engineering sensor mode and the simplified "Sensor Mode":
//   0 "Prox"        <-> "Capacitive Sensor Mode" (index 0)
//   2 "External"    <-> "Inductive Sensor Mode"  (index 1)
//   1 "Hall"        LinkEngToCh leaves the simplified mode and visibility as they are.
//   3 "Temperature" LinkEngToCh shows no simplified mode (SensorMode = -1) and every
//                   simplified control, since none of them is specific to this mode.
// LinkToEng writes the engineering sensor mode of a channel in mode 1 or 3 only
// after the user picked a simplified mode on that channel's panel, so editing
// another control (of any channel) never turns a Hall or Temperature channel
// into a Prox or External one.

#include "FieldTable.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class TSettingsModel;

struct TCustomerPanel {
    int SensorMode = 0;  // 0 "Capacitive Sensor Mode", 1 "Inductive Sensor Mode", -1 none
    int MultRange = 0;   // "Multiplier Range": 0 "Large", 1 "Small" (index copied as is)
    int AutoATIMode = 0; // "Auto ATI Mode"
    int ATIBase = 0;     // "Auto ATI Base Value"
    int Coarse = 0;      // "Coarse : " list, "1".."4"
    int Fine = 0;        // "Fine : " list, "1".."16"
    std::optional<int> ATITarget = 4;    // "Auto ATI Target x32" spin; nullopt = empty text
    std::optional<int> Compensation = 4; // "Compensation" spin; nullopt = empty text
    int ChargeFreqDiv = 0;               // "Charge Frequency Divider"
    int CSSize = 0;                      // "CS Size"
    int UpLenSel = 0;                    // "Up Length Select"
    int CSDivider = 0;                   // "CS Divider" (PMIR increment out)
    int UpLen = 0;                       // "Up Length"
    int PassLenSel = 0;                  // "Pass Length Select"
    bool RX0 = false;                    // "RX Select": "RX 0 "
    bool RX1 = false;                    // "RX Select": "RX 1"
    int ProjBias = 0;                    // "Projected Bias"

    // Visibility (the "RX Select" boxes are always shown).
    bool MultRangeVisible = false;
    bool UpLengthVisible = true; // "Up Length Select", "Pass Length Select", "Up Length"
    bool ProjBiasVisible = false;

    // The simplified mode as last linked; a differing SensorMode is the user's
    // choice. Kept by the link functions, not by the page.
    int LinkedSensorMode = 0;

    // Applies the visibility table for the chosen simplified mode.
    void applyVisibility();
    // The ATI target label text: value x 32, "" while the spin is empty.
    std::string atiTargetLabel() const;
};

// A simplified control: caption, entries and the engineering field it feeds
// (TFieldId::Count_ for "Sensor Mode", whose mapping is described above).
struct TPanelControlDesc {
    std::string_view Caption;
    std::array<std::string_view, 4> Entries;
    std::size_t EntryCount; // 0 for spins, lists and check boxes
    TFieldId EngField;      // the CH0 field; channelField gives the others
};
std::span<const TPanelControlDesc> panelControls();

// Simplified to engineering for CH0..CH2 (the handler of every simplified
// control), then change detection of the Senvara group. Returns whether the
// group is changed afterwards.
bool LinkToEng(TSettingsModel& model);

// Engineering to simplified for CH0..CH2; run after SetPxsSetupValues, after a
// full read and after a file load.
void LinkEngToCh(TSettingsModel& model);
