#pragma once
// Channels 0 to 2 of the simulated chip: counts from load, finger and
// settings, the automatic tuning (ATI), long-term averages, and the prox UI
// or (with SAR UI enabled) the SAR UI that turns them into flags.

#include "ChipRegisters.h"
#include "Environment.h"

#include <array>
#include <cstdint>
#include <random>

namespace sim {

struct CapacitiveSample {
    std::uint8_t proxTouch = 0;     // register 0x12
    std::uint8_t sarFlags = 0;      // SAR bits of register 0x13 (0, 1, 2, 4, 5, 6)
    std::uint16_t quickRelease = 0; // registers 0xF2, 0xF3
    std::uint8_t events = 0;        // prox, SAR and SAR-active event bits
    bool activity = false;          // prox, touch or movement on any channel
};

class CapacitiveSensing {
public:
    static constexpr int kChannels = 3;

    void reset();
    // Works out compensation and multipliers for every enabled channel whose
    // auto ATI mode is not 0; finishAti writes them to the registers.
    void beginAti(const RegisterFile& r, const Environment& env, std::int64_t t);
    void finishAti(RegisterFile& r, const Environment& env, std::int64_t t);
    // One measurement cycle. atiProgress runs from 0 to 1 while an ATI is
    // busy and is negative otherwise.
    CapacitiveSample sample(RegisterFile& r, const Environment& env, std::int64_t t,
                            double atiProgress, std::mt19937& rng);
    // Long-term averages of the channels in mask take the current counts.
    void reseed(std::uint8_t channelMask, bool evenInProx);
    // A channel with ATI enabled whose average has left its ATI band.
    bool outOfAtiBand(const RegisterFile& r) const;

    int count(int channel) const { return ch_[static_cast<std::size_t>(channel)].count; }
    int lta(int channel) const;

    // The count the model gives for a capacitance, gain and compensation.
    static double idealCount(double capacitancePf, double gain, double compensationPf);
    static double capacitance(const RegisterFile& r, const Environment& env, int channel,
                              std::int64_t t);
    static double gain(const RegisterFile& r, int channel, std::uint8_t multipliers);

private:
    struct Channel {
        bool valid = false;
        double filtered = 0.0;
        double lta = 0.0;
        int count = 0;
        bool prox = false;
        bool touch = false;
        std::int64_t proxSince = -1;
        // SAR UI
        bool sarP = false, sarT = false, sarD = false, moving = false;
        double movementFilter = 0.0;
        double slowDelta = 0.0;
        std::int64_t haltUntil = 0;
        // ATI
        bool atiPending = false;
        bool atiUnreachable = false;
        std::uint8_t newMultipliers = 0;
        int newCompensation = 0;
        double atiFrom = 0.0;
    };

    void proxUi(const RegisterFile& r, int n, Channel& c, double delta, std::int64_t t,
                CapacitiveSample& out);
    bool sarUi(const RegisterFile& r, int n, Channel& c, double delta, std::int64_t t,
               CapacitiveSample& out);
    double countWithPending(const RegisterFile& r, const Environment& env, int n,
                            std::int64_t t) const;

    std::array<Channel, kChannels> ch_{};
};

}  // namespace sim
