#include "CapacitiveSensing.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr double kCountScale = 20.0;      // counts x pF per unit of gain
constexpr double kFingerPf = 0.15;        // finger touching the electrode
constexpr double kParasiticPf = 0.2;      // a channel with no receive pin
constexpr double kTempCoefficient = 0.001;// relative load change per degree
constexpr double kReferenceC = 25.0;
constexpr double kNoise = 0.0005;         // relative count noise (1 sigma)
constexpr double kRelease = 7.0 / 8.0;    // flags release below 7/8 of the threshold
constexpr int kAtiBase[4] = {75, 100, 150, 200};

int compensation(const RegisterFile& r, int n)
{
    return r[reg::PxsComp + n] | ((r[reg::PxsMult + n] >> 6) << 8);
}

double compensationStepPf(const RegisterFile& r, int n)
{
    return (r[reg::PxsCharge + n] & 0x40) ? 0.08 : 0.02;
}

bool enabled(const RegisterFile& r, int n)
{
    return (r[reg::ActiveChannels] >> n) & 1;
}

int atiTarget(const RegisterFile& r, int n)
{
    return (r[reg::PxsAti + n] & 0x3F) * 32;
}

bool withHysteresis(bool on, double value, double threshold)
{
    return on ? value > threshold * kRelease : value > threshold;
}

void put16(RegisterFile& r, int address, int value)
{
    const int v = std::clamp(value, 0, 0xFFFF);
    r[static_cast<std::size_t>(address)] = static_cast<std::uint8_t>(v & 0xFF);
    r[static_cast<std::size_t>(address + 1)] = static_cast<std::uint8_t>(v >> 8);
}

}  // namespace

void CapacitiveSensing::reset()
{
    ch_ = {};
}

int CapacitiveSensing::lta(int channel) const
{
    return static_cast<int>(std::lround(ch_[static_cast<std::size_t>(channel)].lta));
}

double CapacitiveSensing::idealCount(double capacitancePf, double gainValue,
                                     double compensationPf)
{
    const double am = kCountScale * gainValue;
    const double effective = std::max(capacitancePf - compensationPf, am / 65535.0);
    return am / effective;
}

double CapacitiveSensing::capacitance(const RegisterFile& r, const Environment& env, int n,
                                      std::int64_t t)
{
    const std::uint8_t cfg = r[reg::PxsChannel + n];
    double c = 0.0;
    if (cfg & 0x01)
        c += env.rxLoadPf[0];
    if (cfg & 0x02)
        c += env.rxLoadPf[1];
    c = std::max(c, kParasiticPf);
    c *= 1.0 + kTempCoefficient * (env.temperatureAt(t) - kReferenceC);
    const double p = env.fingerAt(n, t);
    c += kFingerPf * p * p;
    const std::uint8_t eng = r[reg::PxsEngineering];
    if (eng & 0x02)
        c += 0.5 * (((eng >> 2) & 0x03) + 1);
    return c;
}

double CapacitiveSensing::gain(const RegisterFile& r, int n, std::uint8_t multipliers)
{
    const int coarse = (multipliers >> 4) & 0x03;
    const int fine = multipliers & 0x0F;
    const double range = (r[reg::PxsChannel + n] & 0x10) ? 4.0 : 1.0;
    const double divider = static_cast<double>(1 << ((r[reg::PxsCharge + n] >> 4) & 0x03));
    return (coarse + 1) * (fine + 1) * range * divider;
}

void CapacitiveSensing::beginAti(const RegisterFile& r, const Environment& env, std::int64_t t)
{
    for (int n = 0; n < kChannels; ++n) {
        Channel& c = ch_[static_cast<std::size_t>(n)];
        c.atiPending = false;
        const int mode = r[reg::PxsCharge + n] & 0x03;
        if (!enabled(r, n) || mode == 0)
            continue;
        const double cap = capacitance(r, env, n, t);
        std::uint8_t mult = r[reg::PxsMult + n] & 0x3F;
        if (mode >= 2) {
            const int base = kAtiBase[r[reg::PxsAti + n] >> 6];
            const int coarseFrom = mode == 3 ? 0 : (mult >> 4) & 0x03;
            const int coarseTo = mode == 3 ? 3 : coarseFrom;
            double best = 1e300;
            for (int coarse = coarseFrom; coarse <= coarseTo; ++coarse) {
                for (int fine = 0; fine < 16; ++fine) {
                    const auto m = static_cast<std::uint8_t>((coarse << 4) | fine);
                    const double err =
                        std::abs(idealCount(cap, gain(r, n, m), 0.0) - base);
                    if (err < best) {
                        best = err;
                        mult = m;
                    }
                }
            }
        }
        const int target = atiTarget(r, n);
        int comp = 0;
        if (target > 0) {
            const double needed = kCountScale * gain(r, n, mult) / target;
            comp = static_cast<int>(std::lround((cap - needed) / compensationStepPf(r, n)));
            comp = std::clamp(comp, 0, 1023);
        }
        c.newMultipliers = mult;
        c.newCompensation = comp;
        c.atiFrom = c.valid ? c.filtered : 0.0;
        c.atiPending = true;
    }
}

