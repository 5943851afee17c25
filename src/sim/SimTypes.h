#pragma once
// Configuration of one simulated configuration tool and the chip wired to it.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace sim {

// Deterministic: seeded noise, frames only when the owner steps the simulated
// clock (SimBackend::advance). RealTime: frames at the chip's report rate on
// the simulator's own thread.
enum class Mode { Deterministic, RealTime };

// One HID input or output report, report-ID byte first.
constexpr std::size_t kReportLength = 65;
using Report = std::array<std::uint8_t, kReportLength>;

// Highest stress rate of a simulated tool, in frames per second.
constexpr std::uint32_t kMaxStreamRateHz = 200000;

struct FirmwareVersion {
    std::uint32_t version = 0x0106;
    std::uint8_t build = 20;
    std::uint8_t release = 0x0B;
};

struct ChipConfig {
    // Address the chip answers at while OTP bank 0 holds no address bits.
    std::uint8_t i2cAddress = 0x44;
    // Version bytes at 0x00: product number, software number, hardware number.
    std::uint8_t productNumber = 60;
    std::uint8_t softwareNumber = 2;
    std::uint8_t hardwareNumber = 1;
    // Load capacitance on the receive pins RX0 and RX1, in pF. A capacitive
    // channel sees the sum of the loads on the pins it senses.
    std::array<double, 2> rxLoadPf{8.0, 5.0};
    // Centre of the slow temperature drift, in degrees Celsius.
    double temperatureC = 25.0;
};

struct ToolConfig {
    std::uint16_t vendorId = 0x2E5B;
    std::uint16_t productId = 0x0108;
    std::string productString = "Kelvan CT108 Configuration Tool";
    std::string serialNumber;  // empty: "SIM" and a running number
    FirmwareVersion firmware;
    // Firmware the tool reports after it came back from its firmware loader.
    std::optional<FirmwareVersion> firmwareAfterDfu;
    std::uint8_t toolId = 0;  // 0 to 15, as set with SetCTID
    int dfuReturnMs = 2000;   // time the tool stays off the bus after EnterDFU
    bool fingerCycle = false; // finger moves over channels 0 to 2 in a slow cycle
    // Stress rate: while streaming, the tool sends this many frames per second
    // (1 to kMaxStreamRateHz), whatever the chip's cycle; 0 sends one frame per
    // chip cycle that raises the ready line.
    std::uint32_t streamRateHz = 0;
    ChipConfig chip;
};

}  // namespace sim
