// Cost of the simulation: chip cycles with a 32-byte long stream, the way the
// real-time thread runs them, and command round trips through a handle.

#include "SimBackend.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

void command(hid::Handle& handle, std::vector<std::uint8_t> bytes)
{
    sim::Report r{};
    std::copy(bytes.begin(), bytes.end(), r.begin() + 1);
    handle.write(r.data(), r.size());
    std::size_t length = 0;
    while (handle.read(r.data(), r.size(), length, 0) == hid::ReadStatus::Ok) {
    }
}

std::unique_ptr<hid::Handle> streamingTool(sim::SimBackend& backend)
{
    backend.plug();
    auto handle = backend.enumerate().at(0)->open();
    for (const auto& c : std::vector<std::vector<std::uint8_t>>{
             {2, 0x01, 2, 0, 3}, {3, 0x07, 1, 1}, {4, 0x05, 2, 4, 2},
             {5, 0x0F, 6, 3, 1, 0x44, 3, 2, 1}, {6, 0x02, 0}, {7, 0x14, 2, 0, 32}})
        command(*handle, c);
    std::vector<std::uint8_t> piece{8, 0x15, 0, 0x10};
    piece.resize(35, 0);
    piece[15] = 0x20;
    piece[27] = 0x30;
    piece[33] = 0xF2;
    command(*handle, piece);
    return handle;
}

// One chip cycle (2 ms report rate) with its frame delivered to one handle.
void BM_StreamedChipCycle(benchmark::State& state)
{
    sim::SimBackend backend;
    auto handle = streamingTool(backend);
    command(*handle, {9, 0x0B, 2, 0xD3, 2});
    sim::Report r{};
    std::size_t length = 0;
    for (auto _ : state) {
        backend.advance(2);
        while (handle->read(r.data(), r.size(), length, 0) == hid::ReadStatus::Ok)
            benchmark::DoNotOptimize(r);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_StreamedChipCycle);

// One register read command and its reply while the tool streams.
void BM_RegisterReadRoundTrip(benchmark::State& state)
{
    sim::SimBackend backend;
    auto handle = streamingTool(backend);
    std::uint8_t id = 10;
    for (auto _ : state) {
        id = static_cast<std::uint8_t>(id == 254 ? 1 : id + 1);
        command(*handle, {id, 0x12, 1, 0x20, 12});
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_RegisterReadRoundTrip);

}  // namespace

BENCHMARK_MAIN();