double CapacitiveSensing::countWithPending(const RegisterFile& r, const Environment& env, int n,
                                           std::int64_t t) const
{
    const Channel& c = ch_[static_cast<std::size_t>(n)];
    return idealCount(capacitance(r, env, n, t), gain(r, n, c.newMultipliers),
                      c.newCompensation * compensationStepPf(r, n));
}

void CapacitiveSensing::finishAti(RegisterFile& r, const Environment& env, std::int64_t t)
{
    const int band = (r[reg::SystemSettings] & reg::SmallAtiBandBit) ? 16 : 8;
    for (int n = 0; n < kChannels; ++n) {
        Channel& c = ch_[static_cast<std::size_t>(n)];
        if (!c.atiPending)
            continue;
        c.atiPending = false;
        r[reg::PxsComp + n] = static_cast<std::uint8_t>(c.newCompensation & 0xFF);
        r[reg::PxsMult + n] =
            static_cast<std::uint8_t>(((c.newCompensation >> 8) << 6) | c.newMultipliers);
        const double settled = idealCount(capacitance(r, env, n, t),
                                          gain(r, n, c.newMultipliers),
                                          c.newCompensation * compensationStepPf(r, n));
        c.filtered = settled;
        c.lta = settled;
        c.valid = true;
        c.prox = c.touch = c.sarP = c.sarT = c.sarD = false;
        c.proxSince = -1;
        const int target = atiTarget(r, n);
        c.atiUnreachable = target > 0 && std::abs(settled - target) > double(target) / band;
    }
}

bool CapacitiveSensing::outOfAtiBand(const RegisterFile& r) const
{
    const int band = (r[reg::SystemSettings] & reg::SmallAtiBandBit) ? 16 : 8;
    for (int n = 0; n < kChannels; ++n) {
        const Channel& c = ch_[static_cast<std::size_t>(n)];
        if (!enabled(r, n) || (r[reg::PxsCharge + n] & 0x03) == 0 || !c.valid)
            continue;
        if (c.prox || c.touch || c.sarP || c.atiUnreachable)
            continue;
        const int target = atiTarget(r, n);
        if (target > 0 && std::abs(c.lta - target) > double(target) / band)
            return true;
    }
    return false;
}

void CapacitiveSensing::reseed(std::uint8_t channelMask, bool evenInProx)
{
    for (int n = 0; n < kChannels; ++n) {
        Channel& c = ch_[static_cast<std::size_t>(n)];
        if (!((channelMask >> n) & 1) || !c.valid)
            continue;
        if (!evenInProx && (c.prox || c.sarP))
            continue;
        c.lta = c.filtered;
    }
}

void CapacitiveSensing::proxUi(const RegisterFile& r, int n, Channel& c, double delta,
                               std::int64_t t, CapacitiveSample& out)
{
    const double proxThr = std::max<int>(1, r[reg::PxsUi + 2 * n]);
    const double touchThr = c.lta * std::max<int>(1, r[reg::PxsUi + 2 * n + 1]) / 256.0;
    c.touch = withHysteresis(c.touch, delta, touchThr);
    c.prox = c.touch || withHysteresis(c.prox, delta, proxThr);
    if (c.prox) {
        const std::int64_t haltMs = std::max<int>(1, r[reg::PxsUi + 6]) * 500;
        if (c.proxSince < 0)
            c.proxSince = t;
        else if (t - c.proxSince >= haltMs) {
            // Halt time over: the average takes the count and the flags clear.
            c.lta = c.filtered;
            c.prox = c.touch = false;
            c.proxSince = -1;
        }
    } else {
        c.proxSince = -1;
    }
    if (c.prox)
        out.proxTouch |= static_cast<std::uint8_t>(1 << n);
    if (c.touch)
        out.proxTouch |= static_cast<std::uint8_t>(0x10 << n);
}

