// The stream path as the session runs it: one streamed report through the
// device list's data handler, the tool and chip components, and the session's
// frame handling with decoding; then the same with the data log line written
// and flushed to a file.
#include "HidDevice.h"
#include "SessionRig.h"

#include <benchmark/benchmark.h>

namespace {

struct StreamingSession : SessionRig {
    StreamingSession()
    {
        session->StartButtonClick();
        pump();
        device = session->DevList().CTData().Device.at(0);
        // One streamed report: status 0xF of tool 0, counter, report 0, then the
        // payload of the stream table in force (32 bytes: one report per frame).
        report.fill(0);
        report[0] = 0x0F;
        for (int i = 3; i < 64; ++i)
            report[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i * 7);
        counter = std::stoi(session->DevList().StreamingCounter().Counter(0));
    }
    void deliver()
    {
        report[1] = static_cast<std::uint8_t>(counter++);
        session->DevList().DeviceData(*device, report.data(), 64);
    }

    std::shared_ptr<HidDevice> device;
    std::array<std::uint8_t, 64> report{};
    int counter = 0;
};

void BM_StreamPath(benchmark::State& state)
{
    StreamingSession s;
    const int before = s.frames();
    for (auto _ : state)
        s.deliver();
    state.SetItemsProcessed(state.iterations());
    state.counters["frames_handled"] = s.frames() - before;
}
BENCHMARK(BM_StreamPath);

void BM_StreamPathWithDataLog(benchmark::State& state)
{
    StreamingSession s;
    TLogSelection all;
    all.counts.fill(true);
    all.lta.fill(true);
    all.delta.fill(true);
    all.prox.fill(true);
    all.touch.fill(true);
    s.session->settingsWindow().logSelection = all;
    if (!s.session->StartLogTo(s.dir.path() + "/log.txt")) {
        state.SkipWithError("log not started");
        return;
    }
    for (auto _ : state)
        s.deliver();
    state.SetItemsProcessed(state.iterations());
    state.counters["logging"] = s.session->state().FDoLog ? 1 : 0;
}
BENCHMARK(BM_StreamPathWithDataLog);

}  // namespace
