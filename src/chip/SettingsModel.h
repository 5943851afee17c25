#pragma once
// The settings of every register group without any widget: the field values
// the settings controls hold, the current and previous block of each group,
// the per-group changed flags and the three customer panels.
//
// A reader of a group (full read, file load, Undo) follows this order:
//   1. setPrevious(g, values)   (Undo skips it)
//   2. set(g, previous(g))      (Set<group>: current := values, fields := values)
//   3. snapshot(g)              (after a read or a file load: Get, current -> previous,
//                                clear the flag; ResetDefault does it for all groups)
// Apply writes a group from current(g) and then calls snapshot(g).
// A control change calls setFieldValue and then detectChange(g).

#include "CustomerPanel.h"
#include "FieldCodec.h"
#include "SettingsGroups.h"

#include <array>
#include <cstdint>
#include <span>

class TSettingsModel {
public:
    // Every block, current and previous, is zero; fields are at their form defaults.
    TSettingsModel();

    // Field values (what the controls hold).
    int fieldValue(TFieldId f) const { return FValues[fieldIndex(f)]; }
    // Stores value brought into the field's range; returns the stored value.
    int setFieldValue(TFieldId f, int value);
    const TFieldValues& fieldValues() const { return FValues; }

    // Blocks: element i holds register groupDesc(g).Registers[i] in its low 8 bits.
    std::span<const std::int32_t> current(TSettingsGroup g) const;
    std::span<const std::int32_t> previous(TSettingsGroup g) const;
    // Fills the previous block (step 1 of a read). values must hold at least the
    // group's element count; only that many are taken. False (and nothing
    // changed) when it is shorter.
    bool setPrevious(TSettingsGroup g, std::span<const std::int32_t> values);

    // Get<group>: rebuilds the current block from the fields.
    void get(TSettingsGroup g);
    // Set<group>: copies the group's element count of values into the current
    // block and sets the group's fields from them; the previous block is left
    // alone. Setting the Senvara sensor group ends with LinkEngToCh, so the
    // simplified panels follow. False (and nothing changed) when values is
    // shorter than the group.
    bool set(TSettingsGroup g, std::span<const std::int32_t> values);

    // Change detection of a control event: Get, then the flag is set exactly
    // when current and previous differ. Returns the flag.
    bool detectChange(TSettingsGroup g);
    bool isChanged(TSettingsGroup g) const { return FChanged[groupIndex(g)]; }
    bool anyChanged() const;
    void clearChanged(TSettingsGroup g) { FChanged[groupIndex(g)] = false; }
    // Get, copy current to previous, clear the flag.
    void snapshot(TSettingsGroup g);
    // snapshot for every group.
    void ResetDefault();
    // Get and copy current to previous without touching the flag (re-activation
    // of the settings window).
    void rebaseline(TSettingsGroup g);
    // Undo: set the fields from the previous block and clear the flag.
    void undo(TSettingsGroup g);

    // The spelled-out pairs of the settings window.
    void GetPxsSetupValues() { get(TSettingsGroup::PxsSetup); }
    void GetPxsUIValues() { get(TSettingsGroup::PxsUI); }
    void GetSarUIValues() { get(TSettingsGroup::SarUI); }
    void GetThrValues() { get(TSettingsGroup::Thr); }
    void GetHallSetValues() { get(TSettingsGroup::Hall); }
    void GetTempSetValues() { get(TSettingsGroup::Temp); }
    void GetDeviceSetValues() { get(TSettingsGroup::Device); }
    void GetTimValues() { get(TSettingsGroup::Tim); }
    bool SetPxsSetupValues(std::span<const std::int32_t> v)
    {
        return set(TSettingsGroup::PxsSetup, v);
    }
    bool SetPxsUIValues(std::span<const std::int32_t> v) { return set(TSettingsGroup::PxsUI, v); }
    bool SetSarUIValues(std::span<const std::int32_t> v) { return set(TSettingsGroup::SarUI, v); }
    bool SetThrValues(std::span<const std::int32_t> v) { return set(TSettingsGroup::Thr, v); }
    bool SetHallSetValues(std::span<const std::int32_t> v) { return set(TSettingsGroup::Hall, v); }
    bool SetTempSetValues(std::span<const std::int32_t> v) { return set(TSettingsGroup::Temp, v); }
    bool SetDeviceSetValues(std::span<const std::int32_t> v)
    {
        return set(TSettingsGroup::Device, v);
    }
    bool SetTimValues(std::span<const std::int32_t> v) { return set(TSettingsGroup::Tim, v); }

    // Derived choices other layers ask for.
    bool sarUiEnabled() const { return fieldValue(TFieldId::SarEn) == 1; }         // UI_SAR
    bool metalDetectEnabled() const { return fieldValue(TFieldId::MetalEn) == 1; } // FMetalDetectEn
    bool eventModeChosen() const { return fieldValue(TFieldId::CommsMode) == 1; }
    bool movementOverride() const { return fieldValue(TFieldId::SarMovActive) == 1; }

    // The simplified panels of CH0..CH2 (LinkToEng, LinkEngToCh).
    std::array<TCustomerPanel, kCapChannels>& panels() { return FPanels; }
    const std::array<TCustomerPanel, kCapChannels>& panels() const { return FPanels; }

private:
    using TBlock = std::array<std::int32_t, kMaxGroupElements>;

    TFieldValues FValues;
    std::array<TBlock, kGroupCount> FCurrent{};
    std::array<TBlock, kGroupCount> FPrevious{};
    std::array<bool, kGroupCount> FChanged{};
    std::array<TCustomerPanel, kCapChannels> FPanels{};
};
