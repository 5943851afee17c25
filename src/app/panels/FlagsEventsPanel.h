#pragma once
// "Flags && Events": the "Power Modes" label (PowerModesLabel), the four
// "System Flags" and the nine event indicators of "Events".

#include "DisplayTypes.h"
#include "EventIndicators.h"

#include <QGroupBox>
#include <array>

class QLabel;

class TFlagsEventsPanel : public QGroupBox {
    Q_OBJECT
public:
    explicit TFlagsEventsPanel(QWidget* parent = nullptr);

    void showPowerMode(const TPowerModeView& view);
    void showSystemFlags(const std::array<const char*, 4>& texts);
    // Power mode and flags greyed (the power mode not lit in its colour)
    // while they show the values of a stream that has ended or none has come.
    void setStale(bool stale);
    bool stale() const { return FStale; }
    // Lights and darkens the indicators; only changed ones are touched.
    void showEvents(const TEventIndicators& indicators);

    QLabel* powerModeLabel() const { return FPowerMode; }
    QLabel* systemFlagLabel(int i) const { return FFlags[static_cast<std::size_t>(i)]; }
    QLabel* eventLabel(TEventIndicator i) const { return FEvents[static_cast<std::size_t>(i)]; }

private:
    QLabel* FPowerMode = nullptr;
    std::array<QLabel*, 4> FFlags{};
    std::array<QLabel*, kEventIndicatorCount> FEvents{};
    std::array<bool, kEventIndicatorCount> FLit{};
    TPowerModeView FPowerView;
    bool FStale = false;
};
