// The settings window's chip procedures, run step by step with raw reports:
// the load-capacitance measurement and the OTP address programming.

#include "RawTool.h"
#include "SimBackend.h"

#include <gtest/gtest.h>

#include <array>

using simtest::RawTool;

namespace {

class SimProcedures : public ::testing::Test {
protected:
    sim::SimBackend backend{{.mode = sim::Mode::Deterministic, .seed = 17}};
    int key = backend.plug();
    sim::ToolControl ctl = backend.tool(key);
    RawTool tool{backend.enumerate().at(0)};

    // Default-mode load capacitance measurement; returns Cx0, Cx1, Cx0 + Cx1.
    std::array<double, 3> measureLoads()
    {
        constexpr double K = 1048576.0;
        std::array<double, 3> result{};
        tool.modify(0xD0, 0x80, 0);  // soft reset
        backend.advance(50);
        tool.modify(0x50, 0x10, 0);  // AC filter off
        tool.modify(0x40, 0x01, 0x02);
        tool.modify(0x41, 0x02, 0x01);
        tool.modify(0x42, 0x03, 0);
        for (int n = 0; n < 3; ++n) {
            const auto u = static_cast<std::uint8_t>(n);
            tool.modify(0x43 + u, 0x30, 0);
            tool.modify(0xD0, 0x10, 0);
            tool.modify(0x51, 0, 0x02);
            tool.write({static_cast<std::uint8_t>(0x46 + u), 0x60});
            backend.advance(200);
            tool.modify(0xD0, 0x02, 0);
            bool done = false;
            for (int poll = 0; poll < 50 && !done; ++poll) {
                backend.advance(10);
                done = !(tool.read1(0x10) & 0x04);
            }
            EXPECT_TRUE(done) << "ATI of CH" << n;
            const auto counts = [&] {
                backend.advance(80);
                return double(tool.read16(static_cast<std::uint8_t>(0x20 + 2 * n)));
            };
            tool.modify(0x43 + u, 0, 0x03);
            const double r1 = counts();
            tool.modify(0x51, 0x02, 0x0C);
            const double r2 = counts();
            tool.modify(0x51, 0x0A, 0x04);
            const double r3 = counts();
            tool.modify(0x51, 0x0E, 0);
            const double r4 = counts();
            tool.modify(0x51, 0, 0x02);
            tool.write({static_cast<std::uint8_t>(0x52 + u), 0});
            tool.modify(0x55 + u, 0, 0xC0);
            const double r5 = counts();
            const double step = ((K / r3 - K / r1) + (K / r4 - K / r2)) / 3;
            result[static_cast<std::size_t>(n)] = step > 0 ? (K / r5) / step : 0.0;
        }
        tool.modify(0xD0, 0x80, 0);
        return result;
    }

    std::uint8_t bankRead(int b)
    {
        const auto u = static_cast<std::uint8_t>(b);
        tool.write({0x0A, u});
        tool.write({0x0A, static_cast<std::uint8_t>(u + 0x10)});
        tool.write({0x0B});
        const std::uint8_t v = tool.send(0x0A, {1})[4];
        tool.write({0x0A, 0x00});
        backend.advance(1);
        return v;
    }

    std::uint8_t marginRead(int b)
    {
        const auto u = static_cast<std::uint8_t>(b);
        tool.write({0x0E, 0x06, 0x07});
        tool.write({0xE1});
        tool.write({0x0A, u});
        EXPECT_EQ(tool.run(0x07, {0x5B, 0x21}), 0);  // PSU 2.35 V
        tool.write({0x0A, static_cast<std::uint8_t>(u + 0xD0)});
        tool.write({0x0B});
        const std::uint8_t v = tool.send(0x0A, {1})[4];
        EXPECT_EQ(tool.run(0x07, {0x00, 0x01}), 0);  // PSU 0 V
        tool.write({0x0A, 0x00});
        return v;
    }

    void burn(std::uint8_t value)
    {
        tool.write({0x2B, value});
        tool.write({0x0A, 0x48});
        tool.write({0x0A, 0x68});
        EXPECT_EQ(tool.run(0x0E, {13, 55, 3, 2}), 0);
        tool.write({0x0A, 0x00});
    }

    // Prepares the tool for test mode and enters it at the given address.
    bool enterTestMode(std::uint8_t address)
    {
        tool.run(0x03, {});
        EXPECT_EQ(tool.run(0x01, {0, 4}), 0);  // IC type D
        EXPECT_EQ(tool.run(0x05, {4, 1}), 0);
        EXPECT_EQ(tool.run(0x07, {1}), 0);
        EXPECT_EQ(tool.run(0x0F, {1, 2, address, 3, 1, 2}), 0);
        EXPECT_EQ(tool.run(0x04, {0, 0x2B, 0, 0, 0, 0, 0, 0}), 0);
        return tool.read1(0x0F) == 0xA5;
    }

