// The tool firmware at the report level: reply layout, parameter checks and
// error numbers, supply, I2C access and the injected faults.

#include "RawTool.h"
#include "SimBackend.h"

#include <gtest/gtest.h>

#include <chrono>

using simtest::RawTool;

namespace {

class SimProtocol : public ::testing::Test {
protected:
    sim::SimBackend backend{{.mode = sim::Mode::Deterministic, .seed = 3}};
    int key = backend.plug();
    RawTool tool{backend.enumerate().at(0)};
};

TEST_F(SimProtocol, FirmwareVersionReplyLayout)
{
    const sim::Report reply = tool.send(0x09, {});
    EXPECT_EQ(reply[0], 0);     // report ID
    EXPECT_EQ(reply[1], 0x00);  // status 0, tool ID 0
    EXPECT_EQ(reply[2], tool.lastCommand()[1]);
    EXPECT_EQ(reply[3], 0x09);
    const std::vector<std::uint8_t> data(reply.begin() + 4, reply.begin() + 12);
    EXPECT_EQ(data, (std::vector<std::uint8_t>{0, 0, 0x01, 0x06, 20, 0x0B, 0x01, 0x08}));
}

TEST_F(SimProtocol, ToolIdAppearsInEveryReplyAndIsRangeChecked)
{
    EXPECT_EQ(tool.run(0x08, {16}), 0x0801);
    EXPECT_EQ(tool.run(0x08, {5}), 0);
    EXPECT_EQ(tool.send(0x09, {})[1], 0x50);
    EXPECT_EQ(tool.send(0x08, {99})[1], 0x5E);  // error reply keeps the ID
    EXPECT_EQ(backend.tool(key).toolId(), 5);
}

TEST_F(SimProtocol, RefusalsCarryTheirErrorNumbers)
{
    struct Case {
        const char* what;
        std::uint8_t code;
        std::vector<std::uint8_t> params;
        std::uint16_t expected;
        int n = -1;  // byte 3 when it is not the parameter count
    };
    const Case cases[] = {
        {"unknown command", 0x77, {}, 0x77FF},
        {"wrong parameter count", 0x09, {1}, 0x09FE},
        {"IC type out of range", 0x01, {0, 9}, 0x0101},
        {"comms before IC type", 0x05, {4, 2}, 0x0503},
        {"level shifter", 0x06, {3}, 0x0601},
        {"fixed voltage code", 0x07, {3}, 0x0701},
        {"DAC voltage above 5.5 V", 0x07, {0xE0, 0x00}, 0x0701},
        {"power off while off", 0x03, {}, 0x0301},
        {"read before comms", 0x12, {0x00, 2}, 0x1201, 1},
        {"read with three address bytes", 0x12, {0, 0, 0, 2}, 0x12FE, 3},
        {"write before comms", 0x0B, {0x60, 1}, 0x0B01},
        {"comms read before comms", 0x0A, {1}, 0x0A01},
        {"I2C config before comms", 0x0F, {3, 1, 0x44, 3, 2, 1}, 0x0F01},
        {"stop while not streaming", 0x0D, {}, 0x0D01},
        {"LED colour", 0xC1, {4}, 0xC101},
        {"IO pin", 0x11, {9, 1}, 0x1101},
        {"IO state", 0x11, {2, 3}, 0x1103},
        {"stop bit control value", 0x13, {2}, 0x13FE},
        {"stream length zero", 0x14, {0, 0}, 0x14FE},
        {"setup size below 4", 0x14, {0, 20, 0, 3}, 0x14FE},
        {"long stream without set-up", 0x15, {0x10}, 0x1504},
        {"fuse burn voltage", 0x0E, {3, 55, 3, 2}, 0x0E01},
        {"in-streaming write longer than the report", 0x1B, {0, 0, 0x60, 1}, 0x1BFE, 200},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RawTool::result(tool.send(c.code, c.params, c.n)), c.expected) << c.what;
}

TEST_F(SimProtocol, SetUpSequencePowerAndSupplyChecks)
{
    // An adjustable supply of 0.5 V is accepted by the DAC but not by power-up.
    EXPECT_EQ(tool.run(0x01, {0, 3}), 0);
    EXPECT_EQ(tool.run(0x07, {0x13, 0x60}), 0);  // 0.5 V
    EXPECT_EQ(tool.run(0x02, {}), 0x0201);
    EXPECT_FALSE(backend.tool(key).chipPowered());

    EXPECT_EQ(tool.setUpAndPowerOn(), 0);
    EXPECT_TRUE(backend.tool(key).chipPowered());
    EXPECT_DOUBLE_EQ(backend.tool(key).dutVoltage(), 3.3);
    EXPECT_EQ(tool.run(0x02, {}), 0x0203);
    EXPECT_EQ(tool.run(0x01, {0, 3}), 0x0102);  // IC type with power on
    EXPECT_EQ(tool.run(0x03, {}), 0);
    EXPECT_EQ(tool.run(0x03, {}), 0x0301);
}

TEST_F(SimProtocol, ChipAnswersOnlyAtItsAddress)
{
    ASSERT_EQ(tool.setUpAndPowerOn(), 0);
    std::uint16_t res = 0;
    EXPECT_EQ(tool.read(0x00, 3, &res), (std::vector<std::uint8_t>{60, 2, 1}));
    EXPECT_EQ(res, 0);
    ASSERT_EQ(tool.run(0x0F, {3, 1, 0x45, 3, 2, 1}), 0);
    tool.read(0x00, 2, &res);
    EXPECT_EQ(res, 0x1203);
    EXPECT_EQ(tool.write({0x60, 0x20}), 0x0B03);

    backend.tool(key).setChipAddress(0x45);
    EXPECT_EQ(tool.read(0x00, 2, &res).size(), 2u);
    EXPECT_EQ(res, 0);
    backend.tool(key).setChipAnswering(false);
    tool.read(0x00, 2, &res);
    EXPECT_EQ(res, 0x1203);
}

TEST_F(SimProtocol, WritesAndReadsGoThroughTheRegisterPointer)
{
    ASSERT_EQ(tool.setUpAndPowerOn(), 0);
    EXPECT_EQ(tool.write({0x70, 1, 2, 3, 4, 5, 6}), 0);
    EXPECT_EQ(tool.read(0x70, 6), (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 6}));
    // A write of the address alone sets the pointer for a plain read.
    EXPECT_EQ(tool.write({0x72}), 0);
    const sim::Report reply = tool.send(0x0A, {2});
    EXPECT_EQ(RawTool::result(reply), 0);
    EXPECT_EQ(reply[4], 3);
    EXPECT_EQ(reply[5], 4);
    EXPECT_EQ(tool.run(0x0A, {61}), 0x0A02);
    EXPECT_EQ(RawTool::result(tool.send(0x12, {0x00, 61}, 1)), 0x1202);
    EXPECT_EQ(tool.run(0x0B, std::vector<std::uint8_t>(33, 0x40)), 0x0B02);
}

