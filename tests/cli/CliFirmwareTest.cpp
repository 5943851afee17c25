// mfs380a-cli's firmware commands against simulated tools and a stand-in
// firmware-update program that records how it was started.
#include "CliRun.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace {

using TRun = TCliRun;

const QStringList kThreeTools = {"--sim-tool", "0x108:0105:20:0B:S1", "--sim-tool",
                                 "107:0100:2:0C:S2", "--sim-tool", "104:0106:20:0B:S3"};

class CliFirmware : public ::testing::Test {
protected:
    void SetUp() override
    {
        updater = dir.filePath("Kelvan Flashkit");
        QDir().mkpath(updater);
        QDir().mkpath(dir.filePath("config/Kelvan"));
        write(dir.filePath("config/Kelvan/installed.ini"),
              "[Kelvan_Flashkit]\nInstall_Dir=" + updater.toUtf8() + "\n");
        write(updater + "/minver.ini", "[CT]\nHB110N=0106140B\nHB110A=0100020C\n");
    }
    void installProgram()
    {
        const QString program = updater + "/Kelvan Flashkit";
        write(program, "#!/bin/sh\nout=\"$(dirname \"$0\")/args.txt\"\n"
                       "{ pwd; for a in \"$@\"; do printf '<%s>\\n' \"$a\"; done; } > "
                       "\"$out.part\"\nmv \"$out.part\" \"$out\"\n");
        QFile::setPermissions(program, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    static void write(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
    }
    TRun cli(const QStringList& args)
    {
        QProcessEnvironment env = cliEnvironment(dir.filePath("data"));
        env.insert("XDG_CONFIG_HOME", dir.filePath("config"));
        env.insert("XDG_CONFIG_DIRS", dir.filePath("none"));
        return runCli(args, env);
    }
    QStringList recorded()
    {
        const QString path = updater + "/args.txt";
        QDeadlineTimer deadline(10000);
        while (!QFile::exists(path) && !deadline.hasExpired())
            QThread::msleep(20);
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts);
        f.remove();
        return lines;
    }

    QTemporaryDir dir;
    QString updater;
};

TEST_F(CliFirmware, ToolsCheckGivesEachToolItsVerdict)
{
    installProgram();
    const TRun r = cli(kThreeTools + QStringList{"tools", "--check"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.split('\n', Qt::SkipEmptyParts),
              QStringList({"0\tKelvan CT108 Configuration Tool\t0108\tS1\t01.05\t20\tBeta\t"
                           "Firmware is outdated!",
                           "1\tKelvan CT107 Configuration Tool\t0107\tS2\t01.00\t2\tCustomer\t"
                           "Firmware is up to date",
                           "2\tKelvan CT104 Configuration Tool\t0104\tS3\t01.06\t20\tBeta\t"
                           "Unsupported device"}));

    // Without the update program no tool can be judged; the notice comes once.
    QFile::remove(updater + "/Kelvan Flashkit");
    const TRun e = cli(kThreeTools + QStringList{"tools", "--check"});
    ASSERT_EQ(e.exitCode, 0) << e.err.toStdString();
    EXPECT_EQ(e.out.count("\tERROR\n"), 3);
    EXPECT_EQ(e.err.count("Error checking the Configuration Tool firmware!"), 1);
}

TEST_F(CliFirmware, UpdateStartsTheProgramWithExactArguments)
{
    installProgram();
    // The window's Update: no local file for the HB110, the stable release.
    TRun r = cli(kThreeTools + QStringList{"update-firmware", "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "Updating Firmware...\n");
    EXPECT_EQ(recorded(), QStringList({updater, "<Override>"}));

    // A firmware file with blanks, quotes and shell characters, for the tool chosen.
    const QString file = dir.filePath("fw \"new\" 'b' $(touch x); a.dfu");
    write(file, "dfu");
    r = cli(kThreeTools + QStringList{"--serial", "S2", "update-firmware", file, "--yes"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList args = recorded();
    ASSERT_EQ(args.size(), 3);
    EXPECT_EQ(args.mid(1), QStringList({"<" + file + ">", "<Y>"}));
    EXPECT_FALSE(QFile::exists(QDir(args[0]).filePath("x")));
}

TEST_F(CliFirmware, NothingStartsWithoutConsentOrProgram)
{
    installProgram();
    // No --yes and nobody answering: declined.
    TRun r = cli(kThreeTools + QStringList{"update-firmware", "--stable"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Are you sure you want to continue?"));
    QThread::msleep(300);
    EXPECT_FALSE(QFile::exists(updater + "/args.txt"));

    // The unknown model cannot be updated with Update.
    r = cli(kThreeTools + QStringList{"--serial", "S3", "update-firmware", "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Unsupported device")) << r.err.toStdString();

    // The update program missing.
    QFile::remove(updater + "/Kelvan Flashkit");
    r = cli(kThreeTools + QStringList{"update-firmware", "--stable", "--yes"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("firmware update program is not installed")) << r.err.toStdString();

    // Usage errors.
    EXPECT_EQ(cli({"--sim-tool", "0x108:0106:20", "tools"}).exitCode, 2);
    EXPECT_EQ(cli({"--sim-tool", "0x108:0106:256:0B", "tools"}).exitCode, 2);
    EXPECT_EQ(cli({"--simulate", "update-firmware", "--stable", "a.dfu"}).exitCode, 2);
    EXPECT_EQ(cli({"--simulate", "tools", "--bogus"}).exitCode, 2);
    EXPECT_EQ(cli({"--simulate", "update-firmware", dir.filePath("missing.dfu")}).exitCode, 3);
}

} // namespace
