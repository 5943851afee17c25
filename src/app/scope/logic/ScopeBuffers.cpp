#include "ScopeBuffers.h"

#include <algorithm>
#include <limits>

namespace scope {

TScopeBuffers::TScopeBuffers()
    : FX(std::make_unique<double[]>(std::size_t{kTraces} * kStride)),
      FY(std::make_unique<double[]>(std::size_t{kTraces} * kStride))
{
    restart();
}

void TScopeBuffers::restart()
{
    FMaxPoints = false;
    NrOfChartPoints = 0;
    const std::size_t n = std::size_t{kTraces} * kStride;
    std::fill_n(FX.get(), n, std::numeric_limits<double>::quiet_NaN());
    std::fill_n(FY.get(), n, std::numeric_limits<double>::quiet_NaN());
}

} // namespace scope
