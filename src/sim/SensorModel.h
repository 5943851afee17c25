#pragma once
// One measurement cycle of the simulated chip: runs the capacitive channels
// and the other sensors, the ATI and reset state, the power modes and the
// event logic, and writes the results into the data registers 0x10 to 0x35
// and 0xF2. Decides whether the chip raises its ready line for the cycle
// (the configuration tool then reads one frame).

#include "AuxiliarySensors.h"
#include "CapacitiveSensing.h"
#include "ChipRegisters.h"
#include "Environment.h"

#include <cstdint>
#include <random>

namespace sim {

class SensorModel {
public:
    static constexpr std::int64_t kAtiMs = 120;        // duration of one ATI
    static constexpr std::int64_t kAutoAtiHoldoffMs = 1000;
    static constexpr std::int64_t kMinPeriodMs = 2;    // fastest cycle

    explicit SensorModel(RegisterFile& registers) : r_(registers) {}

    // After power-up or soft reset (registers already at their defaults):
    // reset flag set, ATI started.
    void restart(const Environment& env, std::int64_t t);
    void startAti(const Environment& env, std::int64_t t);
    void reseed() { cap_.reseed(r_[reg::ReseedEnable] & 0x07, true); }
    void acknowledgeReset();
    void forceHallCalibration(const Environment& env) { aux_.forceHallCalibration(env); }
    // PMU_SETTINGS changed: with automatic switching off the chosen mode
    // applies at once (so that halt mode stops the cycles).
    void pmuChanged();
    // Ends an ATI that is due by t.
    void settle(const Environment& env, std::int64_t t);
    // One cycle at time t; true when the chip raises its ready line.
    bool sample(const Environment& env, std::int64_t t, std::mt19937& rng);

    // Time between cycles in the present power mode; negative in halt mode.
    std::int64_t periodMs() const;
    bool atiBusy() const { return atiBusy_; }
    std::int64_t atiEndMs() const { return atiEnd_; }
    int powerMode() const { return powerMode_; }
    const CapacitiveSensing& capacitive() const { return cap_; }

private:
    int wantedPowerMode(bool activity, std::int64_t t);

    RegisterFile& r_;
    CapacitiveSensing cap_;
    AuxiliarySensors aux_;
    bool resetFlag_ = false;
    bool atiBusy_ = false;
    std::int64_t atiStart_ = 0;
    std::int64_t atiEnd_ = 0;
    std::int64_t lastAtiEnd_ = 0;
    std::uint8_t pendingEvents_ = 0;
    int powerMode_ = 0;
    std::int64_t lastActivity_ = 0;
};

}  // namespace sim
