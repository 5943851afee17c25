#pragma once
// One simulated configuration tool with its chip: runs the firmware on each
// command report, runs the chip's cycles up to a given time, and applies the
// faults that tests and demos inject. Not thread safe: the owner (SimCore)
// serialises every call.
//
// Times are in microseconds. The chip cycles on whole milliseconds; with a
// stress rate the frames go out on their own schedule: frame k (from 1) of
// a stream at start + k x 1,000,000 / rate, without drift.

#include "SimChip.h"
#include "SimTypes.h"
#include "ToolFirmware.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace sim {

class SimTool {
public:
    SimTool(const ToolConfig& config, std::uint32_t seed);

    const ToolConfig& config() const { return config_; }

    // A command report written at time tUs; the reports it causes go to out.
    void write(const Report& report, std::int64_t tUs, std::vector<Report>& out);
    // Runs every chip cycle and stress frame due up to tUs; streamed reports
    // go to out.
    void runUntil(std::int64_t tUs, std::vector<Report>& out);
    // Time of the next chip event or stress frame (SimChip::kNever when none).
    std::int64_t nextEventUs() const { return std::min(nextChipEventUs(), nextStressFrameUs()); }
    std::int64_t nextChipEventUs() const;
    std::int64_t nextStressFrameUs() const;

    // Stress rate in frames per second (0: the chip's cycle); a stream that
    // runs restarts its schedule at tUs.
    void setStreamRate(std::uint32_t hz, std::int64_t tUs);
    std::uint32_t streamRate() const { return rateHz_; }

    // EnterDFU: the firmware asked to leave the bus.
    bool takeDfuRequest() { return firmware_.takeDfuRequest(); }
    // Back from the firmware loader: firmware restarted, chip unpowered.
    void restartAfterDfu();
    // The firmware the tool runs once it is back from its firmware loader.
    void setFirmwareAfterDfu(const FirmwareVersion& firmware) { config_.firmwareAfterDfu = firmware; }

    // Faults.
    void setSilent(bool silent) { silent_ = silent; }
    bool silent() const { return silent_; }
    void loseStreamReports(int count) { loseReports_ += count; }

    SimChip& chip() { return chip_; }
    const SimChip& chip() const { return chip_; }
    ToolFirmware& firmware() { return firmware_; }
    const ToolFirmware& firmware() const { return firmware_; }

private:
    void deliver(std::vector<Report>& produced, std::vector<Report>& out);
    // Starts or ends the stress schedule when streaming started or ended.
    void followStreaming(std::int64_t tUs);
    std::int64_t stressDueUs() const;

    ToolConfig config_;
    SimChip chip_;
    ToolFirmware firmware_;
    bool silent_ = false;
    int loseReports_ = 0;
    std::uint32_t rateHz_ = 0;
    bool stressing_ = false;
    std::int64_t stressStartUs_ = 0;
    std::int64_t stressIndex_ = 0;  // frames of this schedule sent so far
    std::vector<Report> produced_;
};

}  // namespace sim
