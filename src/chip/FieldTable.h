#pragma once
// The one table that describes every settings field: where its bits sit, the
// control that edits it, its captions, range, form default and the text shown
// beside it. Settings pages, file load/save, header export and the codec all
// read this table; nothing else knows a bit position.

#include "SettingsGroups.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Every field. The 22 channel fields are listed for CH0; CH1 and CH2 follow in
// the same order (channelField). Enumerators after them name single fields.
enum class TFieldId : std::uint16_t {
    // 0x40 + n, channel set-up
    SM,
    LC,
    MultRange,
    TX1,
    TX0,
    RX1,
    RX0,
    // 0x43 + n, charge set-up
    HallPwrSave,
    CSCap,
    Tmr1PreProx,
    ProjBias,
    AutoATIMode,
    // 0x46 + n, ATI
    ATIBase,
    ATITarg,
    // 0x49 + n, charge timing
    UpLenSel,
    PMirInc,
    PMirRng,
    UpLen,
    PassLenSel,
    // 0x52 + n and 0x55 + n
    Comp,
    Sens,
    CompMult,

    // 0x50
    SarEn = SM + 3 * 22, // after the CH1 and CH2 blocks
    MetalEn,
    TwoSidedProx,
    ACF,
    LTABeta,
    ACFBeta,
    // 0x51, engineering bits
    SarMovActive,
    Calib,
    IntCoil,
    CalCapSel,
    CalCap,
    CRxVss,
    // prox UI, 0x60..0x66
    Prox0,
    Touch0,
    Prox1,
    Touch1,
    Prox2,
    Touch2,
    PxsHalt,
    // SAR UI, 0x70..0x75
    SarFMFB,
    SarQRDB,
    SarToGPIO,
    SarMDB,
    SarLHPT,
    SarMDT,
    SarQRDT,
    SarFHThr,
    SarPT,
    SarQRHalt,
    // hysteresis UI, 0x80..0x83
    MetalSingleCh,
    MetalHystT,
    MetalHystP,
    MetalFhalt,
    MetalProx,
    MetalTouch,
    // Hall sensor, 0x90..0x93
    HallBoostGain,
    HallPowerSave,
    Tmr1PreHall,
    HallAutoATIModes,
    HallATIBase,
    HallTarg,
    HallComp,
    HallCoarse,
    HallFine,
    // Hall switch UI, 0xA0..0xA2
    HallLinMode,
    HallHystT,
    HallSwapDir,
    HallHystP,
    HallThP,
    HallThT,
    // temperature UI, 0xC0..0xC4
    TempRIP,
    TempReseedEn,
    TempReseedThr,
    TempCoarse,
    TempFine,
    TempMult,
    TempDiv,
    TempOffset,
    // device: 0xD0 and 0xD2
    CommsMode,
    EightMhz,
    CommsATI,
    SmallATIBand,
    PWMOut,
    EnULPMode,
    AutoModes,
    PowerModes,
    NPSegRate,
    // report rates and timings, 0xD3..0xDB (0xDA has no field)
    NPRR,
    LPRR,
    ULPRR,
    ModeTime,
    EMpxs,
    EMsar,
    EMhall,
    EMmd,
    EMTemp,
    EMsys,
    EMpmu,
    EMSarAc,
    PWMDuty,
    RdyTimeout,
    CH0Reseed,
    CH1Reseed,
    CH2Reseed,

    Count_
};

inline constexpr std::size_t kFieldCount = static_cast<std::size_t>(TFieldId::Count_);
inline constexpr int kChannelFieldCount = 22; // fields per capacitive channel
inline constexpr int kCapChannels = 3;
static_assert(static_cast<int>(TFieldId::CompMult) + 1 == kChannelFieldCount);
static_assert(static_cast<int>(TFieldId::SarEn) == kChannelFieldCount * kCapChannels);

inline constexpr std::size_t fieldIndex(TFieldId f)
{
    return static_cast<std::size_t>(f);
}

// The field of channel 0..2 that corresponds to the CH0 field ch0Field.
inline constexpr TFieldId channelField(TFieldId ch0Field, int channel)
{
    return static_cast<TFieldId>(static_cast<int>(ch0Field) + kChannelFieldCount * channel);
}

enum class TFieldKind : std::uint8_t {
    Radio, // radio group: value = entry index
    Check, // check box: 0 or 1
    Spin,  // spin field with a track bar of the same range
    List,  // drop-down list: value = entry index
};

// The text a page shows beside a field (ShownText).
enum class TShownKind : std::uint8_t {
    None,
    Times,        // value x Factor: "128"
    TimesMs,      // value x Factor, then "ms": "2000ms"
    TimesSpaceMs, // value x Factor, then " ms": "250 ms"
    Percent256,   // value / 256 x 100, 3 significant digits, 2 decimals, "%": "6.25%"
    HalfSeconds,  // value x 500 ms as seconds with one decimal, then " sec": "127.5 sec"
    RdyMs,        // value x 0.32 in its shortest decimal form, then "ms": "81.6ms"
};

// A run of bits of one register holding some bits of a field's value:
// register bits [Shift, Shift + Width) hold value bits [ValueShift, ValueShift + Width).
struct TBitPart {
    std::uint8_t Register;
    std::uint8_t Element; // element of the group block that holds Register
    std::uint8_t Shift;
    std::uint8_t Width;
    std::uint8_t ValueShift;
};

struct TFieldDesc {
    TFieldId Id;
    TSettingsGroup Group;
    std::array<TBitPart, 2> Parts; // compensations span two registers
    std::size_t PartCount;
    TFieldKind Kind;
    std::string Control;              // "SM0RadioGroup", "Touch1Spin"
    std::string Caption;              // the control's own caption, "" where it has none
    std::string GroupCaption;         // caption of the box around it ("ATI Target x32"), or ""
    std::string UnitLabel;            // unit label beside a spin ("x 500ms"), or ""
    std::string Description;          // what the field is, for people ("CH0 prox threshold")
    std::vector<std::string> Entries; // radio and list entries, in value order
    int Min;
    int Max;
    int FormDefault;
    TShownKind Shown;
    int ShownFactor;          // for Times, TimesMs, TimesSpaceMs
    std::string ShownControl; // label that shows the text ("Touch1Label"), or ""
    int Page;                 // settings-window page that holds the control
    int Channel;              // 0..2 for channel fields, else -1
    bool EngineeringOnly;     // shown only in engineering mode

    std::span<const TBitPart> parts() const { return {Parts.data(), PartCount}; }
    // Bits of the field's value that fit its registers (0x3FF for a compensation).
    int valueMask() const;
};

// The whole table, indexed by fieldIndex.
std::span<const TFieldDesc> fieldTable();
const TFieldDesc& fieldDesc(TFieldId f);
// The fields of one group, in table order.
std::span<const TFieldId> groupFields(TSettingsGroup g);
// The field whose Control is name, or nullptr.
const TFieldDesc* findFieldByControl(std::string_view name);

// The text shown beside the field for value; "" for fields that show none.
std::string shownText(const TFieldDesc& desc, int value);
// The form text of the label: shownText of the form default.
inline std::string formShownText(const TFieldDesc& desc)
{
    return shownText(desc, desc.FormDefault);
}
