// Byte-exact reports of the command families and the handling of their replies.

#include "ToolRig.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct ReportCase {
    const char* name;
    std::function<TExchangeResult(TKelvanHidTool&)> call;
    std::vector<std::uint8_t> bytes;  // from byte 2: code, count, parameters; the rest is 0
};

// Runs each case on a fresh rig and compares the written report byte for byte.
void checkReports(const std::vector<ReportCase>& cases)
{
    for (const ReportCase& c : cases) {
        ToolRig rig;
        EXPECT_EQ(c.call(rig.tool), 0) << c.name;
        const auto written = rig.device->written();
        ASSERT_EQ(written.size(), 1u) << c.name;
        const auto& w = written[0];
        ASSERT_EQ(w.size(), 65u) << c.name;
        EXPECT_EQ(w[0], 0) << c.name;
        std::vector<std::uint8_t> tail(w.begin() + 2, w.end());
        std::vector<std::uint8_t> expected = c.bytes;
        expected.resize(tail.size(), 0);
        EXPECT_EQ(tail, expected) << c.name;
    }
}

TKvnByteArray bytesOf(std::initializer_list<std::uint8_t> values)
{
    TKvnByteArray a{};
    std::copy(values.begin(), values.end(), a.begin());
    return a;
}

}  // namespace

TEST(Commands, SetUpAndPowerReports)
{
    checkReports({
        {"SetICType itA", [](TKelvanHidTool& t) { return t.SetICType(itA); }, {0x01, 2, 0, 1}},
        {"SetICType itB", [](TKelvanHidTool& t) { return t.SetICType(itB); }, {0x01, 2, 0, 3}},
        {"SetICType itC", [](TKelvanHidTool& t) { return t.SetICType(itC); }, {0x01, 2, 0, 2}},
        {"SetICType itD", [](TKelvanHidTool& t) { return t.SetICType(itD); }, {0x01, 2, 0, 4}},
        {"SetICType outside", [](TKelvanHidTool& t) { return t.SetICType(static_cast<TICType>(9)); },
         {0x01, 2, 0, 0}},
        {"SetICType 16-bit", [](TKelvanHidTool& t) { return t.SetICType(std::uint16_t{0x1234}); },
         {0x01, 2, 0x12, 0x34}},
        {"PowerOnDUT", [](TKelvanHidTool& t) { return t.PowerOnDUT(); }, {0x02, 0}},
        {"PowerOffDUT", [](TKelvanHidTool& t) { return t.PowerOffDUT(); }, {0x03, 0}},
        {"PowerOnPSU", [](TKelvanHidTool& t) { return t.PowerOnPSU(); }, {0x02, 1, 1}},
        {"PowerOffPSU", [](TKelvanHidTool& t) { return t.PowerOffPSU(); }, {0x03, 1, 1}},
        {"EnterTM 8", [](TKelvanHidTool& t) { return t.EnterTM(0, 43, 0, 0, 0, 0, 0, 0); },
         {0x04, 8, 0, 43, 0, 0, 0, 0, 0, 0}},
        {"EnterTM 2", [](TKelvanHidTool& t) { return t.EnterTM(0x10, 0x20); }, {0x04, 2, 0x10, 0x20}},
        {"SetupComms I2C medium", [](TKelvanHidTool& t) { return t.SetupComms(ctI2C, csMedium); },
         {0x05, 2, 4, 2}},
        {"SetupComms I2CPolling fast",
         [](TKelvanHidTool& t) { return t.SetupComms(ctI2CPolling, csFast); }, {0x05, 2, 9, 1}},
        {"SetupComms SPI slow", [](TKelvanHidTool& t) { return t.SetupComms(ctSPI, csSlow); },
         {0x05, 2, 3, 3}},
        {"Comms_I2C_Custom_Speed 400", [](TKelvanHidTool& t) { return t.Comms_I2C_Custom_Speed(400); },
         {0x05, 5, 4, 4, 0x06, 0x1A, 0x80}},
        {"SetLSVoltage VDD", [](TKelvanHidTool& t) { return t.SetLSVoltage(vfVDD); }, {0x06, 1, 1}},
        {"SetLSVoltage VDDHI", [](TKelvanHidTool& t) { return t.SetLSVoltage(vfVDDHI); }, {0x06, 1, 2}},
        {"SetDUTVoltage 5V", [](TKelvanHidTool& t) { return t.SetDUTVoltage(dv5V); }, {0x07, 1, 2}},
        {"SetDUTVoltage 3.3V enum", [](TKelvanHidTool& t) { return t.SetDUTVoltage(dv3_3V); },
         {0x07, 1, 1}},
        {"SetDUTVoltage 3.3", [](TKelvanHidTool& t) { return t.SetDUTVoltage(3.3); },
         {0x07, 2, 0x80, 0x00}},
        {"SetDUTVoltage 1.8", [](TKelvanHidTool& t) { return t.SetDUTVoltage(1.8); },
         {0x07, 2, 0x45, 0xD0}},
        {"SetPSUVoltage 1.8", [](TKelvanHidTool& t) { return t.SetPSUVoltage(1.8); },
         {0x07, 2, 0x45, 0xD1}},
        {"SetCTID", [](TKelvanHidTool& t) { return t.SetCTID(7); }, {0x08, 1, 7}},
        {"FuseBurnConnect", [](TKelvanHidTool& t) { return t.FuseBurnConnect(13, 55, 3, 2); },
         {0x0E, 4, 13, 55, 3, 2}},
        {"ConfigI2C 6",
         [](TKelvanHidTool& t) {
             return t.ConfigI2C(RDY_ActiveLow, prNotConnected, 0x44, rpPin10, scUseStop, ipNoPolling);
         },
         {0x0F, 6, 3, 1, 0x44, 3, 2, 1}},
        {"ConfigI2C 7",
         [](TKelvanHidTool& t) {
             return t.ConfigI2C(noRDY, prConnected, 0x20, rpPin6, scNoStop, ipPollingByAddress,
                                as16Bit);
         },
         {0x0F, 7, 1, 2, 0x20, 1, 1, 2, 1}},
        {"ConfigI2C outside values",
         [](TKelvanHidTool& t) {
             return t.ConfigI2C(static_cast<TI2CType>(7), static_cast<TPullUpResistors>(5), 0x20,
                                static_cast<TReadyPin>(3), scNoStop, ipNoPolling);
         },
         {0x0F, 6, 0, 0, 0x20, 0, 1, 1}},
    });
}

