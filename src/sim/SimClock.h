#pragma once
// The clock of a simulation. Deterministic mode: the time is simulated time
// and a sleep runs the simulation for that long. Real-time mode: time since
// the simulation started and a real sleep.

#include "Clock.h"

#include <memory>

namespace sim {

class SimCore;

class SimClock final : public Clock {
public:
    explicit SimClock(std::shared_ptr<SimCore> core) : core_(std::move(core)) {}
    std::int64_t nowMs() const override;
    void sleepMs(int ms) override;

private:
    std::shared_ptr<SimCore> core_;
};

}  // namespace sim
