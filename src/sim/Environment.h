#pragma once
// The physical world around the simulated chip: what its sensors sense.

#include <array>
#include <cstdint>
#include <optional>

namespace sim {

struct Environment {
    // Load capacitance on RX0 and RX1 in pF.
    std::array<double, 2> rxLoadPf{8.0, 5.0};
    // Finger proximity per capacitive channel: 0 far away, 1 touching.
    std::array<double, 3> finger{};
    // Finger moving over channels 0 to 2 in a slow cycle (adds to finger).
    bool fingerCycle = false;
    // Magnetic field at the Hall plates in output counts; positive is north.
    double magnet = 0.0;
    // Metal target at the inductive channel: 0 far away, 1 touching.
    double metal = 0.0;
    bool metalFerrous = true;  // ferrous raises the inductive count (type "A")
    // Temperature: drifts slowly around the centre unless overridden.
    double temperatureCentre = 25.0;
    std::optional<double> temperatureOverride;

    // Finger proximity of channel n at time t, cycle included.
    double fingerAt(int channel, std::int64_t tMs) const;
    // Temperature in degrees Celsius at time t.
    double temperatureAt(std::int64_t tMs) const;
};

// Finger proximity of the slow demo cycle: the finger visits channels 0, 1
// and 2 in turn, 6 s each (approach, touch, retreat, away).
double fingerCycleProximity(int channel, std::int64_t tMs);

}  // namespace sim
