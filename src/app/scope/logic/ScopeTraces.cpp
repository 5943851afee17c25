#include "ScopeTraces.h"

namespace scope {

const std::array<TTraceInfo, kTraces> kTraceTable = {{
    {"CS0", "CH0 Count", 0, 2, TTraceGroup::Counts, 0},
    {"CS1", "CH1 Count", 1, 2, TTraceGroup::Counts, 1},
    {"CS2", "CH2 Count", 2, 1, TTraceGroup::Counts, 2},
    {"CS3", "CH3 Count", 3, 1, TTraceGroup::Counts, 3},
    {"CS4", "CH4 Count", 4, 2, TTraceGroup::Counts, 4},
    {"CS5", "CH5 Count", 5, 2, TTraceGroup::Counts, 5},
    {"LT0", "CH0 LTA", 0, 1, TTraceGroup::Ltas, 0},
    {"LT1", "CH1 LTA", 1, 1, TTraceGroup::Ltas, 1},
    {"LT2", "CH2 LTA", 2, 1, TTraceGroup::Ltas, 2},
    {"LT3", "Temperature", 9, 2, TTraceGroup::Sensors, -1},
    {"QR", "SAR Quick Release", 6, 2, TTraceGroup::Sensors, -1},
    {"MD", "Hysteresis", 7, 2, TTraceGroup::Sensors, -1},
    {"Hall", "Hall Value", 8, 2, TTraceGroup::Sensors, -1},
}};

std::array<bool, kTraces> tracesOfSlot(int slot)
{
    std::array<bool, kTraces> out{};
    for (std::size_t t = 0; t < out.size(); ++t)
        out[t] = kTraceTable[t].ColourSlot == slot;
    return out;
}

} // namespace scope
