// The data log runs once per streamed frame: the line text and the writer
// with its per-line flush must stay far below a frame period.

#include "DataLogWriter.h"
#include "LiveChannelState.h"

#include <benchmark/benchmark.h>
#include <filesystem>

namespace {

TLogSelection everyColumn()
{
    TLogSelection s;
    s.counts.fill(true);
    s.lta.fill(true);
    s.delta.fill(true);
    s.prox.fill(true);
    s.touch.fill(true);
    return s;
}

TLiveChannelState busyState()
{
    TLiveChannelState state;
    state.FHallValue = 300;
    state.FQRDValue = 1234;
    state.FMetalUIValue = 56789;
    state.FCurrentChs = {1000, 2000, 3000, 4000, 5000, 6000};
    state.FLTAChs = {990, 1990, 2990, 4000, 5000, 6000};
    state.FDeltaChs = {10, 10, 10, 0, 0, 0};
    state.FProxBools = {true, false, true, false};
    return state;
}

void BM_DataLine(benchmark::State& st)
{
    const TLogSelection s = everyColumn();
    const TLiveChannelState live = busyState();
    std::int64_t ms = 0;
    for (auto _ : st) {
        std::string line = logformat::dataLine(s, logSample(live), {14, 3, 27, 512}, ++ms);
        benchmark::DoNotOptimize(line);
    }
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_DataLine);

// One logged frame written and flushed to a real file.
void BM_WriterFrame(benchmark::State& st)
{
    const auto file = std::filesystem::temp_directory_path() / "mfs380a_datalog_bench.txt";
    TDataLogWriter log;
    if (!log.start(file, everyColumn())) {
        st.SkipWithError(log.error().c_str());
        return;
    }
    const TLogSample sample = logSample(busyState());
    std::int64_t ms = 0;
    for (auto _ : st)
        benchmark::DoNotOptimize(log.frame(sample, {{14, 3, 27, 512}, ++ms}));
    log.stop();
    std::error_code ec;
    std::filesystem::remove(file, ec);
    st.SetItemsProcessed(st.iterations());
}
BENCHMARK(BM_WriterFrame);

} // namespace

BENCHMARK_MAIN();
