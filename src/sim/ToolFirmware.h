#pragma once
// The configuration tool's firmware: takes one command report, checks its
// parameters, drives the chip's supply and I2C bus, and answers with one
// reply report (report byte 1: status nibble 0 and the tool ID in the high
// nibble; byte 2: the command's message id; byte 3: the command code; data
// from byte 4). A refused command answers with status 0xE and the error code
// (command code, error number) in bytes 4 and 5.

#include "SimTypes.h"
#include "ToolStreamer.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

class SimChip;

class ToolFirmware {
public:
    ToolFirmware(SimChip& chip, const ToolConfig& config);

    // One command report (report-ID byte first); its reply goes to out.
    void command(const Report& report, std::int64_t t, std::vector<Report>& out);
    // The chip raised its ready line: one frame while streaming.
    void chipReady(std::int64_t t, std::vector<Report>& out);
    // Everything back to power-up state, as after a tool reset (the tool ID stays).
    void reset();

    // The next command is refused with this error number instead of running.
    void failNextCommand(std::uint8_t errorNumber) { pendingError_ = errorNumber; }
    bool takeDfuRequest();

    std::uint8_t toolId() const { return toolId_; }
    std::uint8_t ledColour() const { return led_; }
    bool dutPowered() const { return dutOn_; }
    bool streaming() const { return streamer_.streaming(); }
    ToolStreamer::Kind streamKind() const { return streamer_.kind(); }
    std::uint64_t framesStreamed() const { return streamer_.framesSent(); }
    double dutVoltage() const { return dutVoltage_; }
    bool eventModeEnabled() const { return eventMode_; }
    std::uint8_t i2cAddress() const { return i2cAddress_; }
    void setFirmware(const FirmwareVersion& firmware) { config_.firmware = firmware; }

private:
    using Params = const std::uint8_t*;
    struct Reply {
        std::uint16_t error = 0;          // command code x 256 + error number
        std::vector<std::uint8_t> data;   // reply data from byte 4
    };

    Reply dispatch(std::uint8_t code, std::uint8_t n, Params p, std::int64_t t);
    Reply icType(std::uint8_t n, Params p);
    Reply powerOn(std::uint8_t n, Params p, std::int64_t t);
    Reply powerOff(std::uint8_t n, Params p);
    Reply enterTestMode(std::uint8_t n, Params p, std::int64_t t);
    Reply setupComms(std::uint8_t n, Params p);
    Reply voltage(std::uint8_t n, Params p);
    Reply version() const;
    Reply commsRead(std::uint8_t n, Params p);
    Reply commsWrite(std::uint8_t n, Params p, std::int64_t t);
    Reply fuseBurn(std::uint8_t n, Params p);
    Reply configI2C(std::uint8_t n, Params p);
    Reply i2cRead(std::uint8_t n, Params p, std::int64_t t);
    Reply longLength(std::uint8_t n, Params p);
    Reply streamPiece(std::uint8_t code, std::uint8_t n, Params p);
    Reply eventMode(std::uint8_t n, Params p);
    Reply inStreamingWrite(std::uint8_t n, Params p, std::int64_t t);

    bool commsSelected() const;
    void switchOff();
    std::uint16_t streamStartCheck(std::uint8_t code) const;

    SimChip& chip_;
    ToolConfig config_;
    ToolStreamer streamer_;
    std::uint8_t toolId_;
    std::optional<std::uint8_t> pendingError_;
    bool dfuRequested_ = false;

    std::uint8_t led_ = 0;
    std::uint16_t icType_ = 0;
    std::uint8_t logicType_ = 0;
    std::uint8_t commsType_ = 0;
    std::uint8_t commsSpeed_ = 0;
    std::uint32_t customSpeedHz_ = 0;
    std::uint8_t levelShifter_ = 0;
    double dutVoltage_ = 3.3;
    double psuVoltage_ = 0.0;
    bool dutOn_ = false;
    bool psuOn_ = false;
    bool i2cConfigured_ = false;
    std::uint8_t i2cType_ = 0, pullUps_ = 0, i2cAddress_ = 0, readyPin_ = 0;
    std::uint8_t stopCommand_ = 0, polling_ = 0, addressSize_ = 0;
    bool stopBitOff_ = false;
    bool transactionOpen_ = false;
    bool eventMode_ = false;
    std::array<std::uint8_t, 8> eventParams_{};
    bool waitForReady_ = false;
    std::array<std::uint8_t, 9> io_{};
    std::int64_t lastStreamError_ = -1;
};

}  // namespace sim
