#pragma once
// The scope's point buffers: for each of the 13 traces 2500 X and 2500 Y
// values (FDesChartX, FDesChartY), allocated once and never resized.
//
// Points are stored by AddXY. Until the buffers are full, the point of a
// sample lands at index NrOfChartPoints - 1. From the 2501st sample on
// (NrOfChartPoints above 2500, or the buffers already full) every point a
// trace receives shifts that trace's buffer down by one first: the oldest
// point is dropped and the new one lands at index 2499. A trace that gets no
// point in a sample is not shifted.
//
// A point a trace did not receive (a sample without its value) reads as NaN
// until one is written there: the chart leaves a gap, the rescale and the CSV
// skip it.
//
// The shift is done without moving data: each trace is a ring kept twice over
// (every value is written at i and i + 2500), so its 2500 points always lie
// contiguously from its start offset and the chart can read them in place.

#include "ScopeTraces.h"

#include <bitset>
#include <memory>

namespace scope {

class TScopeBuffers {
public:
    static constexpr int kCapacity = 2500; // FMaxNrChartPoints

    TScopeBuffers();

    // NrOfChartPoints: the producer increments it once per sample, before the
    // sample's points.
    int NrOfChartPoints = 0;

    // Stores one point of trace series (0..12; other numbers are ignored).
    void AddXY(int series, double x, double y)
    {
        if (static_cast<unsigned>(series) >= static_cast<unsigned>(kTraces))
            return;
        if (NrOfChartPoints > kCapacity || FMaxPoints) {
            FMaxPoints = true;
            NrOfChartPoints = kCapacity;
            shift(series);
        }
        if (NrOfChartPoints > 0) {
            write(series, NrOfChartPoints - 1, x, y);
            FChanged.set(static_cast<std::size_t>(series));
        }
    }

    // FMaxPoints: the buffers are full and every new point shifts.
    bool full() const { return FMaxPoints; }
    // Valid points per trace: NrOfChartPoints within 0..2500.
    int count() const
    {
        return NrOfChartPoints < 0 ? 0 : NrOfChartPoints > kCapacity ? kCapacity : NrOfChartPoints;
    }
    // FChanged: the trace has received a point (never cleared).
    const std::bitset<kTraces>& changed() const { return FChanged; }

    // The 2500 X or Y values of a trace, oldest first, in place.
    const double* xData(int trace) const { return FX.get() + start(trace); }
    const double* yData(int trace) const { return FY.get() + start(trace); }
    double x(int trace, int index) const { return xData(trace)[index]; }
    double y(int trace, int index) const { return yData(trace)[index]; }

    // "Restart Scope": not full, no points; every stored value is NaN again so
    // that nothing of the previous run shows through a gap.
    void restart();

private:
    static constexpr int kStride = 2 * kCapacity;

    std::size_t start(int trace) const
    {
        return static_cast<std::size_t>(trace) * kStride + FHead[static_cast<std::size_t>(trace)];
    }
    void shift(int series)
    {
        int& head = FHead[static_cast<std::size_t>(series)];
        head = head + 1 == kCapacity ? 0 : head + 1;
    }
    void write(int series, int index, double x, double y)
    {
        const auto s = static_cast<std::size_t>(series);
        const std::size_t base = s * kStride;
        std::size_t p = static_cast<std::size_t>(FHead[s] + index);
        const std::size_t mirror = p >= kCapacity ? p - kCapacity : p + kCapacity;
        FX[base + p] = x;
        FY[base + p] = y;
        FX[base + mirror] = x;
        FY[base + mirror] = y;
    }

    std::unique_ptr<double[]> FX; // FDesChartX, 13 rings of 2 x 2500
    std::unique_ptr<double[]> FY; // FDesChartY
    std::array<int, kTraces> FHead{};
    std::bitset<kTraces> FChanged;
    bool FMaxPoints = false;
};

} // namespace scope
