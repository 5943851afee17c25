// The live display's per-frame work and one bar graph repaint, on the
// offscreen platform.
//
//   BM_DisplayModelFrame   the display model alone, per frame
//   BM_FrameIntoWidgets    display model + pushing the changes into the bar
//                          graph's data, the strip's labels and pictures and
//                          the panels (no repaint): the per-frame cost
//   BM_BarGraphRepaint     one bar graph replot and repaint

#include "BarGraphPanel.h"
#include "FlagsEventsPanel.h"
#include "HallPanel.h"
#include "HysteresisPanel.h"
#include "LiveDisplayPresenter.h"
#include "Pictures.h"
#include "SarPanel.h"
#include "TemperaturePanel.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// A frame whose counts move every time, with a touch now and then.
void nextState(TLiveChannelState& s, std::int64_t i)
{
    for (std::size_t n = 0; n < 6; ++n) {
        s.FCurrentChs[n] = 1000 + static_cast<std::int32_t>((i * 7 + n * 13) % 200);
        s.FLTAChs[n] = n < 3 ? 1100 : s.FCurrentChs[n];
    }
    s.FTouchBools[0] = (i / 50) % 2 == 1;
    s.FProxBools[1] = (i / 30) % 2 == 1;
    s.FHallValue = static_cast<std::int32_t>(i % 2000);
    s.FTemperatureValue = static_cast<std::uint16_t>(30 + i % 5);
    s.FQRDValue = static_cast<std::uint16_t>(i % 40);
    s.FMetalUIValue = static_cast<std::uint16_t>(i % 1000);
}

TDisplayInputs inputs()
{
    TDisplayInputs in;
    in.UiSar = true;
    in.MetalDetectEn = true;
    return in;
}

void BM_DisplayModelFrame(benchmark::State& state)
{
    TDisplayModel model;
    TLiveChannelState s;
    const TDisplayInputs in = inputs();
    std::int64_t i = 0;
    for (auto _ : state) {
        nextState(s, ++i);
        model.frame(s, in, false);
        benchmark::DoNotOptimize(model.takeChanges());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_DisplayModelFrame);

struct Window {
    Pictures pics = Pictures::draw();
    QWidget top;
    TBarGraphPanel* bars = new TBarGraphPanel(pics, &top);
    TFlagsEventsPanel* flags = new TFlagsEventsPanel(&top);
    TSarPanel* sar = new TSarPanel(pics, &top);
    THallPanel* hall = new THallPanel(pics, &top);
    THysteresisPanel* metal = new THysteresisPanel(pics, &top);
    TTemperaturePanel* temp = new TTemperaturePanel(pics, &top);

    Window()
    {
        top.resize(1180, 700);
        bars->setGeometry(290, 10, 880, 500);
        flags->setGeometry(10, 10, 270, 280);
        sar->setGeometry(290, 520, 220, 150);
        hall->setGeometry(520, 520, 210, 150);
        metal->setGeometry(740, 520, 210, 150);
        temp->setGeometry(960, 520, 210, 150);
        top.show();
        QApplication::processEvents();
        bars->barGraph()->ShowBarBackground(TBarGraph::TBackground::None);
        bars->barGraph()->setValueAxis(0, 1500, 100);
        bars->PositionChannelLabels();
    }
};

void BM_FrameIntoWidgets(benchmark::State& state)
{
    Window w;
    TDisplayModel model;
    TLiveDisplayPresenter presenter(
        TLiveDisplayWidgets{w.bars, w.flags, w.sar, w.hall, w.metal, w.temp});
    TLiveChannelState s;
    const TDisplayInputs in = inputs();
    std::int64_t i = 0;
    for (auto _ : state) {
        nextState(s, ++i);
        model.frame(s, in, false);
        presenter.present(model);
        if (i % 1024 == 0) { // let Qt drop what the labels queued, outside the timing
            state.PauseTiming();
            QApplication::processEvents();
            state.ResumeTiming();
        }
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FrameIntoWidgets);

void BM_BarGraphRepaint(benchmark::State& state)
{
    Window w;
    TDisplayModel model;
    TLiveDisplayPresenter presenter(TLiveDisplayWidgets{w.bars});
    TLiveChannelState s;
    const TDisplayInputs in = inputs();
    std::int64_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        nextState(s, ++i);
        model.frame(s, in, false);
        presenter.present(model);
        state.ResumeTiming();
        w.bars->barGraph()->replot(QCustomPlot::rpImmediateRefresh);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BarGraphRepaint)->Unit(benchmark::kMicrosecond);

} // namespace
