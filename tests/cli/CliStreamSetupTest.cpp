// mfs380a-cli's stream set-up: the stream-table command, and stream with
// --select, --extra and --log-columns against the simulated tool.
#include "CliRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TRun = TCliRun;

TRun cli(const QStringList& args)
{
    static QTemporaryDir data; // preferences of the tests' own
    return runCli(args, cliEnvironment(data.path()));
}

} // namespace

TEST(CliStreamTable, DefaultSetUp)
{
    const TRun r = cli({"stream-table"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.lines(), QStringList({"length 32", "0 10", "12 20", "24 30", "30 F2",
                                      "SysFlagsStartIndex 3", "PTStartIndex 5", "SarStartIndex 6",
                                      "MetalStartIndex 7", "HallStartIndex 9", "TempStartIndex 12",
                                      "CSStartIndex 15", "LTAStartIndex 27", "QRDStartIndex 33"}));
}

TEST(CliStreamTable, SelectionMovesTheLaterBlocks)
{
    TRun r = cli({"stream-table", "--select", "counts"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList l = r.lines();
    EXPECT_EQ(l.mid(0, 4), QStringList({"length 26", "0 10", "12 20", "24 F2"}));
    EXPECT_TRUE(l.contains("CSStartIndex 15"));
    EXPECT_FALSE(l.contains("PTStartIndex 5")) << "prox and touch are off";
    EXPECT_TRUE(l.filter("LTAStartIndex").isEmpty());

    r = cli({"stream-table", "--select", "lta,pt"});
    ASSERT_EQ(r.exitCode, 0);
    l = r.lines();
    EXPECT_EQ(l.mid(0, 3), QStringList({"length 20", "0 10", "12 30"}));
    EXPECT_TRUE(l.contains("LTAStartIndex 15"));
    EXPECT_TRUE(l.filter("CSStartIndex").isEmpty());
}

TEST(CliStreamTable, DebugRowsAndExtraBars)
{
    const TRun r =
        cli({"stream-table", "--select", "counts", "--extra", "1F,40", "--bars", "20,17"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList l = r.lines();
    EXPECT_EQ(l.mid(0, 8), QStringList({"length 32", "0 10", "12 20", "24 F2", "26 1F", "27 40",
                                        "28 20", "30 17"}));
    EXPECT_EQ(l.mid(l.size() - 4),
              QStringList({"AdrStartIndexArray[0] 29", "AdrStartIndexArray[1] 30",
                           "AdrStartIndexArray[20] 31", "AdrStartIndexArray[21] 33"}));

    // Only the second bar.
    const TRun second = cli({"stream-table", "--select", "counts", "--bars", ",17"});
    ASSERT_EQ(second.exitCode, 0);
    EXPECT_EQ(second.lines().first(), "length 28");
    EXPECT_TRUE(second.lines().contains("AdrStartIndexArray[21] 29"));
}

TEST(CliStreamTable, BadInputIsAUsageError)
{
    const QList<QStringList> bad = {
        {"--extra", "zz"},  {"--extra", "00"},
        {"--extra", "1F,"}, {"--select", "counts,x"},
        {"--select", ""},   {"--bars", "1,2,3"},
        {"--bars", "1G"},   {"--frames", "3"},
        {"--select"},       {"--extra", "1,2,3,4,5,6,7,8,9,A,B,C,D,E,F,10,11,12,13,14,15"}};
    for (const QStringList& args : bad) {
        const TRun r = cli(QStringList{"stream-table"} + args);
        EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(r.out.isEmpty());
        EXPECT_FALSE(r.err.isEmpty());
    }
    const TRun empty = cli({"stream-table", "--select", ""});
    EXPECT_TRUE(empty.err.contains("At least 1 selection must be active in Streaming Setup!"));
}

TEST(CliStream, DebugRowsShowTheStreamedRegisters)
{
    // Register 0x10 is the system flags byte the line shows as flags=.
    const TRun r = cli({"--simulate", "stream", "--frames", "5", "--extra", "10,11"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.lines();
    ASSERT_EQ(lines.size(), 5);
    for (const QString& line : lines) {
        const QString flags = line.section("flags=", 1).left(2);
        const QString events = line.section("events=", 1).left(2);
        EXPECT_TRUE(line.endsWith(QStringLiteral(" dbg=10:%1,11:%2").arg(flags, events)))
            << line.toStdString();
    }
}

TEST(CliStream, LogColumnsAndTheBlocksTheyNeed)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("log.txt");
    // Counts are not selected; the log of count 0 switches them on.
    const TRun r = cli({"--simulate", "stream", "--frames", "12", "--select", "lta", "--log", log,
                        "--log-columns", "count0,lta0,md"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains("Some of the data you want to log is not currently enabled."));
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    ASSERT_GE(lines.size(), 4);
    EXPECT_EQ(lines[0],
              "Time Stamp\tTime Difference (ms)\tMetal Detect Value\tCount CH0\tLTA CH0\r");
    const QList<QByteArray> last = lines[lines.size() - 2].trimmed().split('\t');
    ASSERT_EQ(last.size(), 5);
    EXPECT_GT(last[3].toInt(), 0) << "counts are streamed";

    const TRun none =
        cli({"--simulate", "stream", "--frames", "3", "--log", log, "--log-columns", "qrd,hall"});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_TRUE(none.err.contains("Please select at least one logging option."));
    EXPECT_EQ(cli({"--simulate", "stream", "--log-columns", "count6"}).exitCode, 2);
}
