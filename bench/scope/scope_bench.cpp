// The scope window's hot paths, on the offscreen platform:
//
//   BM_AddXY              one point into full buffers (the shift case), points per second
//   BM_FeedSample         one sample of all 13 traces as the live display feeds it
//   BM_TickWithoutRepaint the update tick's own work: scroll, rescale count, hand-over
//   BM_UpdateTick         one update tick with all 13 traces full (2500 points each) and
//                         shown, chart repaint included (934 x 493 window)
//   BM_RepaintAxesOnly    the chart repaint with every trace hidden (QCustomPlot's share)
//
// Every heap allocation of the process is counted (malloc and friends are
// wrapped, so Qt's and QCustomPlot's count too): allocs_per_point and
// allocs_per_tick.

#include "Pictures.h"
#include "Preferences.h"
#include "ScopeChart.h"
#include "ScopeForm.h"
#include "ScopeTrace.h"

#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>
#include <atomic>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdlib>

// ---- Allocation counting ------------------------------------------------------

namespace {
std::atomic<std::size_t> allocations{0};
}

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);

void* malloc(std::size_t n)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_malloc(n);
}
void* calloc(std::size_t n, std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t n)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_realloc(p, n);
}
void* memalign(std::size_t alignment, std::size_t n)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    return __libc_memalign(alignment, n);
}
void* aligned_alloc(std::size_t alignment, std::size_t n)
{
    return memalign(alignment, n);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t n)
{
    void* p = memalign(alignment, n);
    if (!p)
        return 12; // ENOMEM
    *out = p;
    return 0;
}
}

namespace {

struct Host : scope::IScopeHost, IScopeMessages {
    bool isStreaming() const override { return true; }
    bool deltaOnly() const override { return false; }
    bool channelEnabled(int) const override { return true; }
    void addScopeError(const QString&) override {}
};

TScopeSample sampleAt(std::int64_t i)
{
    TScopeSample s;
    s.Count = true;
    s.Present.set();
    for (int t = 0; t < scope::kTraces; ++t)
        s.Points[static_cast<std::size_t>(t)] =
            1000 + 300 * std::sin(double(i) * 0.05 + t) + double((i * 7 + t) % 13);
    return s;
}

void fill(scope::TScopeModel& m)
{
    for (std::int64_t i = 0; i < 2600; ++i)
        m.Feed(sampleAt(i));
}

void BM_AddXY(benchmark::State& state)
{
    Host host;
    scope::TScopeModel m(host);
    fill(m);
    int series = 0;
    double x = m.XPos;
    const std::size_t before = allocations.load();
    for (auto _ : state) {
        if (series == 0)
            ++m.NrOfChartPoints();
        m.AddXY(series, x, x * 0.5);
        if (++series == scope::kTraces) {
            series = 0;
            x += 1;
        }
    }
    const std::size_t allocated = allocations.load() - before;
    benchmark::DoNotOptimize(m.buffers().yData(0));
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_point"] =
        double(allocated) / double(state.iterations());
}
BENCHMARK(BM_AddXY);

void BM_FeedSample(benchmark::State& state)
{
    Host host;
    scope::TScopeModel m(host);
    fill(m);
    const TScopeSample s = sampleAt(5);
    const std::size_t before = allocations.load();
    for (auto _ : state)
        m.Feed(s);
    const std::size_t allocated = allocations.load() - before;
    state.SetItemsProcessed(state.iterations() * scope::kTraces);
    state.counters["allocs_per_point"] =
        double(allocated) / double(state.iterations() * scope::kTraces);
}
BENCHMARK(BM_FeedSample);

// A shown scope window of the start-up size with every trace selected and
// full buffers.
struct Window {
    QTemporaryDir dir;
    Host host;
    Pictures pictures = Pictures::draw();
    TPreferences prefs{(dir.path() + "/bench.ini").toStdString()};
    TScopeForm form{host, host, prefs, pictures};
    std::int64_t next = 2600;

    Window()
    {
        form.show(); // first activation: the preferences file does not exist
        form.resize(934, 493);
        for (QCheckBox* box : form.Selectors)
            box->setChecked(true);
        fill(form.model());
        form.UpdateTimerTimer();
        QCoreApplication::processEvents();
    }
};

void BM_TickWithoutRepaint(benchmark::State& state)
{
    Window w;
    scope::TScopeModel& m = w.form.model();
    const TScopeSample s = sampleAt(7);
    const std::size_t before = allocations.load();
    for (auto _ : state) {
        m.Feed(s);
        const scope::TTickResult r = m.Tick();
        for (int t = 0; t < scope::kTraces; ++t)
            if (r.HandOver.test(static_cast<std::size_t>(t)))
                w.form.ScopeGraph->trace(t)->setPoints(m.buffers().xData(t), m.buffers().yData(t),
                                                      m.buffers().count());
    }
    const std::size_t allocated = allocations.load() - before;
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_tick"] = double(allocated) / double(state.iterations());
}
BENCHMARK(BM_TickWithoutRepaint);

void BM_UpdateTick(benchmark::State& state)
{
    Window w;
    const std::size_t before = allocations.load();
    std::int64_t drawn = 0;
    for (auto _ : state) {
        w.form.addSample(sampleAt(w.next++)); // one new sample per tick: the view scrolls
        w.form.UpdateTimerTimer();
        drawn += w.form.ScopeGraph->trace(0)->drawnPoints();
    }
    const std::size_t allocated = allocations.load() - before;
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_tick"] = double(allocated) / double(state.iterations());
    state.counters["points_drawn_trace0"] = double(drawn) / double(state.iterations());
    state.counters["points_per_trace"] = w.form.model().buffers().count();
}
BENCHMARK(BM_UpdateTick)->Unit(benchmark::kMillisecond);

// The chart's repaint alone with every trace hidden: what the axes, labels and
// layers cost (and allocate) without a single trace point.
void BM_RepaintAxesOnly(benchmark::State& state)
{
    Window w;
    for (int t = 0; t < scope::kTraces; ++t)
        w.form.ScopeGraph->trace(t)->setVisible(false);
    double x0 = 2000;
    const std::size_t before = allocations.load();
    for (auto _ : state) {
        x0 += 1;
        w.form.ScopeGraph->xAxis->setRange(x0, x0 + 600);
        w.form.ScopeGraph->replot();
    }
    const std::size_t allocated = allocations.load() - before;
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_tick"] = double(allocated) / double(state.iterations());
}
BENCHMARK(BM_RepaintAxesOnly)->Unit(benchmark::kMillisecond);

} // namespace
