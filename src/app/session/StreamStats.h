#pragma once
// Figures of one streaming run, for measurements: frames handled, frames the
// counter check found missing, wall-clock and CPU time of the whole process
// over the run, and the process's peak resident memory. Plain C++ (POSIX
// getrusage).

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

struct TStreamFigures {
    std::uint64_t framesReceived = 0;
    std::uint64_t framesLost = 0;
    double seconds = 0;
    double cpuSeconds = 0;  // user + system, every thread of the process
    // Of cpuSeconds, the simulated tool's thread (it stands in for the tool,
    // the USB bus and the kernel's driver); 0 with a real tool.
    double simulatorCpuSeconds = 0;
    bool simulated = false;
    double peakRssMiB = 0;
    bool readerRealtime = false;  // the HID reader ran at a real-time priority
    // Times the HID reader's hand-over queue was full: the user-interface
    // thread fell behind (losses without it: the reader itself was late).
    std::uint64_t handOverFull = 0;

    double framesPerSecond() const { return seconds > 0 ? framesReceived / seconds : 0; }
    double cpuUsPerFrame() const { return perFrameUs(cpuSeconds); }
    double programCpuUsPerFrame() const { return perFrameUs(cpuSeconds - simulatorCpuSeconds); }
    double perFrameUs(double cpu) const
    {
        return framesReceived > 0 ? cpu * 1e6 / static_cast<double>(framesReceived) : 0;
    }
};

class TStreamStats {
public:
    // CPU seconds of the simulated tool's thread so far, when simulated.
    std::function<double()> simulatorCpu;

    // Starts a run; missedNow is the engine's missed-frame count at this moment.
    void start(std::uint64_t missedNow);
    void frame() { ++frames_; }
    bool running() const { return running_; }
    // The figures from the start to now.
    TStreamFigures figures(std::uint64_t missedNow) const;

    // CPU seconds the process has used so far; its peak resident memory in MiB.
    static double processCpuSeconds();
    static double peakRssMiB();

private:
    bool running_ = false;
    std::uint64_t frames_ = 0;
    std::uint64_t missedAtStart_ = 0;
    double cpuAtStart_ = 0;
    double simulatorCpuAtStart_ = 0;
    std::uint64_t handOverFullAtStart_ = 0;
    std::chrono::steady_clock::time_point startedAt_;
};

// One "name: value" line per figure, for people and scripts.
std::string formatStreamFigures(const TStreamFigures& figures);
