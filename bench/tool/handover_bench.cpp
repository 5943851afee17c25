// The hand-over from a threaded HID reader to the user-interface thread:
// reports pushed into a scripted device are read by the reader thread into its
// queue and handed over in drains on the benchmark's thread, which plays the
// user-interface thread. Reports per second, reports per drain (a reader posts
// at most one drain per millisecond unless its queue is full, so small bursts
// show that spacing) and the CPU time of the whole process per report, reader
// thread included.

#include "HidLayer.h"
#include "ScriptedBackend.h"
#include "TestDispatcher.h"

#include <benchmark/benchmark.h>

#include <ctime>

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
    const auto cpuNow = [] {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e6 + static_cast<double>(t.tv_nsec) / 1e3;
    };
    const double cpuStart = cpuNow();
    for (auto _ : state) {
        const std::size_t target = delivered + burst;
        for (std::size_t i = 0; i < burst; ++i)
            raw->pushInput(report);
        while (delivered < target && dispatcher.runOne(1000))
            ++drains;
    }
    const double cpuUs = cpuNow() - cpuStart;
    state.SetItemsProcessed(static_cast<std::int64_t>(delivered));
    state.counters["cpu_us_per_report"] =
        delivered > 0 ? cpuUs / static_cast<double>(delivered) : 0.0;
    state.counters["reports_per_drain"] =
        drains > 0 ? static_cast<double>(delivered) / static_cast<double>(drains) : 0.0;
}
BENCHMARK(HandOver)->Arg(1)->Arg(64)->Arg(1024)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
