#include "HidToolsErrorCodes.h"

#include <gtest/gtest.h>

#include <iterator>
#include <set>

TEST(HidToolsErrorCodes, TableHas103EntriesInSlotOrderThenEmptySlots)
{
    ASSERT_EQ(HIDToolsErrorCodes.size(), 151u);
    EXPECT_EQ(HIDToolsErrorCodes[0].ErrorCode, 0x0001);
    EXPECT_EQ(HIDToolsErrorCodes[15].ErrorCode, 0x00FD);
    EXPECT_EQ(HIDToolsErrorCodes[69].ErrorCode, 0xC101);
    EXPECT_EQ(HIDToolsErrorCodes[102].ErrorCode, 0x5102);
    EXPECT_EQ(HIDToolsErrorCodes[102].Text, "Error finishing programming session");
    std::set<std::uint16_t> codes;
    for (std::size_t i = 0; i < 103; ++i) {
        EXPECT_NE(HIDToolsErrorCodes[i].ErrorCode, 0) << "slot " << i;
        EXPECT_FALSE(HIDToolsErrorCodes[i].Text.empty()) << "slot " << i;
        codes.insert(HIDToolsErrorCodes[i].ErrorCode);
    }
    EXPECT_EQ(codes.size(), 103u) << "every code appears once";
    for (std::size_t i = 103; i < 151; ++i) {
        EXPECT_EQ(HIDToolsErrorCodes[i].ErrorCode, 0);
        EXPECT_TRUE(HIDToolsErrorCodes[i].Text.empty());
    }
}

struct TextCase {
    std::uint16_t code;
    const char* text;
};

class ToolErrorTextTest : public testing::TestWithParam<TextCase> {};

