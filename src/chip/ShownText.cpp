#include "FieldTable.h"

#include <cmath>
#include <cstdio>

namespace {

// value / 256 x 100, rounded to three significant digits (halves away from
// zero), written with two decimals: 255 -> "99.60%", 1 -> "0.39%".
std::string percentOf256(int value)
{
    const double x = value * 100.0 / 256.0; // exact in binary
    double rounded = 0;
    if (x != 0) {
        const int digits = static_cast<int>(std::floor(std::log10(std::fabs(x)))) + 1;
        const double scale = std::pow(10.0, 3 - digits);
        rounded = std::round(x * scale) / scale;
    }
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f%%", rounded);
    return buf;
}

// value x 0.32 in its shortest decimal form: 255 -> "81.6", 25 -> "8", 1 -> "0.32".
std::string hundredths(int value)
{
    const int h = value * 32; // hundredths
    std::string s = std::to_string(h / 100);
    int frac = h % 100;
    if (frac != 0) {
        s += '.';
        s += static_cast<char>('0' + frac / 10);
        if (frac % 10 != 0)
            s += static_cast<char>('0' + frac % 10);
    }
    return s;
}

} // namespace

std::string shownText(const TFieldDesc& desc, int value)
{
    value = value < desc.Min ? desc.Min : value > desc.Max ? desc.Max : value;
    switch (desc.Shown) {
    case TShownKind::None:
        return {};
    case TShownKind::Times:
        return std::to_string(value * desc.ShownFactor);
    case TShownKind::TimesMs:
        return std::to_string(value * desc.ShownFactor) + "ms";
    case TShownKind::TimesSpaceMs:
        return std::to_string(value * desc.ShownFactor) + " ms";
    case TShownKind::Percent256:
        return percentOf256(value);
    case TShownKind::HalfSeconds:
        // value x 500 ms in seconds with one decimal: 255 -> "127.5 sec".
        return std::to_string(value / 2) + (value % 2 ? ".5" : ".0") + " sec";
    case TShownKind::RdyMs:
        return hundredths(value) + "ms";
    }
    return {};
}
