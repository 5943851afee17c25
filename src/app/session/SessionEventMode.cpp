// Event mode: the tool's event handling and the event timer that darkens the
// event indicators when no frame comes to do it.
#include "Clock.h"
#include "KelvanHidTool.h"
#include "Session.h"

bool TSession::SetEventMode(bool En, bool EnStr)
{
    // Speed and the two timing values of the speed chosen on the setup page.
    struct TSpeed {
        TCommsSpeed speed;
        std::uint16_t first, second;
    };
    static constexpr TSpeed kSpeeds[] = {{csFast, 60, 1000}, {csMedium, 240, 2000},
                                         {csSlow, 600, 4000}};
    const TSpeed& s = kSpeeds[std::clamp(FSetup.CommsSpeedIndex, 0, 2)];

    if (En) {
        if (!HandleRes(FHidTool->SetupComms(ctI2CPolling, s.speed)))
            return false;
        const int polling = FSetup.PollingSpeed >= 0 && FSetup.PollingSpeed <= 0xFFFF
                                ? FSetup.PollingSpeed
                                : 60;
        return HandleRes(FHidTool->EventMode(1, s.first, s.second,
                                             static_cast<std::uint16_t>(polling),
                                             EnStr ? 1 : 0));
    }
    if (!HandleRes(FHidTool->EventMode(false)))
        return false;
    return HandleRes(FDevice->SetupCT());
}

void TSession::EventTimerTimer()
{
    FEventTimer.stop();
    FEvents.EventsTime = S.EventsTime;
    FEvents.timerTick(FClock->nowMs());
    if (FEvents.takeChanged())
        emit eventIndicatorsChanged();
    if (S.FEventMode)
        FEventTimer.start();
}
