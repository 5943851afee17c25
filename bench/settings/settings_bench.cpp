// Opening the settings window, on the offscreen platform, over a session on
// the deterministic simulated tool with the chip's settings read:
//
//   BM_CreateAndOpen   creating the window (all 17 pages) and showing it the
//                      first time, with its first activation: what the
//                      program pays once at start-up and at the first click
//   BM_Open            showing the window again after a close (re-activation,
//                      the page shown refreshed from the models)
//   BM_FieldEdit       one spin edit: model, change detection, indication,
//                      the visible page refreshed

#include "Session.h"
#include "SettingsForm.h"
#include "SimBackend.h"
#include "TestDispatcher.h"

#include <QApplication>
#include <QSpinBox>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

class NoPrompts final : public SessionPrompts {
public:
    TDialogResult message(const QString&, TDialogIcon, TDialogButtons) override
    {
        return TDialogResult::No;
    }
    std::optional<QString> saveFileName(const TFileDialogRequest&) override { return std::nullopt; }
    TStartupChoice startupMode(const QStringList&) override
    {
        return {TStartupChoice::TMode::Default, -1};
    }
};

struct ReadSession {
    ReadSession()
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
        session->PowerButtonClick();
        session->ReadFromDevice(false);
        session->ResetDefault();
    }
    QTemporaryDir dir;
    sim::SimBackend backend{{sim::Mode::Deterministic, 7}};
    TestDispatcher dispatcher;
    NoPrompts prompts;
    std::unique_ptr<TSession> session;
};

void BM_CreateAndOpen(benchmark::State& state)
{
    ReadSession s;
    for (auto _ : state) {
        auto form = std::make_unique<TSettingsForm>(*s.session);
        form->showWindow();
        QApplication::processEvents();
        state.PauseTiming();
        form.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CreateAndOpen)->Unit(benchmark::kMillisecond);

void BM_Open(benchmark::State& state)
{
    ReadSession s;
    TSettingsForm form(*s.session);
    form.setActivePage(8); // the device page, one of the largest
    for (auto _ : state) {
        form.showWindow();
        QApplication::processEvents();
        state.PauseTiming();
        form.close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_FieldEdit(benchmark::State& state)
{
    ReadSession s;
    TSettingsForm form(*s.session);
    form.showPage(1);
    QApplication::processEvents();
    auto* spin = form.findChild<QSpinBox*>(QStringLiteral("ProxSpin"));
    int v = 0;
    for (auto _ : state)
        spin->setValue(1 + (++v % 200));
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FieldEdit)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
