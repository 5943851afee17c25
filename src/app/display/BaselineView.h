#pragma once
// What switching "Baseline View" on or off does to the display: the bar
// graph's left axis, the LTA series colour, the scope's Y range and its
// "Rescale Scope View" button, the box caption, and the errors it reports.

#include <cstdint>
#include <vector>

struct TBaselineViewLook {
    bool DeltaOnly = false;                             // FDeltaOnly
    bool CaptionBold = false;                           // the "Baseline View" box caption
    double AxisMin = 0, AxisMax = 1500, AxisStep = 100; // bar graph left axis
    std::uint32_t LtaSeriesColour = 0;
    // Scope window: on: Y range, its MinEdit/MaxEdit texts and the rescale
    // button disabled; off: the button enabled and a rescale run.
    bool SetScopeRange = false;
    double ScopeYMin = 0, ScopeYMax = 0;
    bool ScopeRescaleEnabled = true;
    bool RunScopeRescale = false;
    // Errors for the message list, in order.
    std::vector<const char*> Errors;
};

// countSamples, longTermAverages: the "Count Samples" and "Long Term
// Averages (LTA)" boxes.
TBaselineViewLook baselineViewLook(bool on, bool countSamples, bool longTermAverages);
