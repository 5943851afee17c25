#pragma once
// The scope's axis rules: the Y rescale over the visible window of points,
// the view reset, the entries of the Settings group and the label spacing.

#include "ScopeBuffers.h"

#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scope {

// One axis range. The chart's axes refuse a minimum above their maximum and a
// maximum below their minimum, so rules change the two ends one at a time in
// an order that never needs that.
struct TAxisRange {
    double Min = 0;
    double Max = 0;

    // False (and unchanged) when value would lie above the maximum.
    bool setMinimum(double value);
    // False (and unchanged) when value would lie below the minimum.
    bool setMaximum(double value);
    // Both ends: the maximum first when min lies at or above the current
    // maximum, else the minimum first. False when min > max.
    bool setOrdered(double min, double max);

    double span() const { return Max - Min; }
    bool operator==(const TAxisRange&) const = default;
};

inline constexpr double kYMinStart = 0;    // Y range at creation and after a reset
inline constexpr double kYMaxStart = 1500;
inline constexpr int kXRangeStart = 600;   // FXRange at creation
inline constexpr double kXLabelStep = 100; // X labels every 100 samples
inline constexpr int kYIncStart = 10;
inline constexpr int kXRangeMin = 100, kXRangeMax = 1500, kXRangeStep = 100;
inline constexpr int kYIncMin = 1, kYIncMax = 1000;

// Buffer indices a rescale scans (inclusive; empty when Last < First): the
// last xRange indices of full buffers, else the last xRange valid points.
struct TPointWindow {
    int First = 0;
    int Last = -1;
};
TPointWindow rescaleWindow(bool full, int count, int xRange);

// The running extremes of a rescale: start at -65535 (high) and 65535 (low);
// a value above the high or below the low becomes it, rounded to the nearest
// integer (halves to even).
struct TExtremes {
    double High = -65535;
    double Low = 65535;
    bool Found = false; // some selected trace had a point in the window
};
TExtremes scanExtremes(const TScopeBuffers& buffers, const std::bitset<kTraces>& selected,
                       TPointWindow window);

// The rescale of y: in baseline view 0..1500, otherwise (low - 100)..(high +
// 100). Without a point to scan the range stays as it is (false).
bool applyRescale(TAxisRange& y, const TExtremes& extremes, bool baselineView);

// ResetAxes: X 0..xRange when xRange reaches the X maximum, else the xRange
// samples before xPos; Y 0..1500.
void resetView(TAxisRange& x, TAxisRange& y, int xRange, int xPos);

// An axis entry ("Set Y Max", "Set Y Min"): a whole number (optional sign,
// decimal digits, surrounding blanks allowed) within 32 bits.
std::optional<std::int32_t> parseWholeNumber(std::string_view text);

// An axis value as the axis and its edits show it: rounded to a whole number.
std::string axisText(double value);

// The cursor read-out: "X: " and the X value, "   Y: " and the Y value, both
// rounded to whole numbers; with one option off only the other ("Y: " first).
// Empty with both off.
std::string readoutText(double x, double y, bool showX, bool showY);

// Label spacing: the label increment, or a multiple of it (x 2, 5, 10, 20,
// ...) so that labels stand at least minGapPx apart; when fewer than two
// labels would show (a zoomed view), a whole-number fraction of it.
double labelStep(double increment, double span, double lengthPx, double minGapPx);

} // namespace scope
