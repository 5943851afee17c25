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

#include "SessionRig.h"
#include "SettingsForm.h"

#include <QApplication>
#include <QSpinBox>
#include <benchmark/benchmark.h>

namespace {

// A session on the deterministic simulated tool with the chip's settings read.
struct ReadSession : SessionRig {
    ReadSession()
    {
        session->PowerButtonClick();
        session->ReadFromDevice(false);
        session->ResetDefault();
    }
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
