#pragma once
// Pushes the display model's changes into the main window's panels: call
// present() after every model operation (each frame, Start, the timers, the
// temperature bar click, channel box clicks). Nothing is repainted here: the
// bar graph waits for its timer, the other widgets for Qt's next paint.

#include "DisplayModel.h"

class TBarGraphPanel;
class TFlagsEventsPanel;
class THallPanel;
class THysteresisPanel;
class TSarPanel;
class TTemperaturePanel;
class TEventIndicators;

struct TLiveDisplayWidgets {
    TBarGraphPanel* Bars = nullptr;
    TFlagsEventsPanel* Flags = nullptr;
    TSarPanel* Sar = nullptr;
    THallPanel* Hall = nullptr;
    THysteresisPanel* Hysteresis = nullptr;
    TTemperaturePanel* Temperature = nullptr;
};

class TLiveDisplayPresenter {
public:
    explicit TLiveDisplayPresenter(const TLiveDisplayWidgets& widgets) : W(widgets) {}

    // Takes the model's changes and shows them.
    void present(TDisplayModel& model);
    void present(const TDisplayView& view, const TDisplayChanges& changes);
    // The "Events" indicators and the temperature trip picture.
    void presentEvents(const TEventIndicators& indicators);
    // Stale: the display keeps the last values of a stream that has ended (or
    // the values before any frame) and shows them greyed; the next frame makes
    // it live again.
    void setStale(bool stale);
    bool stale() const { return FStale; }

private:
    TLiveDisplayWidgets W;
    bool FStale = false;
};
