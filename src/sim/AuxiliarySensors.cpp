#include "AuxiliarySensors.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr double kMetalBase = 1000.0;     // inductive count with no metal near
constexpr double kMetalEffect = 0.15;     // relative count change, target touching
constexpr double kHallIdle = 500.0;       // Hall plate count without ATI
constexpr double kTripC = 85.0;
constexpr double kHysteresis[4] = {0.0, 1.0 / 4, 1.0 / 8, 1.0 / 16};

void put16(RegisterFile& r, int address, double value)
{
    const long v = std::clamp(std::lround(value), 0L, 65535L);
    r[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(v & 0xFF);
    r[static_cast<std::size_t>(address + 1)] = static_cast<std::uint8_t>(v >> 8);
}

// A threshold with a release point below it by the given fraction.
bool crossed(bool on, double value, double threshold, int hysteresisCode)
{
    const double release = threshold * (1.0 - kHysteresis[hysteresisCode & 0x03]);
    return on ? value > release : value > threshold;
}

}  // namespace

void AuxiliarySensors::reset()
{
    *this = AuxiliarySensors{};
}

void AuxiliarySensors::hall(RegisterFile& r, const Environment& env,
                            std::normal_distribution<double>& noise, std::mt19937& rng,
                            AuxiliarySample& out)
{
    const std::uint8_t active = r[reg::ActiveChannels];
    const std::uint8_t ui = r[reg::HallUi];
    const std::uint8_t oldFlags = r[reg::HallFlags];
    std::uint8_t flags = 0;
    double output = 0.0;
    if (active & 0x30) {
        const bool ati = (r[reg::HallSensor] & 0x03) != 0;
        const double base = ati ? (r[reg::HallSensor + 1] & 0x3F) * 32.0 : kHallIdle;
        const double field = env.magnet - hallOffset_;
        const double ch4 = (base + field / 2) * (1.0 + noise(rng));
        const double ch5 = (base - field / 2) * (1.0 + noise(rng));
        put16(r, reg::Counts + 8, (active & 0x10) ? ch4 : 0.0);
        put16(r, reg::Counts + 10, (active & 0x20) ? ch5 : 0.0);
        output = std::abs(std::clamp(ch4, 0.0, 65535.0) - std::clamp(ch5, 0.0, 65535.0));
        const bool north = (ch4 > ch5) != bool(ui & 0x04);
        hallTouch_ = crossed(hallTouch_, output, std::max(1, r[reg::HallUi + 2] * 4), ui >> 4);
        hallProx_ = hallTouch_ || crossed(hallProx_, output, std::max<int>(1, r[reg::HallUi + 1]), ui);
        flags = static_cast<std::uint8_t>((north ? 0x01 : 0) | (hallProx_ ? 0x02 : 0) |
                                          (hallTouch_ ? 0x04 : 0));
    } else {
        hallProx_ = hallTouch_ = false;
        put16(r, reg::Counts + 8, 0);
        put16(r, reg::Counts + 10, 0);
    }
    r[reg::HallFlags] = flags;
    put16(r, reg::HallValue, output);
    if ((flags & 0x06) != (oldFlags & 0x06) || ((flags ^ oldFlags) & 0x01 && hallProx_))
        out.events |= reg::EvHall;
    out.activity = out.activity || hallProx_;
}

void AuxiliarySensors::metal(RegisterFile& r, const Environment& env,
                             std::normal_distribution<double>& noise, std::mt19937& rng,
                             AuxiliarySample& out)
{
    const bool enabledChannel = r[reg::ActiveChannels] & 0x08;
    const bool ui = r[reg::PxsGlobal] & 0x40;
    const std::uint8_t oldFlags = r[reg::SarFlags] & 0xE0;
    if (!enabledChannel) {
        metalValid_ = metalProx_ = metalTouch_ = false;
        put16(r, reg::Counts + 6, 0);
        put16(r, reg::HystValue, 0);
        return;
    }
    const double m = std::clamp(env.metal, 0.0, 1.0);
    const double sign = env.metalFerrous ? 1.0 : -1.0;
    const double count = kMetalBase * (1.0 + sign * kMetalEffect * m * m) * (1.0 + noise(rng));
    put16(r, reg::Counts + 6, count);
    if (!metalValid_) {
        metalReference_ = count;
        metalValid_ = true;
    }
    const double value = std::abs(count - metalReference_);
    const int haltThr = r[reg::HystUi + 1];
    if (haltThr == 0 || value <= haltThr)
        metalReference_ += (count - metalReference_) / 64.0;
    if (!ui) {
        metalProx_ = metalTouch_ = false;
        put16(r, reg::HystValue, 0);
        return;
    }
    const std::uint8_t cfg = r[reg::HystUi];
    metalTouch_ = crossed(metalTouch_, value, std::max(1, r[reg::HystUi + 3] * 4), cfg >> 4);
    metalProx_ = metalTouch_ || crossed(metalProx_, value, std::max<int>(1, r[reg::HystUi + 2]), cfg);
    const bool typeA = count >= metalReference_;
    const auto flags = static_cast<std::uint8_t>((metalProx_ ? 0x20 : 0) |
                                                 (metalTouch_ ? 0x40 : 0) | (typeA ? 0x80 : 0));
    out.hysteresisFlags = flags;
    put16(r, reg::HystValue, value);
    if ((flags & 0x60) != (oldFlags & 0x60))
        out.events |= reg::EvHyst;
    out.activity = out.activity || metalProx_;
}

void AuxiliarySensors::temperature(RegisterFile& r, const Environment& env, std::int64_t t,
                                   AuxiliarySample& out)
{
    const double celsius = env.temperatureAt(t);
    const int divider = std::max<int>(1, r[reg::TempUi + 3]);
    const double value =
        celsius * r[reg::TempUi + 2] / divider + r[reg::TempUi + 4] - 16.0;
    put16(r, reg::TempValue, value);
    const bool trip = celsius >= kTripC;
    std::uint8_t flags = trip ? 0x80 : 0x00;
    if (trip != trip_)
        out.events |= reg::EvTemp;
    trip_ = trip;

    const std::uint8_t cfg = r[reg::TempUi];
    const int threshold = cfg & 0x1F;
    if (!temperatureReferenceValid_) {
        temperatureReference_ = celsius;
        temperatureReferenceValid_ = true;
    }
    if ((cfg & 0x20) && threshold > 0 && std::abs(celsius - temperatureReference_) >= threshold) {
        temperatureReference_ = celsius;
        out.temperatureReseed = true;
        out.events |= reg::EvTemp;
        flags |= 0x01;
    }
    r[reg::TempFlags] = flags;
}

AuxiliarySample AuxiliarySensors::sample(RegisterFile& r, const Environment& env, std::int64_t t,
                                         std::mt19937& rng)
{
    AuxiliarySample out;
    std::normal_distribution<double> noise(0.0, 0.0005);
    metal(r, env, noise, rng, out);
    hall(r, env, noise, rng, out);
    temperature(r, env, t, out);
    return out;
}

}  // namespace sim
