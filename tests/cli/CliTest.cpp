// mfs380a-cli as a user runs it: the real program against the simulated tool.
#include "CliRun.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TRun = TCliRun;

// Preferences go to a folder of the tests' own, never the user's.
QProcessEnvironment testEnvironment()
{
    static QTemporaryDir data;
    return cliEnvironment(data.path());
}

TRun cli(const QStringList& args, int timeoutMs = 60000)
{
    return runCli(args, testEnvironment(), timeoutMs);
}

TEST(Cli, StreamPrintsOneLinePerFrame)
{
    const TRun r = cli({"--simulate", "stream", "--frames", "100"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 100);
    EXPECT_TRUE(lines.first().startsWith("1 count0="));
    EXPECT_TRUE(lines.last().startsWith("100 count0="));

    // Frames come in batches at a stress rate: still exactly N lines.
    const TRun fast = cli({"--simulate", "--sim-rate", "8000", "stream", "--frames", "50"});
    ASSERT_EQ(fast.exitCode, 0) << fast.err.toStdString();
    EXPECT_EQ(fast.out.split('\n', Qt::SkipEmptyParts).size(), 50);
}

TEST(Cli, StreamWritesTheDataLogEveryNthFrame)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("log.txt");
    const TRun r = cli({"--simulate", "stream", "--frames", "20", "--log", log, "--every", "5"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_EQ(lines.size(), 6);  // header, four lines, empty tail
    EXPECT_TRUE(lines[0].startsWith("Time Stamp\tTime Difference (ms)\tSAR Quick Release\tHall "
                                    "Value\tMetal Detect Value\tCount CH0"));
    EXPECT_EQ(lines[1].split('\t')[1], "-");
    EXPECT_EQ(lines[1].split('\t').size(), lines[0].split('\t').size());
}

// "name: value" lines of --stats.
QMap<QString, QString> figures(const QString& out)
{
    QMap<QString, QString> f;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(": ");
        if (colon > 0)
            f.insert(line.left(colon), line.mid(colon + 2));
    }
    return f;
}

TEST(Cli, StreamAtAStressRatePrintsOnlyItsFigures)
{
    // At the chip's own cycle 400 frames would take more than six seconds.
    const TRun r =
        cli({"--simulate", "--sim-rate", "2000", "stream", "--frames", "400", "--quiet", "--stats"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_FALSE(r.out.contains("count0=")) << "no line per frame";
    const auto f = figures(r.out);
    for (const char* name : {"frames received", "frames lost", "seconds", "frames per second",
                             "cpu seconds", "cpu us per frame", "simulated tool cpu seconds",
                             "cpu us per frame without the simulated tool", "peak rss MiB",
                             "hid reader priority", "hand-over queue full"})
        EXPECT_TRUE(f.contains(name)) << name << " in\n" << r.out.toStdString();
    EXPECT_EQ(f.value("frames received").toInt(), 400);
    EXPECT_GT(f.value("frames per second").toDouble(), 200.0);
    EXPECT_GT(f.value("cpu seconds").toDouble(), 0.0);
    EXPECT_GT(f.value("peak rss MiB").toDouble(), 1.0);
}

TEST(Cli, ReadSettingsSavedFileExportsItsHeader)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("chip.ini");
    const QString header = dir.filePath("out.h");
    TRun r = cli({"--simulate", "read-settings", "-o", ini});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    // The register values as the saved file holds them (section "PXSSetup").
    QStringList pxs;
    {
        QFile saved(ini);
        ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
        bool inSection = false;
        for (const QByteArray& raw : saved.readAll().split('\n')) {
            const QString line = QString::fromLatin1(raw).trimmed();
            if (line.startsWith('['))
                inSection = line == "[PXSSetup]";
            else if (inSection && line.startsWith("Setting"))
                pxs << line.section('=', 1);
        }
    }
    ASSERT_EQ(pxs.size(), 20);

    r = cli({"export-header", ini, "-o", header});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile f(header);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    EXPECT_TRUE(text.startsWith("/*\n* This file contains all the necessary settings for the "
                                "MFS380A and this file can\n"));
    EXPECT_TRUE(text.contains(("#define PXS_SETTINGS0_0\t\t\t\t\t\t0x" + pxs[0] + "\r\n").toLatin1()));
    EXPECT_TRUE(text.contains(("#define PXS_SETTINGS1_7\t\t\t\t\t\t0x" + pxs[19] + "\r\n").toLatin1()));
    EXPECT_TRUE(text.endsWith("#endif\t/* MFS380A_INIT_H */\r\n"));

    // The default output name lands in the working folder.
    QProcess p;
    p.setProcessEnvironment(testEnvironment());
    p.setWorkingDirectory(dir.path());
    p.start(QStringLiteral(MFS_CLI_PATH), {"export-header", ini});
    ASSERT_TRUE(p.waitForFinished(30000));
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(QFile::exists(dir.filePath("MFS380A_Init.h")));
}

TEST(Cli, RegisterWriteAndReadBack)
{
    // Each run powers the chip afresh, so a written value reads back only
    // from registers the chip keeps; the version bytes are fixed.
    TRun r = cli({"--simulate", "read", "0", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), "3C 02 01");
    r = cli({"--simulate", "write", "60", "0A", "10"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    r = cli({"--simulate", "--sim-address", "4D", "read", "0"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out.trimmed(), "3C");
}

TEST(Cli, ToolsAndFirmware)
{
    TRun r = cli({"--simulate", "tools"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "0\tKelvan CT108 Configuration Tool\t2E5B\t0108\tSIM0001\n");
    r = cli({"--simulate", "firmware"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, "Firmware: 01.06\nBuild: 20\nRelease: Beta\nTool ID: 0\n");
    // read-settings prints one line per settings group, in file order.
    r = cli({"--simulate", "read-settings"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList groups = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(groups.size(), 8);
    EXPECT_TRUE(groups[0].startsWith("DevSetup:"));
    EXPECT_EQ(groups[6].split(' ', Qt::SkipEmptyParts).size(), 21);  // "PXSSetup:" + 20 bytes
    r = cli({"--simulate", "--serial", "NOPE", "firmware"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("NOPE"));
}

TEST(Cli, ExitStatusesOfBadInput)
{
    struct TCase {
        QStringList args;
        int exit;
        const char* says;
    };
    QTemporaryDir dir;
    const QString other = dir.filePath("other.ini");
    {
        QFile f(other);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[IC]\r\nDevice=MFS240\r\n");
    }
    // A NUL byte used to cut the file short: zeros applied, success reported.
    const QString nul = dir.filePath("nul.ini");
    {
        QFile f(nul);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray("[IC]\r\nDevice=MFS380A\r\n\0[PXSUi]\r\nSetting0=20\r\n", 44));
    }
    const TCase cases[] = {
        {{"error-text", "0x0201"}, 0, ""},
        {{"error-text", "12"}, 0, ""},
        {{"error-text", "bogus"}, 2, "CODE"},
        {{}, 2, "no command"},
        {{"frobnicate"}, 2, "unknown command"},
        {{"--nope", "tools"}, 2, "unknown option"},
        {{"--simulate", "read", "zz"}, 2, "read needs"},
        {{"--simulate", "read", "F0", "20"}, 2, "COUNT"},
        {{"--simulate", "write", "60"}, 2, "write needs"},
        {{"--simulate", "stream", "--frames", "0"}, 2, "bad value"},
        {{"--sim-address", "zz", "tools"}, 2, "--sim-address"},
        {{"--simulate", "--sim-rate", "0", "tools"}, 2, "--sim-rate"},
        {{"--simulate", "--sim-rate", "200001", "tools"}, 2, "--sim-rate"},
        {{"--sim-rate", "1000", "tools"}, 2, "--sim-rate needs --simulate"},
        {{"--simulate", "apply", dir.filePath("missing.ini")}, 3, "cannot read"},
        {{"export-header", dir.filePath("missing.ini")}, 3, "cannot read"},
        {{"export-header", other}, 3, "invalid or meant for a different device"},
        {{"--simulate", "apply", other}, 3, "Invalid settings file selected!"},
        {{"--simulate", "apply", nul}, 3, "Error loading settings!"},
        {{"export-header", nul}, 3, "not a text file"},
        {{"--simulate", "--sim-address", "30", "read", "0"}, 1, "does not answer"},
    };
    for (const TCase& c : cases) {
        const TRun r = cli(c.args);
        EXPECT_EQ(r.exitCode, c.exit) << c.args.join(' ').toStdString() << "\n"
                                      << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromLatin1(c.says)))
            << c.args.join(' ').toStdString() << ": " << r.err.toStdString();
    }
    EXPECT_EQ(cli({"error-text", "0x0201"}).out, "DUT Voltage invalid\n");
    EXPECT_EQ(cli({"error-text", "12"}).out, "USB hardware not responding\n");
}

// Bits no control owns (the Hall force-calibration bit, the written-0 bits)
// and values out of a field's range reach the header as the program itself
// would export them after loading the file.
TEST(Cli, ExportHeaderExportsWhatTheProgramWould)
{
    QTemporaryDir dir;
    const QString ini = dir.filePath("raw.ini");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[IC]\r\nDevice=MFS380A\r\n"
                "[Hall]\r\nSetting4=CC\r\nSetting5=00\r\n"  // 0xA0 bits 7 and 3; threshold 0
                "[PXSSetup]\r\nSetting9=FF\r\n"               // 0x49 bit 0 is written 0
                "[PXSUi]\r\nSetting0=00\r\nSetting1=FF\r\n"  // prox threshold 1 to 255
                "[RRT]\r\nSetting8=FF\r\nSetting7=A5\r\n"); // reseed bits 7:3; I2C byte kept
    }
    const QString header = dir.filePath("out.h");
    const TRun r = cli({"export-header", ini, "-o", header});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QFile f(header);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    for (const char* line : {"#define HALL_UI_SETTINGS_0\t\t\t\t\t0x44\r\n",
                             "#define HALL_UI_SETTINGS_1\t\t\t\t\t0x01\r\n",
                             "#define PXS_SETTINGS0_9\t\t\t\t\t\t0xFE\r\n",
                             "#define PXS_UI_SETTINGS_0\t\t\t\t\t0x01\r\n",
                             "#define PXS_UI_SETTINGS_1\t\t\t\t\t0xFF\r\n",
                             "#define I2C_SETTINGS\t\t\t\t\t\t0xA5\r\n",
                             "#define CH_RESEED_ENABLE\t\t\t\t\t0x07\r\n"})
        EXPECT_TRUE(text.contains(line)) << line << "\n" << text.toStdString();
}

TEST(Cli, NumberArgumentsOutOfRangeAreUsageErrors)
{
    for (const QStringList& args :
         {QStringList{"--frames", "10000001"}, {"--frames", "99999999999"}, {"--frames", "-5"},
          {"--seconds", "nan"}, {"--seconds", "inf"}, {"--seconds", "-inf"},
          {"--seconds", "1e300"}, {"--seconds", "0"}, {"--seconds", "3000000"},
          {"--every", "101"}, {"--every", "0"}}) {
        const TRun r = cli(QStringList{"--simulate", "stream"} + args, 20000);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString() << ": " << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(args[0])) << r.err.toStdString();
    }
    const TRun r = cli({"--simulate", "stream", "--seconds", "0.3"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
}

TEST(Cli, HelpListsEveryCommand)
{
    const TRun r = cli({"--help"});
    ASSERT_EQ(r.exitCode, 0);
    for (const char* c : {"tools", "firmware", "error-text", "read ADDR", "write ADDR",
                          "read-settings", "apply FILE.ini", "export-header", "stream", "status",
                          "close", "--simulate", "--sim-address", "--sim-rate", "--serial",
                          "--quiet", "--stats"})
        EXPECT_TRUE(r.out.contains(QString::fromLatin1(c))) << c;
}

}  // namespace
