#pragma once
// The chip's other sensors: the inductive channel 3 with its hysteresis UI
// (metal detection), the Hall plates on channels 4 and 5 with the Hall switch
// UI, and the temperature sensor with its UI.

#include "ChipRegisters.h"
#include "Environment.h"

#include <cstdint>
#include <random>

namespace sim {

struct AuxiliarySample {
    std::uint8_t hysteresisFlags = 0;  // bits 5 to 7 of register 0x13
    std::uint8_t events = 0;           // Hall, hysteresis and temperature event bits
    bool activity = false;             // Hall or metal prox
    bool temperatureReseed = false;    // the capacitive averages should take the counts
};

class AuxiliarySensors {
public:
    void reset();
    // The Hall output takes the present field as its zero.
    void forceHallCalibration(const Environment& env) { hallOffset_ = env.magnet; }
    AuxiliarySample sample(RegisterFile& r, const Environment& env, std::int64_t t,
                           std::mt19937& rng);

private:
    void hall(RegisterFile& r, const Environment& env, std::normal_distribution<double>& noise,
              std::mt19937& rng, AuxiliarySample& out);
    void metal(RegisterFile& r, const Environment& env, std::normal_distribution<double>& noise,
               std::mt19937& rng, AuxiliarySample& out);
    void temperature(RegisterFile& r, const Environment& env, std::int64_t t,
                     AuxiliarySample& out);

    double hallOffset_ = 0.0;
    bool hallProx_ = false, hallTouch_ = false;
    double metalReference_ = 0.0;
    bool metalValid_ = false, metalProx_ = false, metalTouch_ = false;
    bool trip_ = false;
    bool temperatureReferenceValid_ = false;
    double temperatureReference_ = 0.0;
};

}  // namespace sim
