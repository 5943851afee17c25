#pragma once
// The thirteen scope traces: what each one charts, its colour slot, its line
// width and its selector box. Colours are 24-bit integers with red in the low
// byte, as the preferences file keeps them.

#include "ScopeFeed.h"

#include <array>
#include <cstdint>

namespace scope {

inline constexpr int kTraces = kScopeTraces; // trace numbers 0..12 (SeriesNr)
inline constexpr int kColourSlots = 11;      // FScopeColors; slot 10 is not used
inline constexpr int kSavedColourSlots = 10; // slots 0..9 go to the preferences file

enum class TTraceGroup { Counts, Ltas, Sensors };

struct TTraceInfo {
    const char* Title;      // internal series title
    const char* ColumnName; // CSV column
    int ColourSlot;
    int LineWidth;
    TTraceGroup Group;
    int Channel; // main channel box that also gates the trace (0..5), -1: none
};

// By trace number.
extern const std::array<TTraceInfo, kTraces> kTraceTable;

// Colour slots at creation (slot 7 is black here; it reads as 65793 from a
// preferences file that lacks it).
inline constexpr std::array<std::int32_t, kColourSlots> kCreationColours = {
    16711680, 255, 32768, 65280, 8388736, 8421504, 11184640, 0, 4227327, 8421440, 8388863};

// The selector boxes checked at creation: CH0 and CH1 of the counts.
inline constexpr std::array<bool, kTraces> kCreationSelection = {
    true, true, false, false, false, false, false, false, false, false, false, false, false};

// Traces whose colour comes from slot (a count and an LTA trace share slots 0..2).
std::array<bool, kTraces> tracesOfSlot(int slot);

} // namespace scope
