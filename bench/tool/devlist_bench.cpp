// The streaming engine's data handler, one input report at a time, as the HID
// layer hands reports over: single-report frames (L = 20) and three-report
// long frames (L = 70). Reports per second; heap allocations per report are
// counted and must be zero.

#include "HidDevice.h"
#include "ToolRig.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> allocations{0};
}

// Global allocation counting; GCC cannot see that these new and delete pair up.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept
{
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

namespace {

// A list streaming from one scripted tool with tool ID 3 and frame length L.
struct Streaming {
    ToolRig rig;
    std::uint64_t framesSeen = 0;
    std::uint64_t bytesSeen = 0;

    explicit Streaming(std::uint16_t length)
    {
        rig.tool.SetLongStreamingLength(length);
        std::uint32_t version = 0;
        rig.tool.GetCTFWVersion(version);
        TKvnByteArray table{};
        rig.tool.StartLongStreaming(table);
        rig.list.PollReaders();
        rig.tool.OnStreaming = [this](std::uint16_t size, std::uint8_t, const std::uint8_t* data) {
            ++framesSeen;
            bytesSeen += size;
            benchmark::DoNotOptimize(data);
        };
        rig.tool.OnStreamingDataMissed = [](std::uint8_t) { std::abort(); };
    }
    HidDevice& device() { return *rig.list.CTData().Device[0]; }
};

// Reports without their ID byte (64 bytes), one frame per counter value 0..255.
std::vector<std::array<std::uint8_t, 64>> buildReports(int length)
{
    const int perFrame = length <= 32 ? 1 : (length + 31) / 32;
    std::vector<std::array<std::uint8_t, 64>> reports;
    for (int counter = 0; counter < 256; ++counter) {
        for (int k = 0; k < perFrame; ++k) {
            std::array<std::uint8_t, 64> r{};
            r[0] = 0x3F;
            r[1] = static_cast<std::uint8_t>(counter);
            r[2] = static_cast<std::uint8_t>(k);
            for (int j = 0; j < 32; ++j)
                r[static_cast<std::size_t>(3 + j)] = static_cast<std::uint8_t>(k * 32 + j);
            reports.push_back(r);
        }
    }
    return reports;
}

void runHandler(benchmark::State& state, std::uint16_t length)
{
    Streaming streaming(length);
    HidDevice& device = streaming.device();
    const auto reports = buildReports(length);
    const std::size_t count = reports.size();
    std::size_t i = 0;
    const std::size_t before = allocations.load();
    for (auto _ : state) {
        streaming.rig.list.DeviceData(device, reports[i].data(), 64);
        if (++i == count)
            i = 0;
    }
    const std::size_t allocated = allocations.load() - before;
    state.SetItemsProcessed(state.iterations());
    state.counters["frames"] = static_cast<double>(streaming.framesSeen);
    state.counters["allocs_per_report"] =
        static_cast<double>(allocated) / static_cast<double>(state.iterations());
    if (allocated != 0)
        state.SkipWithError("the data handler allocated");
}

void BM_DataHandler_SingleReportFrames(benchmark::State& state)
{
    runHandler(state, 20);
}

void BM_DataHandler_LongFramesL70(benchmark::State& state)
{
    runHandler(state, 70);
}

}  // namespace

BENCHMARK(BM_DataHandler_SingleReportFrames);
BENCHMARK(BM_DataHandler_LongFramesL70);

BENCHMARK_MAIN();