TEST(Commands, IoCommsAndModeReports)
{
    checkReports({
        {"IORead", [](TKelvanHidTool& t) { std::uint8_t s = 0; return t.IORead(3, s); }, {0x10, 1, 3}},
        {"IOWrite", [](TKelvanHidTool& t) { return t.IOWrite(2, 1); }, {0x11, 2, 2, 1}},
        {"CommsRead", [](TKelvanHidTool& t) { TKvnByteArray d{}; return t.CommsRead(5, d); },
         {0x0A, 1, 5}},
        {"I2CRead byte address",
         [](TKelvanHidTool& t) { TKvnByteArray d{}; return t.I2CRead(std::uint8_t{0x0F}, 1, d); },
         {0x12, 1, 0x0F, 0x01}},
        {"I2CRead 16-bit address",
         [](TKelvanHidTool& t) { TKvnByteArray d{}; return t.I2CRead(std::uint16_t{0x1234}, 4, d); },
         {0x12, 2, 0x12, 0x34, 4}},
        {"I2CRead address array",
         [](TKelvanHidTool& t) {
             TKvnByteArray d{};
             return t.I2CRead(3, bytesOf({0xA1, 0xA2, 0xA3, 0xA4}), 9, d);
         },
         {0x12, 3, 0xA1, 0xA2, 0xA3, 9}},
        {"StopBitControl off", [](TKelvanHidTool& t) { return t.StopBitControl(sbOff); }, {0x13, 1, 0}},
        {"StopBitControl restore", [](TKelvanHidTool& t) { return t.StopBitControl(sbRestore); },
         {0x13, 1, 1}},
        {"EventMode on", [](TKelvanHidTool& t) { return t.EventMode(true); }, {0x1A, 1, 1}},
        {"EventMode off wait", [](TKelvanHidTool& t) { return t.EventMode(false, std::uint16_t{500}); },
         {0x1A, 3, 0, 0x01, 0xF4}},
        {"EventMode 8", [](TKelvanHidTool& t) { return t.EventMode(1, 240, 2000, 60, 1); },
         {0x1A, 8, 1, 0x00, 0xF0, 0x07, 0xD0, 0x00, 0x3C, 1}},
        {"EventMode 7", [](TKelvanHidTool& t) { return t.EventMode(1, 60, 1000, 60); },
         {0x1A, 7, 1, 0x00, 0x3C, 0x03, 0xE8, 0x00, 0x3C}},
        {"WaitForRdy", [](TKelvanHidTool& t) { return t.WaitForRdy(true); }, {0x30, 1, 1}},
        {"SetLED off", [](TKelvanHidTool& t) { return t.SetLED(lcOff); }, {0xC1, 1, 0}},
        {"SetLED red", [](TKelvanHidTool& t) { return t.SetLED(lcRed); }, {0xC1, 1, 1}},
        {"SetLED green", [](TKelvanHidTool& t) { return t.SetLED(lcGreen); }, {0xC1, 1, 2}},
        {"SetLED 110 red", [](TKelvanHidTool& t) { return t.SetLED(lc110Red); }, {0xC1, 1, 2}},
        {"SetLED 110 green", [](TKelvanHidTool& t) { return t.SetLED(lc110Green); }, {0xC1, 1, 1}},
        {"SetLED amber", [](TKelvanHidTool& t) { return t.SetLED(lcAmber); }, {0xC1, 1, 3}},
        {"SetLED outside", [](TKelvanHidTool& t) { return t.SetLED(static_cast<TLedColor>(6)); },
         {0xC1, 1, 0}},
        {"SoftReset", [](TKelvanHidTool& t) { return t.SoftReset(); }, {0xFE, 0}},
        {"EnterDFU", [](TKelvanHidTool& t) { return t.EnterDFU(); }, {0xFF, 0}},
        {"GetCTFWVersion", [](TKelvanHidTool& t) { std::uint32_t v; return t.GetCTFWVersion(v); },
         {0x09, 0}},
    });
}

