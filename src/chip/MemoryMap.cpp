#include "MemoryMap.h"

#include <array>

namespace {

// Settings registers in address order. The tab counts line the values of the
// header export up in one column.
constexpr TRegisterInfo kRegisters[] = {
    {0x40, "PXS_SETTINGS0_0", 6},
    {0x41, "PXS_SETTINGS0_1", 6},
    {0x42, "PXS_SETTINGS0_2", 6},
    {0x43, "PXS_SETTINGS0_3", 6},
    {0x44, "PXS_SETTINGS0_4", 6},
    {0x45, "PXS_SETTINGS0_5", 6},
    {0x46, "PXS_SETTINGS0_6", 6},
    {0x47, "PXS_SETTINGS0_7", 6},
    {0x48, "PXS_SETTINGS0_8", 6},
    {0x49, "PXS_SETTINGS0_9", 6},
    {0x4A, "PXS_SETTINGS0_10", 5},
    {0x4B, "PXS_SETTINGS0_11", 5},
    {0x50, "PXS_SETTINGS1_0", 6},
    {0x51, "PXS_SETTINGS1_1", 6},
    {0x52, "PXS_SETTINGS1_2", 6},
    {0x53, "PXS_SETTINGS1_3", 6},
    {0x54, "PXS_SETTINGS1_4", 6},
    {0x55, "PXS_SETTINGS1_5", 6},
    {0x56, "PXS_SETTINGS1_6", 6},
    {0x57, "PXS_SETTINGS1_7", 6},
    {0x60, "PXS_UI_SETTINGS_0", 5},
    {0x61, "PXS_UI_SETTINGS_1", 5},
    {0x62, "PXS_UI_SETTINGS_2", 5},
    {0x63, "PXS_UI_SETTINGS_3", 5},
    {0x64, "PXS_UI_SETTINGS_4", 5},
    {0x65, "PXS_UI_SETTINGS_5", 5},
    {0x66, "PXS_UI_SETTINGS_6", 5},
    {0x70, "SAR_UI_SETTINGS_0", 5},
    {0x71, "SAR_UI_SETTINGS_1", 5},
    {0x72, "SAR_UI_SETTINGS_2", 5},
    {0x73, "SAR_UI_SETTINGS_3", 5},
    {0x74, "SAR_UI_SETTINGS_4", 5},
    {0x75, "SAR_UI_SETTINGS_5", 5},
    {0x80, "HYSTERESIS_UI_SETTINGS_0", 3},
    {0x81, "HYSTERESIS_UI_SETTINGS_1", 3},
    {0x82, "HYSTERESIS_UI_SETTINGS_2", 3},
    {0x83, "HYSTERESIS_UI_SETTINGS_3", 3},
    {0x90, "HALL_SENSOR_SETTINGS_0", 4},
    {0x91, "HALL_SENSOR_SETTINGS_1", 4},
    {0x92, "HALL_SENSOR_SETTINGS_2", 4},
    {0x93, "HALL_SENSOR_SETTINGS_3", 4},
    {0xA0, "HALL_UI_SETTINGS_0", 5},
    {0xA1, "HALL_UI_SETTINGS_1", 5},
    {0xA2, "HALL_UI_SETTINGS_2", 5},
    {0xC0, "TEMP_UI_SETTINGS_0", 5},
    {0xC1, "TEMP_UI_SETTINGS_1", 5},
    {0xC2, "TEMP_UI_SETTINGS_2", 5},
    {0xC3, "TEMP_UI_SETTINGS_3", 5},
    {0xC4, "TEMP_UI_SETTINGS_4", 5},
    {0xD0, "SYSTEM_SETTINGS", 6},
    {0xD1, "ACTIVE_CHS", 7},
    {0xD2, "PMU_SETTINGS", 6},
    {0xD3, "REPORT_RATES_TIMINGS_0", 4},
    {0xD4, "REPORT_RATES_TIMINGS_1", 4},
    {0xD5, "REPORT_RATES_TIMINGS_2", 4},
    {0xD6, "REPORT_RATES_TIMINGS_3", 4},
    {0xD7, "GLOBAL_EVENT_MASK", 5},
    {0xD8, "PWM_DUTY_CYCLE", 6},
    {0xD9, "RDY_TIMEOUT_PERIOD", 5},
    {0xDA, "I2C_SETTINGS", 6},
    {0xDB, "CH_RESEED_ENABLE", 5},
};

} // namespace

const TRegisterInfo* registerInfo(std::uint8_t address)
{
    for (const TRegisterInfo& r : kRegisters) {
        if (r.Address == address)
            return &r;
    }
    return nullptr;
}
