#pragma once
// One run of mfs380a-cli: the session without windows, driven by one command.

#include "CliOptions.h"
#include "CliPrompts.h"
#include "CliStreamSetup.h"
#include "Session.h"

#include <QObject>
#include <memory>

class QtUiDispatcher;
namespace sim {
class SimBackend;
}

class CliApp {
public:
    explicit CliApp(TCliOptions options);
    ~CliApp();
    // Runs the command; returns the exit status.
    int run();

private:
    int usage(const QString& message);
    int checkArguments();
    bool openSession();
    // Powers the chip and finds its I2C address.
    bool prepareChip();
    void powerOff();

    int cmdErrorText();
    int cmdExportHeader();
    int cmdInstance();
    int cmdTools();
    int cmdFirmware();
    int cmdRead();
    int cmdWrite();
    int cmdReadSettings();
    int cmdApply();
    int cmdStream();

    TCliOptions FOptions;
    CliPrompts FPrompts;
    std::unique_ptr<QObject> FContext;
    std::unique_ptr<QtUiDispatcher> FDispatcher;
    std::shared_ptr<hid::Backend> FBackend;
    std::shared_ptr<sim::SimBackend> FSimulation;  // when simulated
    std::unique_ptr<TSession> FSession;
    int FErrors = 0;
    QString FLastError;
    int FFrames = 0;
    double FSeconds = 0;
    QString FLogFile;
    int FEvery = 1;
    TCliStreamSetup FStreamSetup;
    bool FQuiet = false;  // no line per frame
    bool FStats = false;  // the run's figures at the end
};
