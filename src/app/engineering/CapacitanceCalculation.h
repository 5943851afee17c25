#pragma once
// The load-capacitance calculation of the settings window, run on a powered
// (normally streaming) chip through the session's one-register transfers.
//
// Default mode soft-resets the chip, wires CH0 to RX0, CH1 to RX1 and CH2 to
// both, and measures each channel at a fixed divider, oscillator and ATI
// target; at the end the chip is soft-reset again. Current mode measures with
// the chip's own settings and writes them back at the end (the charge,
// engineering, compensation and multiplier bytes the calculation changes, and
// the AC filter bit), then redoes the ATI. Either way the window's settings
// are re-read from the chip (update all) before the run ends.
//
// The run blocks its caller; its waits go through the waiter, which a window
// sets to a wait that keeps repainting (ResponsiveWait).

#include "CapacitanceMath.h"

#include <QObject>
#include <array>
#include <functional>
#include <optional>

class TSession;

struct TCapacitanceResult {
    bool currentSettings = false;
    // A transfer failed and the measurement stopped there (the tool's error
    // is in the message list); channels not measured have no value.
    bool transferFailed = false;
    std::array<std::optional<double>, 3> values;  // pF; 0 when the step was not above 0
    std::array<TCapReadings, 3> readings{};
    std::array<bool, 3> atiCompleted{};
    // Every channel was measured with a result above 0.
    bool succeeded() const;
};

class TCapacitanceCalculation : public QObject {
    Q_OBJECT
public:
    static constexpr int kChannels = 3;
    using TWaiter = std::function<void(int ms)>;

    explicit TCapacitanceCalculation(TSession& session, QObject* parent = nullptr);

    // How the prescribed waits pass; the session's clock when not set.
    void setWaiter(TWaiter waiter) { FWaiter = std::move(waiter); }
    bool running() const { return FRunning; }
    const TCapacitanceResult& lastResult() const { return FResult; }

    // Runs the whole calculation; default mode unless currentSettings. A call
    // while a run is going on (from a nested wait) does nothing and returns
    // the last result.
    TCapacitanceResult run(bool currentSettings);

signals:
    void started(bool currentSettings);
    // Per channel, 0 to 100 as its pass advances.
    void channelProgress(int channel, int percent);
    void finished(const TCapacitanceResult& result);

private:
    class TTransfers;
    void measureChannel(TTransfers& t, int n, bool current);
    void wait(int ms);

    TSession& FSession;
    TWaiter FWaiter;
    bool FRunning = false;
    TCapacitanceResult FResult;
};
