#pragma once
// The simulated world around the chip, for a person trying the program with
// --simulate: plug and unplug the tool, bring a finger to each capacitive
// channel, a magnet to the Hall sensor and a metal target to the inductive
// channel, and set the temperature. Every slider shows its value. The finger
// that moves over the channels by itself is off until it is switched on.

#include "SimTypes.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

namespace sim {
class SimBackend;
}
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTimer;

// What the sliders mean, shared with the tests.
namespace simpanel {
inline constexpr int kFingerAwayMm = 40; // finger slider range 0..40 mm
inline constexpr int kMetalAwayMm = 40;  // metal target slider range 0..40 mm
inline constexpr int kMagnetAwayMm = 60; // magnet slider range 0..60 mm
// Proximity (0 far, 1 touching) of a finger or target at distance mm.
double proximity(int mm, int awayMm);
// Field at the Hall plates (counts, positive north) of a magnet at distance mm.
double magnetField(int mm, bool north);
// The metal target is only sensed with channel 3 enabled (register 0xD1 bit
// 3) and the hysteresis UI on (register 0x50 bit 6).
bool metalNeedsInductiveSetup(std::uint8_t activeChannels, std::uint8_t pxsGlobal);
} // namespace simpanel

class SimulationPanel : public QDialog {
    Q_OBJECT
public:
    // Applies the panel's settings (finger cycle off) to the plugged tools.
    SimulationPanel(std::shared_ptr<sim::SimBackend> backend, QWidget* parent = nullptr);
    // Plugs the tool when none is plugged, unplugs it otherwise.
    void togglePlugged();
    bool plugged() const;

    QSlider* fingerSlider(int channel) const { return FFinger[static_cast<std::size_t>(channel)]; }
    QSlider* magnetSlider() const { return FMagnet; }
    QSlider* metalSlider() const { return FMetal; }
    QSlider* temperatureSlider() const { return FTemperature; }
    QCheckBox* cycleBox() const { return FCycle; }
    QCheckBox* driftBox() const { return FDrift; }
    QComboBox* poleBox() const { return FPole; }
    QLabel* metalHint() const { return FMetalHint; }
    // The distance (mm) a slider stands for; the temperature slider's value.
    int distance(const QSlider* slider) const;
    void setDistance(QSlider* slider, int mm);
    // The text shown beside a slider.
    QString valueText(const QSlider* slider) const;
    // Shows the inductive set-up hint when the target is near and the chip
    // lacks the set-up (runs every second while the panel is shown).
    void refreshMetalHint();

signals:
    void pluggedChanged(bool plugged);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QSlider* addSlider(const QString& caption, int minimum, int maximum, int value);
    void apply();
    void showValues();

    std::shared_ptr<sim::SimBackend> FBackend;
    std::optional<sim::ToolConfig> FUnplugged;  // the tool last unplugged
    std::array<QSlider*, 3> FFinger{};
    QSlider* FMagnet = nullptr;
    QComboBox* FPole = nullptr;
    QSlider* FMetal = nullptr;
    QSlider* FTemperature = nullptr;
    QCheckBox* FCycle = nullptr;
    QCheckBox* FDrift = nullptr;
    QLabel* FMetalHint = nullptr;
    QPushButton* FPlug = nullptr;
    QTimer* FHintTimer = nullptr;
    class QGridLayout* FGrid = nullptr;
};