    // The write-address procedure; true when verified.
    bool programAddress(std::uint8_t from, std::uint8_t code)
    {
        if (!enterTestMode(from))
            return false;
        for (int attempt = 0; attempt < 4; ++attempt) {
            std::array<std::uint8_t, 4> normal{};
            for (int b = 0; b < 4; ++b)
                normal[static_cast<std::size_t>(b)] = bankRead(b);
            const auto value = static_cast<std::uint8_t>(code | normal[0]);
            if ((value & 0x0B) != code)
                return false;
            burn(value);
            bool same = true;
            for (int b = 0; b < 4; ++b)
                normal[static_cast<std::size_t>(b)] = bankRead(b);
            for (int b = 0; b < 5; ++b) {
                const std::uint8_t margin = marginRead(b);
                if (b < 4)
                    same = same && margin == normal[static_cast<std::size_t>(b)];
            }
            if (same && normal[0] == value)
                return true;
        }
        return false;
    }

    bool answersAt(std::uint8_t address)
    {
        tool.run(0x03, {});
        if (tool.setUpAndPowerOn(address) != 0)
            return false;
        std::uint16_t res = 1;
        tool.read(0x00, 2, &res);
        return res == 0;
    }
};

TEST_F(SimProcedures, LoadCapacitanceMeasuresTheSimulatedLoadWithin5Percent)
{
    const std::array<std::array<double, 2>, 3> loads{{{8.0, 5.0}, {12.0, 3.3}, {2.5, 9.0}}};
    ASSERT_EQ(tool.setUpAndPowerOn(), 0);
    for (const auto& load : loads) {
        ctl.setRxLoad(0, load[0]);
        ctl.setRxLoad(1, load[1]);
        const auto measured = measureLoads();
        const double expected[3] = {load[0], load[1], load[0] + load[1]};
        for (int n = 0; n < 3; ++n)
            EXPECT_NEAR(measured[static_cast<std::size_t>(n)], expected[n], 0.05 * expected[n])
                << "CH" << n << " with loads " << load[0] << " and " << load[1];
    }
}

TEST_F(SimProcedures, OtpAddressTakesEffectFromTheNextPowerUp)
{
    ASSERT_TRUE(answersAt(0x44));
    ASSERT_TRUE(programAddress(0x44, 0x09));
    EXPECT_EQ(ctl.otpBank(0), 0x09);
    EXPECT_EQ(ctl.chipAddress(), 0x44) << "still the old address until power-up";
    EXPECT_FALSE(answersAt(0x44));
    EXPECT_TRUE(answersAt(0x4D));
    // Burned bits stay: a second programming can only add bits.
    ASSERT_TRUE(programAddress(0x4D, 0x0B));
    EXPECT_TRUE(answersAt(0x4F));
    EXPECT_FALSE(programAddress(0x4F, 0x02));
}

TEST_F(SimProcedures, WeakBurnFailsTheMarginReadUntilBurnedAgain)
{
    ctl.setWeakOtpBurns(1);
    ASSERT_TRUE(enterTestMode(0x44));
    burn(0x02);
    EXPECT_EQ(bankRead(0), 0x02);
    EXPECT_EQ(marginRead(0), 0x00);
    EXPECT_EQ(marginRead(1), 0x5A) << "factory trims are strong";
    burn(0x02);
    EXPECT_EQ(marginRead(0), 0x02);
}

TEST_F(SimProcedures, TestModeEntryConditions)
{
    ASSERT_EQ(tool.setUpAndPowerOn(), 0);
    EXPECT_EQ(tool.run(0x04, {0, 0x2B, 0, 0, 0, 0, 0, 0}), 0x0403) << "power must be off";
    ASSERT_EQ(tool.run(0x03, {}), 0);
    EXPECT_EQ(tool.run(0x04, {0, 0x2B, 0, 0, 0, 0, 0, 0}), 0x0404) << "IC type B";
    ASSERT_EQ(tool.run(0x01, {0, 4}), 0);
    EXPECT_EQ(tool.run(0x04, {0, 0x2A, 0, 0, 0, 0, 0, 0}), 0);
    EXPECT_NE(tool.read1(0x0F), 0xA5) << "wrong start-up pulse: normal power-up";
    EXPECT_EQ(tool.run(0x0E, {13, 55, 3, 2}), 0);
    EXPECT_EQ(ctl.otpBank(0), 0) << "no burn outside test mode";
}

}  // namespace
