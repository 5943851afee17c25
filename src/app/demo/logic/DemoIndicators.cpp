#include "DemoIndicators.h"

#include "LiveChannelState.h"

TDemoPicture demoPicture(TDemoIndicator indicator, bool State)
{
    if (!State)
        return TDemoPicture::SARNone;
    switch (indicator) {
    case TDemoIndicator::CH0Prox:
    case TDemoIndicator::CH1Prox:
        return TDemoPicture::SARProx;
    case TDemoIndicator::CH0Touch:
    case TDemoIndicator::CH1Touch:
        return TDemoPicture::SARTouch;
    case TDemoIndicator::CH0Deep:
    case TDemoIndicator::CH1Deep:
        return TDemoPicture::SARDeep;
    }
    return TDemoPicture::SARNone;
}

std::array<bool, kDemoIndicators> demoStates(const TLiveChannelState& live)
{
    return {live.FSarCh0PState, live.FSarCh0TState, live.FSarCh0DState,
            live.FSarCh1PState, live.FSarCh1TState, live.FSarCh1DState};
}
