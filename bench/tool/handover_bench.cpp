// The hand-over from a threaded HID reader to the user-interface thread:
// reports pushed into a scripted device are read by the reader thread into its
// queue and handed over in drains on the benchmark's thread, which plays the
// user-interface thread. Reports per second, and reports per drain: a reader
// posts at most one drain per millisecond, so a burst of one report per
// iteration shows that spacing and a burst of 1024 the hand-over's own cost.

#include "HidLayer.h"
#include "ScriptedBackend.h"
#include "TestDispatcher.h"

#include <benchmark/benchmark.h>

namespace {

void HandOver(benchmark::State& state)
{
    const auto burst = static_cast<std::size_t>(state.range(0));
    scripted::ScriptedBackend backend;
    TestDispatcher dispatcher;
    auto raw = backend.plug(0x2E5B, 0x0104);
    HidLayer layer(backend, dispatcher, HidReaderMode::Threaded);
    dispatcher.runAll();
    std::size_t delivered = 0;
    layer.setDataHandler([&](HidDevice&, const std::uint8_t* data, std::uint16_t) {
        benchmark::DoNotOptimize(data);
        ++delivered;
    });
    layer.checkOut(*layer.devices()[0]);
    const scripted::Report report = scripted::frame(0, 0, 0, std::vector<std::uint8_t>(32, 0x5A));
    std::size_t drains = 0;
    for (auto _ : state) {
        const std::size_t target = delivered + burst;
        for (std::size_t i = 0; i < burst; ++i)
            raw->pushInput(report);
        while (delivered < target && dispatcher.runOne(1000))
            ++drains;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(delivered));
    state.counters["reports_per_drain"] =
        drains > 0 ? static_cast<double>(delivered) / static_cast<double>(drains) : 0.0;
}
BENCHMARK(HandOver)->Arg(1)->Arg(64)->Arg(1024)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
