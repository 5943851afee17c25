// The load-capacitance calculation: its arithmetic, and whole runs against the
// simulated chip in default and current mode.
#include "CapacitanceCalculation.h"
#include "EngineeringTexts.h"
#include "SessionRig.h"

#include <gtest/gtest.h>

namespace {

TEST(CapacitanceMath, WorkedReadingsGiveTwoPointSixFourPicofarads)
{
    // K/R1 1048.576, K/R2 1165.084, K/R3 1310.72, K/R4 1497.966: step 198.342;
    // K/R5 524.288.
    const auto pf = loadCapacitance({{1000, 900, 800, 700, 2000}});
    ASSERT_TRUE(pf);
    EXPECT_NEAR(*pf, 2.6433, 1e-4);
    EXPECT_EQ(capacitanceText(*pf), "2.64 pF");
}

TEST(CapacitanceMath, NoStepOrNoCountGivesNoValue)
{
    EXPECT_FALSE(loadCapacitance({{1000, 1000, 1000, 1000, 2000}}));  // equal quotients
    EXPECT_FALSE(loadCapacitance({{700, 800, 900, 1000, 2000}}));     // negative step
    EXPECT_FALSE(loadCapacitance({{1000, 900, 800, 700, 0}}));        // no count
    EXPECT_FALSE(loadCapacitance({{0, 900, 800, 700, 2000}}));
}

TEST(CapacitanceMath, TextIsRoundedHalfToEvenInItsShortestForm)
{
    EXPECT_EQ(capacitanceText(8.0), "8 pF");
    EXPECT_EQ(capacitanceText(8.1), "8.1 pF");
    EXPECT_EQ(capacitanceText(13.0049), "13 pF");
    EXPECT_EQ(capacitanceText(0.0), "0 pF");
    // Exact binary halves: ties go to the even hundredth.
    EXPECT_EQ(capacitanceText(0.125), "0.12 pF");
    EXPECT_EQ(capacitanceText(0.375), "0.38 pF");
    EXPECT_EQ(capacitanceText(2.5), "2.5 pF");
    EXPECT_EQ(capacitanceText(1.999), "2 pF");
}

TEST(CapacitanceMath, RowLabelsFollowTheCheckBox)
{
    EXPECT_EQ(capacitanceRowLabel(0, false), "Cx0:");
    EXPECT_EQ(capacitanceRowLabel(1, false), "Cx1:");
    EXPECT_EQ(capacitanceRowLabel(2, false), "Cx0 & Cx1:");
    EXPECT_EQ(capacitanceRowLabel(2, true), "CH2:");
}

std::vector<std::uint8_t> registers(SessionRig& rig, std::uint8_t address, std::uint8_t count)
{
    std::vector<std::uint8_t> v;
    EXPECT_EQ(rig.session->ReadRegisters(address, count, v), 0);
    return v;
}

TEST(CapacitanceCalculation, DefaultModeFindsTheLoadsWithinThreePercent)
{
    const std::array<std::array<double, 2>, 3> loads{{{8.0, 5.0}, {12.0, 3.3}, {2.5, 9.0}}};
    for (const auto& load : loads) {
        sim::ToolConfig tool;
        tool.chip.rxLoadPf = load;
        SessionRig rig(tool);
        rig.startStreaming();
        TCapacitanceCalculation calc(*rig.session);
        std::vector<int> progress(3, -1);
        QObject::connect(&calc, &TCapacitanceCalculation::channelProgress,
                         [&](int n, int percent) { progress[static_cast<std::size_t>(n)] = percent; });
        const TCapacitanceResult r = calc.run(false);

        const double expected[3] = {load[0], load[1], load[0] + load[1]};
        ASSERT_TRUE(r.succeeded()) << rig.messageTexts().join('\n').toStdString();
        for (std::size_t n = 0; n < 3; ++n) {
            EXPECT_NEAR(*r.values[n], expected[n], 0.03 * expected[n])
                << "CH" << n << " with loads " << load[0] << " and " << load[1];
            EXPECT_TRUE(r.atiCompleted[n]);
            EXPECT_EQ(progress[n], 100);
        }
        EXPECT_TRUE(rig.hasMessage(engmsg::kCalcSuccess));
        // The window took the chip's settings afterwards and the stream goes on.
        EXPECT_EQ(rig.session->settingsWindow().statusNotice, "All settings updated from device");
        EXPECT_FALSE(rig.session->settingsWindow().FChanged);
        EXPECT_EQ(registers(rig, 0x51, 1)[0] & 0x02, 0) << "calibration capacitor left on";
        const int frames = rig.frames();
        rig.run(400);
        EXPECT_GT(rig.frames(), frames);
    }
}

TEST(CapacitanceCalculation, CurrentModePutsTheChipsSettingsBack)
{
    SessionRig rig;
    rig.startStreaming();
    // Settings of the user's own: a slower divider on CH1, the AC filter
    // disabled, the calibration capacitor's select bits set, and CH2 with its
    // ATI off and a compensation set by hand.
    auto write = [&](std::uint8_t a, std::uint8_t v) {
        const std::uint8_t b[2] = {a, v};
        ASSERT_EQ(rig.session->WriteRegisters(b), 0);
    };
    write(0x44, 0x23);
    write(0x50, 0x14);
    write(0x51, 0x0C);
    write(0x45, 0x10);  // CH2: ATI mode 0
    write(0x54, 0x40);
    write(0x57, 0x47);
    rig.run(300);
    const auto before40 = registers(rig, 0x40, 12);
    const auto before50 = registers(rig, 0x50, 8);

    TCapacitanceCalculation calc(*rig.session);
    const TCapacitanceResult r = calc.run(true);
    EXPECT_TRUE(r.currentSettings);
    rig.run(500);  // the closing ATI

    EXPECT_EQ(registers(rig, 0x40, 12), before40);
    const auto after50 = registers(rig, 0x50, 8);
    EXPECT_EQ(after50[0], before50[0]) << "AC filter bit already set stays set";
    EXPECT_EQ(after50[1], before50[1]);
    EXPECT_EQ(after50[4], before50[4]) << "hand-set compensation of CH2";
    EXPECT_EQ(after50[7], before50[7]);
    // The settings window holds what the chip holds.
    EXPECT_EQ(rig.session->Settings().previous(TSettingsGroup::PxsSetup)[4], 0x23);
    EXPECT_GT(*r.values[0], 0.0);
}

TEST(CapacitanceCalculation, CurrentModeClearsTheAcFilterBitItSet)
{
    SessionRig rig;
    rig.startStreaming();
    ASSERT_EQ(registers(rig, 0x50, 1)[0] & 0x10, 0);
    TCapacitanceCalculation calc(*rig.session);
    calc.run(true);
    EXPECT_EQ(registers(rig, 0x50, 1)[0] & 0x10, 0);
}

TEST(CapacitanceCalculation, AnAtiThatNeverEndsAndFlatCountsAreReportedPerChannel)
{
    SessionRig rig;
    rig.startStreaming();
    TCapacitanceCalculation calc(*rig.session);
    calc.setWaiter([](int) {});  // no chip time passes: the ATI stays busy
    const TCapacitanceResult r = calc.run(false);
    for (int n = 0; n < 3; ++n) {
        const QString ch = QString::number(n);
        EXPECT_TRUE(rig.hasMessage("Could not complete ATI for CH" + ch + " Capacitance Calculations"));
        EXPECT_TRUE(rig.hasMessage("Error calculating capacitance for CH" + ch));
        EXPECT_EQ(r.values[static_cast<std::size_t>(n)], 0.0);
    }
    EXPECT_FALSE(rig.hasMessage(engmsg::kCalcSuccess));
    EXPECT_FALSE(r.transferFailed);
}

TEST(CapacitanceCalculation, AChipThatStopsAnsweringEndsTheMeasurementWithOneError)
{
    SessionRig rig;
    rig.startStreaming();
    rig.backend.tool(rig.toolKey).setChipAnswering(false);
    const auto before = rig.session->messages().size();
    TCapacitanceCalculation calc(*rig.session);
    const TCapacitanceResult r = calc.run(false);
    EXPECT_TRUE(r.transferFailed);
    EXPECT_FALSE(r.values[0]);
    EXPECT_FALSE(r.succeeded());
    EXPECT_FALSE(calc.running());
    // One tool error for the measurement and one from the read of all settings.
    int errors = 0;
    for (auto i = before; i < rig.session->messages().size(); ++i)
        errors += rig.session->messages()[i].type == TMessageType::Error;
    EXPECT_LE(errors, 3);
    EXPECT_EQ(rig.session->settingsWindow().statusError, "Error reading all settings!");
}

TEST(CapacitanceCalculation, NeedsAPoweredChip)
{
    SessionRig rig;
    TCapacitanceCalculation calc(*rig.session);
    std::vector<QString> sent;
    QObject::connect(rig.session.get(), &TSession::commandSent,
                     [&](const QString& line) { sent.push_back(line); });
    const TCapacitanceResult r = calc.run(false);
    EXPECT_TRUE(r.transferFailed);
    EXPECT_TRUE(sent.empty());
    EXPECT_EQ(rig.messageTexts().back(), "Device power is off!");
}

}  // namespace
