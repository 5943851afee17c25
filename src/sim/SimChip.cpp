#include "SimChip.h"

#include <algorithm>

namespace sim {

namespace {

bool writable(std::uint8_t reg)
{
    return (reg >= 0x40 && reg <= 0x4B) || (reg >= 0x50 && reg <= 0x57) ||
           (reg >= 0x60 && reg <= 0x66) || (reg >= 0x70 && reg <= 0x75) ||
           (reg >= 0x80 && reg <= 0x83) || (reg >= 0x90 && reg <= 0x93) ||
           (reg >= 0xA0 && reg <= 0xA2) || (reg >= 0xC0 && reg <= 0xC4) ||
           (reg >= 0xD0 && reg <= 0xDB) || reg == 0xF0 || reg == 0xF1;
}

}  // namespace

RegisterFile SimChip::defaults(const ChipConfig& config)
{
    RegisterFile r{};
    r[0x00] = config.productNumber;
    r[0x01] = config.softwareNumber;
    r[0x02] = config.hardwareNumber;
    // Senvara channels: CH0 on RX0, CH1 on RX1, CH2 on both; divider 1/4,
    // full ATI; ATI base 100 and target 512; compensation and multipliers
    // are filled in by the ATI.
    const std::uint8_t pxs[] = {0x01, 0x02, 0x03, 0x13, 0x13, 0x13, 0x50, 0x50, 0x50,
                                0x00, 0x00, 0x00};
    std::copy(std::begin(pxs), std::end(pxs), r.begin() + 0x40);
    r[0x50] = 0x04;  // LTA beta 8, AC filter beta 1, AC filter on
    // Prox UI: prox 10 counts, touch 16/256 of the average, halt 10 s.
    const std::uint8_t pxsUi[] = {0x0A, 0x10, 0x0A, 0x10, 0x0A, 0x10, 0x14};
    std::copy(std::begin(pxsUi), std::end(pxsUi), r.begin() + 0x60);
    const std::uint8_t sarUi[] = {0x00, 0x44, 0x04, 0x10, 0x0A, 0x04};
    std::copy(std::begin(sarUi), std::end(sarUi), r.begin() + 0x70);
    const std::uint8_t hystUi[] = {0x11, 0x40, 0x0A, 0x10};
    std::copy(std::begin(hystUi), std::end(hystUi), r.begin() + 0x80);
    const std::uint8_t hall[] = {0x03, 0x50, 0x00, 0x00};
    std::copy(std::begin(hall), std::end(hall), r.begin() + 0x90);
    const std::uint8_t hallUi[] = {0x11, 0x14, 0x10};
    std::copy(std::begin(hallUi), std::end(hallUi), r.begin() + 0xA0);
    const std::uint8_t temp[] = {0x24, 0x00, 0x04, 0x04, 0x10};
    std::copy(std::begin(temp), std::end(temp), r.begin() + 0xC0);
    // Streaming mode, all six channels, normal power without automatic
    // switching; 16 ms, 64 ms and 128 ms report rates; all events.
    const std::uint8_t device[] = {0x00, 0x3F, 0x20, 0x10, 0x40, 0x08,
                                   0x14, 0xFF, 0x04, 0x19, 0x00, 0x07};
    std::copy(std::begin(device), std::end(device), r.begin() + 0xD0);
    return r;
}

SimChip::SimChip(const ChipConfig& config, std::uint32_t seed)
    : config_(config), model_(regs_), rng_(seed), factoryAddress_(config.i2cAddress),
      address_(config.i2cAddress)
{
    env_.rxLoadPf = config.rxLoadPf;
    env_.temperatureCentre = config.temperatureC;
}

void SimChip::powerOn(std::int64_t t, bool testMode)
{
    regs_ = defaults(config_);
    indirect_ = {};
    std::copy(regs_.begin(), regs_.begin() + 3, indirect_.begin());
    powered_ = true;
    pointer_ = 0;
    const std::uint8_t code = testMode_.addressCode();
    address_ = code ? static_cast<std::uint8_t>(0x44 + code) : factoryAddress_;
    lastCycle_ = t;
    if (testMode) {
        testMode_.enter();
        nextCycle_ = kNever;
        return;
    }
    testMode_.leave();
    model_.restart(env_, t);
    rescheduleCycle(t);
}

void SimChip::powerOff()
{
    powered_ = false;
    testMode_.leave();
    nextCycle_ = kNever;
}

void SimChip::setFactoryAddress(std::uint8_t address)
{
    factoryAddress_ = address;
    if (testMode_.addressCode() == 0)
        address_ = address;
}

bool SimChip::acknowledges(std::uint8_t address) const
{
    return powered_ && answering_ && address == address_;
}

std::uint8_t SimChip::readRegister(std::uint8_t reg) const
{
    if (testMode_.owns(reg))
        return testMode_.read(reg);
    if (reg == reg::IndirectData)
        return indirect_[regs_[reg::IndirectAddress]];
    return regs_[reg];
}

void SimChip::writeRegister(std::uint8_t reg, std::uint8_t value, std::int64_t t)
{
    if (testMode_.owns(reg)) {
        testMode_.write(reg, value);
        return;
    }
    if (!writable(reg))
        return;
    switch (reg) {
    case reg::SystemSettings:
        if (value & reg::CmdSoftReset) {
            softReset(t);
            return;
        }
        regs_[reg] = value & 0x3C;
        if (value & reg::CmdAckReset)
            model_.acknowledgeReset();
        if (value & reg::CmdRedoAti)
            model_.startAti(env_, t);
        if (value & reg::CmdReseed)
            model_.reseed();
        return;
    case reg::HallUi:
        regs_[reg] = value & 0x7F;
        if (value & 0x80)
            model_.forceHallCalibration(env_);
        return;
    case reg::ActiveChannels:
        regs_[reg] = value & 0x3F;
        return;
    case reg::IndirectData:
        indirect_[regs_[reg::IndirectAddress]] = value;
        return;
    default:
        regs_[reg] = value;
        if (reg >= reg::PmuSettings && reg <= reg::ReportRateUlp) {
            model_.pmuChanged();
            rescheduleCycle(t);
        }
        return;
    }
}

void SimChip::softReset(std::int64_t t)
{
    regs_ = defaults(config_);
    if (testMode_.active())
        return;
    model_.restart(env_, t);
    rescheduleCycle(t);
}

void SimChip::rescheduleCycle(std::int64_t t)
{
    if (!powered_ || testMode_.active()) {
        nextCycle_ = kNever;
        return;
    }
    const std::int64_t period = model_.periodMs();
    nextCycle_ = period < 0 ? kNever : std::max(t, lastCycle_ + period);
}

bool SimChip::write(std::uint8_t address, const std::uint8_t* data, std::size_t n,
                    bool continuing, std::int64_t t)
{
    if (!acknowledges(address))
        return false;
    std::size_t i = 0;
    if (!continuing && n > 0) {
        pointer_ = data[0];
        i = 1;
        if (n == 1)
            testMode_.pointerSet(pointer_);
    }
    for (; i < n; ++i)
        writeRegister(pointer_++, data[i], t);
    return true;
}

bool SimChip::read(std::uint8_t address, std::uint8_t* out, std::size_t n)
{
    if (!acknowledges(address))
        return false;
    for (std::size_t i = 0; i < n; ++i)
        out[i] = readRegister(pointer_++);
    return true;
}

std::int64_t SimChip::nextEventMs() const
{
    if (!powered_)
        return kNever;
    return model_.atiBusy() ? std::min(nextCycle_, model_.atiEndMs()) : nextCycle_;
}

bool SimChip::runAt(std::int64_t t)
{
    if (!powered_ || testMode_.active())
        return false;
    model_.settle(env_, t);
    if (t < nextCycle_)
        return false;
    const bool ready = model_.sample(env_, t, rng_);
    lastCycle_ = t;
    const std::int64_t period = model_.periodMs();
    nextCycle_ = period < 0 ? kNever : t + period;
    return ready;
}

}  // namespace sim