TEST_P(ToolErrorTextTest, GivesTheTableText)
{
    EXPECT_EQ(ToolErrorText(GetParam().code), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Lookup, ToolErrorTextTest,
    testing::Values(TextCase{0x0001, "Queue not flushed"}, TextCase{0x0002, "USB Hardware not found"},
                    TextCase{0x0003, "Timeout during operation"},
                    TextCase{0x000C, "USB hardware not responding"},
                    TextCase{0x0008, "Device already streaming"},
                    TextCase{0x000E, "No comms reply"},
                    // Same words under different commands.
                    TextCase{0x0201, "DUT Voltage invalid"}, TextCase{0x2101, "DUT Voltage invalid"},
                    TextCase{0x0B04, "KVN317 in wrong test state"},
                    TextCase{0x1204, "KVN317 in wrong test state"},
                    TextCase{0x1202, "No of Bytes exceed maximum"},
                    TextCase{0x0A02, "No. of Bytes exceed maximum"},
                    // General refusals are found by their low byte.
                    TextCase{0x00FE, "Invalid Parameter"}, TextCase{0x05FE, "Invalid Parameter"},
                    TextCase{0x12FD, "RF Comms Timeout"}, TextCase{0x30FF, "Invalid Command"},
                    TextCase{0xFFFF, "Invalid Command"},
                    // Unknown codes, and 0 (it meets an empty slot).
                    TextCase{0x0100, "Unknown error code"}, TextCase{0x1234, "Unknown error code"},
                    TextCase{0x0000, "Unknown error code"}, TextCase{0x0010, "Unknown error code"},
                    TextCase{0xC101, "Invalid colour"}, TextCase{0x5102, "Error finishing programming session"}));

// Every one of the 103 texts, in slot order, as the user reads them. A typo
// or a swapped slot in the table fails here.
namespace {
struct ExpectedRecord {
    std::uint16_t code;
    const char* text;
};
constexpr ExpectedRecord kEveryText[] = {
    {0x0001, "Queue not flushed"},
    {0x0002, "USB Hardware not found"},
    {0x0003, "Timeout during operation"},
    {0x0004, "Device did not enter debug mode"},
    {0x0005, "Cannot jump to upper half of page"},
    {0x0006, "Fusebank write error"},
    {0x0007, "Fuse read and verify did not match"},
    {0x0008, "Device already streaming"},
    {0x0009, "Selected serial number match not found"},
    {0x000A, "Device did not exit debug mode"},
    {0x000B, "Num parameters exceed maximum"},
    {0x000C, "USB hardware not responding"},
    {0x000D, "Window failed"},
    {0x000E, "No comms reply"},
    {0x000F, "Comms error"},
    {0x00FD, "RF Comms Timeout"},
    {0x00FE, "Invalid Parameter"},
    {0x00FF, "Invalid Command"},
    {0x0101, "IC type not supported"},
    {0x0102, "Power to device is ON"},
    {0x0201, "DUT Voltage invalid"},
    {0x0202, "Level-Shifter follow voltage invalid"},
    {0x0203, "Power already on"},
    {0x0301, "Power already off"},
    {0x0401, "RDY did not go high"},
    {0x0402, "Ready already high"},
    {0x0403, "Power should be off"},
    {0x0404, "IC type invalid"},
    {0x0405, "Device did not enter debug mode"},
    {0x0501, "Comms type not available for IC type"},
    {0x0502, "Speed not available for Comms type"},
    {0x0503, "Device type not selected"},
    {0x0601, "Not a valid voltage to follow"},
    {0x0701, "Not a valid DUT voltage"},
    {0x0702, "DAC not responding"},
    {0x0801, "ID out of Range (> 0xF)"},
    {0x0A01, "Comms type not selected"},
    {0x0A02, "No. of Bytes exceed maximum"},
    {0x0A03, "Device not ready (Timeout)"},
    {0x0B01, "Comms type not selected"},
    {0x0B02, "No. of Bytes exceed maximum"},
    {0x0B03, "Device not ready (Timeout)"},
    {0x0B04, "KVN317 in wrong test state"},
    {0x0C01, "Comms type not selected"},
    {0x0C02, "No. of Bytes exceed maximum"},
    {0x0C03, "Device not ready (Timeout)"},
    {0x0C04, "Streaming not supported for device"},
    {0x0C05, "Power not on yet"},
    {0x0D01, "Device not streaming"},
    {0x0E01, "Burn voltage invalid"},
    {0x0E02, "Burn time invalid"},
    {0x0E03, "Burn pin invalid"},
    {0x0E04, "VDD state invalid"},
    {0x0E05, "Power to device is not switched ON yet"},
    {0x0F01, "Comms type invalid (not I2C)"},
    {0x0F02, "I2C type not valid"},
    {0x0F03, "Pull-up selection invalid"},
    {0x0F04, "I2C device address not valid"},
    {0x1F01, "Comms type invalid (not 1-Wire Bus)"},
    {0x1F02, "Sync time invalid"},
    {0x1F03, "Pullups Invalid"},
    {0x1F04, "Address invalid"},
    {0x1F05, "Base time invalid"},
    {0x1F06, "Event invalid"},
    {0x1F07, "Poll time invalid"},
    {0x1F08, "Dead time invalid"},
    {0x1F09, "FET invalid"},
    {0x1F0A, "Reset count invalid"},
    {0x1F0B, "Pulse invalid"},
    {0xC101, "Invalid colour"},
    {0xC201, "I/O test failed while IO should have been low"},
    {0xC202, "I/O test failed while IO should have been high"},
    {0x8101, "Device out of range (0 to 4)"},
    {0x8301, "Bank out of range"},
    {0x8401, "Bank out of range"},
    {0x1001, "IO not supported"},
    {0x1002, "Read not supported for IO"},
    {0x1101, "IO not supported"},
    {0x1102, "Write not supported for IO"},
    {0x1103, "State not valid"},
    {0x1201, "Comms type not selected"},
    {0x1202, "No of Bytes exceed maximum"},
    {0x1203, "Device not ready (Timeout)"},
    {0x1204, "KVN317 in wrong test state"},
    {0x1A01, "RDY not set"},
    {0x1D03, "Device not ready (Timeout)"},
    {0x2101, "DUT Voltage invalid"},
    {0x2102, "PSU number invalid"},
    {0x2103, "Power already on"},
    {0x2201, "Power already off"},
    {0x2202, "PSU number invalid"},
    {0x2301, "Voltage invalid"},
    {0x2302, "PSU number invalid"},
    {0x2401, "Parameter not found"},
    {0x5301, "No device connected"},
    {0x5302, "Error in SWIM comms with device"},
    {0x5303, "Device not supported"},
    {0x4103, "Error while erasing device"},
    {0x4104, "Error while writing to device"},
    {0x4105, "Data verification failed"},
    {0x5001, "Failure to establish comms"},
    {0x5002, "Error initiating programming session"},
    {0x5102, "Error finishing programming session"},
};
}  // namespace

TEST(HidToolsErrorCodes, EveryTextInItsSlotAndFoundByItsCode)
{
    static_assert(std::size(kEveryText) == 103);
    for (std::size_t i = 0; i < std::size(kEveryText); ++i) {
        const ExpectedRecord& e = kEveryText[i];
        EXPECT_EQ(HIDToolsErrorCodes[i].ErrorCode, e.code) << "slot " << i;
        EXPECT_EQ(HIDToolsErrorCodes[i].Text, e.text) << "slot " << i;
        // The lookup finds the first slot with the code; general refusals
        // (low byte FD, FE, FF) are found under any command.
        EXPECT_EQ(ToolErrorText(e.code), e.text) << "code " << e.code;
        if ((e.code & 0xFF) >= 0xFD) {
            EXPECT_EQ(ToolErrorText(static_cast<std::uint16_t>(0x4200 | (e.code & 0xFF))), e.text);
        }
    }
}
