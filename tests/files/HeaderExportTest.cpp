#include "HeaderExport.h"

#include "FileMessages.h"
#include "SettingsModel.h"
#include "TempFolder.h"

#include <gtest/gtest.h>

namespace {

// Every register holds its own address, except 0x40 = 5 and 0x41 = 171.
TSettingsModel knownValues()
{
    TSettingsModel model;
    for (TSettingsGroup g : kAllGroups) {
        const auto regs = groupDesc(g).registers();
        std::vector<std::int32_t> values(regs.begin(), regs.end());
        if (g == TSettingsGroup::PxsSetup) {
            values[0] = 5;
            values[1] = 171;
        }
        model.set(g, values);
    }
    return model;
}

const std::array<bool, 6> kFirstThree = {true, true, true, false, false, false};

const char* const kGolden =
    "/*\n* This file contains all the necessary settings for the MFS380A and this file can\n"
    "* be changed from the GUI or edited here\n* File:   MFS380A_init.h\n* Author: Kelvan\n*/\r\n"
    "\r\n"
    "#ifndef MFS380A_INIT_H\r\n"
    "#define MFS380A_INIT_H\r\n"
    "\r\n"
    "/* Change the Prox Sensor Settings 0 */\r\n"
    "/* Memory Map Position 0x40 - 0x4B */\r\n"
    "#define PXS_SETTINGS0_0\t\t\t\t\t\t0x05\r\n"
    "#define PXS_SETTINGS0_1\t\t\t\t\t\t0xAB\r\n"
    "#define PXS_SETTINGS0_2\t\t\t\t\t\t0x42\r\n"
    "#define PXS_SETTINGS0_3\t\t\t\t\t\t0x43\r\n"
    "#define PXS_SETTINGS0_4\t\t\t\t\t\t0x44\r\n"
    "#define PXS_SETTINGS0_5\t\t\t\t\t\t0x45\r\n"
    "#define PXS_SETTINGS0_6\t\t\t\t\t\t0x46\r\n"
    "#define PXS_SETTINGS0_7\t\t\t\t\t\t0x47\r\n"
    "#define PXS_SETTINGS0_8\t\t\t\t\t\t0x48\r\n"
    "#define PXS_SETTINGS0_9\t\t\t\t\t\t0x49\r\n"
    "#define PXS_SETTINGS0_10\t\t\t\t\t0x4A\r\n"
    "#define PXS_SETTINGS0_11\t\t\t\t\t0x4B\r\n"
    "\r\n"
    "/* Change the Prox Sensor Settings 1 */\r\n"
    "/* Memory Map Position 0x50 - 0x57 */\r\n"
    "#define PXS_SETTINGS1_0\t\t\t\t\t\t0x50\r\n"
    "#define PXS_SETTINGS1_1\t\t\t\t\t\t0x51\r\n"
    "#define PXS_SETTINGS1_2\t\t\t\t\t\t0x52\r\n"
    "#define PXS_SETTINGS1_3\t\t\t\t\t\t0x53\r\n"
    "#define PXS_SETTINGS1_4\t\t\t\t\t\t0x54\r\n"
    "#define PXS_SETTINGS1_5\t\t\t\t\t\t0x55\r\n"
    "#define PXS_SETTINGS1_6\t\t\t\t\t\t0x56\r\n"
    "#define PXS_SETTINGS1_7\t\t\t\t\t\t0x57\r\n"
    "\r\n"
    "/* Change the Prox UI Settings */\r\n"
    "/* Memory Map Position 0x60 - 0x66 */\r\n"
    "#define PXS_UI_SETTINGS_0\t\t\t\t\t0x60\r\n"
    "#define PXS_UI_SETTINGS_1\t\t\t\t\t0x61\r\n"
    "#define PXS_UI_SETTINGS_2\t\t\t\t\t0x62\r\n"
    "#define PXS_UI_SETTINGS_3\t\t\t\t\t0x63\r\n"
    "#define PXS_UI_SETTINGS_4\t\t\t\t\t0x64\r\n"
    "#define PXS_UI_SETTINGS_5\t\t\t\t\t0x65\r\n"
    "#define PXS_UI_SETTINGS_6\t\t\t\t\t0x66\r\n"
    "\r\n"
    "/* Change the SAR UI Settings */\r\n"
    "/* Memory Map Position 0x70 - 0x75 */\r\n"
    "#define SAR_UI_SETTINGS_0\t\t\t\t\t0x70\r\n"
    "#define SAR_UI_SETTINGS_1\t\t\t\t\t0x71\r\n"
    "#define SAR_UI_SETTINGS_2\t\t\t\t\t0x72\r\n"
    "#define SAR_UI_SETTINGS_3\t\t\t\t\t0x73\r\n"
    "#define SAR_UI_SETTINGS_4\t\t\t\t\t0x74\r\n"
    "#define SAR_UI_SETTINGS_5\t\t\t\t\t0x75\r\n"
    "\r\n"
    "/* Change the Hysteresis UI Settings */\r\n"
    "/* Memory Map Position 0x80 - 0x83 */\r\n"
    "#define HYSTERESIS_UI_SETTINGS_0\t\t\t0x80\r\n"
    "#define HYSTERESIS_UI_SETTINGS_1\t\t\t0x81\r\n"
    "#define HYSTERESIS_UI_SETTINGS_2\t\t\t0x82\r\n"
    "#define HYSTERESIS_UI_SETTINGS_3\t\t\t0x83\r\n"
    "\r\n"
    "/* Change the HALL Sensor Settings */\r\n"
    "/* Memory Map Position 0x90 - 0x93 */\r\n"
    "#define HALL_SENSOR_SETTINGS_0\t\t\t\t0x90\r\n"
    "#define HALL_SENSOR_SETTINGS_1\t\t\t\t0x91\r\n"
    "#define HALL_SENSOR_SETTINGS_2\t\t\t\t0x92\r\n"
    "#define HALL_SENSOR_SETTINGS_3\t\t\t\t0x93\r\n"
    "\r\n"
    "/* Change the HALL Switch UI Settings */\r\n"
    "/* Memory Map Position 0xA0 - 0xA2 */\r\n"
    "#define HALL_UI_SETTINGS_0\t\t\t\t\t0xA0\r\n"
    "#define HALL_UI_SETTINGS_1\t\t\t\t\t0xA1\r\n"
    "#define HALL_UI_SETTINGS_2\t\t\t\t\t0xA2\r\n"
    "\r\n"
    "/* Change the Temperature UI Settings */\r\n"
    "/* Memory Map Position 0xC0 - 0xC4 */\r\n"
    "#define TEMP_UI_SETTINGS_0\t\t\t\t\t0xC0\r\n"
    "#define TEMP_UI_SETTINGS_1\t\t\t\t\t0xC1\r\n"
    "#define TEMP_UI_SETTINGS_2\t\t\t\t\t0xC2\r\n"
    "#define TEMP_UI_SETTINGS_3\t\t\t\t\t0xC3\r\n"
    "#define TEMP_UI_SETTINGS_4\t\t\t\t\t0xC4\r\n"
    "\r\n"
    "/* Change the Device & PMU Settings */\r\n"
    "/* Memory Map Position 0xD0 - 0xDB */\r\n"
    "#define SYSTEM_SETTINGS\t\t\t\t\t\t0xD0\r\n"
    "#define ACTIVE_CHS\t\t\t\t\t\t\t0x07\r\n"
    "#define PMU_SETTINGS\t\t\t\t\t\t0xD2\r\n"
    "#define REPORT_RATES_TIMINGS_0\t\t\t\t0xD3\r\n"
    "#define REPORT_RATES_TIMINGS_1\t\t\t\t0xD4\r\n"
    "#define REPORT_RATES_TIMINGS_2\t\t\t\t0xD5\r\n"
    "#define REPORT_RATES_TIMINGS_3\t\t\t\t0xD6\r\n"
    "#define GLOBAL_EVENT_MASK\t\t\t\t\t0xD7\r\n"
    "#define PWM_DUTY_CYCLE\t\t\t\t\t\t0xD8\r\n"
    "#define RDY_TIMEOUT_PERIOD\t\t\t\t\t0xD9\r\n"
    "#define I2C_SETTINGS\t\t\t\t\t\t0xDA\r\n"
    "#define CH_RESEED_ENABLE\t\t\t\t\t0xDB\r\n"
    "\r\n"
    "#endif\t/* MFS380A_INIT_H */\r\n";

} // namespace

