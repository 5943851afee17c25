// The chip model seen through register reads and writes over the tool.

#include "RawTool.h"
#include "SimBackend.h"

#include <gtest/gtest.h>

#include <cstdlib>

using simtest::RawTool;

namespace {

class SimChipModel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(tool.setUpAndPowerOn(), 0); }

    int count(int ch) { return tool.read16(static_cast<std::uint8_t>(0x20 + 2 * ch)); }
    int lta(int ch) { return tool.read16(static_cast<std::uint8_t>(0x30 + 2 * ch)); }
    std::uint8_t flags() { return tool.read1(0x10); }
    std::uint8_t proxTouch() { return tool.read1(0x12); }

    sim::SimBackend backend{{.mode = sim::Mode::Deterministic, .seed = 11}};
    int key = backend.plug();
    sim::ToolControl ctl = backend.tool(key);
    RawTool tool{backend.enumerate().at(0)};
};

TEST_F(SimChipModel, PowerUpRunsAtiAndSettlesOnTheTarget)
{
    EXPECT_EQ(flags() & 0x84, 0x84);  // reset and ATI busy
    backend.advance(100);
    EXPECT_TRUE(flags() & 0x04);
    backend.advance(50);
    EXPECT_FALSE(flags() & 0x04);
    for (int ch = 0; ch < 3; ++ch) {
        EXPECT_NEAR(count(ch), 512, 512 / 8) << ch;
        EXPECT_NEAR(lta(ch), 512, 512 / 8) << ch;
        const int comp = tool.read1(static_cast<std::uint8_t>(0x52 + ch)) +
                         256 * (tool.read1(static_cast<std::uint8_t>(0x55 + ch)) >> 6);
        EXPECT_GT(comp, 0) << ch;
    }
}

TEST_F(SimChipModel, RedoAtiReachesANewTarget)
{
    backend.advance(200);
    ASSERT_EQ(tool.write({0x46, 0x60, 0x60, 0x60}), 0);  // base 100, target 1024
    tool.modify(0xD0, 0x02, 0);
    EXPECT_EQ(tool.read1(0xD0) & 0x02, 0);  // command bits read back as 0
    EXPECT_TRUE(flags() & 0x04);
    backend.advance(150);
    EXPECT_FALSE(flags() & 0x04);
    for (int ch = 0; ch < 3; ++ch)
        EXPECT_NEAR(count(ch), 1024, 1024 / 8) << ch;
}

TEST_F(SimChipModel, ResetFlagStaysUntilAcknowledged)
{
    backend.advance(500);
    EXPECT_TRUE(flags() & 0x80);
    tool.modify(0xD0, 0x08, 0);  // comms in ATI, no command
    EXPECT_TRUE(flags() & 0x80);
    tool.modify(0xD0, 0x40, 0);
    EXPECT_FALSE(flags() & 0x80);
    EXPECT_EQ(tool.read1(0xD0), 0x08);
    backend.advance(500);
    EXPECT_FALSE(flags() & 0x80);
}

TEST_F(SimChipModel, SoftResetRestoresDefaultsAndFlagsTheReset)
{
    backend.advance(200);
    ASSERT_EQ(tool.write({0x60, 0x33, 0x44}), 0);
    tool.modify(0xD0, 0x48, 0);  // acknowledge reset, comms in ATI
    ASSERT_EQ(tool.read(0x60, 2), (std::vector<std::uint8_t>{0x33, 0x44}));
    tool.modify(0xD0, 0x80, 0);
    EXPECT_EQ(tool.read(0x60, 2), (std::vector<std::uint8_t>{0x0A, 0x10}));
    EXPECT_EQ(tool.read1(0xD0), 0x00);
    EXPECT_EQ(flags() & 0x84, 0x84);
}

