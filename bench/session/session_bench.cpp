// The stream path as the session runs it: one streamed report through the
// device list's data handler, the tool and chip components, and the session's
// frame handling with decoding; then the same with the data log line written
// and flushed to a file.
#include "HidDevice.h"
#include "Session.h"
#include "SimBackend.h"
#include "TestDispatcher.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class NoPrompts final : public SessionPrompts {
public:
    TDialogResult message(const QString&, TDialogIcon, TDialogButtons) override
    {
        return TDialogResult::Ok;
    }
    std::optional<QString> saveFileName(const TFileDialogRequest&) override { return std::nullopt; }
    TStartupChoice startupMode(const QStringList&) override
    {
        return {TStartupChoice::TMode::Default, -1};
    }
};

struct StreamingSession {
    StreamingSession()
    {
        backend.plug();
        TSessionConfig config;
        config.backend = &backend;
        config.dispatcher = &dispatcher;
        config.readerMode = HidReaderMode::Manual;
        config.clock = &backend.clock();
        config.prompts = &prompts;
        config.appPath = dir.path().toStdString();
        config.preferencesFile = (dir.path() + "/prefs.ini").toStdString();
        session = std::make_unique<TSession>(config);
        dispatcher.runAll();
        session->StartButtonClick();
        dispatcher.runAll();
        session->PollReaders();
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

    QTemporaryDir dir;
    sim::SimBackend backend{{sim::Mode::Deterministic, 1}};
    TestDispatcher dispatcher;
    NoPrompts prompts;
    std::unique_ptr<TSession> session;
    std::shared_ptr<HidDevice> device;
    std::array<std::uint8_t, 64> report{};
    int counter = 0;
};

void BM_StreamPath(benchmark::State& state)
{
    StreamingSession s;
    int frames = 0;
    QObject::connect(s.session.get(), &TSession::frameHandled, [&](bool) { ++frames; });
    for (auto _ : state)
        s.deliver();
    state.SetItemsProcessed(state.iterations());
    state.counters["frames_handled"] = frames;
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

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
