#include "ChipTestMode.h"

#include "ChipRegisters.h"

namespace sim {

namespace {

constexpr std::uint8_t kActive = 0xA5;
constexpr std::uint8_t kReadStrobe = 0x10;
constexpr std::uint8_t kMarginStrobe = 0xD0;
constexpr std::uint8_t kBurnArmed = 0x68;  // program mode, burn enable, arm
constexpr double kMarginLow = 2.2;
constexpr double kMarginHigh = 2.5;

}  // namespace

ChipTestMode::ChipTestMode()
{
    otp_ = {0x00, 0x5A, 0x33, 0x0C, 0x81};  // bank 0 blank, factory trims
    strong_ = otp_;
}

void ChipTestMode::enter()
{
    active_ = true;
    select_ = readPort_ = burnData_ = margin_ = 0;
    marginCommand_ = false;
}

void ChipTestMode::leave()
{
    active_ = false;
}

bool ChipTestMode::owns(std::uint8_t reg) const
{
    if (!active_)
        return false;
    switch (reg) {
    case reg::TmSelect:
    case reg::TmReadPort:
    case reg::TmMargin:
    case reg::TmStatus:
    case reg::TmBurnData:
    case reg::TmMarginCmd:
        return true;
    default:
        return false;
    }
}

std::uint8_t ChipTestMode::read(std::uint8_t reg) const
{
    switch (reg) {
    case reg::TmSelect:
        return select_;
    case reg::TmReadPort:
        return readPort_;
    case reg::TmMargin:
        return margin_;
    case reg::TmStatus:
        return kActive;
    case reg::TmBurnData:
        return burnData_;
    default:
        return 0;
    }
}

void ChipTestMode::write(std::uint8_t reg, std::uint8_t value)
{
    switch (reg) {
    case reg::TmSelect:
        select_ = value;
        strobe(value);
        break;
    case reg::TmMargin:
        margin_ = value;
        break;
    case reg::TmBurnData:
        burnData_ = value;
        break;
    case reg::TmMarginCmd:
        marginCommand_ = true;
        break;
    default:
        break;  // 0x0B and 0x0F are read only
    }
}

void ChipTestMode::pointerSet(std::uint8_t reg)
{
    if (active_ && reg == reg::TmMarginCmd)
        marginCommand_ = true;
}

void ChipTestMode::strobe(std::uint8_t select)
{
    const int bankIndex = select & 0x07;
    if (bankIndex >= static_cast<int>(otp_.size()))
        return;
    const auto b = static_cast<std::size_t>(bankIndex);
    if ((select & 0xF8) == kReadStrobe) {
        readPort_ = otp_[b];
    } else if ((select & 0xF8) == kMarginStrobe) {
        const bool margin = margin_ == 0x06 && marginCommand_ && supply_ >= kMarginLow &&
                            supply_ <= kMarginHigh;
        // At the reduced supply a weakly burned bit reads as 0.
        readPort_ = margin ? static_cast<std::uint8_t>(otp_[b] & strong_[b]) : otp_[b];
    }
}

bool ChipTestMode::burn()
{
    if (!active_ || (select_ & 0xF8) != kBurnArmed)
        return false;
    const auto b = static_cast<std::size_t>(select_ & 0x07);
    if (b >= otp_.size())
        return false;
    otp_[b] |= burnData_;
    if (weakBurns_ > 0)
        --weakBurns_;
    else
        strong_[b] |= burnData_;
    return true;
}

}  // namespace sim
