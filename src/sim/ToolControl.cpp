#include "ToolControl.h"

#include "SimCore.h"

namespace sim {

namespace {

template <typename T, typename Get>
T query(const ToolControl& control, T fallback, Get get)
{
    T value = fallback;
    control.with([&](SimTool& tool) { value = get(tool); });
    return value;
}

}  // namespace

bool ToolControl::with(const std::function<void(SimTool&)>& f) const
{
    return core_->withTool(key_, f);
}

bool ToolControl::present() const
{
    return with([](SimTool&) {});
}

bool ToolControl::unplug()
{
    return core_->unplug(key_);
}

void ToolControl::setFinger(int channel, double proximity)
{
    if (channel < 0 || channel > 2)
        return;
    with([&](SimTool& t) {
        t.chip().environment().finger[static_cast<std::size_t>(channel)] = proximity;
    });
}

void ToolControl::setFingerCycle(bool on)
{
    with([&](SimTool& t) { t.chip().environment().fingerCycle = on; });
}

void ToolControl::setMagnet(double field)
{
    with([&](SimTool& t) { t.chip().environment().magnet = field; });
}

void ToolControl::setMetal(double proximity, bool ferrous)
{
    with([&](SimTool& t) {
        t.chip().environment().metal = proximity;
        t.chip().environment().metalFerrous = ferrous;
    });
}

void ToolControl::setRxLoad(int pin, double picofarads)
{
    if (pin < 0 || pin > 1)
        return;
    with([&](SimTool& t) {
        t.chip().environment().rxLoadPf[static_cast<std::size_t>(pin)] = picofarads;
    });
}

void ToolControl::setTemperature(std::optional<double> celsius)
{
    with([&](SimTool& t) { t.chip().environment().temperatureOverride = celsius; });
}

void ToolControl::setStreamRate(std::uint32_t hz)
{
    core_->setStreamRate(key_, hz);
}

void ToolControl::loseStreamReports(int count)
{
    with([&](SimTool& t) { t.loseStreamReports(count); });
}

void ToolControl::failNextCommand(std::uint8_t errorNumber)
{
    with([&](SimTool& t) { t.firmware().failNextCommand(errorNumber); });
}

void ToolControl::setSilent(bool silent)
{
    with([&](SimTool& t) { t.setSilent(silent); });
}

void ToolControl::setChipAnswering(bool answering)
{
    with([&](SimTool& t) { t.chip().setAnswering(answering); });
}

void ToolControl::setChipAddress(std::uint8_t address)
{
    with([&](SimTool& t) { t.chip().setFactoryAddress(address); });
}

void ToolControl::setWeakOtpBurns(int count)
{
    with([&](SimTool& t) { t.chip().setWeakOtpBurns(count); });
}

std::uint8_t ToolControl::chipRegister(std::uint8_t reg) const
{
    return query<std::uint8_t>(*this, 0, [reg](SimTool& t) { return t.chip().peek(reg); });
}

bool ToolControl::chipPowered() const
{
    return query(*this, false, [](SimTool& t) { return t.chip().powered(); });
}

bool ToolControl::chipInTestMode() const
{
    return query(*this, false, [](SimTool& t) { return t.chip().inTestMode(); });
}

std::uint8_t ToolControl::chipAddress() const
{
    return query<std::uint8_t>(*this, 0, [](SimTool& t) { return t.chip().address(); });
}

std::uint8_t ToolControl::otpBank(int index) const
{
    if (index < 0 || index > 4)
        return 0;
    return query<std::uint8_t>(*this, 0, [index](SimTool& t) { return t.chip().otpBank(index); });
}

bool ToolControl::streaming() const
{
    return query(*this, false, [](SimTool& t) { return t.firmware().streaming(); });
}

std::uint64_t ToolControl::framesStreamed() const
{
    return query<std::uint64_t>(*this, 0,
                                [](SimTool& t) { return t.firmware().framesStreamed(); });
}

std::uint8_t ToolControl::ledColour() const
{
    return query<std::uint8_t>(*this, 0, [](SimTool& t) { return t.firmware().ledColour(); });
}

std::uint8_t ToolControl::toolId() const
{
    return query<std::uint8_t>(*this, 0, [](SimTool& t) { return t.firmware().toolId(); });
}

double ToolControl::dutVoltage() const
{
    return query(*this, 0.0, [](SimTool& t) { return t.firmware().dutVoltage(); });
}

bool ToolControl::eventModeEnabled() const
{
    return query(*this, false, [](SimTool& t) { return t.firmware().eventModeEnabled(); });
}

void ToolControl::setFirmwareAfterDfu(std::uint32_t version, std::uint8_t build,
                                      std::uint8_t release)
{
    with([&](SimTool& t) { t.setFirmwareAfterDfu({version, build, release}); });
}

std::string ToolControl::serialNumber() const
{
    std::string serial;
    with([&](SimTool& t) { serial = t.config().serialNumber; });
    return serial;
}

}  // namespace sim
