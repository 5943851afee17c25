#pragma once
// The eight settings groups: registers that are always read, written and
// exported together, and how their blocks map to registers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

enum class TSettingsGroup : std::uint8_t {
    PxsSetup, // Senvara sensor settings, 0x40..0x4B and 0x50..0x57 (FPXSSetupValues)
    PxsUI,    // prox UI, 0x60..0x66 (FPxsUIValues)
    SarUI,    // SAR UI, 0x70..0x75 (FSarUIValues)
    Thr,      // hysteresis UI, 0x80..0x83 (FThrValues)
    Hall,     // Hall sensor and Hall switch UI, 0x90..0x93 and 0xA0..0xA2 (FHallSetValues)
    Temp,     // temperature UI, 0xC0..0xC4 (FTempSetValues)
    Device,   // 0xD0 and 0xD2 (FDeviceSetValues)
    Tim,      // report rates and timings, 0xD3..0xDB (FTimValues)
};
inline constexpr std::size_t kGroupCount = 8;
inline constexpr std::size_t kMaxGroupElements = 20;

inline constexpr std::size_t groupIndex(TSettingsGroup g)
{
    return static_cast<std::size_t>(g);
}

// One I2C transfer of consecutive registers.
struct TBurst {
    std::uint8_t Address;
    std::uint8_t Count;
};

// A pair of comment lines written above a header section.
struct THeaderComment {
    std::string_view Title;    // "/* Change the Prox UI Settings */"
    std::string_view Position; // "/* Memory Map Position 0x60 - 0x66 */"
};

struct TGroupDesc {
    TSettingsGroup Group;
    std::string_view Name;         // "Prox UI"
    std::string_view CurrentName;  // "FPxsUIValues"
    std::string_view PreviousName; // "FPrevPxsUIValues"
    std::string_view IniSection;   // section of the device settings file, "PXSUi"
    std::size_t ElementCount;
    // Element i of a block holds register Registers[i].
    std::array<std::uint8_t, kMaxGroupElements> Registers;
    // Bits of an element that no field edits but Get carries through from the
    // current block (bit 7 of 0xC0, the whole of 0xDA); 0 elsewhere.
    std::array<std::uint8_t, kMaxGroupElements> CarriedMask;
    std::array<TBurst, 2> Reads; // bytes read; bytes of registers outside the group are dropped
    std::size_t ReadCount;
    std::array<TBurst, 2> Writes; // bytes written, from the current block in element order
    std::size_t WriteCount;
    std::string_view WriteMessage; // message-list text after a successful write
    // Header comment pairs. The device and timing groups share one pair, which
    // is given on the device group only (the timing group has none).
    std::array<THeaderComment, 2> HeaderComments;
    std::size_t HeaderCommentCount;

    std::span<const TBurst> reads() const { return {Reads.data(), ReadCount}; }
    std::span<const TBurst> writes() const { return {Writes.data(), WriteCount}; }
    std::span<const std::uint8_t> registers() const { return {Registers.data(), ElementCount}; }
    std::span<const THeaderComment> headerComments() const
    {
        return {HeaderComments.data(), HeaderCommentCount};
    }
    // Element of a register of this group, or -1.
    int elementOf(std::uint8_t address) const;
};

const TGroupDesc& groupDesc(TSettingsGroup g);

// All groups in declaration order.
inline constexpr std::array<TSettingsGroup, kGroupCount> kAllGroups = {
    TSettingsGroup::PxsSetup, TSettingsGroup::PxsUI, TSettingsGroup::SarUI,  TSettingsGroup::Thr,
    TSettingsGroup::Hall,     TSettingsGroup::Temp,  TSettingsGroup::Device, TSettingsGroup::Tim};

// Order in which Apply writes changed groups.
inline constexpr std::array<TSettingsGroup, kGroupCount> kApplyOrder = {
    TSettingsGroup::PxsSetup, TSettingsGroup::PxsUI, TSettingsGroup::SarUI, TSettingsGroup::Hall,
    TSettingsGroup::Temp,     TSettingsGroup::Thr,   TSettingsGroup::Tim,   TSettingsGroup::Device};

// Order of the reads of a full read (ReadFromDevice): 0x40, 0x50, 0x60, 0x70,
// 0x80, 0xC0, 0x90, 0xA0, 0xD0, 0xD3.
inline constexpr std::array<TSettingsGroup, kGroupCount> kReadAllOrder = {
    TSettingsGroup::PxsSetup, TSettingsGroup::PxsUI, TSettingsGroup::SarUI,  TSettingsGroup::Thr,
    TSettingsGroup::Temp,     TSettingsGroup::Hall,  TSettingsGroup::Device, TSettingsGroup::Tim};

// Order in which a full read hands the groups to the settings model (the SAR
// UI enable and the channel boxes are taken between them, see the session).
inline constexpr std::array<TSettingsGroup, kGroupCount> kHandOverOrder = {
    TSettingsGroup::PxsSetup, TSettingsGroup::PxsUI, TSettingsGroup::SarUI,  TSettingsGroup::Thr,
    TSettingsGroup::Hall,     TSettingsGroup::Temp,  TSettingsGroup::Device, TSettingsGroup::Tim};

// Order of the sections of the device settings file.
inline constexpr std::array<TSettingsGroup, kGroupCount> kIniOrder = {
    TSettingsGroup::Device, TSettingsGroup::Temp, TSettingsGroup::PxsUI,    TSettingsGroup::SarUI,
    TSettingsGroup::Thr,    TSettingsGroup::Hall, TSettingsGroup::PxsSetup, TSettingsGroup::Tim};

// Order of the header export (device and timing share the last section).
inline constexpr std::array<TSettingsGroup, kGroupCount> kHeaderOrder = {
    TSettingsGroup::PxsSetup, TSettingsGroup::PxsUI, TSettingsGroup::SarUI,  TSettingsGroup::Thr,
    TSettingsGroup::Hall,     TSettingsGroup::Temp,  TSettingsGroup::Device, TSettingsGroup::Tim};
