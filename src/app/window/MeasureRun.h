#pragma once
// Unattended runs of the program, for measurements (scripts/measure-throughput):
// once the first configuration tool is found it presses Start with the default
// start-up, starts a data log with every column, opens the scope window, and
// after the given time prints the run's figures on standard output and closes
// the main window. Nothing of this runs unless asked for on the command line.

#include "StreamStats.h"

#include <QCommandLineOption>
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class GuiPrompts;
class QCommandLineParser;
class TMainForm;
namespace sim {
class SimBackend;
}

struct TMeasureRunOptions {
    bool start = false;           // --start
    QString logFile;              // --log FILE (implies --start)
    bool scope = false;           // --scope
    double quitAfterSeconds = 0;  // --quit-after SECONDS
    bool stats = false;           // --stats
    bool any() const { return start || !logFile.isEmpty() || scope || quitAfterSeconds > 0 || stats; }
};

// The command-line options of an unattended run.
class TMeasureRunCommandLine {
public:
    // Adds the options to the parser.
    explicit TMeasureRunCommandLine(QCommandLineParser& parser);
    // The options given; false with error set when a value is bad.
    bool read(const QCommandLineParser& parser, TMeasureRunOptions& out, QString& error) const;

private:
    QCommandLineOption FStart;
    QCommandLineOption FLog;
    QCommandLineOption FScope;
    QCommandLineOption FQuitAfter;
    QCommandLineOption FStats;
};

class TMeasureRun : public QObject {
public:
    // prompts: the dialogs whose start-up question Start answers with the
    // default start-up (null when the session's prompts answer by themselves).
    // simulation: the simulated tools, for their thread's CPU time (or null).
    TMeasureRun(TMainForm& window, GuiPrompts* prompts,
                std::shared_ptr<sim::SimBackend> simulation, TMeasureRunOptions options);

private:
    void toolsChanged();
    void startStreaming();
    void finish();

    TMainForm& FWindow;
    GuiPrompts* FPrompts;
    std::shared_ptr<sim::SimBackend> FSimulation;
    TMeasureRunOptions FOptions;
    bool FStarted = false;
    TStreamStats FStats;
    std::uint64_t FReplotsAtStart = 0;
    std::uint64_t FChecksAtStart = 0;
    QTimer FQuit;
};
