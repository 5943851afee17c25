#pragma once
// "Temperature": TempBar (one bar of the temperature in 008040 with a value
// mark; a click resets its axis) and the trip picture TempImage.

#include "DisplayTypes.h"
#include "SensorPanel.h"

class TLevelBar;
class TPictureLabel;
struct Pictures;

class TTemperaturePanel : public TSensorPanel {
    Q_OBJECT
public:
    explicit TTemperaturePanel(const Pictures& pictures, QWidget* parent = nullptr);

    void showTemperature(const TTemperatureView& view);
    void showTempTrip(bool tripped);

    TLevelBar* bar() const { return FBar; }
    TPictureLabel* tripPicture() const { return FTrip; }

signals:
    void tempBarClicked();

private:
    TLevelBar* FBar;
    TPictureLabel* FTrip;
};
