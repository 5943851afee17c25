#pragma once
// The simulated MFS380A as the configuration tool sees it over I2C: supply,
// address, register file with its command bits, indirect access, test mode
// and OTP, and the measurement cycles of the sensor model.

#include "ChipRegisters.h"
#include "ChipTestMode.h"
#include "Environment.h"
#include "SensorModel.h"
#include "SimTypes.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <random>

namespace sim {

class SimChip {
public:
    static constexpr std::int64_t kNever = std::numeric_limits<std::int64_t>::max();

    SimChip(const ChipConfig& config, std::uint32_t seed);

    // Supply. A power-up in test mode starts no measurement cycles.
    void powerOn(std::int64_t t, bool testMode = false);
    void powerOff();
    bool powered() const { return powered_; }
    bool inTestMode() const { return testMode_.active(); }

    // I2C. A write that does not continue an open transaction starts with the
    // register pointer; reads start at the pointer. Both advance it.
    bool acknowledges(std::uint8_t address) const;
    bool write(std::uint8_t address, const std::uint8_t* data, std::size_t n, bool continuing,
               std::int64_t t);
    bool read(std::uint8_t address, std::uint8_t* out, std::size_t n);
    // The register as a streamed read sees it; leaves the pointer alone.
    std::uint8_t streamRead(std::uint8_t reg) const { return readRegister(reg); }

    // Time: the next cycle or ATI end (kNever when none is due).
    std::int64_t nextEventMs() const;
    // Runs what is due at t; true when a cycle raised the ready line.
    bool runAt(std::int64_t t);
    // Ends an ATI due by t without a cycle (before commands).
    void settle(std::int64_t t) { model_.settle(env_, t); }

    // The tool's fuse-burn strobe and its margin supply.
    bool fuseBurn() { return powered_ && testMode_.burn(); }
    void setMarginSupply(double volts) { testMode_.setSupply(volts); }

    // Controls and inspection.
    Environment& environment() { return env_; }
    const Environment& environment() const { return env_; }
    void setAnswering(bool answering) { answering_ = answering; }
    bool answering() const { return answering_; }
    void setFactoryAddress(std::uint8_t address);
    std::uint8_t address() const { return address_; }
    std::uint8_t peek(std::uint8_t reg) const { return readRegister(reg); }
    std::uint8_t otpBank(int index) const { return testMode_.bank(index); }
    void setWeakOtpBurns(int count) { testMode_.setWeakBurns(count); }
    const SensorModel& model() const { return model_; }

    // Power-on value of every register.
    static RegisterFile defaults(const ChipConfig& config);

private:
    std::uint8_t readRegister(std::uint8_t reg) const;
    void writeRegister(std::uint8_t reg, std::uint8_t value, std::int64_t t);
    void softReset(std::int64_t t);
    void rescheduleCycle(std::int64_t t);

    ChipConfig config_;
    RegisterFile regs_{};
    std::array<std::uint8_t, 256> indirect_{};
    ChipTestMode testMode_;
    Environment env_;
    SensorModel model_;
    std::mt19937 rng_;
    bool powered_ = false;
    bool answering_ = true;
    std::uint8_t factoryAddress_;
    std::uint8_t address_;
    std::uint8_t pointer_ = 0;
    std::int64_t lastCycle_ = 0;
    std::int64_t nextCycle_ = kNever;
};

}  // namespace sim
