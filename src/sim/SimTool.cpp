#include "SimTool.h"

namespace sim {

SimTool::SimTool(const ToolConfig& config, std::uint32_t seed)
    : config_(config), chip_(config.chip, seed), firmware_(chip_, config_)
{
    chip_.environment().fingerCycle = config.fingerCycle;
}

void SimTool::deliver(std::vector<Report>& produced, std::vector<Report>& out)
{
    for (const Report& report : produced) {
        if (silent_)
            continue;
        if (loseReports_ > 0 && (report[1] & 0x0F) == 0x0F) {
            --loseReports_;  // lost on the way to the PC
            continue;
        }
        out.push_back(report);
    }
    produced.clear();
}

void SimTool::write(const Report& report, std::int64_t t, std::vector<Report>& out)
{
    std::vector<Report> produced;
    if (!silent_)
        firmware_.command(report, t, produced);
    deliver(produced, out);
}

void SimTool::runUntil(std::int64_t t, std::vector<Report>& out)
{
    std::vector<Report> produced;
    for (std::int64_t next = chip_.nextEventMs(); next <= t; next = chip_.nextEventMs()) {
        if (chip_.runAt(next) && !silent_)
            firmware_.chipReady(next, produced);
    }
    chip_.settle(t);
    deliver(produced, out);
}

void SimTool::restartAfterDfu()
{
    firmware_.reset();
    if (config_.firmwareAfterDfu) {
        config_.firmware = *config_.firmwareAfterDfu;
        firmware_.setFirmware(config_.firmware);
    }
}

}  // namespace sim
