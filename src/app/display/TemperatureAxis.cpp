#include "TemperatureAxis.h"

std::int32_t TTemperatureAxis::roundHalfEven(std::int64_t num, std::int64_t den)
{
    const std::int64_t q = num / den;
    const std::int64_t r2 = 2 * (num % den);
    if (r2 > den || (r2 == den && (q % 2) != 0))
        return static_cast<std::int32_t>(q + 1);
    return static_cast<std::int32_t>(q);
}

bool TTemperatureAxis::update(std::uint16_t value)
{
    const std::int32_t v = value;
    if (v > FMax - fifteenPercent(FMax) || (FMax >= 200 && FMax <= kResetMax)) {
        const std::int32_t grown = v + fifteenPercent(v);
        FMax = grown <= 200 ? kResetMax : grown;
        return true;
    }
    if (FMax > 500 && v < roundHalfEven(FMax, 2)) {
        click();
        return true;
    }
    return false;
}
