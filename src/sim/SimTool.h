#pragma once
// One simulated configuration tool with its chip: runs the firmware on each
// command report, runs the chip's cycles up to a given time, and applies the
// faults that tests and demos inject. Not thread safe: the owner (SimCore)
// serialises every call.

#include "SimChip.h"
#include "SimTypes.h"
#include "ToolFirmware.h"

#include <cstdint>
#include <vector>

namespace sim {

class SimTool {
public:
    SimTool(const ToolConfig& config, std::uint32_t seed);

    const ToolConfig& config() const { return config_; }

    // A command report written at time t; the reports it causes go to out.
    void write(const Report& report, std::int64_t t, std::vector<Report>& out);
    // Runs every chip cycle due up to t; streamed reports go to out.
    void runUntil(std::int64_t t, std::vector<Report>& out);
    // Time of the next chip event (SimChip::kNever when none).
    std::int64_t nextEventMs() const { return chip_.nextEventMs(); }

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

    ToolConfig config_;
    SimChip chip_;
    ToolFirmware firmware_;
    bool silent_ = false;
    int loseReports_ = 0;
};

}  // namespace sim
