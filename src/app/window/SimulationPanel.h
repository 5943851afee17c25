#pragma once
// The simulated world around the chip, for a person trying the program with
// --simulate: plug and unplug the tool, move the finger over each capacitive
// channel, bring a magnet and a metal target near.

#include "SimTypes.h"

#include <QDialog>
#include <memory>
#include <optional>

namespace sim {
class SimBackend;
}
class QCheckBox;
class QPushButton;
class QSlider;

class SimulationPanel : public QDialog {
    Q_OBJECT
public:
    SimulationPanel(std::shared_ptr<sim::SimBackend> backend, QWidget* parent = nullptr);
    // Plugs the tool when none is plugged, unplugs it otherwise.
    void togglePlugged();
    bool plugged() const;

signals:
    void pluggedChanged(bool plugged);

private:
    void apply();
    std::shared_ptr<sim::SimBackend> FBackend;
    std::optional<sim::ToolConfig> FUnplugged;  // the tool last unplugged
    QSlider* FFinger[3];
    QSlider* FMagnet;
    QSlider* FMetal;
    QCheckBox* FCycle;
    QPushButton* FPlug;
};
