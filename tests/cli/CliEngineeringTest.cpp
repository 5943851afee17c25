// The engineering commands of mfs380a-cli against the simulated tool.
#include "CliRun.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TRun = TCliRun;

TRun cli(const QStringList& args)
{
    static QTemporaryDir data; // preferences of the tests' own
    return runCli(args, cliEnvironment(data.path()));
}

// "Cx0: 8.01 pF" -> 8.01
double picofarads(const QString& line, const QString& label)
{
    const QRegularExpression re('^' + QRegularExpression::escape(label) + R"( (\d+(\.\d+)?) pF$)");
    const auto m = re.match(line);
    EXPECT_TRUE(m.hasMatch()) << line.toStdString();
    return m.captured(1).toDouble();
}

TEST(CliEngineering, CapacitanceFindsTheSimulatedLoads)
{
    // Loads large enough that the simulated finger hardly moves them.
    TRun r = cli({"--simulate", "--sim-load", "20,12.5", "capacitance"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines().size(), 3);
    EXPECT_NEAR(picofarads(r.lines()[0], "Cx0:"), 20.0, 0.6);
    EXPECT_NEAR(picofarads(r.lines()[1], "Cx1:"), 12.5, 0.375);
    EXPECT_NEAR(picofarads(r.lines()[2], "Cx0 & Cx1:"), 32.5, 0.975);

    r = cli({"--simulate", "capacitance", "--current"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    ASSERT_EQ(r.lines().size(), 3);
    EXPECT_TRUE(r.lines()[2].startsWith("CH2: "));
}

TEST(CliEngineering, OtpAddressFindsAndProgramsTheAddress)
{
    TRun r = cli({"--simulate", "--sim-address", "4E", "otp-address"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), QStringList{"4E"});

    r = cli({"--simulate", "otp-address", "--write", "4D", "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.lines().contains("OTP Write Successful"));
    EXPECT_EQ(r.lines().last(), "4D");
    EXPECT_TRUE(r.err.contains("I2C Address change successful."));

    // Not confirmed, not a listed address: refused before any tool is touched.
    EXPECT_EQ(cli({"--simulate", "otp-address", "--write", "4D"}).exitCode, 2);
    EXPECT_EQ(cli({"--simulate", "otp-address", "--write", "48", "--yes"}).exitCode, 2);
}

TEST(CliEngineering, IndirectAccessAndArguments)
{
    TRun r = cli({"--simulate", "read-indirect", "00"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), QStringList{"3C"});  // the version's product number
    EXPECT_EQ(cli({"--simulate", "write-indirect", "20", "5A"}).exitCode, 0);
    EXPECT_EQ(cli({"--simulate", "write-indirect", "20"}).exitCode, 2);
    EXPECT_EQ(cli({"--simulate", "read-indirect", "1G"}).exitCode, 2);
    EXPECT_EQ(cli({"--simulate", "--sim-load", "8", "capacitance"}).exitCode, 2);
    EXPECT_EQ(cli({"--simulate", "--sim-load", "8,-1", "capacitance"}).exitCode, 2);
}

}  // namespace
