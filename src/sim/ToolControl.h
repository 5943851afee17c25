#pragma once
// Controls and inspection of one simulated tool and its chip, for tests and
// demos. A small value object: copies refer to the same tool. Calls on a tool
// that is no longer plugged do nothing and report defaults (false, 0).

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace sim {

class SimCore;
class SimTool;

class ToolControl {
public:
    ToolControl(std::shared_ptr<SimCore> core, int key) : core_(std::move(core)), key_(key) {}

    int key() const { return key_; }
    bool present() const;
    bool unplug();

    // The world around the chip.
    void setFinger(int channel, double proximity);  // channel 0..2; 0 far, 1 touching
    void setFingerCycle(bool on);                   // slow cycle over channels 0 to 2
    void setMagnet(double field);                   // Hall counts, positive north
    void setMetal(double proximity, bool ferrous = true);
    void setRxLoad(int pin, double picofarads);     // pin 0 (RX0) or 1 (RX1)
    void setTemperature(std::optional<double> celsius);  // nullopt: slow drift
    // Stress rate: frames per second while streaming (0: the chip's cycle).
    void setStreamRate(std::uint32_t hz);

    // Faults.
    void loseStreamReports(int count = 1);     // the next streaming reports never arrive
    void failNextCommand(std::uint8_t errorNumber);  // error reply to the next command
    void setSilent(bool silent);               // the tool stops answering and streaming
    void setChipAnswering(bool answering);     // the chip stops acknowledging on I2C
    void setChipAddress(std::uint8_t address); // address while OTP holds none
    void setWeakOtpBurns(int count);           // next burns fail the margin read
    // Firmware the tool runs after its next return from the firmware loader
    // (what a firmware update installs).
    void setFirmwareAfterDfu(std::uint32_t version, std::uint8_t build, std::uint8_t release);

    // Inspection.
    std::uint8_t chipRegister(std::uint8_t reg) const;
    bool chipPowered() const;
    bool chipInTestMode() const;
    std::uint8_t chipAddress() const;
    std::uint8_t otpBank(int index) const;
    bool streaming() const;
    std::uint64_t framesStreamed() const;  // frames sent since the tool started
    std::uint8_t ledColour() const;
    std::uint8_t toolId() const;
    std::string serialNumber() const;
    double dutVoltage() const;
    bool eventModeEnabled() const;

    // Anything else: f runs under the simulator's lock and must not call
    // back into the simulator.
    bool with(const std::function<void(SimTool&)>& f) const;

private:
    std::shared_ptr<SimCore> core_;
    int key_;
};

}  // namespace sim
