#pragma once
// "HALL Flags": the "N" and "S" pole pictures (HallNImage, HallSImage), the
// value (HallValLabel) and HallBar (axis -3000..3000).

#include "DisplayTypes.h"
#include "SensorPanel.h"

class QLabel;
class TLevelBar;
class TPictureLabel;
struct Pictures;

class THallPanel : public TSensorPanel {
    Q_OBJECT
public:
    explicit THallPanel(const Pictures& pictures, QWidget* parent = nullptr);

    void showHall(const THallView& view);

    TPictureLabel* northPicture() const { return FNorth; }
    TPictureLabel* southPicture() const { return FSouth; }
    QLabel* valueLabel() const { return FValue; }
    TLevelBar* bar() const { return FBar; }

private:
    TPictureLabel* FNorth;
    TPictureLabel* FSouth;
    QLabel* FValue;
    TLevelBar* FBar;
};
