#pragma once
// The chip's test mode and its five one-time-programmable banks.
//
// While test mode is active, 0x0A selects a bank and an operation, 0x0B is the
// read port, 0x0E and 0xE1 set up a margin read, 0x2B holds the burn data and
// 0x0F reads 0xA5. Bank 0 bits 0, 1 and 3 hold the I2C address code (address
// 0x44 plus the code); banks 1 to 4 hold factory trims.

#include <array>
#include <cstdint>

namespace sim {

class ChipTestMode {
public:
    ChipTestMode();

    void enter();
    void leave();
    bool active() const { return active_; }
    // Registers that test mode takes over while it is active.
    bool owns(std::uint8_t reg) const;
    std::uint8_t read(std::uint8_t reg) const;
    void write(std::uint8_t reg, std::uint8_t value);
    // The register pointer was set without data (0xE1 is the margin command).
    void pointerSet(std::uint8_t reg);
    // The tool's fuse-burn strobe; true when a bank was burned.
    bool burn();
    // Supply of the chip as the margin read sees it, in volts.
    void setSupply(double volts) { supply_ = volts; }

    std::uint8_t bank(int index) const { return otp_[static_cast<std::size_t>(index)]; }
    std::uint8_t addressCode() const { return otp_[0] & 0x0B; }
    // The next count burns leave their new bits weak: a margin read sees
    // them as 0 until they are burned again.
    void setWeakBurns(int count) { weakBurns_ = count; }

private:
    void strobe(std::uint8_t select);

    std::array<std::uint8_t, 5> otp_{};
    std::array<std::uint8_t, 5> strong_{};
    bool active_ = false;
    std::uint8_t select_ = 0;
    std::uint8_t readPort_ = 0;
    std::uint8_t burnData_ = 0;
    std::uint8_t margin_ = 0;
    bool marginCommand_ = false;
    double supply_ = 0.0;
    int weakBurns_ = 0;
};

}  // namespace sim