TEST_F(SimChipModel, WritesToReadOnlyAndUnmappedRegistersAreIgnored)
{
    backend.advance(200);
    const int before = count(0);
    ASSERT_EQ(tool.write({0x20, 0xFF, 0xFF}), 0);
    EXPECT_NEAR(count(0), before, 10);
    ASSERT_EQ(tool.write({0x4C, 0x55}), 0);
    EXPECT_EQ(tool.read1(0x4C), 0);
    ASSERT_EQ(tool.write({0xD1, 0xFF}), 0);
    EXPECT_EQ(tool.read1(0xD1), 0x3F);
    EXPECT_EQ(tool.read1(0x0F), 0x00);  // no test mode
}

TEST_F(SimChipModel, FingerRaisesProxThenTouchAndTheAverageHalts)
{
    backend.advance(2000);
    EXPECT_EQ(proxTouch(), 0);
    const int before = lta(1);
    ctl.setFinger(1, 0.4);
    backend.advance(200);
    EXPECT_EQ(proxTouch(), 0x02) << "prox on CH1 only";
    ctl.setFinger(1, 1.0);
    backend.advance(200);
    EXPECT_EQ(proxTouch(), 0x22) << "prox and touch on CH1";
    EXPECT_LT(count(1), before - 40);
    backend.advance(2000);
    EXPECT_NEAR(lta(1), before, 3) << "the average halts during prox";
    ctl.setFinger(1, 0.0);
    backend.advance(300);
    EXPECT_EQ(proxTouch(), 0);
}

TEST_F(SimChipModel, ThresholdsDecideTheFlags)
{
    backend.advance(2000);
    ctl.setFinger(0, 0.5);
    backend.advance(200);
    ASSERT_EQ(proxTouch() & 0x11, 0x01);
    const int delta = lta(0) - count(0);
    ASSERT_GT(delta, 10);
    ASSERT_EQ(tool.write({0x60, static_cast<std::uint8_t>(delta + 20)}), 0);
    backend.advance(50);
    EXPECT_EQ(proxTouch() & 0x01, 0);
    ASSERT_EQ(tool.write({0x60, 0x05, 0x01}), 0);  // touch at 1/256 of the average
    backend.advance(50);
    EXPECT_EQ(proxTouch() & 0x11, 0x11);
}

TEST_F(SimChipModel, HaltTimeEndsALongProx)
{
    ASSERT_EQ(tool.write({0x66, 2}), 0);  // 1 s
    backend.advance(2000);
    ctl.setFinger(2, 1.0);
    backend.advance(500);
    EXPECT_TRUE(proxTouch() & 0x04);
    backend.advance(700);
    EXPECT_FALSE(proxTouch() & 0x04);
}

TEST_F(SimChipModel, DisabledChannelsReadZero)
{
    backend.advance(200);
    ASSERT_EQ(tool.write({0xD1, 0x3E}), 0);
    backend.advance(50);
    EXPECT_EQ(count(0), 0);
    EXPECT_EQ(lta(0), 0);
    EXPECT_GT(count(1), 0);
}

TEST_F(SimChipModel, LoadCapacitanceMovesUncompensatedCounts)
{
    backend.advance(200);
    tool.modify(0x43, 0, 0x03);  // CH0 ATI off: settings stay
    backend.advance(50);
    const int before = count(0);
    ctl.setRxLoad(0, 8.2);
    backend.advance(100);
    EXPECT_LT(count(0), before * 0.9) << "counts fall as the load grows";
}

TEST_F(SimChipModel, HallValueAndPoleFollowTheMagnet)
{
    backend.advance(200);
    ctl.setMagnet(300);
    backend.advance(50);
    EXPECT_NEAR(tool.read16(0x17), 300, 10);
    EXPECT_EQ(tool.read1(0x16), 0x07);  // north, prox, touch
    ctl.setMagnet(-40);
    backend.advance(50);
    EXPECT_EQ(tool.read1(0x16), 0x02);  // south, prox only
    tool.modify(0xA0, 0x80, 0);         // force calibration: present field is zero
    EXPECT_EQ(tool.read1(0xA0) & 0x80, 0);
    backend.advance(50);
    EXPECT_LT(tool.read16(0x17), 5);
    EXPECT_EQ(tool.read1(0x16) & 0x06, 0);
}

