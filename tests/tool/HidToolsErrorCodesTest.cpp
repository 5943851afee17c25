#include "HidToolsErrorCodes.h"

#include <gtest/gtest.h>

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
