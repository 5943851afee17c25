// The chip device component: settings, the tool set-up sequence, power, and
// the event chain device list -> tool -> chip component -> owner.

#include "MFS240Device.h"
#include "ToolRig.h"

#include <gtest/gtest.h>

namespace {

using Heads = std::vector<std::vector<std::uint8_t>>;

struct ChipRig : ToolRig {
    TMFS240Device chip;
    ChipRig() { chip.SetHIDTool(&tool); }
    // The main window's settings.
    void mainWindowSettings()
    {
        chip.SetDUTVoltage(v3_3V);
        chip.SetAdjustableDUTVoltage(5.0);
        chip.SetCommsSpeed(csMedium);
        chip.SetLSVoltage(vfVDDHI);
        chip.SetCommsType(c240_I2C);
        chip.SetI2CType(RDY_ActiveLow);
        chip.SetI2CPullUpResistors(prNotConnected);
        chip.SetI2CReadyPin(rpPin10);
        chip.SetI2CStopCommand(scUseStop);
        chip.SetI2CPolling(ipNoPolling);
        chip.SetI2CAddress("44");
    }
};

}  // namespace

TEST(MFS240Device, ValuesAfterConstruction)
{
    TMFS240Device chip;
    EXPECT_EQ(chip.Version(), "2.1.2.265");
    EXPECT_EQ(chip.DUTVoltage(), v5V);
    EXPECT_EQ(chip.AdjustableDUTVoltage(), 5.0);
    EXPECT_EQ(chip.CommsSpeed(), csFast);
    EXPECT_EQ(chip.LSVoltage(), vfVDDHI);
    EXPECT_EQ(chip.CommsType(), c240_SPI);
    EXPECT_EQ(chip.I2CType(), RDY_ActiveHigh);
    EXPECT_EQ(chip.I2CPullUpResistors(), prConnected);
    EXPECT_EQ(chip.I2CReadyPin(), rpPin10);
    EXPECT_EQ(chip.I2CStopCommand(), scUseStop);
    EXPECT_EQ(chip.I2CPolling(), ipNoPolling);
    EXPECT_EQ(chip.I2CAddress(), "20");
    EXPECT_EQ(chip.Res(), 0);
    EXPECT_EQ(chip.HIDTool(), nullptr);
    EXPECT_EQ(chip.SetupCT(), 2) << "no tool bound";
}

TEST(MFS240Device, I2CAddressIsHexadecimalText)
{
    struct Case {
        const char* text;
        std::uint8_t value;
        const char* shown;
    };
    const Case cases[] = {{"44", 0x44, "44"}, {"9A", 0x7F, "7F"}, {"80", 0x7F, "7F"},
                          {"7f", 0x7F, "7F"}, {"A", 0x0A, "0A"},  {"zz", 0, "00"},
                          {"", 0, "00"},      {"4 4", 0, "00"},   {"0x44", 0, "00"},
                          {"-1", 0, "00"},    {"FFFFFFFFFFFFFFFFFFFF", 0x7F, "7F"}};
    for (const Case& c : cases) {
        TMFS240Device chip;
        chip.SetI2CAddress(c.text);
        EXPECT_EQ(chip.I2CAddressValue(), c.value) << '"' << c.text << '"';
        EXPECT_EQ(chip.I2CAddress(), c.shown) << '"' << c.text << '"';
    }
}

TEST(MFS240Device, AdjustableVoltageIsCappedAt5_5)
{
    TMFS240Device chip;
    chip.SetAdjustableDUTVoltage(6.0);
    EXPECT_EQ(chip.AdjustableDUTVoltage(), 5.5);
    chip.SetAdjustableDUTVoltage(0.5);
    EXPECT_EQ(chip.AdjustableDUTVoltage(), 0.5);
    chip.SetAdjustableDUTVoltage(-1.0);
    EXPECT_EQ(chip.AdjustableDUTVoltage(), -1.0) << "no lower limit";
}

TEST(MFS240Device, SetupWithTheMainWindowSettings)
{
    ChipRig rig;
    rig.mainWindowSettings();
    EXPECT_EQ(rig.chip.SetupCT(), 0);
    EXPECT_EQ(rig.commands(8), (Heads{{0x01, 2, 0, 3, 0, 0, 0, 0},
                                      {0x07, 1, 1, 0, 0, 0, 0, 0},
                                      {0x06, 1, 2, 0, 0, 0, 0, 0},
                                      {0x05, 2, 4, 2, 0, 0, 0, 0},
                                      {0x0F, 6, 3, 1, 0x44, 3, 2, 1}}));
}

TEST(MFS240Device, SpiSetupEndsAfterSetupComms)
{
    ChipRig rig;
    rig.mainWindowSettings();
    rig.chip.SetCommsType(c240_SPI);
    EXPECT_EQ(rig.chip.SetupCT(), 0);
    EXPECT_EQ(rig.commands(4), (Heads{{0x01, 2, 0, 3}, {0x07, 1, 1, 0}, {0x06, 1, 2, 0},
                                      {0x05, 2, 3, 2}}));
}

