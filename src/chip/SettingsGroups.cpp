#include "SettingsGroups.h"

#include <array>

namespace {

using R = std::array<std::uint8_t, kMaxGroupElements>;

constexpr R kPxsSetupRegs = {0x40, 0x41, 0x42, 0x43, 0x44, 0x45, 0x46, 0x47, 0x48, 0x49,
                             0x4A, 0x4B, 0x50, 0x51, 0x52, 0x53, 0x54, 0x55, 0x56, 0x57};

const std::array<TGroupDesc, kGroupCount> kGroups = {{
    {TSettingsGroup::PxsSetup,
     "Senvara sensor settings",
     "FPXSSetupValues",
     "FPrevPXSSetupValues",
     "PXSSetup",
     20,
     kPxsSetupRegs,
     R{},
     {{{0x40, 12}, {0x50, 8}}},
     2,
     {{{0x40, 12}, {0x50, 8}}},
     2,
     "Prox Sensor Settings updated",
     {{{"/* Change the Prox Sensor Settings 0 */", "/* Memory Map Position 0x40 - 0x4B */"},
       {"/* Change the Prox Sensor Settings 1 */", "/* Memory Map Position 0x50 - 0x57 */"}}},
     2},
    {TSettingsGroup::PxsUI,
     "Prox UI",
     "FPxsUIValues",
     "FPrevPxsUIValues",
     "PXSUi",
     7,
     R{0x60, 0x61, 0x62, 0x63, 0x64, 0x65, 0x66},
     R{},
     {{{0x60, 9}, {}}},
     1, // the two bytes beyond 0x66 are dropped
     {{{0x60, 7}, {}}},
     1,
     "Prox UI setup updated",
     {{{"/* Change the Prox UI Settings */", "/* Memory Map Position 0x60 - 0x66 */"}, {}}},
     1},
    {TSettingsGroup::SarUI,
     "SAR UI",
     "FSarUIValues",
     "FPrevSarUIValues",
     "SARUi",
     6,
     R{0x70, 0x71, 0x72, 0x73, 0x74, 0x75},
     R{},
     {{{0x70, 6}, {}}},
     1,
     {{{0x70, 6}, {}}},
     1,
     "SAR setup updated",
     {{{"/* Change the SAR UI Settings */", "/* Memory Map Position 0x70 - 0x75 */"}, {}}},
     1},
    {TSettingsGroup::Thr,
     "Hysteresis UI",
     "FThrValues",
     "FPrevThrValues",
     "MetalUI",
     4,
     R{0x80, 0x81, 0x82, 0x83},
     R{},
     {{{0x80, 4}, {}}},
     1,
     {{{0x80, 4}, {}}},
     1,
     "Metal Detect setup updated",
     {{{"/* Change the Hysteresis UI Settings */", "/* Memory Map Position 0x80 - 0x83 */"}, {}}},
     1},
    {TSettingsGroup::Hall,
     "Hall",
     "FHallSetValues",
     "FPrevHallSetValues",
     "Hall",
     7,
     R{0x90, 0x91, 0x92, 0x93, 0xA0, 0xA1, 0xA2},
     R{},
     {{{0x90, 4}, {0xA0, 3}}},
     2,
     {{{0x90, 4}, {0xA0, 3}}},
     2,
     "Hall setup updated",
     {{{"/* Change the HALL Sensor Settings */", "/* Memory Map Position 0x90 - 0x93 */"},
       {"/* Change the HALL Switch UI Settings */", "/* Memory Map Position 0xA0 - 0xA2 */"}}},
     2},
    {TSettingsGroup::Temp,
     "Temperature",
     "FTempSetValues",
     "FPrevTempSetValues",
     "Temperature",
     5,
     R{0xC0, 0xC1, 0xC2, 0xC3, 0xC4},
     R{0x80}, // bit 7 of 0xC0 has no control
     {{{0xC0, 5}, {}}},
     1,
     {{{0xC0, 5}, {}}},
     1,
     "Temperature settings updated",
     {{{"/* Change the Temperature UI Settings */", "/* Memory Map Position 0xC0 - 0xC4 */"}, {}}},
     1},
    {TSettingsGroup::Device,
     "Device",
     "FDeviceSetValues",
     "FPrevDeviceSetValues",
     "DevSetup",
     2,
     R{0xD0, 0xD2},
     R{},
     {{{0xD0, 3}, {}}},
     1, // the byte of 0xD1 is dropped
     {{{0xD0, 1}, {0xD2, 1}}},
     2,
     "Device setup updated",
     {{{"/* Change the Device & PMU Settings */", "/* Memory Map Position 0xD0 - 0xDB */"}, {}}},
     1},
    {TSettingsGroup::Tim,
     "Report rates and timings",
     "FTimValues",
     "FPrevTimValues",
     "RRT",
     9,
     R{0xD3, 0xD4, 0xD5, 0xD6, 0xD7, 0xD8, 0xD9, 0xDA, 0xDB},
     R{0, 0, 0, 0, 0, 0, 0, 0xFF, 0}, // I2C_SETTINGS has no control
     {{{0xD3, 9}, {}}},
     1,
     {{{0xD3, 9}, {}}},
     1,
     "Report Rate setup updated",
     {},
     0},
}};

} // namespace

int TGroupDesc::elementOf(std::uint8_t address) const
{
    for (std::size_t i = 0; i < ElementCount; ++i) {
        if (Registers[i] == address)
            return static_cast<int>(i);
    }
    return -1;
}

const TGroupDesc& groupDesc(TSettingsGroup g)
{
    return kGroups[groupIndex(g)];
}
