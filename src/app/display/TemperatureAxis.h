#pragma once
// The temperature bar's axis maximum (FTemperatureValueMax). It grows with the
// value, keeps 15 % headroom, falls back to 230 for small values, and resets
// to 230 when a value drops below half of a maximum above 500. Rounding is
// half to even on the exact products (0.15 x 30 = 4.5 gives 4).

#include <cstdint>

class TTemperatureAxis {
public:
    static constexpr std::int32_t kStartMax = 100; // after Start
    static constexpr std::int32_t kResetMax = 230; // after a click, and for small values

    void start() { FMax = kStartMax; }
    // One frame's value. Returns true when the axis maximum was set.
    bool update(std::uint16_t value);
    // A click on the temperature bar.
    void click() { FMax = kResetMax; }
    std::int32_t max() const { return FMax; }

    // Exact round-half-even of num / den for num >= 0, den > 0.
    static std::int32_t roundHalfEven(std::int64_t num, std::int64_t den);
    static std::int32_t fifteenPercent(std::int32_t v) { return roundHalfEven(15LL * v, 100); }

private:
    std::int32_t FMax = kStartMax; // 32 bits: value + 15 % of 65535 does not fit 16
};
