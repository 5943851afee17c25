#include "ScopeAxes.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace scope {

bool TAxisRange::setMinimum(double value)
{
    if (value > Max)
        return false;
    Min = value;
    return true;
}

bool TAxisRange::setMaximum(double value)
{
    if (value < Min)
        return false;
    Max = value;
    return true;
}

bool TAxisRange::setOrdered(double min, double max)
{
    if (min > max)
        return false;
    if (min >= Max)
        return setMaximum(max) && setMinimum(min);
    return setMinimum(min) && setMaximum(max);
}

TPointWindow rescaleWindow(bool full, int count, int xRange)
{
    if (full)
        return {std::max(0, TScopeBuffers::kCapacity - xRange), TScopeBuffers::kCapacity - 1};
    return {std::max(0, count - xRange), count - 1};
}

TExtremes scanExtremes(const TScopeBuffers& buffers, const std::bitset<kTraces>& selected,
                       TPointWindow window)
{
    TExtremes e;
    const int first = std::max(0, window.First);
    const int last = std::min(window.Last, TScopeBuffers::kCapacity - 1);
    for (int t = 0; t < kTraces; ++t) {
        if (!selected.test(static_cast<std::size_t>(t)))
            continue;
        const double* y = buffers.yData(t);
        for (int i = first; i <= last; ++i) {
            const double v = y[i];
            if (std::isnan(v))
                continue; // a sample without a point of this trace
            e.Found = true;
            if (v > e.High)
                e.High = std::nearbyint(v);
            if (v < e.Low)
                e.Low = std::nearbyint(v);
        }
    }
    return e;
}

bool applyRescale(TAxisRange& y, const TExtremes& extremes, bool baselineView)
{
    if (baselineView)
        return y.setOrdered(kYMinStart, kYMaxStart);
    if (!extremes.Found)
        return false;
    return y.setOrdered(extremes.Low - 100, extremes.High + 100);
}

void resetView(TAxisRange& x, TAxisRange& y, int xRange, int xPos)
{
    if (xRange >= x.Max)
        x.setOrdered(0, xRange);
    else
        x.setOrdered(double(xPos) - xRange, xPos);
    y.setOrdered(kYMinStart, kYMaxStart);
}

std::optional<std::int32_t> parseWholeNumber(std::string_view text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    if (text.empty() || text.front() == '+')
        return std::nullopt;
    std::int32_t value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string axisText(double value)
{
    if (!std::isfinite(value))
        return "0";
    const long long whole = std::llround(value);
    return std::to_string(whole);
}

std::string readoutText(double x, double y, bool showX, bool showY)
{
    std::string text;
    if (showX)
        text = "X: " + axisText(x);
    if (showY)
        text += (showX ? "   Y: " : "Y: ") + axisText(y);
    return text;
}

double labelStep(double increment, double span, double lengthPx, double minGapPx)
{
    if (!(increment > 0) || !(span > 0) || !(lengthPx > 0))
        return increment > 0 ? increment : 1;
    static constexpr std::array<double, 3> kFactors = {1, 2, 5};
    if (span < 2 * increment) {
        // Zoomed in: finer whole-number steps (increment / 2, 5, 10, 20, ...)
        // so that at least two labels show.
        double best = increment;
        for (double decade = 1; decade <= 1e9; decade *= 10) {
            for (double f : {2.0, 5.0, 10.0}) {
                const double step = increment / (f * decade);
                if (step < 1)
                    return best;
                if (step != std::floor(step))
                    continue;
                best = step;
                if (span / step >= 2)
                    return step;
            }
        }
        return best;
    }
    for (double decade = 1; decade <= 1e12; decade *= 10)
        for (double f : kFactors) {
            const double step = increment * f * decade;
            if (span / step * minGapPx <= lengthPx)
                return step;
        }
    return span;
}

} // namespace scope
