#include "Environment.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

constexpr std::int64_t kVisitMs = 6000;  // per channel
constexpr std::int64_t kStepMs = 1500;   // approach, touch, retreat, away
constexpr double kDriftAmplitudeC = 1.5;
constexpr double kDriftPeriodMs = 240000.0;

double smoothstep(double x)
{
    x = std::clamp(x, 0.0, 1.0);
    return x * x * (3.0 - 2.0 * x);
}

}  // namespace

double fingerCycleProximity(int channel, std::int64_t tMs)
{
    if (channel < 0 || channel > 2 || tMs < 0)
        return 0.0;
    const std::int64_t cycle = tMs % (3 * kVisitMs);
    const std::int64_t phase = cycle - channel * kVisitMs;
    if (phase < 0 || phase >= kVisitMs)
        return 0.0;
    const double stepPos = static_cast<double>(phase % kStepMs) / kStepMs;
    switch (phase / kStepMs) {
    case 0:
        return smoothstep(stepPos);
    case 1:
        return 1.0;
    case 2:
        return 1.0 - smoothstep(stepPos);
    default:
        return 0.0;
    }
}

double Environment::fingerAt(int channel, std::int64_t tMs) const
{
    if (channel < 0 || channel > 2)
        return 0.0;
    double p = finger[static_cast<std::size_t>(channel)];
    if (fingerCycle)
        p = std::max(p, fingerCycleProximity(channel, tMs));
    return std::clamp(p, 0.0, 1.0);
}

double Environment::temperatureAt(std::int64_t tMs) const
{
    if (temperatureOverride)
        return *temperatureOverride;
    return temperatureCentre +
           kDriftAmplitudeC * std::sin(2.0 * std::numbers::pi * static_cast<double>(tMs) /
                                       kDriftPeriodMs);
}

}  // namespace sim
