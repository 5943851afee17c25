#pragma once
// The scope window without widgets (TScopeForm's state and rules): the point
// buffers, the sample counter, the visible X window, the update tick with its
// scrolling and automatic rescale, the view reset, "Restart Scope", the
// active-trace rule, the axis entries of the Settings group and the colour
// slots. The window mirrors this state into its chart and controls.
//
// The main window feeds it one sample at a time (Feed, or NrOfChartPoints,
// AddXY and XPos directly): increment NrOfChartPoints, add the sample's points
// at the current XPos, increment XPos.

#include "ScopeAxes.h"
#include "ScopeBuffers.h"
#include "ScopeFeed.h"
#include "ScopeTraces.h"

#include <array>
#include <bitset>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace scope {

// What the scope reads from the main window.
class IScopeHost {
public:
    virtual ~IScopeHost() = default;
    virtual bool isStreaming() const = 0;               // FIsStreaming
    virtual bool deltaOnly() const = 0;                 // FDeltaOnly: baseline view
    virtual bool channelEnabled(int channel) const = 0; // CH0Check..CH5Check
};

// What one update tick did.
struct TTickResult {
    bool Ran = false;              // false: not streaming, or FNoUpdate
    std::bitset<kTraces> HandOver; // traces whose buffers go to the chart
    bool Scrolled = false;         // the X axis moved with the newest sample
    bool Rescaled = false;         // AutoRescale ran
};

// An axis entry's outcome: accepted (Message null), or refused with the
// message to show and the text its edit returns to.
struct TEntryResult {
    const char* Message = nullptr;
    std::string EditText;
    bool accepted() const { return Message == nullptr; }
};

// The three-state "All" boxes: each click moves on from unchecked to greyed,
// from greyed to checked, and from checked to unchecked.
enum class TAllState { Unchecked, Greyed, Checked };
TAllState nextAllState(TAllState state);
// The selector boxes an "All" box sets: the six count boxes, or the LTA boxes
// of channels 0 and 1 (channel 2's is left alone). For a greyed box they take
// the saved states; otherwise all the box's state.
std::array<std::optional<bool>, kTraces>
allBoxEffect(TTraceGroup group, TAllState state, const std::array<bool, kTraces>& saved);

class TScopeModel {
public:
    explicit TScopeModel(const IScopeHost& host);

    // ---- Producer side -----------------------------------------------------
    int XPos = 0; // FXPos: X of the next sample's points
    int& NrOfChartPoints() { return FBuffers.NrOfChartPoints; }
    int NrOfChartPoints() const { return FBuffers.NrOfChartPoints; }
    void AddXY(int series, std::int32_t x, std::int32_t y) { FBuffers.AddXY(series, x, y); }
    void AddXY(int series, double x, double y) { FBuffers.AddXY(series, x, y); }
    bool ActiveChannels() const { return FActiveChannels; }
    // One sample of the live display: the timer request, the point count,
    // the points at XPos, then XPos.
    void Feed(const TScopeSample& sample);
    // UpdateTimer's enabled state (the window runs the timer by it).
    bool UpdateTimer = false;

    // ---- The window's own state --------------------------------------------
    TAxisRange X{0, kXRangeStart};
    TAxisRange Y{kYMinStart, kYMaxStart};
    int XRange() const { return FXRange; } // FXRange
    int PrevXPos() const { return FPrevXPos; }
    int YInc() const { return FYInc; }     // Y label increment
    bool AutoScale = true;                 // "Auto Scale"
    int AutoScaleCount = 20;
    bool NoUpdate = false;                 // FNoUpdate
    std::array<std::int32_t, kColourSlots> Colours = kCreationColours; // FScopeColors

    const TScopeBuffers& buffers() const { return FBuffers; }

    // Selector boxes (CH0CurCheck.. , CH0LTACheck.., TempCheck, QRDCheck,
    // MDCheck, HallCheck by trace number).
    bool selected(int trace) const { return FSelected.test(static_cast<std::size_t>(trace)); }
    const std::bitset<kTraces>& selection() const { return FSelected; }
    // A selector box changed: stores it and runs CheckActiveChannels.
    void setSelected(int trace, bool on);

    // The trace is drawn while this holds: its selector box and, for counts
    // and LTAs, the main window's channel box.
    bool traceShown(int trace) const;
    // Visibility as last handed to the chart.
    const std::bitset<kTraces>& visible() const { return FVisible; }
    // Brings the visibility of every trace that has points up to date; the
    // traces whose visibility changed.
    std::bitset<kTraces> UpdateVisibility();

    // ---- Operations --------------------------------------------------------
    // UpdateTimer fired.
    TTickResult Tick();
    // AutoRescale and "Rescale Scope View". False when no selected trace had
    // a point to scan (the range stays).
    bool Rescale();
    // ResetAxes.
    void ResetAxes();
    // "Restart Scope"; xRangeSpin: the XRangeSpin value.
    void Restart(int xRangeSpin);
    // CheckActiveChannels.
    void CheckActiveChannels();

    // Settings group.
    TEntryResult SetYMax(std::string_view text);
    TEntryResult SetYMin(std::string_view text);
    void SetYInc(int value);
    // A value within 100..1500 becomes FXRange and resets the view.
    bool SetXRange(int value);

private:
    const IScopeHost& FHost;
    TScopeBuffers FBuffers;
    int FPrevXPos = 0;
    int FXRange = kXRangeStart;
    int FYInc = kYIncStart;
    bool FActiveChannels = true;
    std::bitset<kTraces> FSelected;
    std::bitset<kTraces> FVisible;
};

} // namespace scope
