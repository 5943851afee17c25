#pragma once
// "Export CSV...": the points in the buffers of the shown traces as CSV text.
// The first column is the sample number (X); then one column per shown trace
// in trace order. A row per sample number that some shown trace has a point
// at, oldest first; a trace without a point at that sample leaves its cell
// empty. Lines end with "\n".

#include "ScopeModel.h"

#include <string>

namespace scope {

// The shown traces: drawn on the chart and holding points.
std::bitset<kTraces> shownTraces(const TScopeModel& model);

// baselineView names the count columns "CHn Delta" instead of "CHn Count".
std::string scopeCsv(const TScopeModel& model, bool baselineView);

} // namespace scope