bool CapacitiveSensing::sarUi(const RegisterFile& r, int n, Channel& c, double delta,
                              std::int64_t t, CapacitiveSample& out)
{
    const std::uint8_t s0 = r[reg::SarUi];
    const double thr = std::max<int>(1, r[reg::SarUi + 4]);
    const bool wasMoving = c.moving;
    const int movementThr = r[reg::SarUi + 1] & 0x0F;
    c.movementFilter += (c.filtered - c.movementFilter) / double(1 << (3 + (s0 & 0x07)));
    c.moving = movementThr > 0 && std::abs(c.filtered - c.movementFilter) > movementThr;
    if (c.moving)
        c.haltUntil = t + ((r[reg::SarUi + 1] >> 4) * 500);

    c.slowDelta += (delta - c.slowDelta) / double(1 << (2 + ((s0 >> 4) & 0x07)));
    const double qrd = std::max(0.0, c.slowDelta - delta);
    out.quickRelease = static_cast<std::uint16_t>(
        std::max<double>(out.quickRelease, std::min(65535.0, std::round(qrd))));

    c.sarD = withHysteresis(c.sarD, delta, 4 * thr);
    c.sarT = c.sarD || withHysteresis(c.sarT, delta, 2 * thr);
    c.sarP = c.sarT || withHysteresis(c.sarP, delta, thr);
    bool quickRelease = false;
    const int qrThr = r[reg::SarUi + 2] * 4;
    if (c.sarP && qrThr > 0 && qrd > qrThr) {
        // Quick release: the average jumps to the count and the states clear.
        quickRelease = true;
        c.lta = c.filtered;
        c.slowDelta = 0.0;
        c.sarP = c.sarT = c.sarD = false;
    }
    if (n == 0) {
        out.proxTouch |= static_cast<std::uint8_t>((c.sarP ? 0x01 : 0) | (c.sarT ? 0x10 : 0) |
                                                   (c.sarD ? 0x20 : 0));
    } else {
        out.proxTouch |= c.sarP ? 0x04 : 0;
        out.sarFlags |= static_cast<std::uint8_t>((c.sarT ? 0x20 : 0) | (c.sarD ? 0x40 : 0));
    }
    out.sarFlags |= static_cast<std::uint8_t>((c.sarT ? 0x01 : 0) | (c.moving ? 0x02 : 0) |
                                              (quickRelease ? 0x04 : 0) | (c.sarP ? 0x10 : 0));
    if (c.moving && !wasMoving)
        out.events |= reg::EvSarActive;
    const int haltThr = r[reg::SarUi + 3];
    return c.sarP || t < c.haltUntil || (haltThr > 0 && delta > haltThr);
}

CapacitiveSample CapacitiveSensing::sample(RegisterFile& r, const Environment& env,
                                           std::int64_t t, double atiProgress,
                                           std::mt19937& rng)
{
    CapacitiveSample out;
    const std::uint8_t global = r[reg::PxsGlobal];
    const bool sar = global & 0x80;
    const bool twoSided = global & 0x20;
    const bool acFilterOff = global & 0x10;
    const int ltaBeta = 7 + ((global >> 2) & 0x03);
    const int acBeta = 1 + (global & 0x03);
    const std::uint8_t oldProxTouch = r[reg::ProxTouch];
    const std::uint8_t oldSar = r[reg::SarFlags] & 0x77;
    std::normal_distribution<double> noise(0.0, kNoise);

    for (int n = 0; n < kChannels; ++n) {
        Channel& c = ch_[static_cast<std::size_t>(n)];
        if (!enabled(r, n)) {
            const bool pending = c.atiPending;
            c = Channel{};
            c.atiPending = pending;
            put16(r, reg::Counts + 2 * n, 0);
            put16(r, reg::Lta + 2 * n, 0);
            continue;
        }
        double ideal = idealCount(capacitance(r, env, n, t), gain(r, n, r[reg::PxsMult + n]),
                                  compensation(r, n) * compensationStepPf(r, n));
        const bool inAti = atiProgress >= 0.0 && c.atiPending;
        if (inAti)
            ideal = c.atiFrom + (countWithPending(r, env, n, t) - c.atiFrom) * atiProgress;
        const double raw = ideal * (1.0 + noise(rng));
        if (!c.valid) {
            c.filtered = c.lta = raw;
            c.valid = true;
        }
        c.filtered = (acFilterOff || inAti) ? raw : c.filtered + (raw - c.filtered) / (1 << acBeta);
        c.count = static_cast<int>(std::clamp(std::lround(c.filtered), 0L, 65535L));
        double delta = c.lta - c.count;  // positive when a finger comes near
        if (twoSided)
            delta = std::abs(delta);

        bool halted = false;
        if (inAti) {
            c.lta = c.filtered;
        } else if (!sar) {
            proxUi(r, n, c, delta, t, out);
            halted = c.prox;
        } else if (n < 2) {
            halted = sarUi(r, n, c, delta, t, out);
        }
        if (sar)
            c.prox = c.touch = false;
        else
            c.sarP = c.sarT = c.sarD = c.moving = false;
        if (!halted && !inAti)
            c.lta += (c.filtered - c.lta) / double(1 << ltaBeta);
        out.activity = out.activity || c.prox || c.touch || c.sarP || c.moving;
        put16(r, reg::Counts + 2 * n, c.count);
        put16(r, reg::Lta + 2 * n, lta(n));
    }
    if (out.proxTouch != oldProxTouch && !sar)
        out.events |= reg::EvProx;
    if (sar && (out.proxTouch != oldProxTouch || out.sarFlags != oldSar))
        out.events |= reg::EvSar;
    return out;
}

}  // namespace sim
