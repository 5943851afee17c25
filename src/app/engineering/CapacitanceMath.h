#pragma once
// The arithmetic of the load-capacitance calculation, free of any chip access.
//
// Per channel five count readings are taken: R1 after the ATI with the
// calibration capacitor off, R2, R3 and R4 with the capacitor on at select 0,
// 2 and 3, and R5 with the compensation at 0. The capacitor steps between
// those selects make one picofarad-sized unit in 1/count terms; the load is
// the uncompensated 1/count measured in that unit.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

struct TCapReadings {
    std::array<std::uint16_t, 5> R{};  // R1 to R5
};

inline constexpr double kCapK = 1048576.0;  // 2^20

// The load in picofarads; nullopt when the calibration step is not above 0 or
// a reading is 0 (no count, so no quotient to take).
std::optional<double> loadCapacitance(const TCapReadings& readings);

// Rounded to two decimals (ties to even), in the shortest form, with " pF":
// 2.6433 -> "2.64 pF", 8.1 -> "8.1 pF", 0 -> "0 pF".
std::string capacitanceText(double picofarads);

// The row label of channel n as shown: "Cx0:", "Cx1:", "Cx0 & Cx1:" for the
// default settings, "CH0:", "CH1:", "CH2:" when the current settings are used.
std::string capacitanceRowLabel(int channel, bool currentSettings);
