// What mfs380a-cli says about its results: the real program against the
// simulated tool, and the texts it builds.
#include "CliReports.h"
#include "CliRun.h"

#include "InstanceChannel.h"
#include "LiveChannelState.h"
#include "StreamTable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TRun = TCliRun;

// Preferences go to a folder of the tests' own; the program's message
// channel carries a name of its own, so no program of the user's answers.
QProcessEnvironment environment()
{
    static QTemporaryDir data;
    QProcessEnvironment env = cliEnvironment(data.path());
    env.insert("USER",
               QStringLiteral("cli-reports-test-%1").arg(QCoreApplication::applicationPid()));
    return env;
}

// The program runs while this process keeps its event loop turning (for the
// message channel's answers).
TRun cli(const QStringList& args)
{
    return runCli(args, environment(), 120000);
}

TEST(CliReports, ToolsWithoutAToolSaysSo)
{
    const TRun r = cli({"tools"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.out.isEmpty());
    EXPECT_TRUE(r.err.contains("no configuration tool found")) << r.err.toStdString();
}

TEST(CliReports, StatusAndCloseSayWhatTheAnswerMeans)
{
    InstanceServer server;
    const QString name =
        QStringLiteral("KelvanMFS380A-") + environment().value(QStringLiteral("USER"));
    ASSERT_TRUE(server.listen(name)) << server.errorString().toStdString();
    int closes = 0;
    QObject::connect(&server, &InstanceServer::closeRequested, [&] { ++closes; });
    TRun r = cli({"status"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "running\n");
    r = cli({"close"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.out, "closing\n");
    QCoreApplication::processEvents();
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(instanceAnswerText("status", 0), "not understood (answer 0)");
}

TEST(CliReports, StreamLineNamesItsFieldsAndEveryThinsIt)
{
    const TRun r = cli({"--simulate", "stream", "--frames", "6", "--every", "3"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("3 count0=")) << lines[0].toStdString();
    EXPECT_TRUE(lines[1].startsWith("6 count0="));
    for (const char* field : {" count5=", " lta3=", " delta0=", " delta3=", " prox0=", " prox3=",
                              " touch0=", " touch3=", " hall=", " temp=", " flags=", " events="})
        EXPECT_TRUE(lines[0].contains(QLatin1String(field))) << field;
}

TEST(CliReports, FrameLineShowsWhatTheWindowShows)
{
    TLiveChannelState s;
    s.FCurrentChs = {460, 510, 512, 1000, 512, 512};
    s.FLTAChs = {505, 510, 514, 1000, 0, 0};
    s.FProxBools = {true, false, false, false};
    s.FTouchBools = {false, false, true, false};
    TStreamLayout all;
    all.CSActive = all.LTAActive = all.PTActive = true;
    const QString line = frameLine(7, s, all);
    // The window's delta: the average minus the count.
    EXPECT_TRUE(line.contains(" delta0=45 ")) << line.toStdString();
    EXPECT_TRUE(line.contains(" delta2=2 "));
    EXPECT_TRUE(line.contains(" prox0=1 prox1=0 "));
    EXPECT_TRUE(line.contains(" touch2=1 "));

    TStreamLayout countsOnly;
    countsOnly.CSActive = true;
    countsOnly.LTAActive = countsOnly.PTActive = false;
    const QString partial = frameLine(1, s, countsOnly);
    EXPECT_TRUE(partial.contains(" count0=460 "));
    EXPECT_TRUE(partial.contains(" lta0=N/A "));
    EXPECT_TRUE(partial.contains(" delta0=N/A "));
    EXPECT_TRUE(partial.contains(" prox0=N/A "));
}

TEST(CliReports, LogInAMissingFolderIsRefusedBeforeStreaming)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("missing/log.txt");
    const TRun r = cli({"--simulate", "stream", "--frames", "3", "--log", log});
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.err.contains("the folder " + dir.filePath("missing") + " does not exist"))
        << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("Unable to save log file")) << r.err.toStdString();
}

TEST(CliReports, MissingOrUnreadableSettingsFileSaysTheSameEverywhere)
{
    QTemporaryDir dir;
    for (const QString& file : {dir.filePath("missing.ini"), dir.path()}) {
        const TRun apply = cli({"--simulate", "apply", file});
        const TRun header = cli({"export-header", file});
        EXPECT_EQ(apply.exitCode, 3);
        EXPECT_EQ(header.exitCode, 3);
        EXPECT_TRUE(apply.err.startsWith("mfs380a-cli: cannot read the settings file " + file))
            << apply.err.toStdString();
        EXPECT_EQ(apply.err, header.err);
    }
}

TEST(CliReports, ApplyListsWhatItWrote)
{
    const TRun r =
        cli({"--simulate", "apply", QStringLiteral(MFS_SHIPPED_DIR "/MFS380_INDUCTIVE.ini")});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith("Applied ")) << r.out.toStdString();
    EXPECT_TRUE(lines.contains("  Metal Detect setup updated")) << r.out.toStdString();
    EXPECT_EQ(lines.last(), "  Settings loaded successfully");
    EXPECT_FALSE(lines.contains("  Device powered on"));
}

} // namespace