TEST(Commands, FurtherCommandReports)
{
    checkReports({
        {"LogicType", [](TKelvanHidTool& t) { return t.LogicType(ltPositive); }, {0x01, 1, 1}},
        {"GetStart", [](TKelvanHidTool& t) { bool s; return t.GetStart(s); }, {0x02, 0}},
        {"SendBins", [](TKelvanHidTool& t) { return t.SendBins(1, 2, 3, 4); }, {0x03, 4, 1, 2, 3, 4}},
        {"Config1WireBus",
         [](TKelvanHidTool& t) { return t.Config1WireBus({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}); },
         {0x1F, 12, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
        {"DetectRFModule", [](TKelvanHidTool& t) { bool d; return t.DetectRFModule(d); }, {0x16, 0}},
        {"ReadLongBuffer byte",
         [](TKelvanHidTool& t) { return t.ReadLongBuffer(std::uint8_t{0x40}, 0x0102); },
         {0x1E, 6, 2, 1, 0, 0x40, 0x01, 0x02}},
        {"ReadLongBuffer word",
         [](TKelvanHidTool& t) { return t.ReadLongBuffer(std::uint16_t{0x1234}, 0x0102); },
         {0x1E, 6, 2, 2, 0x12, 0x34, 0x01, 0x02}},
        {"TesterStamp", [](TKelvanHidTool& t) { return t.TesterStamp(2024, 5, 6, 7, 8, 9); },
         {0x2E, 7, 0x07, 0xE8, 5, 6, 7, 8, 9}},
        {"InitTester", [](TKelvanHidTool& t) { return t.InitTester(0x01020304, 5, 6, 0x0708); },
         {0x2F, 8, 1, 2, 3, 4, 5, 6, 7, 8}},
        {"DeInitTester", [](TKelvanHidTool& t) { return t.DeInitTester(); }, {0x2F, 0}},
        {"PassReply", [](TKelvanHidTool& t) { return t.PassReply(true); }, {0x30, 1, 1}},
        {"GetChecksums", [](TKelvanHidTool& t) { std::uint16_t a, b; return t.GetChecksums(a, b); },
         {0x40, 0}},
        {"LoadBuffer", [](TKelvanHidTool& t) { return t.LoadBuffer(0x8000, 3, bytesOf({9, 8, 7})); },
         {0x41, 5, 0x80, 0x00, 9, 8, 7}},
        {"SwimProgram", [](TKelvanHidTool& t) { return t.SwimProgram(0x8001); }, {0x42, 2, 0x80, 0x01}},
        {"SwimEnterTM", [](TKelvanHidTool& t) { return t.SwimEnterTM(); }, {0x43, 0}},
        {"WOTF", [](TKelvanHidTool& t) { return t.WOTF(2, 0x012345, bytesOf({0xAA, 0xBB})); },
         {0x44, 0, 2, 0x01, 0x23, 0x45, 0xAA, 0xBB}},
        {"ROTF", [](TKelvanHidTool& t) { TKvnByteArray d{}; return t.ROTF(2, 0x012345, d); },
         {0x45, 0, 2, 0x01, 0x23, 0x45}},
        {"SwimEntry", [](TKelvanHidTool& t) { return t.SwimEntry(); }, {0x50, 0}},
        {"SwimExit", [](TKelvanHidTool& t) { std::uint16_t a, b; return t.SwimExit(a, b); }, {0x51, 0}},
        {"ConnectDevice", [](TKelvanHidTool& t) { std::uint8_t d; return t.ConnectDevice(d); }, {0x53, 0}},
        {"Swim_GetCRC", [](TKelvanHidTool& t) { std::uint16_t c; return t.Swim_GetCRC(c); }, {0x54, 0}},
        {"SelectDUT", [](TKelvanHidTool& t) { return t.SelectDUT(2); }, {0x81, 1, 2}},
        {"SetRelaySelection", [](TKelvanHidTool& t) { return t.SetRelaySelection(1, 2); },
         {0x82, 2, 1, 2}},
        {"SetSelectedRelays", [](TKelvanHidTool& t) { return t.SetSelectedRelays(1, 2, 3); },
         {0x83, 3, 1, 2, 3}},
        {"GetSelectedRelays",
         [](TKelvanHidTool& t) { std::uint8_t a, b; return t.GetSelectedRelays(4, a, b); },
         {0x84, 1, 4}},
        {"HB100HwCheck", [](TKelvanHidTool& t) { return t.HB100HwCheck(); }, {0xC2, 0}},
        {"AddOnCheck", [](TKelvanHidTool& t) { std::uint8_t a; return t.AddOnCheck(a); }, {0xC3, 0}},
        {"SetDataTime", [](TKelvanHidTool& t) { return t.SetDataTime(2024, 12, 31, 23, 59, 58); },
         {0xCF, 13, 0x07, 0xE8, 12, 31, 23, 59, 58, 1, 8, 1, 10, 0, 4}},
        {"SetHaltCharge", [](TKelvanHidTool& t) { return t.SetHaltCharge(false); }, {0xD1, 1, 0}},
        {"InStreamingWrite",
         [](TKelvanHidTool& t) { return t.InStreamingWrite(2, 1, 0, 0x30, bytesOf({5, 6})); },
         {0x1B, 5, 1, 0, 0x30, 5, 6}},
        {"SetLongStreamingLength", [](TKelvanHidTool& t) { return t.SetLongStreamingLength(70); },
         {0x14, 2, 0x00, 70}},
        {"SetLongStreamingLength setup",
         [](TKelvanHidTool& t) { return t.SetLongStreamingLength(70, 0x0104); },
         {0x14, 4, 0x00, 70, 0x01, 0x04}},
    });
}

TEST(Commands, DacCodeRoundsHalvesToEvenAndStaysIn12Bits)
{
    EXPECT_EQ(TKelvanHidTool::DacCode(3.3), 2048);
    EXPECT_EQ(TKelvanHidTool::DacCode(1.8), 0x45D);
    EXPECT_EQ(TKelvanHidTool::DacCode(6.6 * 2.5 / 4096), 2) << "2.5 rounds to 2";
    EXPECT_EQ(TKelvanHidTool::DacCode(6.6 * 3.5 / 4096), 4) << "3.5 rounds to 4";
    EXPECT_EQ(TKelvanHidTool::DacCode(0.0), 0);
    EXPECT_EQ(TKelvanHidTool::DacCode(-1.0), 0);
    EXPECT_EQ(TKelvanHidTool::DacCode(7.0), 4095) << "no wrap into a low voltage";
}

TEST(Commands, SetDUTVoltageReportsTheVoltageAskedFor)
{
    ToolRig rig;
    double selected = -1;
    EXPECT_EQ(rig.tool.SetDUTVoltage(selected, 1.8), 0);
    EXPECT_DOUBLE_EQ(selected, 1.80);  // k = 77: 1.8046875 -> 1.80
    EXPECT_EQ(rig.commands(4).back(), (std::vector<std::uint8_t>{0x07, 2, 0x45, 0xD0}));
    EXPECT_EQ(rig.tool.SetDUTVoltage(selected, 2.5), 0);
    EXPECT_DOUBLE_EQ(selected, 2.51);  // k = 107: 2.5078125 -> 2.51
    rig.responder->fail(0x07, 0x0701);
    EXPECT_EQ(rig.tool.SetDUTVoltage(selected, 2.5), 0x0701);
    EXPECT_EQ(selected, 0.0);
}

TEST(Commands, VersionReplySetsLastDevID)
{
    ToolRig rig;
    rig.responder->answer(0x09, 0, {0x00, 0x01, 0x02, 0x03, 0x2A, 0x07});
    std::uint32_t version = 0;
    std::uint8_t build = 0, release = 0;
    EXPECT_EQ(rig.tool.GetCTFWVersion(version, build, release), 0);
    EXPECT_EQ(version, 0x10203u);
    EXPECT_EQ(rig.tool.LastDevID(), 3) << "high four bits of reply byte 1 (0x30)";
    EXPECT_EQ(build, 0x2A);
    EXPECT_EQ(release, 0x07);
    rig.responder->fail(0x09, 0x09FF);
    version = 99;
    EXPECT_EQ(rig.tool.GetCTFWVersion(version), 0x09FF);
    EXPECT_EQ(version, 0u) << "cleared before sending";
}

TEST(Commands, ReadsTakeTheirDataOnlyOnSuccess)
{
    ToolRig rig;
    TKvnByteArray data;
    data.fill(0x77);
    rig.responder->fail(0x0A, 0x0A03);
    EXPECT_EQ(rig.tool.CommsRead(5, data), 0x0A03);
    for (std::size_t i = 0; i < 80; ++i)
        ASSERT_EQ(data[i], 0) << i;
    EXPECT_EQ(data[80], 0x77);

    rig.responder->answer(0x0A, 0, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(rig.tool.CommsRead(5, data), 0);
    EXPECT_EQ((std::vector<std::uint8_t>(data.begin(), data.begin() + 6)),
              (std::vector<std::uint8_t>{1, 2, 3, 4, 5, 0}));

    data.fill(0x77);
    rig.responder->answer(0x12, 0, {0x5A, 0x5B});
    EXPECT_EQ(rig.tool.I2CRead(std::uint8_t{0x0F}, 1, data), 0);
    EXPECT_EQ(data[0], 0x5A);
    EXPECT_EQ(data[1], 0) << "bytes 0 to 79 cleared first";
    EXPECT_EQ(data[80], 0x77);
    data.fill(0x77);
    rig.responder->fail(0x12, 0x1203);
    EXPECT_EQ(rig.tool.I2CRead(std::uint8_t{0x0F}, 1, data), 0x1203);
    EXPECT_EQ(data[0], 0x77) << "untouched on failure";

    std::uint8_t state = 9;
    rig.responder->answer(0x10, 0, {3});
    EXPECT_EQ(rig.tool.IORead(1, state), 0);
    EXPECT_EQ(state, 9) << "only 1 or 2 are states";
    rig.responder->answer(0x10, 0, {2});
    EXPECT_EQ(rig.tool.IORead(1, state), 0);
    EXPECT_EQ(state, 2);
}

TEST(Commands, OutputsAfterAFailedExchange)
{
    ToolRig rig;
    for (const std::uint8_t code : {0x53, 0xC3, 0x84, 0x02})
        rig.responder->fail(code, static_cast<std::uint16_t>(code << 8 | 1));
    std::uint8_t device = 9, board = 9, msb = 9, lsb = 9;
    bool start = true;
    EXPECT_NE(rig.tool.ConnectDevice(device), 0);
    EXPECT_NE(rig.tool.AddOnCheck(board), 0);
    EXPECT_NE(rig.tool.GetSelectedRelays(1, msb, lsb), 0);
    EXPECT_NE(rig.tool.GetStart(start), 0);
    EXPECT_EQ(device, 0);
    EXPECT_EQ(board, 0);
    EXPECT_EQ(msb, 0);
    EXPECT_EQ(lsb, 0);
    EXPECT_FALSE(start);

    bool detected = false;
    rig.responder->fail(0x16, 0x16FD);
    EXPECT_EQ(rig.tool.DetectRFModule(detected), 0x16FD);
    EXPECT_TRUE(detected) << "an RF timeout means a module answered late";
    rig.responder->fail(0x16, 0x16FF);
    EXPECT_EQ(rig.tool.DetectRFModule(detected), 0x16FF);
    EXPECT_FALSE(detected);
    rig.responder->answer(0x16, 0, {1});
    EXPECT_EQ(rig.tool.DetectRFModule(detected), 0);
    EXPECT_TRUE(detected);
}

TEST(Commands, PowerAndEventModeBookkeeping)
{
    ToolRig rig;
    rig.responder->fail(0x02, 0x0201);
    EXPECT_EQ(rig.tool.PowerOnDUT(), 0x0201);
    EXPECT_FALSE(rig.tool.IsPowerOn());
    rig.responder->answer(0x02, 0);
    EXPECT_EQ(rig.tool.PowerOnDUT(), 0);
    EXPECT_TRUE(rig.tool.IsPowerOn());
    EXPECT_EQ(rig.tool.PowerOnPSU(), 0);
    rig.responder->fail(0x03, 0x0301);
    EXPECT_EQ(rig.tool.PowerOffDUT(), 0x0301);
    EXPECT_TRUE(rig.tool.IsPowerOn());
    rig.responder->answer(0x03, 0);
    EXPECT_EQ(rig.tool.PowerOffDUT(), 0);
    EXPECT_FALSE(rig.tool.IsPowerOn());

    rig.responder->fail(0x1A, 0x1A01);
    EXPECT_EQ(rig.tool.EventMode(true), 0x1A01);
    EXPECT_TRUE(rig.tool.EventModeOn()) << "set before sending";
    EXPECT_EQ(rig.tool.EventMode(false, std::uint16_t{10}), 0x1A01);
    EXPECT_FALSE(rig.tool.EventModeOn());
    EXPECT_EQ(rig.tool.EventMode(1, 60, 1000, 60, 1), 0x1A01);
    EXPECT_FALSE(rig.tool.EventModeOn()) << "the parameter forms leave it";
}

namespace {
// Answers 0x0B with the written chunk inverted.
void invertingTool(ToolRig& rig)
{
    rig.device->setOnWrite([r = rig.responder](scripted::ScriptedDevice& d, const scripted::Report& w) {
        if (w[2] != 0x0B) {
            (*r)(d, w);
            return;
        }
        scripted::Report reply(65, 0);
        reply[1] = 0x30;
        reply[2] = w[1];
        for (std::size_t i = 0; i < w[3]; ++i)
            reply[4 + i] = static_cast<std::uint8_t>(~w[4 + i]);
        d.pushInput(reply);
    });
}
}  // namespace

TEST(Commands, CommsWriteSplitsIntoChunksInsideAStopBitBracket)
{
    struct Case {
        int size;
        std::vector<std::vector<std::uint8_t>> heads;  // code, count, first parameter
    };
    const Case cases[] = {
        {3, {{0x0B, 3, 0}}},
        {32, {{0x0B, 32, 0}}},
        {40, {{0x13, 1, 0}, {0x0B, 32, 0}, {0x13, 1, 1}, {0x0B, 8, 32}}},
        {70, {{0x13, 1, 0}, {0x0B, 32, 0}, {0x0B, 32, 32}, {0x13, 1, 1}, {0x0B, 6, 64}}},
        {300,
         {{0x13, 1, 0}, {0x0B, 32, 0}, {0x0B, 32, 32}, {0x0B, 32, 64}, {0x0B, 32, 96},
          {0x0B, 32, 128}, {0x0B, 32, 160}, {0x0B, 32, 192}, {0x0B, 32, 224}, {0x0B, 32, 0},
          {0x13, 1, 1}, {0x0B, 12, 32}}},
    };
    for (const Case& c : cases) {
        ToolRig rig;
        invertingTool(rig);
        TKvnByteArray data{};
        for (int i = 0; i < c.size; ++i)
            data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
        const TExchangeResult r = c.size > 255
                                      ? rig.tool.CommsWrite(static_cast<std::uint16_t>(c.size), data)
                                      : rig.tool.CommsWrite(static_cast<std::uint8_t>(c.size), data);
        EXPECT_EQ(r, 0) << c.size;
        EXPECT_EQ(rig.commands(3), c.heads) << c.size;
        for (int i = 0; i < c.size; ++i)
            ASSERT_EQ(data[static_cast<std::size_t>(i)], static_cast<std::uint8_t>(~i))
                << "returned byte " << i << " of " << c.size;
    }
}

TEST(Commands, CommsWriteStopsAtAFailedChunkAndKeepsData)
{
    ToolRig rig;
    rig.responder->fail(0x0B, 0x0B03);
    TKvnByteArray data{};
    data[0] = 0x11;
    data[39] = 0x22;
    EXPECT_EQ(rig.tool.CommsWrite(std::uint8_t{40}, data), 0x0B03);
    EXPECT_EQ(data[0], 0x11);
    EXPECT_EQ(data[39], 0x22);
    EXPECT_EQ(rig.commands(3), (std::vector<std::vector<std::uint8_t>>{{0x13, 1, 0}, {0x0B, 32, 0x11}}));
    EXPECT_EQ(rig.tool.CommsWrite(std::uint16_t{40000}, data), 0x0B02)
        << "more than the array holds is refused unsent";
    EXPECT_EQ(rig.device->written().size(), 2u);
}

TEST(Commands, WriteLongBufferSendsNumberedPiecesThenTheCommit)
{
    ToolRig rig;
    TKvnByteArray data{};
    for (int i = 0; i < 70; ++i)
        data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(100 + i);
    EXPECT_EQ(rig.tool.WriteLongBuffer(2, 0x1234, 70, data), 0);
    const auto c = rig.commands(9);
    ASSERT_EQ(c.size(), 4u);
    EXPECT_EQ((std::vector<std::uint8_t>(c[0].begin(), c[0].begin() + 3)),
              (std::vector<std::uint8_t>{0x1C, 0, 100}));
    EXPECT_EQ((std::vector<std::uint8_t>(c[1].begin(), c[1].begin() + 3)),
              (std::vector<std::uint8_t>{0x1C, 1, 132}));
    EXPECT_EQ((std::vector<std::uint8_t>(c[2].begin(), c[2].begin() + 3)),
              (std::vector<std::uint8_t>{0x1C, 2, 164}));
    EXPECT_EQ(rig.device->written()[2][4 + 6], 0) << "the last piece carries 6 bytes";
    EXPECT_EQ(c[3], (std::vector<std::uint8_t>{0x1D, 5, 2, 0x12, 0x34, 0x00, 70, 0, 0}));
}

TEST(Commands, ShowSelectedDeviceBlinksThroughTheClock)
{
    ToolRig rig;
    EXPECT_EQ(rig.tool.ShowSelectedDevice(), 0);
    EXPECT_EQ(rig.commands(3),
              (std::vector<std::vector<std::uint8_t>>{{0xC1, 1, 1}, {0xC1, 1, 2}, {0xC1, 1, 1},
                                                      {0xC1, 1, 2}, {0xC1, 1, 1}, {0xC1, 1, 2}}));
    EXPECT_EQ(rig.clock.sleeps, (std::vector<int>{100, 100, 100, 100, 100}));
    rig.responder->fail(0xC1, 0xC101);
    EXPECT_EQ(rig.tool.ShowSelectedDevice(), 0xC101);
    EXPECT_EQ(rig.device->written().size(), 7u) << "a failing tool is not asked again";
}
