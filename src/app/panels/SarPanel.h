#pragma once
// "SAR Flags": the "Filter Halt", "Movement", "Quick Release" and "SAR Active"
// pictures, and the quick-release graph QRDGraph (a bar at the held maximum,
// a marker at the value) with its value label QRDLabel.

#include "DisplayTypes.h"
#include "SensorPanel.h"

#include <array>

class QLabel;
class TLevelBar;
class TPictureLabel;
struct Pictures;

class TSarPanel : public TSensorPanel {
    Q_OBJECT
public:
    explicit TSarPanel(const Pictures& pictures, QWidget* parent = nullptr);

    void showSarMarks(const std::array<TMark, kSarPictures>& marks);
    void showQuickRelease(const TQuickReleaseView& view);

    TPictureLabel* picture(TSarPicture p) const { return FPictures[static_cast<std::size_t>(p)]; }
    TLevelBar* quickReleaseGraph() const { return FGraph; }
    QLabel* quickReleaseLabel() const { return FValue; }

private:
    std::array<TPictureLabel*, kSarPictures> FPictures{};
    TLevelBar* FGraph;
    QLabel* FValue;
};
