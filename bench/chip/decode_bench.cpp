// Decoding one full frame: every optional block, 20 debug bytes and both
// extra bars (57 data bytes).

#include "FrameDecoder.h"

#include <benchmark/benchmark.h>
#include <vector>

namespace {

TStreamTable fullTable()
{
    TStreamSelection sel;
    sel.DoChStream = sel.CH6Check = sel.CH7Check = true;
    for (int j = 0; j < kExtraAddresses; ++j)
        sel.Addresses[static_cast<std::size_t>(j)] = static_cast<std::uint8_t>(0x40 + j);
    TStreamTable t;
    buildStreamTable(sel, t);
    return t;
}

void BM_DecodeFullFrame(benchmark::State& state)
{
    const TStreamTable table = fullTable();
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(table.Layout.frameSize()));
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<std::uint8_t>(i * 37 + 11);
    TLiveChannelState s;
    for (auto _ : state) {
        benchmark::DoNotOptimize(frame.data());
        const bool ok = decodeFrame(frame, table.Layout, true, s);
        benchmark::DoNotOptimize(ok);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["frame_bytes"] = static_cast<double>(frame.size());
}
BENCHMARK(BM_DecodeFullFrame);

void BM_BuildStreamTable(benchmark::State& state)
{
    TStreamSelection sel;
    sel.DoChStream = true;
    TStreamTable t;
    for (auto _ : state) {
        buildStreamTable(sel, t);
        benchmark::DoNotOptimize(t.Bytes.data());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildStreamTable);

} // namespace
