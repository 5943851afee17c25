#include "ToolFirmware.h"

#include "SimChip.h"

#include <algorithm>
#include <cmath>

namespace sim {

namespace {

constexpr std::uint8_t kBadParameter = 0xFE;
constexpr std::uint8_t kBadCommand = 0xFF;
constexpr std::uint8_t kNoCommsReply = 14;      // streaming error: chip did not answer
constexpr int kMaxRead = 60;                    // bytes of one read
constexpr int kMaxWrite = 32;                   // bytes of one write
constexpr double kDutMin = 1.65, kDutMax = 5.5; // supply range of the chip
constexpr double kDacFullScale = 6.6;
constexpr std::int64_t kStreamErrorRepeatMs = 1000;
constexpr std::uint8_t kTestModePulse = 0x2B;   // start-up pulse that enters test mode

constexpr std::uint8_t kI2C = 4, kI2CPolling = 9;
constexpr std::uint16_t kIcTypeD = 4;

std::uint16_t err(std::uint8_t code, std::uint8_t number)
{
    return static_cast<std::uint16_t>((code << 8) | number);
}

bool inRange(std::uint8_t v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

}  // namespace

ToolFirmware::ToolFirmware(SimChip& chip, const ToolConfig& config)
    : chip_(chip), config_(config), toolId_(config.toolId & 0x0F)
{
    io_.fill(2);
}

void ToolFirmware::reset()
{
    switchOff();
    streamer_ = ToolStreamer{};
    pendingError_.reset();
    led_ = 0;
    icType_ = 0;
    logicType_ = 0;
    commsType_ = commsSpeed_ = 0;
    customSpeedHz_ = 0;
    levelShifter_ = 0;
    dutVoltage_ = 3.3;
    psuVoltage_ = 0.0;
    psuOn_ = false;
    i2cConfigured_ = false;
    i2cType_ = pullUps_ = i2cAddress_ = readyPin_ = stopCommand_ = polling_ = addressSize_ = 0;
    stopBitOff_ = false;
    eventMode_ = false;
    eventParams_ = {};
    waitForReady_ = false;
    io_.fill(2);
    chip_.setMarginSupply(0.0);
}

bool ToolFirmware::takeDfuRequest()
{
    const bool requested = dfuRequested_;
    dfuRequested_ = false;
    return requested;
}

bool ToolFirmware::commsSelected() const
{
    return (commsType_ == kI2C || commsType_ == kI2CPolling) && i2cConfigured_;
}

void ToolFirmware::switchOff()
{
    streamer_.stop();
    chip_.powerOff();
    dutOn_ = false;
    transactionOpen_ = false;
}

void ToolFirmware::command(const Report& report, std::int64_t t, std::vector<Report>& out)
{
    const std::uint8_t messageId = report[1];
    const std::uint8_t code = report[2];
    const std::uint8_t n = report[3];
    chip_.settle(t);
    Reply reply;
    if (pendingError_) {
        reply.error = err(code, *pendingError_);
        pendingError_.reset();
    } else {
        reply = dispatch(code, n, report.data() + 4, t);
    }
    Report answer{};
    answer[1] = static_cast<std::uint8_t>((reply.error ? 0x0E : 0x00) | (toolId_ << 4));
    answer[2] = messageId;
    answer[3] = code;
    if (reply.error) {
        answer[4] = static_cast<std::uint8_t>(reply.error >> 8);
        answer[5] = static_cast<std::uint8_t>(reply.error & 0xFF);
    } else {
        const std::size_t count = std::min(reply.data.size(), answer.size() - 4);
        std::copy_n(reply.data.begin(), count, answer.begin() + 4);
    }
    out.push_back(answer);
}

ToolFirmware::Reply ToolFirmware::dispatch(std::uint8_t code, std::uint8_t n, Params p,
                                           std::int64_t t)
{
    auto fail = [code](std::uint8_t number) { return Reply{err(code, number), {}}; };
    auto exactly = [n](std::uint8_t count) { return n == count; };
    switch (code) {
    case 0x01:
        return icType(n, p);
    case 0x02:
        return powerOn(n, p, t);
    case 0x03:
        return powerOff(n, p);
    case 0x04:
        return enterTestMode(n, p, t);
    case 0x05:
        return setupComms(n, p);
    case 0x06:
        if (!exactly(1))
            return fail(kBadParameter);
        if (!inRange(p[0], 1, 2))
            return fail(1);
        levelShifter_ = p[0];
        return {};
    case 0x07:
        return voltage(n, p);
    case 0x08:
        if (!exactly(1))
            return fail(kBadParameter);
        if (p[0] > 15)
            return fail(1);
        toolId_ = p[0];
        return {};
    case 0x09:
        return exactly(0) ? version() : fail(kBadParameter);
    case 0x0A:
        return commsRead(n, p);
    case 0x0B:
        return commsWrite(n, p, t);
    case 0x0C:
    case 0x15:
        return streamPiece(code, n, p);
    case 0x0D:
        if (!exactly(0))
            return fail(kBadParameter);
        if (!streamer_.streaming())
            return fail(1);
        streamer_.stop();
        return {};
    case 0x0E:
        return fuseBurn(n, p);
    case 0x0F:
        return configI2C(n, p);
    case 0x10:
        if (!exactly(1))
            return fail(kBadParameter);
        if (!inRange(p[0], 1, 8))
            return fail(1);
        return {0, {io_[p[0]]}};
    case 0x11:
        if (!exactly(2))
            return fail(kBadParameter);
        if (!inRange(p[0], 1, 8))
            return fail(1);
        if (!inRange(p[1], 1, 2))
            return fail(3);
        io_[p[0]] = p[1];
        return {};
    case 0x12:
        return i2cRead(n, p, t);
    case 0x13:
        if (!exactly(1) || p[0] > 1)
            return fail(kBadParameter);
        stopBitOff_ = p[0] == 0;
        return {};
    case 0x14:
        return longLength(n, p);
    case 0x1A:
        return eventMode(n, p);
    case 0x1B:
        return inStreamingWrite(n, p, t);
    case 0x30:
        if (!exactly(1) || p[0] > 1)
            return fail(kBadParameter);
        waitForReady_ = p[0] == 1;
        return {};
    case 0xC1:
        if (!exactly(1))
            return fail(kBadParameter);
        if (p[0] > 3)
            return fail(1);
        led_ = p[0];
        return {};
    case 0xFE:
        if (!exactly(0))
            return fail(kBadParameter);
        reset();
        return {};
    case 0xFF:
        if (!exactly(0))
            return fail(kBadParameter);
        dfuRequested_ = true;
        return {};
    default:
        return fail(kBadCommand);
    }
}

ToolFirmware::Reply ToolFirmware::icType(std::uint8_t n, Params p)
{
    if (n == 1) {  // logic type of the tester firmware
        if (p[0] > 1)
            return {err(0x01, kBadParameter), {}};
        logicType_ = p[0];
        return {};
    }
    if (n != 2)
        return {err(0x01, kBadParameter), {}};
    const auto type = static_cast<std::uint16_t>((p[0] << 8) | p[1]);
    if (type < 1 || type > 5)
        return {err(0x01, 1), {}};
    if (dutOn_)
        return {err(0x01, 2), {}};
    icType_ = type;
    return {};
}

ToolFirmware::Reply ToolFirmware::powerOn(std::uint8_t n, Params p, std::int64_t t)
{
    if (n == 1 && p[0] == 1) {  // the programmable supply
        if (psuOn_)
            return {err(0x02, 3), {}};
        psuOn_ = true;
        return {};
    }
    if (n != 0)
        return {err(0x02, kBadParameter), {}};
    if (dutOn_)
        return {err(0x02, 3), {}};
    if (dutVoltage_ < kDutMin || dutVoltage_ > kDutMax + 0.01)
        return {err(0x02, 1), {}};
    dutOn_ = true;
    chip_.powerOn(t);
    return {};
}

ToolFirmware::Reply ToolFirmware::powerOff(std::uint8_t n, Params p)
{
    if (n == 1 && p[0] == 1) {
        if (!psuOn_)
            return {err(0x03, 1), {}};
        psuOn_ = false;
        return {};
    }
    if (n != 0)
        return {err(0x03, kBadParameter), {}};
    if (!dutOn_)
        return {err(0x03, 1), {}};
    switchOff();
    return {};
}

ToolFirmware::Reply ToolFirmware::enterTestMode(std::uint8_t n, Params p, std::int64_t t)
{
    if (n == 2) {  // one test-register write while test mode is active
        if (!dutOn_ || !chip_.inTestMode())
            return {err(0x04, 5), {}};
        const std::uint8_t bytes[2] = {p[0], p[1]};
        chip_.write(chip_.address(), bytes, 2, false, t);
        return {};
    }
    if (n != 8)
        return {err(0x04, kBadParameter), {}};
    if (dutOn_)
        return {err(0x04, 3), {}};
    if (icType_ != kIcTypeD)
        return {err(0x04, 4), {}};
    // The chip powers up; with the right start-up pulse it is in test mode.
    const bool pulse = p[0] == 0 && p[1] == kTestModePulse;
    dutOn_ = true;
    chip_.powerOn(t, pulse);
    return {};
}

ToolFirmware::Reply ToolFirmware::setupComms(std::uint8_t n, Params p)
{
    if (n == 5) {  // I2C at a custom speed in Hz
        if (p[0] != kI2C || p[1] != kI2C)
            return {err(0x05, 1), {}};
        if (icType_ == 0)
            return {err(0x05, 3), {}};
        const std::uint32_t hz = (std::uint32_t(p[2]) << 16) | (p[3] << 8) | p[4];
        if (hz < 10000 || hz > 1000000)
            return {err(0x05, 2), {}};
        commsType_ = kI2C;
        customSpeedHz_ = hz;
        return {};
    }
    if (n != 2)
        return {err(0x05, kBadParameter), {}};
    if (icType_ == 0)
        return {err(0x05, 3), {}};
    if (p[0] != kI2C && p[0] != kI2CPolling)
        return {err(0x05, 1), {}};
    if (!inRange(p[1], 1, 3))
        return {err(0x05, 2), {}};
    commsType_ = p[0];
    commsSpeed_ = p[1];
    customSpeedHz_ = 0;
    return {};
}

ToolFirmware::Reply ToolFirmware::voltage(std::uint8_t n, Params p)
{
    if (n == 1) {
        if (p[0] == 1)
            dutVoltage_ = 3.3;
        else if (p[0] == 2)
            dutVoltage_ = 5.0;
        else
            return {err(0x07, 1), {}};
        return {};
    }
    if (n != 2)
        return {err(0x07, kBadParameter), {}};
    const int dac = (p[0] << 4) | (p[1] >> 4);
    const double volts = dac * kDacFullScale / 4096.0;
    switch (p[1] & 0x0F) {
    case 0:
        if (volts > kDutMax + 0.01)
            return {err(0x07, 1), {}};
        dutVoltage_ = volts;
        return {};
    case 1:
        psuVoltage_ = volts;
        chip_.setMarginSupply(volts);
        return {};
    default:
        return {err(0x07, kBadParameter), {}};
    }
}

ToolFirmware::Reply ToolFirmware::version() const
{
    const FirmwareVersion& fw = config_.firmware;
    return {0,
            {static_cast<std::uint8_t>(fw.version >> 24), static_cast<std::uint8_t>(fw.version >> 16),
             static_cast<std::uint8_t>(fw.version >> 8), static_cast<std::uint8_t>(fw.version),
             fw.build, fw.release, static_cast<std::uint8_t>(config_.productId >> 8),
             static_cast<std::uint8_t>(config_.productId), 0, 0, 0}};
}

ToolFirmware::Reply ToolFirmware::commsRead(std::uint8_t n, Params p)
{
    if (n != 1 || p[0] == 0)
        return {err(0x0A, kBadParameter), {}};
    if (!commsSelected())
        return {err(0x0A, 1), {}};
    if (p[0] > kMaxRead)
        return {err(0x0A, 2), {}};
    transactionOpen_ = false;  // repeated start ends an open write
    std::vector<std::uint8_t> data(p[0]);
    if (!chip_.read(i2cAddress_, data.data(), data.size()))
        return {err(0x0A, 3), {}};
    return {0, data};
}

ToolFirmware::Reply ToolFirmware::commsWrite(std::uint8_t n, Params p, std::int64_t t)
{
    if (n == 0)
        return {err(0x0B, kBadParameter), {}};
    if (!commsSelected())
        return {err(0x0B, 1), {}};
    if (n > kMaxWrite)
        return {err(0x0B, 2), {}};
    if (!chip_.write(i2cAddress_, p, n, transactionOpen_, t)) {
        transactionOpen_ = false;
        return {err(0x0B, 3), {}};
    }
    // With the stop bit off the bus stays held: the next write continues.
    transactionOpen_ = stopBitOff_;
    return {0, std::vector<std::uint8_t>(p, p + n)};
}

ToolFirmware::Reply ToolFirmware::fuseBurn(std::uint8_t n, Params p)
{
    if (n != 4)
        return {err(0x0E, kBadParameter), {}};
    if (!inRange(p[0], 10, 15))
        return {err(0x0E, 1), {}};
    if (p[1] == 0)
        return {err(0x0E, 2), {}};
    if (!inRange(p[2], 1, 4))
        return {err(0x0E, 3), {}};
    if (!inRange(p[3], 1, 2))
        return {err(0x0E, 4), {}};
    if (!dutOn_)
        return {err(0x0E, 5), {}};
    chip_.fuseBurn();
    return {};
}

ToolFirmware::Reply ToolFirmware::configI2C(std::uint8_t n, Params p)
{
    if (n != 6 && n != 7)
        return {err(0x0F, kBadParameter), {}};
    if (commsType_ != kI2C && commsType_ != kI2CPolling)
        return {err(0x0F, 1), {}};
    if (!inRange(p[0], 1, 4))
        return {err(0x0F, 2), {}};
    if (!inRange(p[1], 1, 2))
        return {err(0x0F, 3), {}};
    if (p[2] > 0x7F)
        return {err(0x0F, 4), {}};
    if (!inRange(p[3], 1, 3) || !inRange(p[4], 1, 2) || !inRange(p[5], 1, 2) ||
        (n == 7 && p[6] > 1))
        return {err(0x0F, kBadParameter), {}};
    i2cType_ = p[0];
    pullUps_ = p[1];
    i2cAddress_ = p[2];
    readyPin_ = p[3];
    stopCommand_ = p[4];
    polling_ = p[5];
    addressSize_ = n == 7 ? p[6] : 0;
    i2cConfigured_ = true;
    transactionOpen_ = false;
    return {};
}

ToolFirmware::Reply ToolFirmware::i2cRead(std::uint8_t n, Params p, std::int64_t t)
{
    if (n > 2 || p[n] == 0)
        return {err(0x12, kBadParameter), {}};
    const std::uint8_t size = p[n];
    if (!commsSelected())
        return {err(0x12, 1), {}};
    if (size > kMaxRead)
        return {err(0x12, 2), {}};
    transactionOpen_ = false;
    if (n > 0) {
        // The chip's registers are byte addressed: the last address byte counts.
        const std::uint8_t pointer = p[n - 1];
        if (!chip_.write(i2cAddress_, &pointer, 1, false, t))
            return {err(0x12, 3), {}};
    }
    std::vector<std::uint8_t> data(size);
    if (!chip_.read(i2cAddress_, data.data(), data.size()))
        return {err(0x12, 3), {}};
    return {0, data};
}

ToolFirmware::Reply ToolFirmware::longLength(std::uint8_t n, Params p)
{
    if (n != 2 && n != 4)
        return {err(0x14, kBadParameter), {}};
    const auto length = static_cast<std::uint16_t>((p[0] << 8) | p[1]);
    const auto setup = n == 4 ? static_cast<std::uint16_t>((p[2] << 8) | p[3]) : length;
    if (length == 0 || length > ToolStreamer::kMaxLength || (n == 4 && setup < 4) ||
        setup > ToolStreamer::kMaxLength)
        return {err(0x14, kBadParameter), {}};
    streamer_.setLongLength(length, setup);
    return {};
}

std::uint16_t ToolFirmware::streamStartCheck(std::uint8_t code) const
{
    if (icType_ == 0)
        return err(code, 4);
    if (!commsSelected())
        return err(code, 1);
    if (!dutOn_)
        return err(code, 5);
    if (!chip_.acknowledges(i2cAddress_))
        return err(code, 3);
    return 0;
}

ToolFirmware::Reply ToolFirmware::streamPiece(std::uint8_t code, std::uint8_t n, Params p)
{
    if (const std::uint16_t refused = streamStartCheck(code))
        return {refused, {}};
    bool complete = false;
    if (code == 0x15) {
        if (!streamer_.longPiece(n, p, complete))
            return {err(code, kBadParameter), {}};
    } else if (!streamer_.shortPiece(n, p, complete)) {
        return {err(code, kBadParameter), {}};
    }
    if (complete) {
        streamer_.start(code == 0x15 ? ToolStreamer::Kind::Long : ToolStreamer::Kind::Short);
        lastStreamError_ = -1;
    }
    return {};
}

ToolFirmware::Reply ToolFirmware::eventMode(std::uint8_t n, Params p)
{
    if ((n != 1 && n != 3 && n != 7 && n != 8) || p[0] > 1)
        return {err(0x1A, kBadParameter), {}};
    if (p[0] == 1 && commsType_ == kI2C && i2cType_ == 1)
        return {err(0x1A, 1), {}};  // follows the ready line, but there is none
    eventMode_ = p[0] == 1;
    eventParams_ = {};
    std::copy_n(p, n, eventParams_.begin());
    return {};
}

ToolFirmware::Reply ToolFirmware::inStreamingWrite(std::uint8_t n, Params p, std::int64_t t)
{
    if (n < 3 || n > kReportLength - 4)  // the data must fit in the report
        return {err(0x1B, kBadParameter), {}};
    if (!commsSelected())
        return {err(0x1B, 1), {}};
    if (!chip_.write(i2cAddress_, p + 2, n - 2u, false, t))
        return {err(0x1B, 3), {}};
    return {};
}

void ToolFirmware::chipReady(std::int64_t t, std::vector<Report>& out)
{
    if (!streamer_.streaming())
        return;
    if (!chip_.acknowledges(i2cAddress_)) {
        if (lastStreamError_ < 0 || t - lastStreamError_ >= kStreamErrorRepeatMs) {
            out.push_back(ToolStreamer::errorReport(toolId_, kNoCommsReply));
            lastStreamError_ = t;
        }
        return;
    }
    lastStreamError_ = -1;
    streamer_.frame(chip_, toolId_, out);
}

}  // namespace sim