TEST_F(SimProtocol, LongWriteWithStopBitOffIsOneTransaction)
{
    ASSERT_EQ(tool.setUpAndPowerOn(), 0);
    // 40 bytes from 0x60 on, split as the tool component splits them.
    std::vector<std::uint8_t> data{0x60};
    for (int i = 0; i < 39; ++i)
        data.push_back(static_cast<std::uint8_t>(0x80 + i));
    EXPECT_EQ(tool.run(0x13, {0}), 0);
    EXPECT_EQ(tool.write({data.begin(), data.begin() + 32}), 0);
    EXPECT_EQ(tool.run(0x13, {1}), 0);
    EXPECT_EQ(tool.write({data.begin() + 32, data.end()}), 0);
    // 0x60 to 0x66 take the first seven bytes; 0x67 .. 0x6F are unmapped and
    // 0x70 onwards continue the same transaction.
    EXPECT_EQ(tool.read(0x60, 7), (std::vector<std::uint8_t>(data.begin() + 1, data.begin() + 8)));
    EXPECT_EQ(tool.read(0x70, 6), (std::vector<std::uint8_t>(data.begin() + 17, data.begin() + 23)));
    EXPECT_EQ(tool.read1(0x80), data[33]);
}

TEST_F(SimProtocol, EveryOpenHandleGetsItsOwnCopy)
{
    RawTool second(backend.enumerate().at(0));
    const sim::Report reply = tool.send(0x09, {});
    const auto copies = second.drain();
    ASSERT_EQ(copies.size(), 1u);
    EXPECT_EQ(copies[0], reply);
    EXPECT_TRUE(tool.drain().empty());
}

TEST_F(SimProtocol, InjectedErrorReplyThenNormalService)
{
    backend.tool(key).failNextCommand(0x03);
    EXPECT_EQ(tool.run(0x09, {}), 0x0903);
    EXPECT_EQ(tool.run(0x09, {}), 0);
}

TEST_F(SimProtocol, SilentToolLeavesTheReadToItsBound)
{
    backend.tool(key).setSilent(true);
    sim::Report command{};
    command[1] = 2;
    command[2] = 0x09;
    ASSERT_TRUE(tool.handle().write(command.data(), command.size()));
    sim::Report buf{};
    std::size_t length = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(tool.handle().read(buf.data(), buf.size(), length, 100), hid::ReadStatus::Timeout);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(90));
    backend.tool(key).setSilent(false);
    EXPECT_EQ(tool.run(0x09, {}), 0);
}

TEST_F(SimProtocol, MalformedOutputReportsAreRefused)
{
    sim::Report command{};
    command[0] = 1;  // report ID must be 0
    EXPECT_FALSE(tool.handle().write(command.data(), command.size()));
    std::vector<std::uint8_t> tooLong(66, 0);
    EXPECT_FALSE(tool.handle().write(tooLong.data(), tooLong.size()));
    // A short report is padded with zeros.
    const std::uint8_t shortReport[] = {0, 7, 0x09, 0};
    EXPECT_TRUE(tool.handle().write(shortReport, sizeof shortReport));
    const auto replies = tool.drain();
    ASSERT_EQ(replies.size(), 1u);
    EXPECT_EQ(replies[0][2], 7);
}

TEST_F(SimProtocol, ToolResetSwitchesTheChipOff)
{
    ASSERT_EQ(tool.setUpAndPowerOn(), 0);
    EXPECT_EQ(tool.run(0xC1, {2}), 0);
    EXPECT_EQ(backend.tool(key).ledColour(), 2);
    EXPECT_EQ(tool.run(0xFE, {}), 0);
    EXPECT_FALSE(backend.tool(key).chipPowered());
    EXPECT_EQ(backend.tool(key).ledColour(), 0);
    EXPECT_EQ(RawTool::result(tool.send(0x12, {0, 2}, 1)), 0x1201);
}

}  // namespace
