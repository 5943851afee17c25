#pragma once
// "Hysteresis": the state picture (MetalImage), MetalPTLabel ("Touch", "Prox",
// "N/A"), MetalTypeLabel, MetalValLabel and MetalBar (axis 0..1000).

#include "DisplayTypes.h"
#include "SensorPanel.h"

class QLabel;
class TLevelBar;
class TPictureLabel;
struct Pictures;

class THysteresisPanel : public TSensorPanel {
    Q_OBJECT
public:
    explicit THysteresisPanel(const Pictures& pictures, QWidget* parent = nullptr);

    void showMetal(const TMetalView& view);

    TPictureLabel* picture() const { return FPicture; }
    QLabel* stateLabel() const { return FState; }
    QLabel* typeLabel() const { return FType; }
    QLabel* valueLabel() const { return FValue; }
    TLevelBar* bar() const { return FBar; }

private:
    TPictureLabel* FPicture;
    QLabel* FState;
    QLabel* FType;
    QLabel* FValue;
    TLevelBar* FBar;
};
