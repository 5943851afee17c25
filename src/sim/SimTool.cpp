#include "SimTool.h"

#include <algorithm>

namespace sim {

namespace {

constexpr std::int64_t kNever = SimChip::kNever;

std::int64_t msToUs(std::int64_t ms)
{
    return ms >= kNever / 1000 ? kNever : ms * 1000;
}

}  // namespace

SimTool::SimTool(const ToolConfig& config, std::uint32_t seed)
    : config_(config), chip_(config.chip, seed), firmware_(chip_, config_)
{
    chip_.environment().fingerCycle = config.fingerCycle;
    rateHz_ = std::min(config.streamRateHz, kMaxStreamRateHz);
}

void SimTool::setStreamRate(std::uint32_t hz, std::int64_t tUs)
{
    rateHz_ = std::min(hz, kMaxStreamRateHz);
    stressing_ = false;
    followStreaming(tUs);
}

void SimTool::followStreaming(std::int64_t tUs)
{
    const bool on = rateHz_ > 0 && firmware_.streaming();
    if (on && !stressing_) {
        stressStartUs_ = tUs;
        stressIndex_ = 0;
    }
    stressing_ = on;
}

std::int64_t SimTool::stressDueUs() const
{
    // The first frame one period after the start; exact to the microsecond,
    // so no rounding error adds up over a long run.
    return stressStartUs_ + (stressIndex_ + 1) * 1'000'000 / static_cast<std::int64_t>(rateHz_);
}

std::int64_t SimTool::nextChipEventUs() const
{
    return msToUs(chip_.nextEventMs());
}

std::int64_t SimTool::nextStressFrameUs() const
{
    return stressing_ ? stressDueUs() : kNever;
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

void SimTool::write(const Report& report, std::int64_t tUs, std::vector<Report>& out)
{
    std::vector<Report> produced;
    if (!silent_)
        firmware_.command(report, tUs / 1000, produced);
    followStreaming(tUs);
    deliver(produced, out);
}

void SimTool::runUntil(std::int64_t tUs, std::vector<Report>& out)
{
    std::vector<Report>& produced = produced_;  // keeps its capacity from call to call
    for (;;) {
        const std::int64_t chipAt = msToUs(chip_.nextEventMs());
        const std::int64_t frameAt = stressing_ ? stressDueUs() : kNever;
        if (std::min(chipAt, frameAt) > tUs)
            break;
        if (chipAt <= frameAt) {
            // With a stress rate the chip still measures, but its ready line
            // no longer paces the frames.
            if (chip_.runAt(chipAt / 1000) && !silent_ && !stressing_)
                firmware_.chipReady(chipAt / 1000, produced);
        } else {
            if (!silent_)
                firmware_.chipReady(frameAt / 1000, produced);
            ++stressIndex_;
        }
    }
    chip_.settle(tUs / 1000);
    deliver(produced, out);
}

void SimTool::restartAfterDfu()
{
    firmware_.reset();
    stressing_ = false;
    if (config_.firmwareAfterDfu) {
        config_.firmware = *config_.firmwareAfterDfu;
        firmware_.setFirmware(config_.firmware);
    }
}

}  // namespace sim
