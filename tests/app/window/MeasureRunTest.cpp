// Unattended runs of the program: options, and a run that starts streaming,
// logs, opens the scope and closes the window on its own.
#include "ControlColumn.h"
#include "MainWindow.h"
#include "MeasureRun.h"
#include "ScopeForm.h"
#include "Session.h"
#include "SessionRig.h"

#include <QCommandLineParser>
#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

namespace {

bool parse(const QStringList& args, TMeasureRunOptions& out, QString& error)
{
    QCommandLineParser parser;
    const TMeasureRunCommandLine options(parser);
    if (!parser.parse(QStringList{"mfs380a"} + args)) {
        error = parser.errorText();
        return false;
    }
    return options.read(parser, out, error);
}

TEST(MeasureRun, CommandLine)
{
    TMeasureRunOptions o;
    QString error;
    ASSERT_TRUE(parse({}, o, error));
    EXPECT_FALSE(o.any()) << "a plain start is not a measuring run";
    ASSERT_TRUE(parse({"--log", "/tmp/x.txt", "--scope", "--quit-after", "2.5", "--stats"}, o,
                      error));
    EXPECT_TRUE(o.start) << "a log needs the stream";
    EXPECT_EQ(o.logFile, "/tmp/x.txt");
    EXPECT_TRUE(o.scope);
    EXPECT_DOUBLE_EQ(o.quitAfterSeconds, 2.5);
    EXPECT_TRUE(o.stats);
    for (const char* bad : {"0", "-1", "soon"}) {
        TMeasureRunOptions b;
        EXPECT_FALSE(parse({"--quit-after", bad}, b, error)) << bad;
        EXPECT_TRUE(error.contains("--quit-after")) << error.toStdString();
    }
}

TEST(MeasureRun, StartsLogsOpensTheScopeAndCloses)
{
    SessionRig rig;
    TMainForm window(*rig.session, nullptr);
    window.show();
    const QString log = rig.dir.filePath("measure-log.txt");
    TMeasureRunOptions o;
    o.start = true;
    o.logFile = log;
    o.scope = true;
    o.quitAfterSeconds = 0.3;
    auto* run = new TMeasureRun(window, nullptr, nullptr, o);  // owned by the window
    EXPECT_EQ(run->parent(), &window);

    QTest::qWait(20);  // the scope opens and Start is pressed from the event loop
    EXPECT_TRUE(window.scopeForm()->isVisible());
    rig.run(300);
    EXPECT_TRUE(rig.session->state().FIsStreaming);
    EXPECT_TRUE(rig.session->state().FDoLog);
    const TLogSelection& logged = rig.session->settingsWindow().logSelection;
    EXPECT_TRUE(logged.counts[5] && logged.lta[2] && logged.touch[2]) << "every column";

    QTRY_VERIFY_WITH_TIMEOUT(!window.isVisible(), 5000);
    EXPECT_TRUE(rig.session->state().FClosing);
    EXPECT_FALSE(rig.session->state().FDoLog) << "closing stops the log";
    QFile f(log);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_GT(f.readAll().count('\n'), 2);
}

}  // namespace