TEST(HeaderExport, TextMatchesByteForByte)
{
    EXPECT_EQ(headerexport::headerText(knownValues(), kFirstThree), kGolden);
}

TEST(HeaderExport, ActiveChannelsFollowTheBoxes)
{
    const TSettingsModel model = knownValues();
    const auto line = [&](const std::array<bool, 6>& boxes) {
        const std::string text = headerexport::headerText(model, boxes);
        const auto at = text.find("#define ACTIVE_CHS");
        return text.substr(at, text.find('\r', at) - at);
    };
    EXPECT_EQ(line({true, true, true, true, true, true}), "#define ACTIVE_CHS\t\t\t\t\t\t\t0x3F");
    EXPECT_EQ(line({false, false, false, false, false, false}),
              "#define ACTIVE_CHS\t\t\t\t\t\t\t0x00");
    EXPECT_EQ(line({false, true, false, false, false, true}),
              "#define ACTIVE_CHS\t\t\t\t\t\t\t0x22");
}

TEST(HeaderExport, WritesTheFileAndReportsFailure)
{
    TTempFolder tmp;
    const TSettingsModel model = knownValues();
    std::string error;
    const auto file = tmp / kHeaderDefaultName;
    ASSERT_TRUE(exportHeader(file, model, kFirstThree, error)) << error;
    EXPECT_EQ(TTempFolder::read(file), kGolden);
    EXPECT_FALSE(exportHeader(tmp / "missing" / "x.h", model, kFirstThree, error));
    EXPECT_FALSE(error.empty());
    EXPECT_STREQ(filemsg::kHeaderExportError, "Error while trying to export H file!");
}