TEST(MFS240Device, AdjustableVoltageUsesTheDacForm)
{
    ChipRig rig;
    rig.mainWindowSettings();
    rig.chip.SetAdjustableDUTVoltage(1.8);
    rig.chip.SetDUTVoltage(vAdjustable);
    double selected = 0;
    EXPECT_EQ(rig.chip.SetupCT(selected), 0);
    EXPECT_EQ(rig.commands(4)[1], (std::vector<std::uint8_t>{0x07, 2, 0x45, 0xD0}));
    EXPECT_DOUBLE_EQ(selected, 1.80);

    rig.device->clearWritten();
    rig.chip.SetDUTVoltage(v5V);
    selected = 7;
    EXPECT_EQ(rig.chip.SetupCT(selected), 0);
    EXPECT_EQ(rig.commands(3)[1], (std::vector<std::uint8_t>{0x07, 1, 2}));
    EXPECT_EQ(selected, 7) << "only reported when the adjustable voltage is used";
}

TEST(MFS240Device, SetupStopsAtTheFirstFailure)
{
    ChipRig rig;
    rig.mainWindowSettings();
    rig.responder->fail(0x06, 0x0601);
    EXPECT_EQ(rig.chip.SetupCT(), 0x0601);
    EXPECT_EQ(rig.chip.Res(), 0x0601);
    EXPECT_EQ(rig.commands(2), (Heads{{0x01, 2}, {0x07, 1}, {0x06, 1}}));
    rig.responder->answer(0x06, 0);
    EXPECT_EQ(rig.chip.SetupCT(), 0);
    EXPECT_EQ(rig.chip.Res(), 0);

    ChipRig adjustable;
    adjustable.mainWindowSettings();
    adjustable.chip.SetDUTVoltage(vAdjustable);
    adjustable.responder->fail(0x07, 0x0702);
    double selected = 9;
    EXPECT_EQ(adjustable.chip.SetupCT(selected), 0x0702);
    EXPECT_EQ(selected, 0.0);
}

TEST(MFS240Device, PowerOnAndOff)
{
    ChipRig rig;
    EXPECT_EQ(rig.chip.PowerOn(), 0);
    EXPECT_EQ(rig.commands(4), (Heads{{0x11, 2, 2, 1}, {0x02, 0, 0, 0}, {0x11, 2, 2, 2}}));
    EXPECT_TRUE(rig.tool.IsPowerOn());
    rig.device->clearWritten();
    EXPECT_EQ(rig.chip.PowerOff(), 0);
    EXPECT_EQ(rig.commands(2), (Heads{{0x03, 0}}));
    EXPECT_FALSE(rig.tool.IsPowerOn());

    rig.device->clearWritten();
    rig.responder->fail(0x02, 0x0203);
    EXPECT_EQ(rig.chip.PowerOn(), 0x0203);
    EXPECT_EQ(rig.commands(2), (Heads{{0x11, 2}, {0x02, 0}})) << "no second IOWrite";
}

TEST(MFS240Device, StreamingEventsTravelFromTheListToTheOwner)
{
    ChipRig rig;
    std::vector<int> sizes;
    std::vector<std::uint16_t> errors;
    std::vector<std::uint8_t> missed;
    rig.chip.OnStreaming = [&](std::uint16_t size, std::uint8_t, const std::uint8_t*) {
        sizes.push_back(size);
    };
    rig.chip.OnStreamingError = [&](std::uint16_t code) { errors.push_back(code); };
    rig.chip.OnStreamingDataMissed = [&](std::uint8_t id) { missed.push_back(id); };
    // Short streaming of the component's fixed template.
    rig.device->clearWritten();
    ASSERT_EQ(rig.chip.StartStreaming(), 0);
    const auto written = rig.device->written();
    ASSERT_EQ(written.size(), 2u);
    EXPECT_EQ(written[1][2], 0x0C);
    EXPECT_EQ(written[1][3], 32);
    EXPECT_EQ(written[1][4], 1);
    EXPECT_EQ(written[1][5], 0xFE);
    EXPECT_EQ(written[1][32], 0xFE);
    EXPECT_EQ(written[1][33], 0xFF);
    EXPECT_EQ(written[1][34], 0x00);
    EXPECT_EQ(written[1][35], 0xFE);
    rig.list.PollReaders();

    rig.device->pushInput(scripted::frame(3, 0, 5, {1, 2, 3, 4, 5}));
    rig.device->pushInput(scripted::frame(3, 2, 5, {1, 2, 3, 4, 5}));
    rig.device->pushInput(scripted::reply(0xE, 3, 0, {0x00, 0x0F}));
    rig.list.PollReaders();
    EXPECT_EQ(sizes, (std::vector<int>{64, 64}));
    EXPECT_EQ(missed, std::vector<std::uint8_t>{3});
    EXPECT_EQ(errors, std::vector<std::uint16_t>{15});

    ASSERT_EQ(rig.chip.StopStreaming(), 0);
    EXPECT_FALSE(rig.tool.IsStreaming());
}
