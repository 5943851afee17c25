#include "CapacitanceMath.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

std::optional<double> loadCapacitance(const TCapReadings& readings)
{
    for (const std::uint16_t r : readings.R) {
        if (r == 0)
            return std::nullopt;
    }
    const auto q = [&](int i) { return kCapK / static_cast<double>(readings.R[static_cast<std::size_t>(i)]); };
    const double step = ((q(2) - q(0)) + (q(3) - q(1))) / 3.0;
    if (!(step > 0.0))
        return std::nullopt;
    return q(4) / step;
}

std::string capacitanceText(double picofarads)
{
    if (!std::isfinite(picofarads))
        picofarads = 0.0;
    // nearbyint rounds halves to even in the default rounding mode.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double hundredths = std::nearbyint(picofarads * 100.0);
    std::fesetround(saved);
    char text[512];
    std::snprintf(text, sizeof text, "%.2f", hundredths / 100.0);
    std::string s(text);
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.')
        s.pop_back();
    if (s == "-0")
        s = "0";
    return s + " pF";
}

std::string capacitanceRowLabel(int channel, bool currentSettings)
{
    if (currentSettings)
        return "CH" + std::to_string(channel) + ":";
    switch (channel) {
    case 0: return "Cx0:";
    case 1: return "Cx1:";
    default: return "Cx0 & Cx1:";
    }
}
