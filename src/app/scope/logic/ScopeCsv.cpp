#include "ScopeCsv.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>
#include <vector>

namespace scope {

namespace {

void appendNumber(std::string& out, double v)
{
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    if (ec == std::errc())
        out.append(buf, end);
}

std::string columnName(int trace, bool baselineView)
{
    std::string name = kTraceTable[static_cast<std::size_t>(trace)].ColumnName;
    if (baselineView && trace < scopetrace::Lta0)
        name.replace(name.find("Count"), 5, "Delta");
    return name;
}

} // namespace

std::bitset<kTraces> shownTraces(const TScopeModel& model)
{
    return model.visible() & model.buffers().changed();
}

std::string scopeCsv(const TScopeModel& model, bool baselineView)
{
    const TScopeBuffers& b = model.buffers();
    const std::bitset<kTraces> shown = shownTraces(model);
    const int count = b.count();

    // Each shown trace's points sorted by sample number; for a sample number
    // held twice the newer point counts.
    std::vector<int> traces;
    std::vector<std::vector<std::pair<double, double>>> points;
    std::vector<double> samples;
    for (int t = 0; t < kTraces; ++t) {
        if (!shown.test(static_cast<std::size_t>(t)))
            continue;
        std::vector<std::pair<double, double>> p;
        p.reserve(static_cast<std::size_t>(count));
        for (int i = 0; i < count; ++i)
            if (!std::isnan(b.x(t, i)) && !std::isnan(b.y(t, i)))
                p.emplace_back(b.x(t, i), b.y(t, i));
        std::stable_sort(p.begin(), p.end(),
                         [](const auto& a, const auto& c) { return a.first < c.first; });
        for (const auto& pt : p)
            samples.push_back(pt.first);
        traces.push_back(t);
        points.push_back(std::move(p));
    }
    std::sort(samples.begin(), samples.end());
    samples.erase(std::unique(samples.begin(), samples.end()), samples.end());

    std::string out = "Sample";
    for (int t : traces) {
        out += ',';
        out += columnName(t, baselineView);
    }
    out += '\n';
    for (double x : samples) {
        appendNumber(out, x);
        for (const auto& p : points) {
            out += ',';
            // The last point at x (upper_bound - 1).
            auto it = std::upper_bound(p.begin(), p.end(), x,
                                       [](double v, const auto& pt) { return v < pt.first; });
            if (it != p.begin() && (it - 1)->first == x)
                appendNumber(out, (it - 1)->second);
        }
        out += '\n';
    }
    return out;
}

} // namespace scope
