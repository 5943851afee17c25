#include "StreamStats.h"

#include "HidReader.h"

#include <cstdio>
#include <sys/resource.h>

namespace {

double seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

}  // namespace

double TStreamStats::processCpuSeconds()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double TStreamStats::peakRssMiB()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // ru_maxrss is in KiB
}

void TStreamStats::start(std::uint64_t missedNow)
{
    running_ = true;
    frames_ = 0;
    missedAtStart_ = missedNow;
    cpuAtStart_ = processCpuSeconds();
    simulatorCpuAtStart_ = simulatorCpu ? simulatorCpu() : 0;
    handOverFullAtStart_ = HidReader::queueFullCount();
    startedAt_ = std::chrono::steady_clock::now();
}

TStreamFigures TStreamStats::figures(std::uint64_t missedNow) const
{
    TStreamFigures f;
    if (!running_)
        return f;
    f.framesReceived = frames_;
    f.framesLost = missedNow >= missedAtStart_ ? missedNow - missedAtStart_ : 0;
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - startedAt_).count();
    f.cpuSeconds = processCpuSeconds() - cpuAtStart_;
    if (simulatorCpu) {
        f.simulated = true;
        f.simulatorCpuSeconds = simulatorCpu() - simulatorCpuAtStart_;
    }
    f.peakRssMiB = peakRssMiB();
    f.readerRealtime = HidReader::realtimeGranted();
    f.handOverFull = HidReader::queueFullCount() - handOverFullAtStart_;
    return f;
}

std::string formatStreamFigures(const TStreamFigures& f)
{
    char text[768];
    int n = std::snprintf(text, sizeof text,
                          "frames received: %llu\n"
                          "frames lost: %llu\n"
                          "seconds: %.3f\n"
                          "frames per second: %.1f\n"
                          "cpu seconds: %.3f\n"
                          "cpu us per frame: %.2f\n",
                          static_cast<unsigned long long>(f.framesReceived),
                          static_cast<unsigned long long>(f.framesLost), f.seconds,
                          f.framesPerSecond(), f.cpuSeconds, f.cpuUsPerFrame());
    if (f.simulated && n > 0 && n < static_cast<int>(sizeof text))
        n += std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n),
                           "simulated tool cpu seconds: %.3f\n"
                           "cpu us per frame without the simulated tool: %.2f\n",
                           f.simulatorCpuSeconds, f.programCpuUsPerFrame());
    if (n > 0 && n < static_cast<int>(sizeof text))
        std::snprintf(text + n, sizeof text - static_cast<std::size_t>(n),
                      "peak rss MiB: %.1f\n"
                      "hid reader priority: %s\n"
                      "hand-over queue full: %llu\n",
                      f.peakRssMiB, f.readerRealtime ? "real-time" : "normal",
                      static_cast<unsigned long long>(f.handOverFull));
    return text;
}
