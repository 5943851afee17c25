#include "MeasureRun.h"

#include "BarGraph.h"
#include "BarGraphPanel.h"
#include "ControlColumn.h"
#include "GuiPrompts.h"
#include "MainWindow.h"
#include "Session.h"
#include "SimBackend.h"

#include <QCommandLineParser>
#include <QPushButton>
#include <cstdio>

TMeasureRunCommandLine::TMeasureRunCommandLine(QCommandLineParser& parser)
    : FStart(QStringLiteral("start"),
             QStringLiteral("Press Start once a configuration tool is found.")),
      FLog(QStringLiteral("log"),
           QStringLiteral("After Start, write a data log with every column to <file>."),
           QStringLiteral("file")),
      FScope(QStringLiteral("scope"), QStringLiteral("Open the scope window at start-up.")),
      FQuitAfter(QStringLiteral("quit-after"),
                 QStringLiteral("Close the program <seconds> after streaming started (or after "
                                "start-up without --start)."),
                 QStringLiteral("seconds")),
      FStats(QStringLiteral("stats"),
             QStringLiteral("When closing, print the stream figures on standard output.")) 
{
    parser.addOptions({FStart, FLog, FScope, FQuitAfter, FStats});
}

bool TMeasureRunCommandLine::read(const QCommandLineParser& parser, TMeasureRunOptions& out,
                                  QString& error) const
{
    out.start = parser.isSet(FStart);
    out.logFile = parser.value(FLog);
    out.scope = parser.isSet(FScope);
    out.stats = parser.isSet(FStats);
    if (parser.isSet(FQuitAfter)) {
        bool ok = false;
        out.quitAfterSeconds = parser.value(FQuitAfter).toDouble(&ok);
        if (!ok || out.quitAfterSeconds <= 0 || out.quitAfterSeconds > 86400) {
            error = QStringLiteral("--quit-after needs a number of seconds from 0 to 86400");
            return false;
        }
    }
    if (!out.logFile.isEmpty())
        out.start = true;
    return true;
}

TMeasureRun::TMeasureRun(TMainForm& window, GuiPrompts* prompts,
                         std::shared_ptr<sim::SimBackend> simulation, TMeasureRunOptions options)
    : QObject(&window),
      FWindow(window),
      FPrompts(prompts),
      FSimulation(std::move(simulation)),
      FOptions(std::move(options))
{
    TSession& session = FWindow.session();
    if (FSimulation)
        FStats.simulatorCpu = [sim = FSimulation] { return sim->threadCpuSeconds(); };
    connect(&session, &TSession::frameHandled, this, [this](bool) { FStats.frame(); });
    connect(&session, &TSession::toolsChanged, this, &TMeasureRun::toolsChanged);
    FQuit.setSingleShot(true);
    FQuit.setTimerType(Qt::PreciseTimer);
    connect(&FQuit, &QTimer::timeout, this, &TMeasureRun::finish);

    if (FOptions.scope) {
        // From the event loop, once the main window is up: the scope opens over it.
        QTimer::singleShot(0, this, [this] {
            QPushButton* scope = FWindow.column()->ScopeButton;
            if (scope->isEnabled())
                scope->click();
            else
                std::fprintf(stderr, "mfs380a: this version has no scope window\n");
        });
    }
    if (FOptions.start) {
        toolsChanged();  // the tool may be there already
    } else {
        FStats.start(session.DevList().FramesMissed());
        FReplotsAtStart = FWindow.bars()->barGraph()->replotCount();
    FChecksAtStart = FWindow.bars()->barGraph()->replotChecks();
        if (FOptions.quitAfterSeconds > 0)
            FQuit.start(static_cast<int>(FOptions.quitAfterSeconds * 1000));
    }
}

void TMeasureRun::toolsChanged()
{
    if (!FOptions.start || FStarted || !FWindow.session().DevList().Connected())
        return;
    FStarted = true;
    // After the device-change handling, from the event loop.
    QTimer::singleShot(0, this, &TMeasureRun::startStreaming);
}

void TMeasureRun::startStreaming()
{
    TSession& session = FWindow.session();
    if (FPrompts)
        FPrompts->nextStartupChoice = TStartupChoice{TStartupChoice::TMode::Default, -1};
    FWindow.column()->StartButton->click();
    if (FPrompts)
        FPrompts->nextStartupChoice.reset();
    if (!session.state().FIsStreaming) {
        std::fprintf(stderr, "mfs380a: streaming did not start\n");
        return;
    }
    if (!FOptions.logFile.isEmpty()) {
        TLogSelection all;
        all.qrd = all.hall = all.metal = true;
        all.counts.fill(true);
        all.lta.fill(true);
        all.delta.fill(true);
        all.prox.fill(true);
        all.touch.fill(true);
        session.settingsWindow().logSelection = all;
        if (!session.StartLogTo(FOptions.logFile))
            std::fprintf(stderr, "mfs380a: cannot write the data log %s\n",
                         qPrintable(FOptions.logFile));
    }
    FStats.start(session.DevList().FramesMissed());
    FReplotsAtStart = FWindow.bars()->barGraph()->replotCount();
    FChecksAtStart = FWindow.bars()->barGraph()->replotChecks();
    if (FOptions.quitAfterSeconds > 0)
        FQuit.start(static_cast<int>(FOptions.quitAfterSeconds * 1000));
    if (FOptions.stats) {
        std::puts("streaming");  // tells a watching script that the measured time begins
        std::fflush(stdout);
    }
}

void TMeasureRun::finish()
{
    if (FOptions.stats) {
        const TStreamFigures figures = FStats.figures(FWindow.session().DevList().FramesMissed());
        const TBarGraph* bars = FWindow.bars()->barGraph();
        const auto perSecond = [&](std::uint64_t n) {
            return figures.seconds > 0 ? static_cast<double>(n) / figures.seconds : 0.0;
        };
        std::fputs(formatStreamFigures(figures).c_str(), stdout);
        // The bar timer's ticks (every 10 ms while the user-interface thread
        // keeps up) and the repaints, done on ticks after the bars changed.
        std::printf("bar graph timer ticks per second: %.1f\n"
                    "bar graph repaints per second: %.1f\n",
                    perSecond(bars->replotChecks() - FChecksAtStart),
                    perSecond(bars->replotCount() - FReplotsAtStart));
        std::fflush(stdout);
    }
    FWindow.close();
}
