#include "SensorModel.h"

#include <algorithm>

namespace sim {

void SensorModel::restart(const Environment& env, std::int64_t t)
{
    cap_.reset();
    aux_.reset();
    resetFlag_ = true;
    pendingEvents_ = reg::EvSystem;
    powerMode_ = (r_[reg::PmuSettings] >> 3) & 0x03;
    lastActivity_ = t;
    atiBusy_ = false;
    lastAtiEnd_ = t;
    startAti(env, t);
    r_[reg::SysFlags] = static_cast<std::uint8_t>(reg::FlagReset | reg::FlagAtiBusy);
}

void SensorModel::startAti(const Environment& env, std::int64_t t)
{
    cap_.beginAti(r_, env, t);
    atiBusy_ = true;
    atiStart_ = t;
    atiEnd_ = t + kAtiMs;
    r_[reg::SysFlags] |= reg::FlagAtiBusy;
}

void SensorModel::acknowledgeReset()
{
    resetFlag_ = false;
    r_[reg::SysFlags] &= static_cast<std::uint8_t>(~reg::FlagReset);
}

void SensorModel::settle(const Environment& env, std::int64_t t)
{
    if (atiBusy_ && t >= atiEnd_) {
        cap_.finishAti(r_, env, atiEnd_);
        atiBusy_ = false;
        lastAtiEnd_ = atiEnd_;
        pendingEvents_ |= reg::EvSystem;
        r_[reg::SysFlags] &= static_cast<std::uint8_t>(~reg::FlagAtiBusy);
    }
}

void SensorModel::pmuChanged()
{
    const std::uint8_t pmu = r_[reg::PmuSettings];
    if (!(pmu & 0x20))
        return;
    const int mode = (pmu >> 3) & 0x03;
    if (mode != powerMode_)
        pendingEvents_ |= reg::EvPmu;
    powerMode_ = mode;
}

std::int64_t SensorModel::periodMs() const
{
    std::int64_t period = 0;
    switch (powerMode_) {
    case 0:
        period = r_[reg::ReportRateNp];
        break;
    case 1:
        period = r_[reg::ReportRateLp];
        break;
    case 2:
        period = r_[reg::ReportRateUlp] * 16;
        break;
    default:
        return -1;  // halt: no cycles
    }
    return std::max(period, kMinPeriodMs);
}

int SensorModel::wantedPowerMode(bool activity, std::int64_t t)
{
    const std::uint8_t pmu = r_[reg::PmuSettings];
    if (activity)
        lastActivity_ = t;
    if (pmu & 0x20)  // automatic mode switching disabled: the chosen mode
        return (pmu >> 3) & 0x03;
    const std::int64_t timer = r_[reg::AutoModeTimer] * 500;
    if (timer == 0 || t - lastActivity_ < timer)
        return 0;
    if ((pmu & 0x40) && t - lastActivity_ >= 2 * timer)
        return 2;
    return 1;
}

bool SensorModel::sample(const Environment& env, std::int64_t t, std::mt19937& rng)
{
    settle(env, t);
    const double progress =
        atiBusy_ ? std::clamp(double(t - atiStart_) / double(kAtiMs), 0.0, 1.0) : -1.0;
    const CapacitiveSample cs = cap_.sample(r_, env, t, progress, rng);
    const AuxiliarySample as = aux_.sample(r_, env, t, rng);
    if (as.temperatureReseed)
        cap_.reseed(r_[reg::ReseedEnable] & 0x07, r_[reg::TempUi] & 0x40);
    if (!atiBusy_ && t - lastAtiEnd_ >= kAutoAtiHoldoffMs && cap_.outOfAtiBand(r_)) {
        startAti(env, t);
        pendingEvents_ |= reg::EvSystem;
    }
    const int mode = wantedPowerMode(cs.activity || as.activity, t);
    if (mode != powerMode_)
        pendingEvents_ |= reg::EvPmu;
    powerMode_ = mode;
    pendingEvents_ |= cs.events | as.events;

    const std::uint8_t control = r_[reg::SystemSettings];
    const bool silentInAti = atiBusy_ && !(control & reg::CommsInAtiBit);
    const std::uint8_t masked = pendingEvents_ & r_[reg::EventMask];
    bool ready = !silentInAti;
    if (ready && (control & reg::EventModeBit))
        ready = masked != 0;

    std::uint8_t flags = static_cast<std::uint8_t>(powerMode_ << 3);
    if (resetFlag_)
        flags |= reg::FlagReset;
    if (atiBusy_)
        flags |= reg::FlagAtiBusy;
    if (powerMode_ == 0)
        flags |= reg::FlagNpSegment;
    if (ready) {
        // The events go out with this cycle's report.
        if (masked)
            flags |= reg::FlagGlobalEvent;
        r_[reg::Events] = masked;
        pendingEvents_ = 0;
    }
    r_[reg::SysFlags] = flags;
    r_[reg::ProxTouch] = cs.proxTouch;
    r_[reg::SarFlags] = cs.sarFlags | as.hysteresisFlags;
    r_[reg::QuickRelease] = static_cast<std::uint8_t>(cs.quickRelease & 0xFF);
    r_[reg::QuickRelease + 1] = static_cast<std::uint8_t>(cs.quickRelease >> 8);
    return ready;
}

}  // namespace sim