TEST_F(SimChipModel, MetalTargetDrivesTheHysteresisUi)
{
    backend.advance(200);
    ctl.setMetal(1.0, true);
    backend.advance(50);
    EXPECT_EQ(tool.read16(0x14), 0) << "hysteresis UI disabled";
    tool.modify(0x50, 0x40, 0);
    backend.advance(50);
    EXPECT_GT(tool.read16(0x14), 64);
    EXPECT_EQ(tool.read1(0x13) & 0xE0, 0xE0);  // prox, touch, type A
    ctl.setMetal(0.0);
    backend.advance(2000);
    ctl.setMetal(1.0, false);
    backend.advance(50);
    EXPECT_EQ(tool.read1(0x13) & 0xE0, 0x60);  // type B
}

TEST_F(SimChipModel, TemperatureDriftsAndTrips)
{
    backend.advance(200);
    EXPECT_NEAR(tool.read16(0x1A), 25, 2);
    ctl.setTemperature(40.0);
    backend.advance(50);
    EXPECT_EQ(tool.read16(0x1A), 40);
    EXPECT_EQ(tool.read1(0x19) & 0x80, 0);
    ctl.setTemperature(90.0);
    backend.advance(50);
    EXPECT_EQ(tool.read1(0x19) & 0x80, 0x80);
    ASSERT_EQ(tool.write({0xC2, 8, 4, 20}), 0);  // x2, offset +4
    backend.advance(50);
    EXPECT_EQ(tool.read16(0x1A), 184);
}

TEST_F(SimChipModel, SarUiReportsLevelsAndQuickRelease)
{
    tool.modify(0x50, 0x80, 0);
    backend.advance(2000);
    ctl.setFinger(0, 1.0);
    backend.advance(300);
    const std::uint8_t pt = proxTouch();
    EXPECT_EQ(pt & 0x31, 0x31) << "CH0 prox, touch and deep";
    EXPECT_EQ(tool.read1(0x13) & 0x11, 0x11);
    ctl.setFinger(0, 0.0);
    bool quickRelease = false;
    int qrd = 0;
    for (int i = 0; i < 10 && !quickRelease; ++i) {
        backend.advance(16);
        quickRelease = tool.read1(0x13) & 0x04;
        qrd = std::max(qrd, tool.read16(0xF2));
    }
    EXPECT_TRUE(quickRelease);
    EXPECT_GT(qrd, 16);
}

TEST_F(SimChipModel, IndirectRegisters)
{
    ASSERT_EQ(tool.write({0xF0, 0x42}), 0);
    ASSERT_EQ(tool.write({0xF1, 0xAB}), 0);
    ASSERT_EQ(tool.write({0xF0, 0x00}), 0);
    EXPECT_EQ(tool.read1(0xF1), 60);  // indirect 0x00 mirrors the product number
    ASSERT_EQ(tool.write({0xF0, 0x42}), 0);
    ASSERT_EQ(tool.write({0xF1}), 0);
    const sim::Report reply = tool.send(0x0A, {1});
    EXPECT_EQ(reply[4], 0xAB);
}

TEST_F(SimChipModel, PowerModesSetTheCycleRate)
{
    backend.advance(200);
    ASSERT_EQ(tool.write({0xD2, 0x28}), 0);  // low power, no automatic switching
    backend.advance(100);
    EXPECT_EQ((flags() >> 3) & 0x03, 1);
    ASSERT_EQ(tool.write({0xD2, 0x38}), 0);  // halt: no cycles, counts frozen
    backend.advance(100);
    const int frozen = count(0);
    ctl.setFinger(0, 1.0);
    backend.advance(500);
    EXPECT_EQ(count(0), frozen);
}

TEST_F(SimChipModel, AutomaticModeSwitchingDropsToLowPowerWhenIdle)
{
    ASSERT_EQ(tool.write({0xD2, 0x00, 0x10, 0x40, 0x08, 0x02}), 0);  // timer 1 s
    backend.advance(1500);
    EXPECT_EQ((flags() >> 3) & 0x03, 1);
    ctl.setFinger(0, 1.0);
    backend.advance(300);
    EXPECT_EQ((flags() >> 3) & 0x03, 0);
}

}  // namespace
